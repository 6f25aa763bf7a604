#include "info/ValueText.h"

#include "framework/Error.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>

namespace {

struct TConversion {
    bool leftJustify = false;
    bool zeroPad = false;
    int width = 0;
    int precision = -1; // -1: none given
    wchar_t type = 0;
};

[[noreturn]] void ThrowFormatError(std::wstring_view format) {
    throw Error(FormatMessageText(L"Invalid value format \"%s\".", {format}));
}

// Reads the conversion after a '%' at format[pos]; pos ends on its type letter.
TConversion ParseConversion(std::wstring_view format, size_t& pos) {
    TConversion conversion;
    auto number = [&] {
        int n = 0;
        while (pos < format.size() && format[pos] >= L'0' && format[pos] <= L'9') {
            n = n * 10 + (format[pos++] - L'0');
            if (n > 1000) ThrowFormatError(format); // no panel text is that wide
        }
        return n;
    };
    ++pos;
    for (; pos < format.size(); ++pos) {
        if (format[pos] == L'-')
            conversion.leftJustify = true;
        else if (format[pos] == L'0')
            conversion.zeroPad = true;
        else
            break;
    }
    conversion.width = number();
    if (pos < format.size() && format[pos] == L'.') {
        ++pos;
        conversion.precision = number();
    }
    if (pos >= format.size()) ThrowFormatError(format);
    conversion.type = format[pos];
    return conversion;
}

// Appends body with sign, padded to the conversion's width. Zero padding goes
// between the sign and the digits, as printf does.
void AppendPadded(std::wstring& text, const TConversion& conversion, bool negative,
                  std::wstring_view body, bool zeroPadAllowed) {
    const size_t length = body.size() + (negative ? 1 : 0);
    const size_t fill = conversion.width > static_cast<int>(length) ? conversion.width - length : 0;
    const bool zeros = conversion.zeroPad && zeroPadAllowed && !conversion.leftJustify;
    if (!conversion.leftJustify && !zeros) text.append(fill, L' ');
    if (negative) text += L'-';
    if (zeros) text.append(fill, L'0');
    text += body;
    if (conversion.leftJustify) text.append(fill, L' ');
}

void AppendInteger(std::wstring& text, const TConversion& conversion, std::int64_t value) {
    const bool hex = conversion.type != L'd';
    bool negative = false;
    std::uint64_t magnitude;
    if (hex) {
        // Negative numbers in hex are their two's complement, 32 bits wide when
        // they fit, as in C.
        magnitude = value < 0 && value >= INT32_MIN ? static_cast<std::uint32_t>(value)
                                                    : static_cast<std::uint64_t>(value);
    } else {
        negative = value < 0;
        magnitude = negative ? 0 - static_cast<std::uint64_t>(value) : value;
    }
    char digits[24];
    const auto end = std::to_chars(digits, digits + sizeof digits, magnitude, hex ? 16 : 10).ptr;
    const size_t count = end - digits;
    if (conversion.width == 0 && conversion.precision <= static_cast<int>(count)) {
        // The usual case of the panel rows: nothing to pad, no copy in between.
        wchar_t wide[24];
        size_t length = 0;
        if (negative) wide[length++] = L'-';
        for (const char* c = digits; c != end; ++c)
            wide[length++] = static_cast<wchar_t>(*c >= 'a' ? *c - 'a' + 'A' : *c);
        text.append(wide, length);
        return;
    }

    wchar_t body[1100];
    size_t length = 0;
    for (int i = static_cast<int>(count); i < conversion.precision; ++i)
        body[length++] = L'0';
    for (const char* c = digits; c != end; ++c)
        body[length++] = static_cast<wchar_t>(*c >= 'a' ? *c - 'a' + 'A' : *c);
    // A precision makes the digits exact, so the zero flag no longer applies.
    AppendPadded(text, conversion, negative, {body, length}, conversion.precision < 0);
}

// Significant decimal digits of a real with the position of its decimal point:
// the value is 0.digits x 10^point.
struct TDecimal {
    std::string digits;
    int point = 0;
};

TDecimal DecimalDigits(long double magnitude, int significant) {
    if (magnitude == 0) return {"0", 1};
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, magnitude,
                                      std::chars_format::scientific, significant - 1);
    // buffer holds "d.ddde+XX" (or "de+XX" for a single digit).
    TDecimal decimal;
    const char* c = buffer;
    for (; *c != 'e'; ++c)
        if (*c != '.') decimal.digits += *c;
    int exponent = 0;
    std::from_chars(c + 1 + (c[1] == '+'), result.ptr, exponent);
    decimal.point = exponent + 1;
    return decimal;
}

