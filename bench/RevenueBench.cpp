// The revenue dashboard at company scale: 1,000 properties of one company with ten years of daily
// statistics. The first opening of a day creates the day's thousand rows; every later opening of the
// same day only reads them; a seven-day save (without its e-mail) writes one row and seven days.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <iostream>

#include "admin/DemoData.h"
#include "app/LoginState.h"
#include "data/DataModule.h"
#include "data/Schema.h"
#include "data/Texts.h"
#include "platform/MachineServices.h"
#include "revenue/fReal_Revenue.h"
#include "revenue/fReal_Revenue_Update.h"

using namespace tavolin;

namespace {

constexpr int Properties = 1000;
const QDate LastDay(2026, 12, 11);
// Days of history; TAVOLIN_BENCH_DAYS makes a smaller database for a quick run.
int days() {
    return qEnvironmentVariableIntValue("TAVOLIN_BENCH_DAYS") > 0
               ? qEnvironmentVariableIntValue("TAVOLIN_BENCH_DAYS")
               : 3650;
}

QString hotelId(int i) {
    return QStringLiteral("H%1").arg(i, 4, 10, QLatin1Char('0'));
}

// The clock the dashboard reads: the benchmark moves it from day to day.
class BenchClock final : public Clock {
public:
    QDateTime now() const override { return now_; }
    QDateTime now_{LastDay, QTime(9, 0)};
};

class Online final : public Network {
public:
    bool isConnected() const override { return true; }
};

struct EngineSetup {
    Engine engine;
    DeploymentSettings settings;
};

void run(Connection& c, const QString& sql, const QVariantList& binds = {}) {
    c.run({sql, binds}).finish();
}

// Many rows in one statement per batch, inside one transaction: only the loading does this.
void insertRows(Connection& c, const TableDef& def, const QList<QVariantMap>& rows) {
    const Dialect& d = c.dialect();
    QStringList cols;
    QStringList quotedCols;
    for (size_t i = 1; i < def.columns.size(); ++i) {
        cols << def.columns[i].name;
        quotedCols << d.quote(def.columns[i].name);
    }
    const QString one =
        QLatin1Char('(') + QStringList(cols.size(), QStringLiteral("?")).join(u',') + QLatin1Char(')');
    QVariantList values;
    int n = 0;
    auto flush = [&] {
        if (n == 0)
            return;
        run(c,
            QStringLiteral("INSERT INTO %1 (%2) VALUES ").arg(d.quote(def.name), quotedCols.join(u',')) +
                QStringList(n, one).join(u','),
            values);
        values.clear();
        n = 0;
    };
    for (const QVariantMap& row : rows) {
        for (const QString& col : cols) {
            const ColumnType type = def.column(col)->type;
            QVariant v = row.value(col);
            if (v.isValid() && type == ColumnType::Text)
                v = v.toString();
            values << (v.isValid() ? d.toStored(type, v) : QVariant());
        }
        if (++n == 100)
            flush();
    }
    flush();
}

// Fills the central and corporate databases once; later runs find them loaded.
void load(const EngineSetup& e) {
    for (const auto& [kind, name] : {std::pair(Database::Central, e.settings.centralDatabase),
                                     std::pair(Database::Corporate, e.settings.corporateDatabase)}) {
        if (!Schema::databaseExists(e.settings, name))
            Schema::createDatabase(e.settings, kind, name);
        Connection c(QStringLiteral("load"), kind, e.settings);
        c.setCreateIfMissing(true);
        Schema::ensureTables(c);
    }
    Connection central(QStringLiteral("central"), Database::Central, e.settings);
    Connection corporate(QStringLiteral("corporate"), Database::Corporate, e.settings);
    QSqlQuery& count = corporate.run(
        {QStringLiteral("SELECT COUNT(*) FROM TRealRevenue WHERE BusinessDate <> ?"), {QStringLiteral("x")}});
    count.next();
    const qint64 have = count.value(0).toLongLong();
    count.finish();
    if (have >= qint64(Properties) * days())
        return;
    if (have > 0)
        throw std::runtime_error("the benchmark database is partly loaded; remove it and run again");

    std::cerr << "Loading " << Properties << " properties x " << days() << " days into "
              << engineName(e.engine).toStdString() << "..." << std::endl;
    QElapsedTimer timer;
    timer.start();
    QList<QVariantMap> licenses;
    for (int p = 1; p <= Properties; ++p)
        licenses << QVariantMap{
            {QStringLiteral("HotelID"), hotelId(p)},
            {QStringLiteral("HotelName"), QStringLiteral("Hotel %1").arg(p)},
            {QStringLiteral("Status"), QStringLiteral("Active")},
            {QStringLiteral("HotelEntry"), QStringLiteral("YES")},
            {QStringLiteral("ManagementCompanyID"), QStringLiteral("QHG")},
            {QStringLiteral("HotelRooms"), QString::number(80 + (p * 37) % 420)},
            {QStringLiteral("HotelAddress1"), QStringLiteral("%1 Main Street").arg(p)},
            {QStringLiteral("HotelPhone"), QStringLiteral("555-%1").arg(p, 4, 10, QLatin1Char('0'))},
            {QStringLiteral("HotelPicSnapshot"), QByteArray(2048, 'p')},
            {QStringLiteral("Threshold"), QStringLiteral("90")}};
    central.execute(e.engine == Engine::SQLite ? QStringLiteral("BEGIN")
                                               : QStringLiteral("START TRANSACTION"));
    insertRows(central, *Catalogue::instance().table(Database::Central, QStringLiteral("TLicenses")),
               licenses);
    central.execute(QStringLiteral("COMMIT"));

    const QDateTime now(LastDay, QTime(10, 0));
    for (const char* table : {"TRealRevenue", "TProperty_Revenue"}) {
        const TableDef& def = *Catalogue::instance().table(Database::Corporate, QLatin1String(table));
        const bool daily = def.name == QLatin1String("TRealRevenue");
        for (int day = days() - 1; day >= 0; --day) {
            if (day % 100 == days() % 100 || day == days() - 1)
                corporate.execute(e.engine == Engine::SQLite ? QStringLiteral("BEGIN")
                                                             : QStringLiteral("START TRANSACTION"));
            const QDate date = LastDay.addDays(-day);
            QList<QVariantMap> rows;
            for (int p = 1; p <= Properties; ++p) {
                admin::PropertyFacts facts{hotelId(p), QStringLiteral("Hotel %1").arg(p), 80 + (p * 37) % 420,
                                           p};
                rows << (daily ? admin::dailyStatisticsRow(facts, date, now)
                               : admin::propertyRevenueRow(facts, date));
            }
            insertRows(corporate, def, rows);
            if (day % 100 == 0)
                corporate.execute(QStringLiteral("COMMIT"));
        }
    }
    std::cerr << "Loaded in " << timer.elapsed() / 1000 << " s" << std::endl;
}

// Rows this benchmark created (the days after the loaded history) are removed again.
void removeCreatedDays(const EngineSetup& e, int created) {
    Connection c(QStringLiteral("cleanup"), Database::Corporate, e.settings);
    for (int d = 1; d <= created; ++d) {
        const QString day = dateText(LastDay.addDays(d));
        run(c, QStringLiteral("DELETE FROM TRealRevenue WHERE BusinessDate = ?"), {day});
        run(c, QStringLiteral("DELETE FROM TProperty_Revenue WHERE BusinessDate = ?"), {day});
        run(c, QStringLiteral("DELETE FROM TRealRevenue_RateChange WHERE BusinessDate = ?"), {day});
    }
}

struct Bench {
    TDM* dm;
    BenchClock* clock;
    int* newDays;  // days created so far after the history
};

// A day nobody opened yet: the dashboard creates its thousand rows.
void firstOpening(benchmark::State& state, Bench b) {
    for (auto _ : state) {
        b.clock->now_ = QDateTime(LastDay.addDays(++*b.newDays), QTime(7, 0));
        auto dashboard = std::make_unique<Tf_Real_Revenue>(*b.dm);
        dashboard->loadToday(nullptr);
        if (dashboard->dm().TRealRevenue->recordCount() != Properties)
            state.SkipWithError("wrong row count");
    }
}

// The same day again, as every later opening of the day finds it.
void laterOpening(benchmark::State& state, Bench b) {
    b.clock->now_ = QDateTime(LastDay.addDays(*b.newDays), QTime(9, 0));
    for (auto _ : state) {
        auto dashboard = std::make_unique<Tf_Real_Revenue>(*b.dm);
        dashboard->loadToday(nullptr);
        if (dashboard->dm().TRealRevenue->recordCount() != Properties)
            state.SkipWithError("wrong row count");
    }
}

// The grid query alone, the bulk of a later opening.
void gridQuery(benchmark::State& state, Bench b) {
    b.clock->now_ = QDateTime(LastDay.addDays(*b.newDays), QTime(9, 0));
    Tf_Real_Revenue dashboard(*b.dm);
    dashboard.loadToday(nullptr);
    for (auto _ : state) {
        dashboard.UpdateGrid();
        benchmark::DoNotOptimize(b.dm->TRealRevenue->recordCount());
    }
}

// Save of a loaded seven-day window, e-mail box unticked.
void sevenDaySave(benchmark::State& state, Bench b) {
    b.clock->now_ = QDateTime(LastDay.addDays(*b.newDays), QTime(10, 0));
    Tf_Real_Revenue dashboard(*b.dm);
    dashboard.loadToday(nullptr);
    int sold = 0;
    for (auto _ : state) {
        state.PauseTiming();
        TableObject* t = b.dm->TRealRevenue;
        t->setRecNo(sold % Properties);
        Tf_Real_Revenue_Update window(dashboard, true);
        window.loadWeek();
        window.CBEmail->setChecked(false);
        window.ESold[0]->setText(QString::number(++sold % 60));
        state.ResumeTiming();
        window.SBSaveClick();
    }
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);

