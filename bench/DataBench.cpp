// The data module against the same statements run bare through QtSql, on a corporate database of
// company size: 1,000 properties with ten years of daily statistics.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <iostream>
#include <map>

#include "admin/DemoData.h"
#include "data/DataModule.h"
#include "data/Schema.h"
#include "data/Texts.h"
#include "platform/MachineServices.h"

using namespace tavolin;

namespace {

constexpr int Properties = 1000;
constexpr int Days = 3650;
const QDate LastDay(2026, 12, 11);

QString hotelId(int i) { return QStringLiteral("H%1").arg(i, 4, 10, QLatin1Char('0')); }

struct EngineSetup {
    Engine engine;
    DeploymentSettings settings;
    QString bareName;
};

QSqlDatabase bareDatabase(const EngineSetup& e) {
    if (QSqlDatabase::contains(e.bareName)) return QSqlDatabase::database(e.bareName);
    QSqlDatabase db;
    if (e.engine == Engine::SQLite) {
        db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), e.bareName);
        db.setDatabaseName(QDir(e.settings.dataFolder).filePath(e.settings.corporateDatabase + QStringLiteral(".sqlite")));
    } else {
        db = QSqlDatabase::addDatabase(QStringLiteral("QMYSQL"), e.bareName);
        db.setHostName(e.settings.host);
        db.setPort(e.settings.port);
        db.setUserName(e.settings.corporateUser);
        db.setPassword(e.settings.corporatePassword);
        db.setDatabaseName(e.settings.corporateDatabase);
    }
    if (!db.open()) throw std::runtime_error(db.lastError().text().toStdString());
    if (e.engine == Engine::SQLite) {
        QSqlQuery q(db);
        q.exec(QStringLiteral("PRAGMA journal_mode=WAL"));
        q.exec(QStringLiteral("PRAGMA synchronous=FULL"));
    }
    return db;
}

void exec(QSqlQuery& q) {
    if (!q.exec()) throw std::runtime_error(q.lastError().text().toStdString());
}

// Fills the corporate database once; later runs find it loaded.
void load(const EngineSetup& e) {
    if (!Schema::databaseExists(e.settings, e.settings.corporateDatabase))
        Schema::createDatabase(e.settings, Database::Corporate, e.settings.corporateDatabase);
    {
        Connection c(QStringLiteral("load"), Database::Corporate, e.settings);
        c.setCreateIfMissing(true);
        Schema::ensureTables(c);
    }
    QSqlDatabase db = bareDatabase(e);
    QSqlQuery count(db);
    count.exec(QStringLiteral("SELECT COUNT(*) FROM TRealRevenue"));
    count.next();
    const qint64 have = count.value(0).toLongLong();
    count.finish();
    if (have >= qint64(Properties) * Days) return;
    if (have > 0) throw std::runtime_error("the benchmark database is partly loaded; remove it and run again");

    std::cerr << "Loading " << Properties << " properties x " << Days << " days into " << engineName(e.engine).toStdString()
              << "..." << std::endl;
    QElapsedTimer timer;
    timer.start();
    const QDateTime now(LastDay, QTime(10, 0));
    const Dialect& d = Dialect::of(e.engine);
    for (const char* table : {"TRealRevenue", "TProperty_Revenue"}) {
        const TableDef& def = *Catalogue::instance().table(Database::Corporate, QLatin1String(table));
        const bool daily = def.name == QLatin1String("TRealRevenue");
        QStringList cols;
        for (size_t i = 1; i < def.columns.size(); ++i) cols << def.columns[i].name;
        const int batch = 200;
        QStringList quotedCols;
        for (const QString& c : cols) quotedCols << d.quote(c);
        const QString one = QLatin1Char('(') + QStringList(cols.size(), QStringLiteral("?")).join(u',') + QLatin1Char(')');
        const QString sql = QStringLiteral("INSERT INTO %1 (%2) VALUES ").arg(d.quote(def.name), quotedCols.join(u',')) +
                            QStringList(batch, one).join(u',');
        QSqlQuery insert(db);
        if (!insert.prepare(sql)) throw std::runtime_error(insert.lastError().text().toStdString());
        QVariantList values;
        int rows = 0;
        db.transaction();
        for (int day = Days - 1; day >= 0; --day) {
            const QDate date = LastDay.addDays(-day);
            for (int p = 1; p <= Properties; ++p) {
                admin::PropertyFacts facts{hotelId(p), QStringLiteral("Hotel %1").arg(p), 80 + (p * 37) % 420, p};
                QVariantMap row = daily ? admin::dailyStatisticsRow(facts, date, now) : admin::propertyRevenueRow(facts, date);
                if (daily) {
                    row[QStringLiteral("Region")] = QStringLiteral("Region %1").arg(p % 12);
                    row[QStringLiteral("ExpediaID")] = QString::number(1000000 + p);
                    row[QStringLiteral("Threshold")] = 70;
                }
                for (const QString& c : cols) {
                    const ColumnDef* col = def.column(c);
                    QVariant v = row.value(c);
                    if (v.isValid() && col->type == ColumnType::Text) v = v.toString();
                    values << v;
                }
                if (++rows == batch) {
                    for (int i = 0; i < values.size(); ++i) insert.bindValue(i, values[i]);
                    exec(insert);
                    values.clear();
                    rows = 0;
                }
            }
            if (day % 100 == 0) {
                db.commit();
                db.transaction();
            }
        }
        db.commit();
        if (rows > 0) throw std::runtime_error("rows left over");
    }
    std::cerr << "Loaded in " << timer.elapsed() / 1000 << " s" << std::endl;
}

