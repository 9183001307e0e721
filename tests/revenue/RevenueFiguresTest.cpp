#include <gtest/gtest.h>

#include "revenue/RevenueFigures.h"

using namespace tavolin;
using namespace tavolin::revenue;

TEST(RevenueFigures, OccupancyIsRoundedToTwoDecimals) {
    const struct {
        qint64 sold, rooms;
        const char* text;
    } cases[] = {{142, 180, "78.89"},  {1, 800, "0.13"},     {0, 100, "0.00"},
                 {100, 100, "100.00"}, {105, 100, "105.00"}, {19, 200, "9.50"},
                 {1, 3, "33.33"},      {2, 3, "66.67"},      {5, 0, "0.00"}};
    for (const auto& c : cases) EXPECT_EQ(occupancyText(c.sold, c.rooms), c.text) << c.sold << "/" << c.rooms;
}

TEST(RevenueFigures, RatesAreWrittenWithTwoDecimals) {
    EXPECT_EQ(rateText("129"), "129.00");
    EXPECT_EQ(rateText("95.245"), "95.25");
    EXPECT_EQ(rateText("129."), "129.00");
    EXPECT_EQ(rateText(" 12.5 "), "12.50");
    for (const char* bad : {"", "N/A", "12,5", "-", "1.2.3", "abc"}) EXPECT_FALSE(rateText(bad)) << bad;
    EXPECT_EQ(wholeNumber("-3"), -3);
    for (const char* bad : {"", "-", "1.5", "4a", "+"}) EXPECT_FALSE(wholeNumber(bad)) << bad;
}

TEST(RevenueFigures, KeyFiltersRefuseWithTheirMessages) {
    const QString invalid = "Invalid Key Pressed.";
    const QString notNumber = "This field only accepts numbers. ',' [Invalid Character].";
    const QString dot = "This field only accepts onde decimal separator '.' [Duplicate Entry].";
    const struct {
        KeyFilter filter;
        QChar key;
        const char* text;
        QString refused;  // empty: accepted
    } cases[] = {
        {KeyFilter::Plain, '7', "", {}},
        {KeyFilter::Plain, '-', "", {}},
        {KeyFilter::Plain, '.', "1.", {}},
        {KeyFilter::Plain, 'a', "", invalid},
        {KeyFilter::Plain, QChar(27), "", invalid},
        {KeyFilter::Plain, QChar(0x20AC), "", invalid},
        {KeyFilter::Numeric, ',', "12", notNumber},
        {KeyFilter::Numeric, '.', "12.5", dot},
        {KeyFilter::Numeric, QChar(8), "1", {}},
        {KeyFilter::Integer, '-', "", invalid},
        {KeyFilter::Integer, QChar(27), "", {}},
        {KeyFilter::Integer, '.', "", invalid},
        {KeyFilter::Rate, 'N', "", "This field only accepts numbers. 'N' [Invalid Character]."},
        {KeyFilter::Rate, '.', "1.", dot},
        {KeyFilter::WalkRate, 'N', "", {}},
        {KeyFilter::WalkRate, '/', "N", {}},
        {KeyFilter::WalkRate, 'A', "N/", {}},
        {KeyFilter::WalkRate, 'n', "", "This field only accepts numbers. 'n' [Invalid Character]."},
        {KeyFilter::WalkRate, '-', "", "This field only accepts numbers. '-' [Invalid Character]."},
    };
    for (const auto& c : cases)
        EXPECT_EQ(refusedKey(c.filter, c.key, c.text).value_or(QString()), c.refused)
            << int(c.filter) << " " << int(c.key.unicode());
}

TEST(RevenueFigures, TheLaterColourRuleWins) {
    const struct {
        const char* occ;
        const char* available;
        QColor background;
        QColor text;
    } cases[] = {
        {"95.00", "5", QColor(255, 255, 183), Qt::black},  {"94.99", "5", {}, {}},
        {"100.00", "0", QColor(206, 255, 206), Qt::black}, {"105.00", "-2", QColor(255, 202, 202), Qt::black},
        {"0.00", "100", Qt::white, QColor(128, 128, 128)}, {"40.00", "60", {}, {}},
    };
    for (const auto& c : cases) {
        const DashboardColours got = dashboardRowColours(c.occ, c.available);
        EXPECT_EQ(got.background, c.background) << c.occ;
        EXPECT_EQ(got.text, c.text) << c.occ;
    }
    EXPECT_EQ(mailDayText(QDate(2015, 7, 4)), "Sat Jul/04");
}
