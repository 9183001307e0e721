#include "data/Settings.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace tavolin {

QString DeploymentSettings::defaultDataFolder() {
    QString base = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (base.isEmpty()) base = QDir::homePath() + QStringLiteral("/.local/share");
    return base + QStringLiteral("/Tavolin");
}

QString DeploymentSettings::locate() {
    QStringList candidates;
    if (QCoreApplication::instance())
        candidates << QCoreApplication::applicationDirPath() + QStringLiteral("/tavolin.ini");
    QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    if (config.isEmpty()) config = QDir::homePath() + QStringLiteral("/.config");
    candidates << config + QStringLiteral("/Tavolin/tavolin.ini");
    for (const QString& c : candidates)
        if (QFileInfo::exists(c)) return c;
    return {};
}

QString DeploymentSettings::encodePassword(const QString& plain) {
    return QString::fromLatin1(plain.toUtf8().toBase64());
}

QString DeploymentSettings::decodePassword(const QString& encoded) {
    return QString::fromUtf8(QByteArray::fromBase64(encoded.toLatin1()));
}

DeploymentSettings DeploymentSettings::load(const QString& iniPath) {
    DeploymentSettings s;
    s.source = iniPath;
    QSettings ini(iniPath, QSettings::IniFormat);
    auto text = [&](const char* key, const QString& def) { return ini.value(QLatin1String(key), def).toString(); };
    const QString engine = text("Database/Engine", QStringLiteral("sqlite")).toLower();
    s.engine = engine == QLatin1String("mariadb") || engine == QLatin1String("mysql") ? Engine::MariaDB : Engine::SQLite;
    s.dataFolder = text("Database/DataFolder", defaultDataFolder());
    if (QDir::isRelativePath(s.dataFolder)) s.dataFolder = QFileInfo(iniPath).absoluteDir().filePath(s.dataFolder);
    s.host = text("Database/Host", s.host);
    s.port = ini.value(QStringLiteral("Database/Port"), s.port).toInt();
    s.connectTimeout = ini.value(QStringLiteral("Database/ConnectTimeout"), 0).toInt();
    s.centralDatabase = text("Database/CentralDatabase", s.centralDatabase);
    s.centralUser = text("Database/CentralUser", s.centralUser);
    s.centralPassword = decodePassword(text("Database/CentralPassword", {}));
    s.corporateDatabase = text("Database/CorporateDatabase", s.corporateDatabase);
    s.corporateUser = text("Database/CorporateUser", s.corporateUser);
    s.corporatePassword = decodePassword(text("Database/CorporatePassword", {}));
    s.propertyUser = text("Database/PropertyUser", {});
    s.propertyPassword = decodePassword(text("Database/PropertyPassword", {}));
    s.downloadSite = text("Services/DownloadSite", s.downloadSite);
    s.webSite = text("Services/WebSite", s.webSite);
    s.tempFolder = text("Services/TempFolder", QDir::tempPath());
    s.internetCheck = ini.value(QStringLiteral("Services/InternetCheck"), true).toBool();
    s.verifyCertificates = ini.value(QStringLiteral("Services/VerifyCertificates"), false).toBool();
    return s;
}

DeploymentSettings DeploymentSettings::loadDefault() {
    const QString path = locate();
    if (!path.isEmpty()) return load(path);
    DeploymentSettings s;
    s.dataFolder = defaultDataFolder();
    s.tempFolder = QDir::tempPath();
    return s;
}

void DeploymentSettings::save(const QString& iniPath) const {
    QSettings ini(iniPath, QSettings::IniFormat);
    ini.setValue(QStringLiteral("Database/Engine"), engine == Engine::MariaDB ? QStringLiteral("mariadb") : QStringLiteral("sqlite"));
    ini.setValue(QStringLiteral("Database/DataFolder"), dataFolder);
    ini.setValue(QStringLiteral("Database/Host"), host);
    ini.setValue(QStringLiteral("Database/Port"), port);
    ini.setValue(QStringLiteral("Database/ConnectTimeout"), connectTimeout);
    ini.setValue(QStringLiteral("Database/CentralDatabase"), centralDatabase);
    ini.setValue(QStringLiteral("Database/CentralUser"), centralUser);
    ini.setValue(QStringLiteral("Database/CentralPassword"), encodePassword(centralPassword));
    ini.setValue(QStringLiteral("Database/CorporateDatabase"), corporateDatabase);
    ini.setValue(QStringLiteral("Database/CorporateUser"), corporateUser);
    ini.setValue(QStringLiteral("Database/CorporatePassword"), encodePassword(corporatePassword));
    ini.setValue(QStringLiteral("Database/PropertyUser"), propertyUser);
    ini.setValue(QStringLiteral("Database/PropertyPassword"), encodePassword(propertyPassword));
    ini.setValue(QStringLiteral("Services/DownloadSite"), downloadSite);
    ini.setValue(QStringLiteral("Services/WebSite"), webSite);
    ini.setValue(QStringLiteral("Services/TempFolder"), tempFolder);
    ini.setValue(QStringLiteral("Services/InternetCheck"), internetCheck);
    ini.setValue(QStringLiteral("Services/VerifyCertificates"), verifyCertificates);
    ini.sync();
}

}  // namespace tavolin
