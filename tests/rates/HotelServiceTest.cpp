#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>
#include <QTcpServer>
#include <gtest/gtest.h>

#include "HotelServiceStandIn.h"
#include "rates/HotelService.h"

using namespace tavolin;
using namespace tavolin::test;

namespace {

const QString AvailPrefix = QStringLiteral(
    "https://svc.example/ean-services/rs/hotel/v3/avail?cid=55505&minorRev=28&apiKey=kq7mzt2wpa9vhx3nd5rbeu8c"
    "&locale=en_US&currencyCode=USD&xml=%3CHotelRoomAvailabilityRequest%3E%0A");

// The error a call or a read raised; fails the test when there was none.
template <typename F>
QString errorOf(F&& call) {
    try {
        call();
    } catch (const HotelServiceError& e) {
        return e.text();
    }
    ADD_FAILURE() << "no error was raised";
    return {};
}

QStringList rates(const HotelReply& reply) {
    QStringList out;
    for (const RoomOffer& o : reply.offers) out << o.rateText;
    return out;
}

}  // namespace

TEST(HotelRequest, AvailabilityAddressesAreByteForByte) {
    const QString tail = QStringLiteral(
        "%3CincludeDetails%3Etrue%3C%2FincludeDetails%3E%0A%3CRoomGroup%3E%0A%3CRoom%3E%0A");
    const struct {
        const char* caller;
        AvailabilityRequest request;
        QString expected;
    } cases[] = {
        {"rate download: one adult, no rooms, days without a leading zero",
         {QStringLiteral("1000001"), QDate(2015, 6, 30), QDate(2015, 7, 1), QStringLiteral("1"), {}, false},
         AvailPrefix + QStringLiteral("%3ChotelId%3E1000001%3C%2FhotelId%3E%0A"
                                      "%3CarrivalDate%3E06%2F30%2F2015%3C%2FarrivalDate%3E%0A"
                                      "%3CdepartureDate%3E07%2F1%2F2015%3C%2FdepartureDate%3E%0A") +
             tail +
             QStringLiteral("%3CnumberOfAdults%3E1%3C%2FnumberOfAdults%3E%0A%3C%2FRoom%3E%0A%3C%2FRoomGroup%3E%0A"
                            "%3C%2FHotelRoomAvailabilityRequest%3E")},
        {"rate shop: adults and rooms, departure day with two digits",
         {QStringLiteral("214501"), QDate(2015, 7, 4), QDate(2015, 7, 7), QStringLiteral("2"), QStringLiteral("3"),
          true},
         AvailPrefix + QStringLiteral("%3ChotelId%3E214501%3C%2FhotelId%3E%0A"
                                      "%3CarrivalDate%3E07%2F4%2F2015%3C%2FarrivalDate%3E%0A"
                                      "%3CdepartureDate%3E07%2F07%2F2015%3C%2FdepartureDate%3E%0A") +
             tail +
             QStringLiteral("%3CnumberOfAdults%3E2%3C%2FnumberOfAdults%3E%0A%3CnumberOfRooms%3E3%3C%2FnumberOfRooms%3E%0A"
                            "%3C%2FRoom%3E%0A%3C%2FRoomGroup%3E%0A%3C%2FHotelRoomAvailabilityRequest%3E")},
        {"a typed id cannot break the request",
         {QStringLiteral("12 3&<x>"), QDate(2015, 12, 31), QDate(2016, 1, 1), QStringLiteral("1"), {}, false},
         AvailPrefix + QStringLiteral("%3ChotelId%3E12%203%26%3Cx%3E%3C%2FhotelId%3E%0A"
                                      "%3CarrivalDate%3E12%2F31%2F2015%3C%2FarrivalDate%3E%0A"
                                      "%3CdepartureDate%3E01%2F1%2F2016%3C%2FdepartureDate%3E%0A") +
             tail +
             QStringLiteral("%3CnumberOfAdults%3E1%3C%2FnumberOfAdults%3E%0A%3C%2FRoom%3E%0A%3C%2FRoomGroup%3E%0A"
                            "%3C%2FHotelRoomAvailabilityRequest%3E")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.caller);
        EXPECT_EQ(availabilityRequest(AvailPrefix, c.request).toStdString(), c.expected.toStdString());
    }
}

TEST(HotelRequest, InformationAddressIsByteForByte) {
    const QString prefix = QStringLiteral("https://svc.example/ean-services/rs/hotel/v3/info?cid=1&xml="
                                          "%3CHotelInformationRequest%3E%0A");
    EXPECT_EQ(informationRequest(prefix, QStringLiteral("318202")).toStdString(),
              (prefix + QStringLiteral("%3ChotelId%3E318202%3C%2FhotelId%3E%0A%3Coptions%3E0%3C%2Foptions%3E%0A"
                                       "%3C%2FHotelInformationRequest%3E"))
                  .toStdString());
}

