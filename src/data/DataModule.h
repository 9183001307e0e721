#pragma once

#include <QObject>
#include <QTimer>

#include "data/Connection.h"
#include "data/Settings.h"
#include "data/TableObject.h"

namespace tavolin {

// Table objects of the property database: object name, table name.
#define TAVOLIN_PROPERTY_TABLES(X)                                                                              \
    X(TSysConfig, "TSysConfig") X(TVIP, "TVip") X(TVIPLetters, "TVip") X(TVIPLettersStatistics, "TVipStatistics") \
    X(TVIP_Level, "TVIP_Level") X(TMisc, "TMisc") X(THotel_Statistics, "THotel_Statistics")                       \
    X(TEmailAccounts, "TEmailAccounts") X(TPhoneBook, "TPhoneBook") X(TPhoneBook_Category, "TPhoneBook_Category") \
    X(TBorrowed_Avail_Items, "TBorrowed_Avail_Items") X(TBorrowed_Old, "TBorrowed_Old") X(TBorrowed, "TBorrowed") \
    X(TIncidentReport, "TIncidentReport") X(TIncidentReport_Type, "TIncidentReport_Type")                        \
    X(TIncidentReport_History, "TIncidentReport_History") X(TAmenity, "TAmenity")                                 \
    X(TAmenity_Items, "TAmenity_Items") X(TAmenity_Items_Category, "TAmenity_Items_Category")                     \
    X(TAmenity_Tax_Grat, "TAmenity_Tax_Grat") X(TAmenity_Items_Selected, "TAmenity_Items_Selected")               \
    X(TCertificate, "TCertificate") X(TCertificateList, "TCertificate_List")                                      \
    X(TUser_Attendance, "TUser_Attendance") X(TLostFound, "TLostFound")                                           \
    X(TLostFound_Location, "TLostFound_Location") X(TLostFound_Location_Type, "TLostFound_Location_Type")         \
    X(TLostFound_Item, "TLostFound_Item") X(TLostFound_Item_Category, "TLostFound_Item_Category")                 \
    X(TLostFound_Location_Current, "TLostFound_Location_Current") X(TUser_Schedule, "TUser_Schedule")             \
    X(TUser_SOP, "TUser_SOP") X(TAttendance, "TAttendance") X(TSchedule_Requests, "TSchedule_Requests")           \
    X(TSchedule_ID, "TSchedule_ID") X(TSchedule_Blackout, "TSchedule_Blackout")                                   \
    X(TSchedule_Shifts, "TSchedule_Shifts") X(TSchedule, "TSchedule") X(TSOP, "TSOP")                             \
    X(TSOP_Associates, "TSOP_Associates") X(TPaidPetty_ClosedReport, "TPaidPetty_ClosedReport")                   \
    X(TBankMisc_Report, "TBankMisc_Report") X(TBankIDView, "TBankID") X(TBankIDMove, "TBankID")                   \
    X(TCashier, "TCashier") X(TPaidPetty, "TPaidPetty") X(TPaidPettyOld, "TPaidPettyOld")                         \
    X(TBankMisc, "TBankMisc") X(TCashier_Email_From, "TCashier_Email_From")                                       \
    X(TCashier_Over_Short_Email_List, "TCashier_Over_Short_Email_List") X(TPaidPetty_Report, "TPaidPetty_Report") \
    X(TAwards, "TAwards") X(TAwards_Old, "TAwards_Old") X(TAwards_Email_List, "TAwards_Email_List")               \
    X(TAwards_Email_From, "TAwards_Email_From") X(TDeliveryCia, "TDeliveryCia") X(TMailLocation, "TMailLocation") \
    X(TTransportation, "TTransportation") X(TTransportation_Company, "TTransportation_Company")                   \
    X(TTransportation_Payment, "TTransportation_Payment")                                                         \
    X(TTransportation_Destination_Category, "TTransportation_Destination_Category")                               \
    X(TTransportation_Destination_SubCategory, "TTransportation_Destination_SubCategory")                         \
    X(TTransportation_Destination, "TTransportation_Destination")                                                 \
    X(TTransportation_Destination_Car, "TTransportation_Destination_Car")                                         \
    X(TTransportation_Airline, "TTransportation_Airline") X(TTransportation_EmailFrom, "TTransportation_EmailFrom")

// Table objects of the central database.
#define TAVOLIN_CENTRAL_TABLES(X)                                                                                  \
    X(TUser, "TUser_Info") X(TUser_Access, "TUser_Access") X(TUser_Properties, "TUser_Properties")                \
    X(TLicenses, "TLicenses") X(TTitles, "TTitles") X(TDepartments, "TDepartments")                               \
    X(TManagemtnCompany, "TManagemtnCompany") X(TComplaint_Type, "TComplaint_Type")                               \
    X(TComplaint_Description, "TComplaint_Description") X(TTransportation_User, "TTransportation_User")           \
    X(TVersion, "TVersion") X(TExpedia, "TExpedia") X(TUserRevenueFilesLocation, "TUserRevenueFilesLocation")     \
    X(TRevenue_Monitor_Profile, "TRevenue_Monitor_Profile") X(TSystemDefaultEmail, "TSystemDefaultEmail")

// Table objects of the corporate database.
#define TAVOLIN_CORPORATE_TABLES(X)                                                                                \
    X(TRealRevenue, "TRealRevenue") X(TRealRevenue_Notifications, "TRealRevenue_Notifications")                   \
    X(TRealRevenue_Notifications_Properties, "TRealRevenue_Notifications_Properties")                             \
    X(TRealRevenue_RateChange, "TRealRevenue_RateChange") X(TProperty_Revenue, "TProperty_Revenue")               \
    X(TEmailAccountsSystemUseOnly, "TEmailAccountsSystemUseOnly") X(TCellPhoneCarrier, "TCellPhoneCarrier")       \
    X(TMain, "TMain") X(TTask, "TTasks") X(TRevenue_CompSet, "TRevenue_CompSet")                                  \
    X(TRevenue_CompSet_Property, "TRevenue_CompSet_Property") X(TRevenue_CompSet_List, "TRevenue_CompSet_List")

class Services;

// The data module: the three connections, one table object per table the windows use, the two query
// objects and the keep-alive timer. One exists from the start of a login attempt to log-off.
class TDM : public QObject {
    Q_OBJECT
public:
    explicit TDM(const DeploymentSettings& settings, QObject* parent = nullptr);
    ~TDM() override;