    const QString folder = qEnvironmentVariable("TAVOLIN_BENCH_DATA",
                                                QDir::currentPath() + QStringLiteral("/revenue-bench-data"));
    QDir().mkpath(folder);
    QTemporaryDir temp;
    QFile sound(QDir(temp.path()).filePath(QStringLiteral("cash-register-05.wav")));
    sound.open(QIODevice::WriteOnly);
    sound.close();

    std::vector<EngineSetup> engines;
    EngineSetup sqlite{Engine::SQLite, {}};
    sqlite.settings.dataFolder = folder;
    sqlite.settings.centralDatabase = QStringLiteral("RevenueBenchCentral");
    sqlite.settings.corporateDatabase = QStringLiteral("RevenueBenchCorp");
    engines.push_back(sqlite);
    const QString server = qEnvironmentVariable("TAVOLIN_BENCH_MARIADB");
    if (!server.isEmpty()) {
        EngineSetup maria{Engine::MariaDB, {}};
        maria.settings.engine = Engine::MariaDB;
        maria.settings.host = server.section(u':', 0, 0);
        maria.settings.port = server.section(u':', 1, 1).toInt();
        maria.settings.centralUser = maria.settings.corporateUser = QStringLiteral("root");
        maria.settings.centralDatabase = QStringLiteral("RevenueBenchCentral");
        maria.settings.corporateDatabase = QStringLiteral("RevenueBenchCorp");
        engines.push_back(maria);
    }

