#pragma once

#include <QString>
#include <QtGlobal>
#include <optional>

namespace tavolin {

// An exact currency amount: a 64-bit count of ten-thousandths. Sums and products by whole counts
// never lose a cent, whatever the number of lines.
class Money {
public:
    static constexpr qint64 Scale = 10000;

    constexpr Money() = default;
    static constexpr Money fromUnits(qint64 units) {
        Money m;
        m.units_ = units;
        return m;
    }
    static constexpr Money fromWhole(qint64 whole) { return fromUnits(whole * Scale); }
    // Parses "12", "12.5", "-0.0001", " 1,234.56 " is refused: digits, one point, a leading sign only.
    // More than four decimals is refused rather than rounded.
    static std::optional<Money> parse(const QString& text);
    // Nearest amount to a floating point value (half away from zero).
    static Money fromDouble(double value);

    constexpr qint64 units() const { return units_; }
    double toDouble() const { return double(units_) / Scale; }

    // "12.5", "100", "0": the shortest decimal form.
    QString shortest() const;
    // "12.50": two decimals, rounded half away from zero.
    QString twoDecimals() const;
    // "12.5000": all four decimals.
    QString fourDecimals() const;

    constexpr Money operator+(Money o) const { return fromUnits(units_ + o.units_); }
    constexpr Money operator-(Money o) const { return fromUnits(units_ - o.units_); }
    constexpr Money operator-() const { return fromUnits(-units_); }
    Money& operator+=(Money o) {
        units_ += o.units_;
        return *this;
    }
    Money& operator-=(Money o) {
        units_ -= o.units_;
        return *this;
    }
    // Count times value, where the count is itself an amount (a count may be typed with decimals);
    // rounded half away from zero to ten-thousandths.
    Money times(Money count) const;
    constexpr auto operator<=>(const Money&) const = default;

private:
    qint64 units_ = 0;
};

}  // namespace tavolin
