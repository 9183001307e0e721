#pragma once

#include <QHash>
#include <QString>

namespace tavolin {

class TableObject;

// What a command says when the workstation is offline: the login state's text, and the shorter one
// several module commands use.
inline const QString NoInternet =
    QStringLiteral("INTERNET CONNECTIVITY IS NOT AVAILABLE. PLEASE CONNECT YOUR COMPUTER TO THE INTERNET!");
inline const QString NoConnection = QStringLiteral("Unable to proceed - NO INTERNET CONNECTION DETECTED!");

// The process-wide values a successful login fills and every module reads until the next login
// overwrites them: the current property, the current user, the permission flags and the default
// system e-mail account.
struct LoginState {
    // Current property (its TLicenses row).
    QString HotelIDLicenses;
    QString HotelIDLicensesName;
    QString HotelIDLicensesStatus;
    QString ServerIP;
    QString ServerUserName;
    QString ServerPassword;
    QString ServerDatabase;
    QString HotelAddress1;
    QString HotelAddress2;
    QString HotelCity;
    QString HotelState;
    QString HotelZip;
    QString HotelPhone;
    QString HotelFax;
    QString HotelEntry;         // "YES" or "NO"
    QString SubmitEmailPoints;  // "YES" or "NO"
    double HotelAwardPointsValue = 0;
    qint64 HotelMAGCPoints = 0;
    qint64 MaxAmountSPG = 0;

    // Current user (its TUser_Info row).
    QString UserIDName;
    QString UserID;
    QString UserFirstName;
    QString UserLastName;
    QString UserPassword;
    QString UserStatus;
    QString UserTitle;
    QString UserDepartment;
    QString UserEmail;
    QString UserReqChangePassword;
    QString UserHotelID;
    QString UserHotelName;
    QString UserManagementCompanyID;
    QString UserScheduleDepartment;
    QString RevenueMonitorProfileID;
    QString UserProperty;

    // Permission flags, one text per TUser_Access column.
    QHash<QString, QString> flags;
    QString flag(const QString& name) const { return flags.value(name); }
    // Granted only when the text is exactly "True" ("Yes" for UserApprover).
    bool granted(const QString& name) const;

    // Default system e-mail account (first TSystemDefaultEmail row).
    QString SystemEmailHost;
    QString SystemEmailUsername;
    QString SystemEmailPassword;
    int SystemEmailPort = 0;
    QString SystemEmailFromAddress;
    QString SystemEmailFromName;
    QString SystemEmailAuthType;

    // The login name whose password is being changed.
    QString UserIDChangePassword;

    // Copies the property values of the current TLicenses row, as a login or a property switch does.
    void readProperty(const TableObject& licenses);
};

LoginState& login();

}  // namespace tavolin