// Keeps the digits up to `decimals` places after the point and rounds on the
// first digit dropped: 5 or more rounds the magnitude up, away from zero.
void RoundDecimal(TDecimal& decimal, int decimals) {
    const int keep = decimal.point + decimals;
    if (keep >= static_cast<int>(decimal.digits.size())) return;
    if (keep < 0) {
        decimal = {"0", 1};
        return;
    }
    const bool up = decimal.digits[keep] >= '5';
    decimal.digits.resize(keep);
    if (!up) return;
    int i = keep - 1;
    for (; i >= 0 && decimal.digits[i] == '9'; --i)
        decimal.digits[i] = '0';
    if (i >= 0) {
        ++decimal.digits[i];
    } else {
        decimal.digits.insert(decimal.digits.begin(), '1');
        ++decimal.point;
    }
}

void AppendFixed(std::wstring& text, const TConversion& conversion, const TValueArg& arg,
                 std::wstring_view decimalSeparator) {
    const long double value = arg.Real();
    if (std::isnan(value)) return AppendPadded(text, conversion, false, L"NAN", false);
    if (std::isinf(value)) return AppendPadded(text, conversion, value < 0, L"INF", false);

    const int decimals = conversion.precision < 0 ? 6 : conversion.precision;
    TDecimal decimal = DecimalDigits(std::fabs(value), arg.Digits());
    RoundDecimal(decimal, decimals);

    const int count = static_cast<int>(decimal.digits.size());
    auto digitAt = [&](int i) -> wchar_t {
        return i >= 0 && i < count ? static_cast<wchar_t>(decimal.digits[i]) : L'0';
    };
    std::wstring body;
    body.reserve(std::max(decimal.point, 1) + decimals + decimalSeparator.size());
    if (decimal.point <= 0) body += L'0';
    for (int i = 0; i < decimal.point; ++i)
        body += digitAt(i);
    if (decimals > 0) {
        body += decimalSeparator;
        for (int i = 0; i < decimals; ++i)
            body += digitAt(decimal.point + i);
    }
    // "-0.0" would only puzzle the reader.
    const bool zero = decimal.digits.find_first_not_of('0') == std::string::npos;
    AppendPadded(text, conversion, std::signbit(value) && !zero, body, true);
}

} // namespace

void AppendValueText(std::wstring& text, std::wstring_view format,
                     std::initializer_list<TValueArg> args, std::wstring_view decimalSeparator) {
    auto next = args.begin();
    for (size_t pos = 0; pos < format.size(); ++pos) {
        // Literal text goes over in one piece.
        const size_t percent = std::min(format.find(L'%', pos), format.size());
        text.append(format.substr(pos, percent - pos));
        pos = percent;
        if (pos == format.size()) break;
        if (pos + 1 < format.size() && format[pos + 1] == L'%') {
            text += L'%';
            ++pos;
            continue;
        }
        const TConversion conversion = ParseConversion(format, pos);
        if (next == args.end()) ThrowFormatError(format);
        const TValueArg& arg = *next++;
        switch (conversion.type) {
        case L'd':
        case L'x':
        case L'X':
            if (arg.IsReal()) ThrowFormatError(format);
            AppendInteger(text, conversion, arg.Integer());
            break;
        case L'f':
            AppendFixed(text, conversion, arg, decimalSeparator);
            break;
        default:
            ThrowFormatError(format);
        }
    }
}

std::wstring FormatValue(std::wstring_view format, std::initializer_list<TValueArg> args,
                         std::wstring_view decimalSeparator) {
    std::wstring text;
    text.reserve(format.size() + 8 * args.size()); // one allocation for a typical row
    AppendValueText(text, format, args, decimalSeparator);
    return text;
}
