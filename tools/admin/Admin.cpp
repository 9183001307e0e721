#include "admin/Admin.h"

#include <QJsonArray>
#include <QJsonObject>

#include "admin/DemoData.h"
#include "data/Catalogue.h"
#include "data/Connection.h"
#include "data/DataModule.h"
#include "data/DbError.h"
#include "data/Schema.h"
#include "data/TableObject.h"

namespace tavolin::admin {

namespace {

QStringList prefixed(const QString& database, const QStringList& lines) {
    QStringList out;
    for (const QString& l : lines) out << database + QStringLiteral(": ") + l;
    return out;
}

QStringList ensureDatabase(const DeploymentSettings& s, Database kind, const QString& name) {
    QStringList log;
    if (!Schema::databaseExists(s, name)) {
        Schema::createDatabase(s, kind, name);
        log << QStringLiteral("%1: created database").arg(name);
    }
    Connection c(QStringLiteral("init"), kind, s);
    c.setDatabase(name);
    if (kind == Database::Property) {
        c.setServer(s.host);
        c.setUserName(s.centralUser);
        c.setPassword(s.centralPassword);
    }
    log << prefixed(name, Schema::ensureTables(c));
    return log;
}

// The property databases named by the properties' records.
QStringList propertyDatabases(const DeploymentSettings& s) {
    Connection central(QStringLiteral("init"), Database::Central, s);
    TableObject licenses(QStringLiteral("TLicenses"), QStringLiteral("TLicenses"), &central);
    licenses.open();
    QStringList names;
    for (licenses.first(); !licenses.eof(); licenses.next()) {
        const QString db = licenses.text(QStringLiteral("ServerDatabase"));
        if (!db.isEmpty() && !names.contains(db)) names << db;
    }
    licenses.close();
    return names;
}

void insertRow(TableObject& table, const QJsonObject& row, const QDateTime& now, const QVariantMap& values) {
    table.insert();
    for (auto it = row.begin(); it != row.end(); ++it) {
        const QJsonValue v = it.value();
        if (v.isString())
            table.set(it.key(), expandPlaceholders(v.toString(), now, values));
        else if (v.isDouble())
            table.set(it.key(), v.toDouble() == double(qint64(v.toDouble())) ? QVariant(qint64(v.toDouble())) : QVariant(v.toDouble()));
        else if (v.isBool())
            table.set(it.key(), v.toBool() ? QStringLiteral("True") : QStringLiteral("False"));
    }
    table.post();
}

void insertRows(Connection& c, const QJsonObject& tables, const QDateTime& now, const QVariantMap& values) {
    for (auto t = tables.begin(); t != tables.end(); ++t) {
        TableObject table(t.key(), t.key(), &c);
        table.open();
        for (const QJsonValue& row : t.value().toArray()) insertRow(table, row.toObject(), now, values);
        table.close();
    }
}

void insertMap(TableObject& table, const QVariantMap& row) {
    table.insert();
    for (auto it = row.begin(); it != row.end(); ++it) table.set(it.key(), it.value());
    table.post();
}

}  // namespace

QStringList initDatabases(const DeploymentSettings& s, const QStringList& extraPropertyDatabases) {
    QStringList log;
    log << ensureDatabase(s, Database::Central, s.centralDatabase);
    log << ensureDatabase(s, Database::Corporate, s.corporateDatabase);
    QStringList properties = propertyDatabases(s);
    for (const QString& extra : extraPropertyDatabases)
        if (!properties.contains(extra)) properties << extra;
    for (const QString& p : properties) log << ensureDatabase(s, Database::Property, p);
    return log;
}

void printTables(QTextStream& out) {
    for (Database db : {Database::Central, Database::Corporate, Database::Property})
        for (const TableDef* t : Catalogue::instance().tables(db))
            for (const ColumnDef& c : t->columns)
                out << databaseKindName(db) << '\t' << t->name << '\t' << c.name << '\t' << columnTypeName(c.type) << '\n';
}

QStringList loadDemo(const DeploymentSettings& s, const QDateTime& now, const QString& propertyDatabasePrefix) {
    QStringList log = initDatabases(s);
    const QJsonObject rows = demoRows();

    Connection central(QStringLiteral("demo"), Database::Central, s);
    {
        TableObject users(QStringLiteral("TUser"), QStringLiteral("TUser_Info"), &central);
        users.open();
        if (!users.isEmpty())
            throw DbError(QStringLiteral("The databases already hold users; demo data is only loaded into empty databases."));
        users.close();
    }
    insertRows(central, rows.value(QStringLiteral("Central")).toObject(), now, {});

    // Every property's database is reached with the deployment's own server and account.
    TableObject licenses(QStringLiteral("TLicenses"), QStringLiteral("TLicenses"), &central);
    licenses.open();
    struct Property {
        QVariantMap values;
        PropertyFacts facts;
    };
    QList<Property> properties;
    for (licenses.first(); !licenses.eof(); licenses.next()) {
        licenses.edit();
        licenses.set(QStringLiteral("ServerIP"),
                     s.port == 3306 ? s.host : QStringLiteral("%1:%2").arg(s.host).arg(s.port));
        licenses.set(QStringLiteral("ServerUserName"), s.centralUser);
        licenses.set(QStringLiteral("ServerPassword"), s.centralPassword);
        licenses.set(QStringLiteral("ServerDatabase"), QString(propertyDatabasePrefix + licenses.text(QStringLiteral("ServerDatabase"))));
        licenses.post();
        Property p;
        for (const ColumnDef& c : licenses.table()->columns) p.values.insert(c.name, licenses.text(c.name));
        p.facts.hotelId = licenses.text(QStringLiteral("HotelID"));
        p.facts.hotelName = licenses.text(QStringLiteral("HotelName"));
        p.facts.rooms = int(licenses.integer(QStringLiteral("HotelRooms")));
        p.facts.index = properties.size() + 1;
        properties << p;
    }
    licenses.close();
    log << QStringLiteral("%1: demo users, properties and lookup lists").arg(s.centralDatabase);

    Connection corporate(QStringLiteral("demo"), Database::Corporate, s);
    insertRows(corporate, rows.value(QStringLiteral("Corporate")).toObject(), now, {});
    {
        // Thirty days of statistics up to today, and the coming week's figures.
        TableObject daily(QStringLiteral("TRealRevenue"), QStringLiteral("TRealRevenue"), &corporate);
        TableObject week(QStringLiteral("TProperty_Revenue"), QStringLiteral("TProperty_Revenue"), &corporate);
        daily.open();
        week.open();
        for (const Property& p : properties) {
            for (int d = -30; d <= 0; ++d) {
                QVariantMap row = dailyStatisticsRow(p.facts, now.date().addDays(d), now);
                for (const char* copy : {"Region", "HotelCity", "HotelState", "HotelFax", "ExpediaID", "Threshold"})
                    row[QLatin1String(copy)] = p.values.value(QLatin1String(copy));
                row[QStringLiteral("HotelAddress")] = QString(p.values.value(QStringLiteral("HotelAddress1")).toString() +
                                                              QStringLiteral(" - ") +
                                                              p.values.value(QStringLiteral("HotelAddress2")).toString());
                row[QStringLiteral("HotelTel")] = p.values.value(QStringLiteral("HotelPhone"));
                row[QStringLiteral("HotelWeb")] = p.values.value(QStringLiteral("HotelWebpage"));
                insertMap(daily, row);
            }
            for (int d = -30; d <= 6; ++d) insertMap(week, propertyRevenueRow(p.facts, now.date().addDays(d)));
        }
        daily.close();
        week.close();
    }
    log << QStringLiteral("%1: demo statistics, tasks, notifications and competitive sets").arg(s.corporateDatabase);

    const QJsonObject propertyRows = rows.value(QStringLiteral("Property")).toObject();
    for (const Property& p : properties) {
        log << ensureDatabase(s, Database::Property, p.values.value(QStringLiteral("ServerDatabase")).toString());
        Connection hotel(QStringLiteral("demo"), Database::Property, s);
        hotel.setServer(s.host);
        hotel.setUserName(s.centralUser);
        hotel.setPassword(s.centralPassword);
        hotel.setDatabase(p.values.value(QStringLiteral("ServerDatabase")).toString());
        insertRows(hotel, propertyRows, now, p.values);
        log << QStringLiteral("%1: demo rows of %2").arg(hotel.database(), p.facts.hotelId);
    }
    return log;
}

}  // namespace tavolin::admin
