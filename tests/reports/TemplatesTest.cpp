#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>
#include <vector>

#include "PdfText.h"
#include "TestDatabases.h"
#include "TestServices.h"
#include "data/DataModule.h"
#include "reports/RecordingReportEngine.h"

using namespace tavolin;
using namespace tavolin::test;

namespace {

using Row = QVariantMap;
QString t(const char* s) { return QString::fromUtf8(s); }

// One property, its mail, lendings, letters, a week's schedule, certificates, a bank close with its
// receipts, points requests, an SOP and two tasks: the rows the modules hand to the templates.
void fillFixture(TestDatabases& db) {
    const auto add = [&db](const char* table, const Row& row, Database where = Database::Property) {
        db.insert(where, t(table), row);
    };
    add("TSysConfig", {{"HotelName", t("Quenby Harbour Hotel")}, {"HotelAddress1", t("12 Harbour Street")},
                       {"HotelAddress2", t("Pier 4")}, {"HotelCity", t("Portland")}, {"HotelState", t("ME")},
                       {"HotelZip", t("04101")}, {"HotelCountry", t("USA")}, {"HotelTel", t("207-555-0100")},
                       {"HotelFax", t("207-555-0101")}, {"HotelEmail", t("frontdesk@quenbyharbour.example")},
                       {"HotelWebpage", t("www.quenbyharbour.example")}, {"HotelGMName", t("Dana Whitfield")}});

    add("TMail", {{"TrackingNum", t("1Z999AA10123456784")}, {"MailStatus", t("PICKED-UP")}, {"GuestName", t("Olivia")},
                  {"GuestLastName", t("Brennan")}, {"RoomNumber", t("512")}, {"CheckInDate", t("06/28/2015")},
                  {"CheckOutDate", t("07/01/2015")}, {"Company", t("UPS")}, {"Location", t("Back Office Shelf B")},
                  {"Comments", t("Keep upright")}, {"ReceivedDate", t("06/29/2015")}, {"ReceivedTime", t("10:15 AM")},
                  {"ReceivedBy", t("JSMITH")}, {"ReceivedByID", t("7")}, {"DeliveredDate", t("06/30/2015")},
                  {"DeliveredTime", t("09:05 AM")}, {"DeliveredBy", t("MLOPEZ")}, {"DeliveredByID", t("9")}});
    add("TMail", {{"TrackingNum", t("9400111899223197428490")}, {"MailStatus", t("STORED")}, {"GuestName", t("Kenji")},
                  {"GuestLastName", t("Watanabe")}, {"RoomNumber", t("1207")}, {"CheckInDate", t("06/30/2015")},
                  {"CheckOutDate", t("07/03/2015")}, {"Company", t("USPS")}, {"Location", t("Luggage Room")},
                  {"ReceivedDate", t("06/30/2015")}, {"ReceivedTime", t("08:40 AM")}, {"ReceivedBy", t("JSMITH")}});

    add("TBorrowed", {{"ItemStatus", t("Borrowed")}, {"ItemName", t("Iron and Board")},
                      {"ItemDescription", t("Steam iron with ironing board")}, {"ItemValue", t("35")},
                      {"AmountBorrowed", 2}, {"TotalValue", t("70")}, {"GuestLastName", t("Okafor")},
                      {"GuestRoom", t("318")}, {"GuestCheckOutDate", t("07/02/2015")}, {"ItemComments", t("Deliver to room")},
                      {"DateBorrowed", t("06/30/2015")}, {"TimeBorrowed", t("09:05 AM")}, {"UserID", t("7")},
                      {"UserName", t("JSMITH")}});

    add("TVip", {{"Tier", t("SPG")}, {"LetterName", t("SPG Welcome")}, {"Letter", t("Welcome to the harbour.")}});
    add("TVip", {{"Tier", t("Gold")}, {"LetterName", t("Gold Welcome")}, {"GuestName", t("Mrs. Castellano")},
                 {"Letter", t("It is our pleasure to welcome you back.\nYour room has been upgraded for this stay.")}});

    const qint64 week = db.insert(
        Database::Property, t("TSchedule_ID"),
        {{"ScheduleDepartment", t("Front Office")}, {"ScheduleName", t("06/28/2015 - 07/04/2015")},
         {"ScheduleStatus", t("Posted")}, {"Date1", t("06/28/2015")}, {"Date2", t("06/29/2015")},
         {"Date3", t("06/30/2015")}, {"Date4", t("07/01/2015")}, {"Date5", t("07/02/2015")}, {"Date6", t("07/03/2015")},
         {"Date7", t("07/04/2015")}, {"Day1", t("Sunday")}, {"Day2", t("Monday")}, {"Day3", t("Tuesday")},
         {"Day4", t("Wednesday")}, {"Day5", t("Thursday")}, {"Day6", t("Friday")}, {"Day7", t("Saturday")}});
    const char* associates[][3] = {{"Maria", "Lopez", "FDA"}, {"Samuel", "Reyes", "NA"}, {"Grace", "Kim", "FDS"}};
    const char* shifts[] = {"7-3", "7-3", "OFF", "OFF REQ", "3-11", "VAC", "PTO"};
    for (const auto& a : associates) {
        Row r{{"ScheduleID", QString::number(week)}, {"AssociateName", t(a[0])}, {"AssociateLastName", t(a[1])},
              {"AssociateShortTitle", t(a[2])}};
        for (int d = 0; d < 7; ++d) r.insert(QStringLiteral("Day%1").arg(d + 1), t(shifts[d]));
        add("TSchedule", r);
    }
    for (int d = 0; d < 7; ++d)
        add("THotel_Statistics", {{"DateInfo", QStringLiteral("%1/2015").arg(d < 3 ? QStringLiteral("06/%1").arg(28 + d)
                                                                                 : QStringLiteral("07/0%1").arg(d - 2))},
                                  {"Occ", QStringLiteral("%1.50").arg(80 + d)}, {"Arr", QString::number(40 + d)},
                                  {"Dep", QString::number(30 + d)}});

    add("TCertificate", {{"CertificateNumber", t("121506143005")}, {"Status", t("Active")}, {"GuestName", t("AMELIA")},
                         {"GuestLastName", t("NGUYEN")}, {"CertificateName", t("Dinner for Two")}, {"Value", t("150")},
                         {"Description", t("Three-course dinner at the Harbour Grill")}, {"Policy", t("Gratuity not included.")},
                         {"BlackoutDates", t("12/24 - 12/26")}, {"FreeText", t("Happy anniversary!")},
                         {"ExpirationDate", t("12/31/2015")}, {"DateIssued", t("06/30/2015")}, {"TimeIssued", t("02:30 PM")},
                         {"UserID", t("12")}, {"UserName", t("JSMITH")}, {"Emailed", t("Yes")}});
    add("TCertificate", {{"CertificateNumber", t("121506143006")}, {"Status", t("Redeemed")}, {"GuestName", t("LUCAS")},
                         {"GuestLastName", t("BERG")}, {"CertificateName", t("Spa Treatment")}, {"Value", t("90")},
                         {"DateIssued", t("06/30/2015")}, {"ExpirationDate", t("12/31/2015")},
                         {"DateRedeemed", t("07/10/2015")}, {"TimeRedeemed", t("06:12 PM")}, {"UserIDRedeemed", t("9")},
                         {"UserNameRedeemed", t("MLOPEZ")}, {"ReservationNumRedeemed", t("RES88231")}});
    add("TCertificate", {{"CertificateNumber", t("121506143007")}, {"Status", t("Voided")}, {"GuestName", t("EMMA")},
                         {"GuestLastName", t("DUBOIS")}, {"CertificateName", t("Room Night")}, {"Value", t("199")},
                         {"DateIssued", t("06/30/2015")}, {"DateVoided", t("07/01/2015")}, {"UserNameVoided", t("ADMIN")},
                         {"ReasonVoided", t("Issued to the wrong guest")}});
    add("TCertificate", {{"CertificateNumber", t("121506143008")}, {"Status", t("Expired")}, {"GuestName", t("NOAH")},
                         {"GuestLastName", t("PATEL")}, {"CertificateName", t("Breakfast")}, {"Value", t("25")},
                         {"DateIssued", t("06/01/2015")}, {"ExpirationDate", t("07/05/2015")}});

    const QString key = t("06302015110200 PM");
    add("TCashier", {{"Date", t("06/30/2015")}, {"Time", t("11:02 PM")}, {"UserID", t("7")}, {"UserName", t("JSMITH")},
                     {"BankID", t("3")}, {"BankName", t("Front Desk 3")}, {"AWC25", t("2")}, {"WC25", t("20")},
                     {"AC1", t("5")}, {"C1", t("5")}, {"AC20", t("10")}, {"C20", t("200")}, {"BankSetAmount", t("200")},
                     {"SystemDrop", t("-25")}, {"SystemDropInvert", t("25")}, {"TotalMisc", t("15")},
                     {"TotalPaidPetty", t("45")}, {"TotalWrapped", t("20")}, {"TotalUnwrapped", t("0")},
                     {"TotalCurrency", t("205")}, {"TotalBank", t("285")}, {"OverShort", t("110")},
                     {"Remarks", t("Over after the banquet cash-out")}, {"PettyCashClosedID", key}});
    add("TBankMisc_Report", {{"Description", t("Parking voucher")}, {"UnitValue", t("5")}, {"Amount", t("3")},
                             {"Total", t("15")}, {"AddDate", t("06/30/2015")}, {"AddTime", t("07:00 PM")},
                             {"UserName", t("JSMITH")}, {"BankID", t("3")}, {"ReportNum", key}});
    add("TPaidPetty_ClosedReport", {{"AddDate", t("06/30/2015")}, {"AddUserName", t("JSMITH")}, {"Amount", t("20")},
                                    {"Description", t("Flowers for VIP amenity")}, {"ItemType", t("PETTY CASH")},
                                    {"BankID", t("3")}, {"PettyCashClosedID", key}});
    add("TPaidPetty_ClosedReport", {{"AddDate", t("06/30/2015")}, {"AddUserName", t("JSMITH")}, {"Amount", t("25")},
                                    {"Description", t("DUE BACK")}, {"ItemType", t("DUE BACK")},
                                    {"GuestName", t("SYSTEM DROP - DUE BACK")}, {"BankID", t("3")}, {"PettyCashClosedID", key}});
    add("TPaidPetty", {{"BankID", t("3")}, {"BankName", t("Front Desk 3")}, {"ItemType", t("PETTY CASH")},
                       {"Amount", t("12.50")}, {"Description", t("Cleaning supplies")}, {"Department", t("Housekeeping")},
                       {"Employee", t("Rosa Diaz")}, {"AddDate", t("06/30/2015")}, {"AddTime", t("03:10 PM")},
                       {"AddUserID", t("7")}, {"AddUserName", t("JSMITH")}, {"Status", t("Active")}});
    add("TPaidPetty", {{"BankID", t("3")}, {"BankName", t("Front Desk 3")}, {"ItemType", t("PETTY CASH")},
                       {"Amount", t("7.50")}, {"Description", t("Light bulbs")}, {"Department", t("Engineering")},
                       {"Employee", t("Tom Fischer")}, {"AddDate", t("06/30/2015")}, {"AddUserName", t("JSMITH")}});
    add("TPaidPetty", {{"BankID", t("3")}, {"BankName", t("Front Desk 3")}, {"ItemType", t("DUE BACK")},
                       {"Amount", t("25")}, {"Description", t("DUE BACK")}, {"GuestName", t("SYSTEM DROP - DUE BACK")},
                       {"ControlNum", t("41")}, {"AddDate", t("06/30/2015")}, {"AddUserName", t("JSMITH")}});

    add("TAwards", {{"AwardDate", t("06/29/2015")}, {"AwardTime", t("04:20 PM")}, {"UserID", t("7")},
                    {"UserName", t("JSMITH")}, {"GuestName", t("JOHN")}, {"GuestLastName", t("SMITHERS")},
                    {"Room", t("804")}, {"AwardsNumber", t("1234567890")}, {"AmountPoints", t("2500")},
                    {"UnitValue", t("0.003")}, {"TotalCost", t("7.5")}, {"CompaintReceivedMethod", t("In-House Guest")},
                    {"ComplaintType", t("HOUSEKEEPING")}, {"ComplaintDescription", t("ROOM NOT READY")},
                    {"Description", t("Guest waited two hours for the room.")}, {"UrgentRequest", t("URGENT REQUEST")},
                    {"SubmitEmail", t("SUBMITTED")}, {"SubmittedDate", t("06/30/2015")}, {"SubmittedUserName", t("ADMIN")}});
    add("TAwards", {{"AwardDate", t("06/30/2015")}, {"UserName", t("MLOPEZ")}, {"GuestName", t("JOAN")},
                    {"GuestLastName", t("SMALL")}, {"Room", t("1010")}, {"AwardsNumber", t("P987654321")},
                    {"AmountPoints", t("1000")}, {"UnitValue", t("0.003")}, {"TotalCost", t("3")},
                    {"CompaintReceivedMethod", t("Make a Green Choice")}, {"MAGCDate", t("06/30/2015")},
                    {"MAGCCards", t("2")}, {"ComplaintType", t("MAKE A GREEN CHOICE")},
                    {"ComplaintDescription", t("MAKE A GREEN CHOICE")}, {"SubmitEmail", t("NOT SUBMITTED")},
                    {"Description", t("07/01/2015 - 500 Make a Green Choice Points\n07/02/2015 - 500 Make a Green Choice Points")}});

    add("TSOP", {{"SOPName", t("Guest Luggage Storage")}, {"Objective", t("Keep stored luggage safe and traceable.")},
                 {"Standard", t("Every bag is tagged and logged.")},
                 {"Procedure", t("1. Tag every bag.\n2. Log the tag number.\n3. Hand the stub to the guest.")},
                 {"EffectiveDate", t("07/01/2015")}, {"Department", t("Front Office")}, {"AllDepartments", t("False")},
                 {"AddedUserIDName", t("JSMITH")}, {"AddedDate", t("06/15/2015")}});

    const qint64 task = db.insert(
        Database::Corporate, t("TMain"),
        {{"Status", t("Pending")}, {"Level", t("High")}, {"ComplaintDepartment", t("Engineering")},
         {"ComplaintType", t("AC NOT WORKING")}, {"AssignedToID", t("15")}, {"AssignedToName", t("Tom Fischer")},
         {"AssignedToEmail", t("tom.fischer@quenby.example")}, {"DueDate", t("06/30/2015")}, {"DueTime", t("")},
         {"GuestName", t("Olivia Brennan")}, {"MemberLevel", t("Platinum")}, {"MembershipNumber", t("P55501")},
         {"ResNum", t("RES10442")}, {"Room", t("512")}, {"Description", t("Room too warm; guest asks for a fan.")}});
    add("TTasks", {{"IDCODE", QString::number(task)}, {"PropertyID", t("PWM01")}, {"Status", t("Pending")},
                   {"Level", t("High")}, {"Department", t("Engineering")}, {"Type", t("AC NOT WORKING")},
                   {"DueDate", t("06/30/2015")}, {"AssignedToUserName", t("Tom Fischer")}, {"UserIDName", t("JSMITH")},
                   {"DateInsert", t("06/30/2015")}, {"TimeInsert", t("08:12 AM")},
                   {"Description", t("Room too warm; guest asks for a fan.")}},
        Database::Corporate);
    add("TTasks", {{"IDCODE", t("9001")}, {"PropertyID", t("PWM01")}, {"Status", t("Completed")}, {"Level", t("Low")},
                   {"Department", t("Housekeeping")}, {"Type", t("EXTRA TOWELS")}, {"AssignedToUserName", t("Rosa Diaz")},
                   {"UserIDName", t("MLOPEZ")}, {"DateInsert", t("06/29/2015")}},
        Database::Corporate);
}

struct Handed {
    const char* dataset;
    const char* object;  // the data module's table object
};

struct TemplateCase {
    QString name;  // as the module loads it
    std::vector<Handed> datasets;
    std::function<void(TDM&)> select;  // narrows the table objects as the module does
    QStringList expected;
    QStringList absent = {};
    int pages = 1;
};

Filter eq(const char* column, const char* value) { return Filter::eq(t(column), t(value)); }

class Templates : public DatabaseTest {
protected:
    TestServices services;
    QTemporaryDir output;
};

}  // namespace

