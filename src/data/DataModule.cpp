#include "data/DataModule.h"

#include <QDir>
#include <QFileInfo>

#include "data/Texts.h"
#include "platform/Services.h"

namespace tavolin {

TDM* DM = nullptr;

TDM::TDM(const DeploymentSettings& settings, QObject* parent) : QObject(parent), settings_(settings) {
    setObjectName(QStringLiteral("DM"));
    HotelConnection = new Connection(QStringLiteral("HotelConnection"), Database::Property, settings_, this);
    TavolinConnection = new Connection(QStringLiteral("TavolinConnection"), Database::Central, settings_, this);
    RealConnection = new Connection(QStringLiteral("RealConnection"), Database::Corporate, settings_, this);

#define TAVOLIN_CREATE_ON(connection)                                                                 \
    [&](const char* name, const char* table) {                                                       \
        auto* t = new TableObject(QLatin1String(name), QLatin1String(table), connection, this);     \
        objects_ << t;                                                                               \
        return t;                                                                                    \
    }
    auto onHotel = TAVOLIN_CREATE_ON(HotelConnection);
    auto onTavolin = TAVOLIN_CREATE_ON(TavolinConnection);
    auto onReal = TAVOLIN_CREATE_ON(RealConnection);
#undef TAVOLIN_CREATE_ON
#define TAVOLIN_HOTEL(object, table) object = onHotel(#object, table);
#define TAVOLIN_CENTRAL(object, table) object = onTavolin(#object, table);
#define TAVOLIN_CORPORATE(object, table) object = onReal(#object, table);
    TAVOLIN_PROPERTY_TABLES(TAVOLIN_HOTEL)
    TAVOLIN_CENTRAL_TABLES(TAVOLIN_CENTRAL)
    TAVOLIN_CORPORATE_TABLES(TAVOLIN_CORPORATE)
#undef TAVOLIN_HOTEL
#undef TAVOLIN_CENTRAL
#undef TAVOLIN_CORPORATE

    QMail = new TableObject(QStringLiteral("QMail"), HotelConnection, this);
    {
        Select stored;
        stored.table = QStringLiteral("TMail");
        stored.where = Filter::eq(QStringLiteral("MailStatus"), QStringLiteral("STORED"));
        stored.order = {Order::asc(QStringLiteral("ReceivedDate"))};
        QMail->setQuery(stored);
    }
    QTask = new TableObject(QStringLiteral("QTask"), RealConnection, this);
    objects_ << QMail << QTask;

    // The revenue grid lists the properties by occupancy, the fullest first.
    TRealRevenue->setOrder({Order::number(QStringLiteral("TodayOcc"), true)});
    connect(TRealRevenue, &TableObject::afterPost, this, &TDM::TRealRevenueAfterPost);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(10000);
    connect(Timer1, &QTimer::timeout, this, &TDM::Timer1Timer);
    Timer1->start();

    DM = this;
}

TDM::~TDM() {
    Timer1->stop();
    for (TableObject* t : objects_) t->close();
    disconnectAll();
    if (DM == this) DM = nullptr;
}

TableObject* TDM::tableObject(const QString& objectName) const {
    for (TableObject* t : objects_)
        if (t->objectName() == objectName) return t;
    return nullptr;
}

void TDM::pointHotelConnection(const QString& server, const QString& user, const QString& password,
                               const QString& database) {
    HotelConnection->disconnect();
    HotelConnection->setServer(server);
    HotelConnection->setUserName(user);
    HotelConnection->setPassword(password);
    HotelConnection->setDatabase(database);
}

void TDM::disconnectAll() {
    HotelConnection->disconnect();
    RealConnection->disconnect();
    TavolinConnection->disconnect();
}

void TDM::Timer1Timer() {
    if (!services().network->isConnected()) return;
    for (Connection* c : {HotelConnection, TavolinConnection, RealConnection})
        if (c->isConnected()) c->ping();
}

QString TDM::soundFileName() {
    return QDir(services().tempFolder).filePath(QStringLiteral("cash-register-05.wav"));
}

QString TDM::soundDownloadPath() { return QStringLiteral("/Downloads/cash-register-05.wav"); }

bool isFullHouse(const QString& todayOcc) {
    if (todayOcc == QLatin1String("0.00")) return false;
    const auto v = parseNumber(todayOcc);
    return v && *v >= 100;
}

void TDM::TRealRevenueAfterPost() {
    Services& s = services();
    const QString file = soundFileName();
    if (!QFileInfo::exists(file)) s.downloader->download(s.downloadSite + soundDownloadPath(), file);
    if (isFullHouse(TRealRevenue->text(QStringLiteral("TodayOcc"))) && QFileInfo::exists(file)) s.sound->play(file);
}

}  // namespace tavolin
