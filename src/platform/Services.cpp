#include "platform/Services.h"

#include <functional>
#include <stdexcept>

#include "data/DbError.h"
#include "mail/MailSender.h"
#include "rates/HotelService.h"
#include "reports/ReportEngine.h"

namespace tavolin {

QString Workstation::serialText() const {
    const quint32 s = volumeSerial();
    return QStringLiteral("%1-%2")
        .arg(s >> 16, 4, 16, QLatin1Char('0'))
        .arg(s & 0xFFFF, 4, 16, QLatin1Char('0'))
        .toUpper();
}

Services::Services() = default;
Services::~Services() = default;

namespace {
Services* installed = nullptr;
}

Services& Services::current() {
    if (!installed) throw std::logic_error("no services installed");
    return *installed;
}

void Services::install(Services* services) { installed = services; }

bool runCommand(const std::function<void()>& command) {
    try {
        command();
        return true;
    } catch (const DbError& e) {
        services().dialogs->message(e.text(), Dialogs::Icon::Error);
    } catch (const std::exception& e) {
        services().dialogs->message(QString::fromUtf8(e.what()), Dialogs::Icon::Error);
    }
    return false;
}

}  // namespace tavolin