    Services services;
    installMachineServices(services, engines.front().settings);
    auto* clock = new BenchClock;
    services.clock.reset(clock);
    services.network = std::make_unique<Online>();
    services.tempFolder = temp.path();
    Services::install(&services);
    login().UserManagementCompanyID = QStringLiteral("QHG");

    std::vector<std::unique_ptr<TDM>> modules;
    std::vector<int> created(engines.size(), 0);
    for (size_t i = 0; i < engines.size(); ++i) {
        const EngineSetup& e = engines[i];
        try {
            load(e);
            removeCreatedDays(e, 400);  // left over from an interrupted run
        } catch (const std::exception& ex) {
            std::cerr << engineName(e.engine).toStdString() << ": " << ex.what() << std::endl;
            return 1;
        }
        modules.push_back(std::make_unique<TDM>(e.settings));
        const Bench b{modules.back().get(), clock, &created[i]};
        const std::string n = engineName(e.engine).toStdString();
        benchmark::RegisterBenchmark((n + "/Dashboard/FirstOpeningOfTheDay").c_str(), firstOpening, b)
            ->Unit(benchmark::kMillisecond)
            ->Iterations(5);
        benchmark::RegisterBenchmark((n + "/Dashboard/LaterOpening").c_str(), laterOpening, b)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark((n + "/Dashboard/GridQuery").c_str(), gridQuery, b)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark((n + "/SevenDay/SaveWithoutMail").c_str(), sevenDaySave, b)
            ->Unit(benchmark::kMillisecond);
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    for (size_t i = 0; i < engines.size(); ++i) removeCreatedDays(engines[i], created[i]);
    modules.clear();
    Services::install(nullptr);
    return 0;
}
