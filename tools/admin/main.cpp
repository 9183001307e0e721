#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTextStream>
#include <iostream>

#include "admin/Admin.h"
#include "data/DbError.h"
#include "data/Settings.h"

using namespace tavolin;

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("tavolin-admin"));
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Sets up Tavolin's databases.\n"
        "  init        create the missing databases, tables, columns and indexes (never drops or changes)\n"
        "  demo        create the databases and fill a small demo company into them\n"
        "  tables      list every table and column: database, table, column, kind\n"
        "  configure   write the deployment settings file (see --engine and the server options)"));
    parser.addHelpOption();
    parser.addPositionalArgument(QStringLiteral("command"), QStringLiteral("init, demo, tables or configure"));
    QCommandLineOption config(QStringLiteral("config"), QStringLiteral("Settings file to use (default: the one Tavolin finds)."),
                              QStringLiteral("file"));
    QCommandLineOption property(QStringLiteral("property-database"), QStringLiteral("init: also create this property database."),
                                QStringLiteral("name"));
    QCommandLineOption engine(QStringLiteral("engine"), QStringLiteral("configure: sqlite or mariadb."), QStringLiteral("engine"));
    QCommandLineOption host(QStringLiteral("host"), QStringLiteral("configure: database server host."), QStringLiteral("host"));
    QCommandLineOption port(QStringLiteral("port"), QStringLiteral("configure: database server port."), QStringLiteral("port"));
    QCommandLineOption user(QStringLiteral("user"), QStringLiteral("configure: account for every database."), QStringLiteral("user"));
    QCommandLineOption password(QStringLiteral("password"), QStringLiteral("configure: that account's password."),
                                QStringLiteral("password"));
    QCommandLineOption dataFolder(QStringLiteral("data-folder"), QStringLiteral("configure: folder of the embedded databases."),
                                  QStringLiteral("folder"));
    QCommandLineOption offlineOk(QStringLiteral("no-internet-check"),
                                 QStringLiteral("configure: treat the workstation as always connected."));
    parser.addOptions({config, property, engine, host, port, user, password, dataFolder, offlineOk});
    parser.process(app);

    QTextStream out(stdout);
    const QStringList args = parser.positionalArguments();
    if (args.size() != 1) parser.showHelp(2);
    const QString command = args.first();
    const QString iniPath = parser.isSet(config) ? parser.value(config) : DeploymentSettings::locate();
    DeploymentSettings settings = iniPath.isEmpty() ? DeploymentSettings::loadDefault() : DeploymentSettings::load(iniPath);

    try {
        if (command == QLatin1String("tables")) {
            admin::printTables(out);
        } else if (command == QLatin1String("init")) {
            for (const QString& line : admin::initDatabases(settings, parser.values(property))) out << line << '\n';
            out << "Databases are ready (" << engineName(settings.engine) << ").\n";
        } else if (command == QLatin1String("demo")) {
            for (const QString& line : admin::loadDemo(settings, QDateTime::currentDateTime())) out << line << '\n';
            out << "Demo company loaded. Log in to property BOSHX as ADMIN with password ADMIN.\n";
        } else if (command == QLatin1String("configure")) {
            const QString target = parser.isSet(config)
                                       ? parser.value(config)
                                       : QDir::homePath() + QStringLiteral("/.config/Tavolin/tavolin.ini");
            if (parser.isSet(engine))
                settings.engine = parser.value(engine).toLower() == QLatin1String("mariadb") ? Engine::MariaDB : Engine::SQLite;
            if (parser.isSet(host)) settings.host = parser.value(host);
            if (parser.isSet(port)) settings.port = parser.value(port).toInt();
            if (parser.isSet(user)) settings.centralUser = settings.corporateUser = parser.value(user);
            if (parser.isSet(password)) settings.centralPassword = settings.corporatePassword = parser.value(password);
            if (parser.isSet(dataFolder)) settings.dataFolder = QDir(parser.value(dataFolder)).absolutePath();
            if (parser.isSet(offlineOk)) settings.internetCheck = false;
            QDir().mkpath(QFileInfo(target).absolutePath());
            settings.save(target);
            out << "Settings written to " << target << '\n';
        } else {
            parser.showHelp(2);
        }
    } catch (const DbError& e) {
        std::cerr << e.text().toStdString() << std::endl;
        return 1;
    } catch (const std::exception& e) {
        std::cerr << e.what() << std::endl;
        return 1;
    }
    return 0;
}
