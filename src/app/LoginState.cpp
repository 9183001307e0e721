#include "app/LoginState.h"

#include "data/TableObject.h"

namespace tavolin {

bool LoginState::granted(const QString& name) const {
    return flags.value(name) == (name == QLatin1String("UserApprover") ? QLatin1String("Yes") : QLatin1String("True"));
}

void LoginState::readProperty(const TableObject& t) {
    auto text = [&](const char* column) { return t.text(QLatin1String(column)); };
    HotelIDLicenses = text("HotelID");
    HotelIDLicensesName = text("HotelName");
    HotelIDLicensesStatus = text("Status");
    ServerIP = text("ServerIP");
    ServerUserName = text("ServerUserName");
    ServerPassword = text("ServerPassword");
    ServerDatabase = text("ServerDatabase");
    HotelAddress1 = text("HotelAddress1");
    HotelAddress2 = text("HotelAddress2");
    HotelCity = text("HotelCity");
    HotelState = text("HotelState");
    HotelZip = text("HotelZip");
    HotelPhone = text("HotelPhone");
    HotelFax = text("HotelFax");
    HotelEntry = text("HotelEntry") == QLatin1String("YES") ? QStringLiteral("YES") : QStringLiteral("NO");
    // The points switches and values are read only as far as the property takes part in points.
    SubmitEmailPoints = QStringLiteral("NO");
    if (HotelEntry == QLatin1String("YES"))
        SubmitEmailPoints = text("SubmitEmailPoints") == QLatin1String("YES") ? QStringLiteral("YES") : QStringLiteral("NO");
    if (HotelEntry == QLatin1String("YES") && SubmitEmailPoints == QLatin1String("YES")) {
        HotelAwardPointsValue = t.number(QStringLiteral("HotelAwardPointsValue"));
        HotelMAGCPoints = t.integer(QStringLiteral("HotelMAGCPoints"));
        MaxAmountSPG = t.integer(QStringLiteral("MaxAmountSPG"));
    }
}

LoginState& login() {
    static LoginState state;
    return state;
}

}  // namespace tavolin