TEST_P(Templates, EveryTemplatePrintsTheRowsHandedOver) {
    fillFixture(db());
    auto dm = db().dataModule();
    Select mail;
    mail.table = t("TMail");
    dm->QMail->setQuery(mail);
    Select tasks;
    tasks.table = t("TTasks");
    dm->QTask->setQuery(tasks);
    // The points ticket is downloaded into the temporary folder under the name the window asks for.
    const QString ticket = QDir(services.tempFolder()).filePath(t("AwardTicketRPT.fr3"));
    ASSERT_TRUE(QFile::copy(t(TAVOLIN_TEMPLATE_DIR "/AwardTicketRPT.html"), ticket));

    const std::vector<Handed> cashier{{"CashierDataset", "TCashier"},     {"PettyCashDataset", "TPaidPetty"},
                                      {"MiscDataSet", "TBankMisc"},       {"DBFRMisc_Report", "TBankMisc_Report"},
                                      {"PropertyDataset", "TSysConfig"},  {"DBFRPettyReport", "TPaidPetty_Report"},
                                      {"DBFRPaidPetty_ClosedReport", "TPaidPetty_ClosedReport"}};
    const std::vector<Handed> certificates{{"frxDBCertificate", "TCertificate"}, {"frxDBSystem", "TSysConfig"}};
    const auto certificateStatus = [](const char* status) {
        return [status](TDM& m) { m.TCertificate->filterBy(eq("Status", status)); };
    };
    const TemplateCase cases[] = {
        {t("MailReceiptRPT.fr3"), {{"DBFRReceipt", "QMail"}}, nullptr,
         {t("Mail & Package Receipt"), t("1Z999AA10123456784"), t("Olivia Brennan"), t("Picked-Up 06/30/2015 09:05 AM MLOPEZ (ID 9)"),
          t("Keep upright"), t("Guest Signature"), t("9400111899223197428490"), t("Kenji Watanabe")},
         {},
         2},
        {t("MailReportRPT.fr3"), {{"DBFRReceipt", "QMail"}},
         [](TDM& m) { m.QMail->filterBy(eq("MailStatus", "STORED")); },
         {t("Mail & Packages Report"), t("9400111899223197428490"), t("Watanabe, Kenji"), t("Luggage Room"), t("Packages: 1")},
         {t("1Z999AA10123456784")}},
        {t("ItemBorrowedReceipt.fr3"), {{"frxDBDataset1", "TBorrowed"}}, nullptr,
         {t("Borrowed Item Receipt"), t("Okafor"), t("318"), t("Iron and Board"), t("US$ 70"), t("Deliver to room"),
          t("Lent by: JSMITH (ID 7)"), t("Guest Signature")}},
        {t("VIPLetter.fr3"), {{"frxDBDVIPLetters", "TVIPLetters"}, {"frxDBDSystem", "TSysConfig"}},
         [](TDM& m) { m.TVIPLetters->filterBy(eq("Tier", "Gold")); },
         {t("Quenby Harbour Hotel"), t("12 Harbour Street, Pier 4"), t("06/30/2015"), t("Dear Mrs. Castellano,"),
          t("It is our pleasure to welcome you back. Your room has been upgraded for this stay."), t("Dana Whitfield"),
          t("General Manager")},
         {t("Welcome to the harbour.")}},
        {t("Schedule.fr3"),
         {{"frxDBDataset1", "TSchedule"}, {"frxDBDSchedule_ID", "TSchedule_ID"}, {"frxDBDHotelStatistics", "THotel_Statistics"}},
         nullptr,
         {t("Weekly Schedule"), t("Front Office"), t("06/28/2015 - 07/04/2015"), t("Status: Posted"), t("Sunday 06/28/2015"),
          t("Saturday 07/04/2015"), t("Occupancy 80.50% 81.50% 82.50% 83.50% 84.50% 85.50% 86.50%"),
          t("Maria Lopez FDA 7-3 7-3 OFF OFF REQ 3-11 VAC PTO"), t("Associates scheduled: 3")}},
        {t("Certificate.fr3"), certificates,
         [](TDM& m) { m.TCertificate->filterBy(eq("CertificateNumber", "121506143005")); },
         {t("Quenby Harbour Hotel"), t("GIFT CERTIFICATE"), t("Dinner for Two · 150"), t("AMELIA NGUYEN"),
          t("Happy anniversary!"), t("121506143005 06/30/2015 12/31/2015"), t("Gratuity not included."), t("12/24 - 12/26")}},
        {t("CertificateAdjustment.fr3"), certificates,
         [](TDM& m) { m.TCertificate->filterBy(eq("CertificateNumber", "121506143006")); },
         {t("Certificate Redemption"), t("Certificate No. 121506143006"), t("LUCAS BERG"), t("RES88231"),
          t("MLOPEZ (ID 9)"), t("Associate Signature")}},
        {t("CertificateReportActive.fr3"), certificates, certificateStatus("Active"),
         {t("Active Certificates"), t("NGUYEN, AMELIA"), t("Certificates: 1 · Total value: US$ 150")}, {t("BERG")}},
        {t("CertificateReportRedeemed.fr3"), certificates, certificateStatus("Redeemed"),
         {t("Redeemed Certificates"), t("BERG, LUCAS"), t("07/10/2015 MLOPEZ RES88231")}, {t("NGUYEN")}},
        {t("CertificateReportExpired.fr3"), certificates, certificateStatus("Expired"),
         {t("Expired Certificates"), t("PATEL, NOAH"), t("07/05/2015")}, {t("NGUYEN")}},
        {t("CertificateReportVoided.fr3"), certificates, certificateStatus("Voided"),
         {t("Voided Certificates"), t("DUBOIS, EMMA"), t("Reason: Issued to the wrong guest")}, {t("NGUYEN")}},
        {t("CertificateReportAll.fr3"), certificates, nullptr,
         {t("All Certificates"), t("121506143005"), t("121506143006"), t("121506143007"), t("121506143008"),
          t("Certificates: 4 · Total value: US$ 464")}},
        {t("Reports\\CashierRPT.fr3"), cashier,
         [](TDM& m) { m.TCashier->filterBy(eq("BankID", "3")); },
         {t("Quenby Harbour Hotel"), t("Bank Close Report"), t("3 · Front Desk 3"), t("06/30/2015 11:02 PM"),
          t("US$ 0.25 2 20.00"), t("US$ 20.00 10 200.00"), t("Total US$ 285.00"), t("Short / Over US$ 110.00"),
          t("System Drop US$ -25.00"), t("Over after the banquet cash-out"), t("Parking voucher 3 5.00 15.00"),
          t("Total miscellaneous US$ 15.00"), t("Flowers for VIP amenity"), t("Total petty cash & due backs US$ 45.00")}},
        {t("Reports\\DueBackSlip.fr3"), cashier, nullptr,
         {t("Due Back Slip"), t("US$ 25.00"), t("Front Desk 3"), t("SYSTEM DROP - DUE BACK"), t("Received by (Accounting)")}},
        {t("Reports\\DueBackReprintSlip.fr3"), cashier,
         [](TDM& m) { m.TPaidPetty->filterBy(eq("ControlNum", "41")); },
         {t("Due Back Slip"), t("REPRINT"), t("US$ 25"), t("Control No. 41")}, {t("Rosa Diaz")}},
        {t("Reports\\PettyCashSlip.fr3"), cashier,
         [](TDM& m) { m.TPaidPetty->filterBy(eq("Employee", "Rosa Diaz")); },
         {t("Petty Cash Voucher"), t("US$ 12.50"), t("Rosa Diaz"), t("Housekeeping"), t("Cleaning supplies"),
          t("Received by")},
         {t("Tom Fischer")}},
        {t("Reports\\PettyCashReport.fr3"), cashier,
         [](TDM& m) { m.TPaidPetty->filterBy(eq("ItemType", "PETTY CASH") && eq("BankID", "3")); },
         {t("Petty Cash Report"), t("Rosa Diaz"), t("Tom Fischer"), t("Total submitted US$ 20.00"), t("Vouchers 2")},
         {t("SYSTEM DROP")}},
        {t("Reports\\AwardRPT.fr3"), {{"DBFRAwards", "TAwards"}}, nullptr,
         {t("Starpoints Requests"), t("SMITHERS, JOHN (urgent)"), t("SMALL, JOAN"), t("HOUSEKEEPING › ROOM NOT READY"),
          t("Total 3500 10.50")}},
        {t("Reports\\AwardMAGCRPT.fr3"), {{"DBFRAwards", "TAwards"}},
         [](TDM& m) { m.TAwards->filterBy(eq("CompaintReceivedMethod", "Make a Green Choice")); },
         {t("Make a Green Choice"), t("SMALL, JOAN"), t("06/30/2015 2 1000 3"), t("Total 2 1000 3")}, {t("SMITHERS")}},
        {ticket, {{"DBFRAwards", "TAwards"}},
         [](TDM& m) { m.TAwards->filterBy(eq("GuestLastName", "SMITHERS")); },
         {t("Starpoints Request"), t("URGENT REQUEST"), t("2500 Starpoints"), t("JOHN SMITHERS"), t("ROOM NOT READY"),
          t("Guest waited two hours for the room."), t("Submitted 06/30/2015"), t("Approved by (General Manager)")}},
        {t("Reports\\SOP.fr3"), {{"frxDSTSOP", "TSOP"}, {"TSysConfig", "TSysConfig"}}, nullptr,
         {t("Quenby Harbour Hotel"), t("Standard Operating Procedure"), t("Guest Luggage Storage"), t("Front Office"),
          t("07/01/2015"), t("1. Tag every bag. 2. Log the tag number. 3. Hand the stub to the guest."),
          t("Associate Signature")},
         {t("available to all departments")}},
        {TaskReportTemplate, {{"QTask", "QTask"}}, nullptr,
         {t("Task Report"), t("Created 06/01/2015 - 06/30/2015"), t("Tasks: 2"), t("AC NOT WORKING"), t("EXTRA TOWELS"),
          t("Room too warm; guest asks for a fan."), t("PWM01")}},
        {TaskPrintTemplate, {{"TMain", "TMain"}, {"TTask", "TTask"}}, nullptr,
         {t("High priority"), t("Status: Pending"), t("Engineering › AC NOT WORKING"), t("Tom Fischer (ID 15)"),
          t("06/30/2015 (time not specified)"), t("06/30/2015 08:12 AM · JSMITH"), t("Platinum · P55501"), t("RES10442"),
          t("Room too warm; guest asks for a fan.")}},
    };

    for (const TemplateCase& c : cases) {
        SCOPED_TRACE(c.name.toStdString());
        RecordingReportEngine engine(output.path(), {t(TAVOLIN_TEMPLATE_DIR)});
        for (const Handed& h : c.datasets) {
            TableObject* table = dm->tableObject(t(h.object));
            ASSERT_NE(table, nullptr) << h.object;
            table->setFiltered(false);
            table->open();
            engine.addDataset(t(h.dataset), table);
        }
        if (c.select) c.select(*dm);
        engine.setValue(t("criteria"), t("Created 06/01/2015 - 06/30/2015"));
        ASSERT_TRUE(engine.loadFromFile(c.name));
        engine.showPreview();

        const QString pdf = engine.last().pdfFile;
        // A value is found as a reader would find it: in reading order, or along a printed line (a table row
        // read across, where reading order may take its columns one after the other).
        const QString text = pdfText(pdf).simplified();
        const QString lines = pdfText(pdf, true).simplified();
        for (const QString& e : c.expected)
            EXPECT_TRUE(text.contains(e) || lines.contains(e)) << "missing: " << e.toStdString() << "\n" << lines.toStdString();
        for (const QString& a : c.absent) EXPECT_FALSE(text.contains(a)) << "not expected: " << a.toStdString();
        EXPECT_EQ(pdfPageCount(pdf), c.pages);
        for (const Handed& h : c.datasets) dm->tableObject(t(h.object))->close();
    }
}