QString dayText() { return dateText(LastDay.addDays(-17)); }

// The dashboard's day: a thousand rows, fullest first.
void dayThroughDataModule(benchmark::State& state, TDM* dm) {
    Select s;
    s.table = QStringLiteral("TRealRevenue");
    s.where = Filter::eq(QStringLiteral("BusinessDate"), dayText());
    s.order = {Order::number(QStringLiteral("TodayOcc"), true)};
    TableObject grid(QStringLiteral("TRealRevenue"), QStringLiteral("TRealRevenue"), dm->RealConnection);
    for (auto _ : state) {
        grid.setQuery(s);
        grid.open();
        int rows = 0;
        for (grid.first(); !grid.eof(); grid.next()) ++rows;
        if (rows != Properties) state.SkipWithError("wrong row count");
        benchmark::DoNotOptimize(grid.text(QStringLiteral("TodayOcc")));
        grid.close();
    }
}

void dayBare(benchmark::State& state, const EngineSetup* e) {
    QSqlDatabase db = bareDatabase(*e);
    QSqlQuery q(db);
    q.setForwardOnly(true);
    q.prepare(e->engine == Engine::SQLite
                  ? QStringLiteral("SELECT * FROM TRealRevenue WHERE BusinessDate = ? ORDER BY CAST(TodayOcc AS REAL) DESC")
                  : QStringLiteral("SELECT * FROM TRealRevenue WHERE BusinessDate = ? ORDER BY TodayOcc + 0 DESC"));
    const int columns = int(Catalogue::instance().table(Database::Corporate, QStringLiteral("TRealRevenue"))->columns.size());
    for (auto _ : state) {
        q.bindValue(0, dayText());
        exec(q);
        int rows = 0;
        while (q.next()) {
            for (int i = 0; i < columns; ++i) benchmark::DoNotOptimize(q.value(i));
            ++rows;
        }
        q.finish();
        if (rows != Properties) state.SkipWithError("wrong row count");
    }
}

// One property's day, as the update windows read it.
void rowThroughDataModule(benchmark::State& state, TDM* dm) {
    int p = 0;
    for (auto _ : state) {
        p = p % Properties + 1;
        dm->TRealRevenue->filterBy(Filter::eq(QStringLiteral("BusinessDate"), dayText()) &&
                                   Filter::eq(QStringLiteral("HotelCode"), hotelId(p)));
        dm->TRealRevenue->open();
        if (dm->TRealRevenue->recordCount() != 1) state.SkipWithError("wrong row count");
        benchmark::DoNotOptimize(dm->TRealRevenue->text(QStringLiteral("TodaySold")));
        dm->TRealRevenue->close();
    }
}

void rowBare(benchmark::State& state, const EngineSetup* e) {
    QSqlDatabase db = bareDatabase(*e);
    QSqlQuery q(db);
    q.setForwardOnly(true);
    q.prepare(QStringLiteral("SELECT * FROM TRealRevenue WHERE BusinessDate = ? AND HotelCode = ?"));
    const int columns = int(Catalogue::instance().table(Database::Corporate, QStringLiteral("TRealRevenue"))->columns.size());
    int p = 0;
    for (auto _ : state) {
        p = p % Properties + 1;
        q.bindValue(0, dayText());
        q.bindValue(1, hotelId(p));
        exec(q);
        int rows = 0;
        while (q.next()) {
            for (int i = 0; i < columns; ++i) benchmark::DoNotOptimize(q.value(i));
            ++rows;
        }
        q.finish();
        if (rows != 1) state.SkipWithError("wrong row count");
    }
}

// One post of an edited row (what an update window's Save does to the day's row).
void postThroughDataModule(benchmark::State& state, TDM* dm) {
    dm->TRealRevenue->filterBy(Filter::eq(QStringLiteral("BusinessDate"), dayText()) &&
                               Filter::eq(QStringLiteral("HotelCode"), hotelId(7)));
    dm->TRealRevenue->open();
    int sold = 0;
    for (auto _ : state) {
        sold = (sold + 1) % 50;
        dm->TRealRevenue->edit();
        dm->TRealRevenue->set(QStringLiteral("TodaySold"), QString::number(sold));
        dm->TRealRevenue->set(QStringLiteral("TodayOcc"), twoDecimals(sold));
        dm->TRealRevenue->post();
    }
    dm->TRealRevenue->close();
}

