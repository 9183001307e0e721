#include <QString>
#include <cstddef>
#include <cstdint>

#include "rates/HotelReply.h"

// A reply arrives as UTF-8 text; whatever it holds must end in a reply or a HotelServiceError.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    try {
        const tavolin::HotelReply reply = tavolin::readHotelReply(text);
        (void)reply.errorText();
        (void)reply.hotelFound();
    } catch (const tavolin::HotelServiceError& e) {
        if (e.text().isEmpty()) __builtin_trap();  // the user is always told what is wrong
    }
    return 0;
}
