#pragma once

#include <QString>

#include "data/Dialect.h"

namespace tavolin {

// The deployment settings: the program's only configuration outside the databases. Read from
// "tavolin.ini" beside the program or in the user's configuration folder; without one the program
// runs on embedded databases in the user's data folder.
struct DeploymentSettings {
    Engine engine = Engine::SQLite;
    QString dataFolder;  // embedded databases: one file per database

    // Database server (all three connections reach the same host).
    QString host = QStringLiteral("127.0.0.1");
    int port = 3306;
    int connectTimeout = 0;  // seconds; 0 waits as long as the operating system does

    QString centralDatabase = QStringLiteral("Tavolin");
    QString centralUser = QStringLiteral("Tavolin");
    QString centralPassword;
    QString corporateDatabase = QStringLiteral("QuenbyCorp");
    QString corporateUser = QStringLiteral("QuenbyCorp");
    QString corporatePassword;
    // Property databases take their account from the property's record; a deployment may override it.
    QString propertyUser;
    QString propertyPassword;

    QString downloadSite = QStringLiteral("https://downloads.tavolin.example");
    QString webSite = QStringLiteral("https://www.tavolin.example");
    QString tempFolder;   // downloaded sound and templates
    bool internetCheck = true;
    // Mail and web servers' certificates are checked only when a deployment asks for it.
    bool verifyCertificates = false;

    // Where the settings were read from (empty: built-in defaults).
    QString source;

    static QString defaultDataFolder();
    // The first "tavolin.ini" found beside the program or in the configuration folder.
    static QString locate();
    static DeploymentSettings load(const QString& iniPath);
    static DeploymentSettings loadDefault();
    void save(const QString& iniPath) const;

    // Passwords are kept in the file in encoded form.
    static QString encodePassword(const QString& plain);
    static QString decodePassword(const QString& encoded);
};

}  // namespace tavolin
