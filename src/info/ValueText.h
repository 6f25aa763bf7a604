// The printf-like formatter behind every value text of the information panel.
//
// Understood: "%d" signed decimal; "%x" (also "%X") hexadecimal with the digits
// A to F in upper case; "%f" fixed-point; "%%" a percent sign. Each may carry the
// flags "-" (left-justify) and "0" (pad with zeros), a minimum width and a
// precision: the minimum number of digits for "%d" and "%x", the number of
// decimals for "%f" (6 when absent). So "%2.2x" is two hex digits at least and
// "%0.1f" one decimal.
//
// "%f" rounds halves away from zero and decides that on the value's decimal
// digits, not on its binary fraction: the value is first written with as many
// significant digits as its type holds reliably (15 for a double, 18 for an
// x87 long double), so a double 0.15 reads 0.2 like 0.25 reads 0.3, while 0.125
// reads 0.1. A result that rounds to zero loses its minus sign.
#pragma once

#include <concepts>
#include <cstdint>
#include <initializer_list>
#include <limits>
#include <string>
#include <string_view>

// One argument of FormatValue: an integer or a real that remembers how many of
// its decimal digits are reliable.
class TValueArg {
public:
    template <std::integral T>
    requires(!std::same_as<T, bool> && (std::signed_integral<T> || sizeof(T) <= 4))
        TValueArg(T value)
        : integer_(value), digits_(0) {}
    TValueArg(double value) : real_(value), digits_(std::numeric_limits<double>::digits10) {}
    TValueArg(long double value)
        : real_(value), digits_(std::numeric_limits<long double>::digits10) {}

    bool IsReal() const { return digits_ > 0; }
    std::int64_t Integer() const { return integer_; }
    long double Real() const { return IsReal() ? real_ : static_cast<long double>(integer_); }
    // Significant decimal digits the value holds reliably.
    int Digits() const {
        return IsReal() ? digits_ : std::numeric_limits<std::int64_t>::digits10 + 1;
    }

private:
    union {
        std::int64_t integer_;
        long double real_;
    };
    int digits_; // 0 for an integer
};

// Fills the format's conversions with the arguments in order; decimalSeparator
// replaces the point of "%f" (the user's regional setting on Windows). Throws
// Error for an unknown conversion, a real given to "%d" or "%x", or too few
// arguments: those are faults of the calling code, not of the user.
std::wstring FormatValue(std::wstring_view format, std::initializer_list<TValueArg> args,
                         std::wstring_view decimalSeparator = L".");

// The same, appending to text instead of returning a new string, for callers
// that build many texts per mouse move.
void AppendValueText(std::wstring& text, std::wstring_view format,
                     std::initializer_list<TValueArg> args,
                     std::wstring_view decimalSeparator = L".");
