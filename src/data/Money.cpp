#include "data/Money.h"

#include <cmath>
#include <limits>

namespace tavolin {

namespace {
__extension__ typedef __int128 Int128;
}

std::optional<Money> Money::parse(const QString& text) {
    const QString t = text.trimmed();
    if (t.isEmpty()) return std::nullopt;
    int i = 0;
    bool negative = false;
    if (t[0] == u'-' || t[0] == u'+') {
        negative = t[0] == u'-';
        ++i;
    }
    qint64 whole = 0;
    qint64 fraction = 0;
    int wholeDigits = 0;
    int fractionDigits = 0;
    bool point = false;
    for (; i < t.size(); ++i) {
        const QChar c = t[i];
        if (c == u'.' && !point) {
            point = true;
            continue;
        }
        if (c < u'0' || c > u'9') return std::nullopt;
        const int d = c.unicode() - '0';
        if (!point) {
            if (whole > (std::numeric_limits<qint64>::max() / Scale - d) / 10) return std::nullopt;
            whole = whole * 10 + d;
            ++wholeDigits;
        } else {
            if (++fractionDigits > 4) {
                if (d != 0) return std::nullopt;  // more precision than an amount holds
                continue;
            }
            fraction = fraction * 10 + d;
        }
    }
    if (wholeDigits == 0 && fractionDigits == 0) return std::nullopt;
    for (int k = std::min(fractionDigits, 4); k < 4; ++k) fraction *= 10;
    const qint64 units = whole * Scale + fraction;
    return fromUnits(negative ? -units : units);
}

Money Money::fromDouble(double value) { return fromUnits(qint64(std::llround(value * Scale))); }

namespace {
QString render(qint64 units, int decimals) {
    // Round half away from zero to the requested number of decimals.
    qint64 div = 1;
    for (int k = decimals; k < 4; ++k) div *= 10;
    const bool negative = units < 0;
    quint64 a = negative ? quint64(-(units + 1)) + 1 : quint64(units);
    a = (a + div / 2) / div;
    quint64 scale = 1;
    for (int k = 0; k < decimals; ++k) scale *= 10;
    const quint64 whole = a / scale;
    const quint64 frac = a % scale;
    QString s = QString::number(whole);
    if (decimals > 0) s += u'.' + QString::number(frac).rightJustified(decimals, u'0');
    if (negative && a != 0) s.prepend(u'-');
    return s;
}
}  // namespace

QString Money::shortest() const {
    QString s = render(units_, 4);
    if (s.contains(u'.')) {
        while (s.endsWith(u'0')) s.chop(1);
        if (s.endsWith(u'.')) s.chop(1);
    }
    return s;
}

QString Money::twoDecimals() const { return render(units_, 2); }
QString Money::fourDecimals() const { return render(units_, 4); }

Money Money::times(Money count) const {
    // (a/S) * (b/S) = a*b/S^2 -> units a*b/S, rounded half away from zero.
    const Int128 p = static_cast<Int128>(units_) * count.units_;
    const Int128 half = Scale / 2;
    const Int128 r = p >= 0 ? (p + half) / Scale : (p - half) / Scale;
    return fromUnits(qint64(r));
}

}  // namespace tavolin