TEST(HotelReplyReader, ReadsOffersInReplyOrderWithTheirDetails) {
    const HotelReply r = readHotelReply(availabilityReply({
        {QStringLiteral("120.00"), QStringLiteral("Deluxe King"), QStringLiteral("4"), QStringLiteral("Flexible")},
        {QStringLiteral("99.5"), QStringLiteral("Standard Queen"), QStringLiteral("1"), QStringLiteral("Prepaid")},
        {QStringLiteral("101")},
    }));
    ASSERT_FALSE(r.isError);
    ASSERT_TRUE(r.hotelFound());
    EXPECT_EQ(rates(r), QStringList({"120.00", "99.5", "101"}));
    ASSERT_EQ(r.offers.size(), 3);
    EXPECT_DOUBLE_EQ(r.offers[1].rate, 99.5);
    EXPECT_EQ(r.offers[0].roomType, "Deluxe King");
    EXPECT_EQ(r.offers[0].inventory, "4");
    EXPECT_EQ(r.offers[1].ratePolicy, "Prepaid");
    EXPECT_EQ(r.hotelAddress + "|" + r.hotelCity + "|" + r.hotelStateProvince + "|" + r.hotelCountry,
              "1 Seaport Lane|Boston|MA|US");
    EXPECT_EQ(r.tripAdvisorRating, "4.5");
    EXPECT_EQ(r.tripAdvisorReviewCount, "3120");
    EXPECT_EQ(r.checkInInstructions, "<p><b>Call ahead</b></p>");
    EXPECT_EQ(r.children.count(QStringLiteral("HotelRoomResponse")), 3);
}

TEST(HotelReplyReader, ErrorNotFoundInformationAndMissingElements) {
    const HotelReply error = readHotelReply(errorReply(QStringLiteral("SOLD_OUT"), QStringLiteral("No rooms left.")));
    EXPECT_TRUE(error.isError);
    EXPECT_EQ(error.errorText(), "SOLD_OUT - No rooms left.");
    EXPECT_EQ(error.children, QStringList{"EanWsError"});
    EXPECT_TRUE(error.offers.isEmpty());

    const HotelReply missing = readHotelReply(notFoundReply());
    EXPECT_FALSE(missing.hotelFound());
    EXPECT_FALSE(missing.isError);

    const HotelReply info = readHotelReply(informationReply());
    EXPECT_EQ(info.hotelId + "|" + info.name + "|" + info.tripAdvisorRating + "|" + info.tripAdvisorReviewCount,
              "214501|Seaport Harbor Hotel|4.5|3120");
    EXPECT_TRUE(info.hotelCity.isEmpty());  // named elements a reply lacks read as empty
}

TEST(HotelReplyReader, RefusesWhatIsNoReplyWithAClearError) {
    QString deep;
    for (int i = 0; i < 150; ++i) deep += QStringLiteral("<a>");
    const struct {
        QString text;
        const char* expected;  // the start of the error text
    } cases[] = {
        {QStringLiteral("  \n"), "The hotel service sent an empty reply."},
        {QStringLiteral("Service Unavailable"), "The hotel service's reply is not XML: "},
        {QStringLiteral("<html><body><h1>502 Bad Gateway</h1><hr></body></html>"),
         "The hotel service's reply is not XML: "},
        {QStringLiteral("<r><EanWsError><itineraryId>-1</r>"), "The hotel service's reply is not XML: "},
        {deep, "The hotel service's reply could not be read: its elements are nested more than 100 levels deep."},
        {QStringLiteral("<r><HotelRoomResponse><rateCode>1</rateCode></HotelRoomResponse></r>"),
         "The hotel service's reply could not be read: offer 1 has no rate."},
        {availabilityReply({{QStringLiteral("99.00")}, {QStringLiteral("call us")}}),
         "The hotel service's reply could not be read: the rate \"call us\" of offer 2 is not a number."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text.left(60).toStdString());
        const QString error = errorOf([&] { readHotelReply(c.text); });
        EXPECT_TRUE(error.startsWith(QString::fromUtf8(c.expected))) << error.toStdString();
    }
    EXPECT_EQ(errorOf([] { readHotelReply(QStringLiteral("Service Unavailable")); }),
              "The hotel service's reply is not XML: Start tag expected. (line 1, column 1). "
              "The reply began: Service Unavailable");
}