TEST_P(Templates, AListReportRunsOnOverPagesUnderItsHeadingsWithItsTotal) {
    auto dm = db().dataModule();
    TableObject* certificates = dm->TCertificate;
    certificates->open();
    for (int i = 1; i <= 150; ++i) {
        certificates->insert();
        certificates->set(t("CertificateNumber"), QStringLiteral("CERT%1").arg(i, 4, 10, QLatin1Char('0')));
        certificates->set(t("GuestLastName"), QStringLiteral("GUEST %1").arg(i));
        certificates->set(t("Status"), t("Active"));
        certificates->set(t("Value"), t("10"));
        certificates->post();
    }
    RecordingReportEngine engine(output.path(), {t(TAVOLIN_TEMPLATE_DIR)});
    engine.addDataset(t("frxDBCertificate"), certificates);
    engine.loadFromFile(t("CertificateReportAll.fr3"));
    engine.showPreview();

    const QString pdf = engine.last().pdfFile;
    const int pages = pdfPageCount(pdf);
    ASSERT_GE(pages, 4);
    QString all;
    for (int p = 1; p <= pages; ++p) {
        // Read along the printed lines: a heading row stays one line however empty its columns are.
        const QString page = pdfPageText(pdf, p, true).simplified();
        EXPECT_TRUE(page.contains(t("Certificate # Status Guest Certificate Value"))) << "page " << p;
        EXPECT_TRUE(page.endsWith(QStringLiteral("All Certificates · printed 06/30/2015 09:05 AM Page %1 of %2").arg(p).arg(pages)))
            << page.right(120).toStdString();
        all += page;
    }
    for (int i = 1; i <= 150; ++i) EXPECT_EQ(all.count(QStringLiteral("CERT%1").arg(i, 4, 10, QLatin1Char('0'))), 1) << i;
    EXPECT_TRUE(all.contains(t("Certificates: 150 · Total value: US$ 1500")));
}

TAVOLIN_ON_EVERY_ENGINE(Templates);