    const DeploymentSettings& settings() const { return settings_; }

    Connection* HotelConnection;
    Connection* TavolinConnection;
    Connection* RealConnection;

#define TAVOLIN_DECLARE(object, table) TableObject* object;
    TAVOLIN_PROPERTY_TABLES(TAVOLIN_DECLARE)
    TAVOLIN_CENTRAL_TABLES(TAVOLIN_DECLARE)
    TAVOLIN_CORPORATE_TABLES(TAVOLIN_DECLARE)
#undef TAVOLIN_DECLARE

    TableObject* QMail;
    TableObject* QTask;

    QTimer* Timer1;

    // Every table and query object, in catalogue order.
    const QList<TableObject*>& tableObjects() const { return objects_; }
    TableObject* tableObject(const QString& objectName) const;

    // Points the property connection at a property's database (the values of its TLicenses row).
    void pointHotelConnection(const QString& server, const QString& user, const QString& password,
                              const QString& database);
    // Disconnects the three connections (property, central, corporate).
    void disconnectAll();

    // The keep-alive tick: pings every connection that is open, unless the workstation is offline.
    void Timer1Timer();
    // After every post of a TRealRevenue row: the full-house sound.
    void TRealRevenueAfterPost();
    // The file the full-house sound is kept in, and where it is downloaded from when missing.
    static QString soundFileName();
    static QString soundDownloadPath();

private:
    DeploymentSettings settings_;
    QList<TableObject*> objects_;
};

// The data module of the current login; null when there is none.
extern TDM* DM;

// Whether a TodayOcc text calls for the full-house sound: a number of 100 or more (and not "0.00").
bool isFullHouse(const QString& todayOcc);

}  // namespace tavolin