void postBare(benchmark::State& state, const EngineSetup* e) {
    QSqlDatabase db = bareDatabase(*e);
    QSqlQuery find(db);
    find.exec(QStringLiteral("SELECT ID FROM TRealRevenue WHERE BusinessDate = '%1' AND HotelCode = '%2'").arg(dayText(), hotelId(8)));
    find.next();
    const QVariant id = find.value(0);
    find.finish();
    QSqlQuery q(db);
    q.prepare(QStringLiteral("UPDATE TRealRevenue SET TodaySold = ?, TodayOcc = ? WHERE ID = ?"));
    int sold = 0;
    for (auto _ : state) {
        sold = (sold + 1) % 50;
        q.bindValue(0, QString::number(sold));
        q.bindValue(1, twoDecimals(sold));
        q.bindValue(2, id);
        exec(q);
        q.finish();
    }
}

// Prints each data-module figure beside its bare twin.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& r : runs)
            if (r.run_type == Run::RT_Iteration) times_[r.benchmark_name()] = r.GetAdjustedRealTime();
    }
    void Finalize() override {
        ConsoleReporter::Finalize();
        std::cout << "\nData module / bare QtSql (real time):\n";
        for (const auto& [name, t] : times_) {
            const auto at = name.find("/DataModule");
            if (at == std::string::npos) continue;
            const std::string bare = name.substr(0, at) + "/Bare";
            if (times_.count(bare)) std::cout << "  " << name.substr(0, at) << ": " << t / times_[bare] << "x\n";
        }
    }

private:
    std::map<std::string, double> times_;
};

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);

    const QString folder = qEnvironmentVariable("TAVOLIN_BENCH_DATA", QDir::currentPath() + QStringLiteral("/bench-data"));
    QDir().mkpath(folder);
    QTemporaryDir temp;
    QFile sound(QDir(temp.path()).filePath(QStringLiteral("cash-register-05.wav")));
    sound.open(QIODevice::WriteOnly);
    sound.close();

    std::vector<EngineSetup> engines;
    EngineSetup sqlite{Engine::SQLite, {}, QStringLiteral("bare-sqlite")};
    sqlite.settings.dataFolder = folder;
    sqlite.settings.corporateDatabase = QStringLiteral("BenchCorp");
    engines.push_back(sqlite);
    const QString server = qEnvironmentVariable("TAVOLIN_BENCH_MARIADB");
    if (!server.isEmpty()) {
        EngineSetup maria{Engine::MariaDB, {}, QStringLiteral("bare-mariadb")};
        maria.settings.engine = Engine::MariaDB;
        maria.settings.host = server.section(u':', 0, 0);
        maria.settings.port = server.section(u':', 1, 1).toInt();
        maria.settings.centralUser = maria.settings.corporateUser = QStringLiteral("root");
        maria.settings.corporateDatabase = QStringLiteral("BenchCorp");
        engines.push_back(maria);
    }

    Services services;
    installMachineServices(services, engines.front().settings);
    services.tempFolder = temp.path();
    Services::install(&services);

    std::vector<std::unique_ptr<TDM>> modules;
    std::vector<std::unique_ptr<EngineSetup>> setups;
    for (const EngineSetup& e : engines) {
        try {
            load(e);
        } catch (const std::exception& ex) {
            std::cerr << engineName(e.engine).toStdString() << ": " << ex.what() << std::endl;
            return 1;
        }
        setups.push_back(std::make_unique<EngineSetup>(e));
        modules.push_back(std::make_unique<TDM>(e.settings));
        const std::string n = engineName(e.engine).toStdString();
        TDM* dm = modules.back().get();
        const EngineSetup* es = setups.back().get();
        benchmark::RegisterBenchmark((n + "/Day/DataModule").c_str(), dayThroughDataModule, dm)->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark((n + "/Day/Bare").c_str(), dayBare, es)->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark((n + "/Row/DataModule").c_str(), rowThroughDataModule, dm)->Unit(benchmark::kMicrosecond);
        benchmark::RegisterBenchmark((n + "/Row/Bare").c_str(), rowBare, es)->Unit(benchmark::kMicrosecond);
        benchmark::RegisterBenchmark((n + "/Post/DataModule").c_str(), postThroughDataModule, dm)->Unit(benchmark::kMicrosecond);
        benchmark::RegisterBenchmark((n + "/Post/Bare").c_str(), postBare, es)->Unit(benchmark::kMicrosecond);
    }
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    modules.clear();
    Services::install(nullptr);
    return 0;
}
