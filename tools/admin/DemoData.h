#pragma once

#include <QDate>
#include <QJsonObject>
#include <QString>
#include <QVariantMap>

namespace tavolin::admin {

// Replaces the placeholders of a demo value: {today}, {today+N}, {today-N} (mm/dd/yyyy),
// {weekday+N} (the day's name), {now} (hh:mm AM/PM), and any {Name} found in the given values.
QString expandPlaceholders(const QString& text, const QDateTime& now, const QVariantMap& values);

// A property's daily statistics for one business date, as the update windows would have left them.
struct PropertyFacts {
    QString hotelId;
    QString hotelName;
    int rooms = 100;
    int index = 0;  // seeds the figures
};
QVariantMap dailyStatisticsRow(const PropertyFacts& property, const QDate& day, const QDateTime& now);
QVariantMap propertyRevenueRow(const PropertyFacts& property, const QDate& day);

// The demo rows of every area, merged: database kind name -> table -> rows.
QJsonObject demoRows();

}  // namespace tavolin::admin