TEST(HotelServiceClient, AnswersBothRequestsOverHttps) {
    HotelServiceStandIn standIn(QStringLiteral(R"({"hotels": {
        "1000001": {"name": "Harborview Suites Boston", "address": "75 Atlantic Avenue", "city": "Boston",
                    "stateProvince": "MA", "country": "US", "tripAdvisorRating": "4.5",
                    "tripAdvisorReviewCount": "1287", "checkInInstructions": "<p>Caf\u00e9 opens at 7</p>",
                    "offers": [
                      {"rate": "229.00", "roomType": "King", "inventory": "6", "ratePolicy": "Flexible"},
                      {"rate": "199.5", "roomType": "Queen", "inventory": "3", "ratePolicy": "Prepaid"}]},
        "214503": {"name": "Beacon Street Inn", "address": "122 Beacon Street", "city": "Boston",
                   "stateProvince": "MA", "country": "US", "tripAdvisorRating": "3.5",
                   "tripAdvisorReviewCount": "412",
                   "availabilityError": {"category": "SOLD_OUT", "verboseMessage": "No rooms left."}}}})"));
    CurlHotelService client;
    const auto avail = [&](const QString& id) {
        return client.fetch(
            availabilityRequest(standIn.availabilityPrefix(), {id, QDate(2015, 6, 30), QDate(2015, 7, 1), QStringLiteral("1"), {}, false}));
    };

    const HotelReply offers = avail(QStringLiteral("1000001"));
    EXPECT_FALSE(offers.isError);
    EXPECT_EQ(rates(offers), QStringList({"229.00", "199.5"}));
    ASSERT_EQ(offers.offers.size(), 2);
    EXPECT_EQ(offers.offers[1].roomType + "|" + offers.offers[1].inventory + "|" + offers.offers[1].ratePolicy,
              "Queen|3|Prepaid");
    EXPECT_EQ(offers.hotelAddress + ", " + offers.hotelCity, "75 Atlantic Avenue, Boston");
    EXPECT_EQ(offers.checkInInstructions, QStringLiteral("<p>Caf\u00e9 opens at 7</p>"));

    const HotelReply error = avail(QStringLiteral("214503"));
    EXPECT_TRUE(error.isError);
    EXPECT_EQ(error.errorText(), "SOLD_OUT - No rooms left.");

    EXPECT_FALSE(avail(QStringLiteral("999")).hotelFound());

    const HotelReply info = client.fetch(informationRequest(standIn.informationPrefix(), QStringLiteral("1000001")));
    EXPECT_EQ(info.hotelId + "|" + info.name + "|" + info.tripAdvisorRating, "1000001|Harborview Suites Boston|4.5");
    EXPECT_FALSE(
        client.fetch(informationRequest(standIn.informationPrefix(), QStringLiteral("999"))).hotelFound());
}

TEST(HotelServiceClient, DemoHotelsAllHaveFixtureData) {
    QSet<QString> ids;
    const auto collect = [&](const QString& file, const QString& area, const QString& table, const QString& column) {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << file.toStdString();
        for (const QJsonValue& row : QJsonDocument::fromJson(f.readAll())[area][table].toArray()) {
            ids.insert(row[column].toString());
        }
    };
    collect(QStringLiteral(":/demo/foundation.json"), QStringLiteral("Central"), QStringLiteral("TLicenses"),
            QStringLiteral("ExpediaID"));
    collect(QStringLiteral(":/demo/revenue.json"), QStringLiteral("Corporate"), QStringLiteral("TRevenue_CompSet"),
            QStringLiteral("ExpediaHotelID"));
    ids.remove(QString());
    ASSERT_GE(ids.size(), 15);

    HotelServiceStandIn standIn;
    CurlHotelService client;
    for (const QString& id : ids) {
        SCOPED_TRACE(id.toStdString());
        const HotelReply info = client.fetch(informationRequest(standIn.informationPrefix(), id));
        EXPECT_EQ(info.hotelId, id);
        EXPECT_FALSE(info.name.isEmpty());
    }
}

TEST(HotelServiceClient, FailuresEndInAClearError) {
    HotelServiceStandIn standIn;
    const QString host = QStringLiteral("127.0.0.1:%1").arg(standIn.port());

    CurlHotelService verifying(true);
    EXPECT_TRUE(errorOf([&] { verifying.GetURLAsString(standIn.informationPrefix()); })
                    .startsWith(QStringLiteral("The hotel service at %1 could not be reached: ").arg(host)));

    CurlHotelService client;
    const QString unknownPath = QStringLiteral("https://%1/ean-services/rs/hotel/v3/nothing").arg(host);
    EXPECT_EQ(errorOf([&] { client.GetURLAsString(unknownPath); }),
              QStringLiteral("The hotel service at %1 answered with HTTP status 404.").arg(host));

    standIn.stop();
    EXPECT_TRUE(errorOf([&] { client.GetURLAsString(standIn.informationPrefix()); })
                    .startsWith(QStringLiteral("The hotel service at %1 could not be reached: ").arg(host)));

    // The operating system accepts the connection, but no one ever answers it.
    QTcpServer silent;
    ASSERT_TRUE(silent.listen(QHostAddress::LocalHost));
    client.timeout = std::chrono::milliseconds(300);
    EXPECT_EQ(errorOf([&] { client.GetURLAsString(QStringLiteral("https://127.0.0.1:%1/").arg(silent.serverPort())); }),
              QStringLiteral("The hotel service at 127.0.0.1:%1 did not answer within 0.3 seconds.")
                  .arg(silent.serverPort()));
}
