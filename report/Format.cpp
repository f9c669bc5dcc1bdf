#include "report/Format.h"

#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace rockpile {

// ---------------------------------------------------------------------------------
// Display width

int DisplayWidth(std::string_view text)
{
    // Walk the UTF-8 text code point by code point and count the UTF-16 code units it
    // would take. A code point above U+FFFF is a surrogate pair: two units, neither of
    // them in the double-width range. A malformed byte counts as one unit, as the
    // replacement character would.
    const auto* p = reinterpret_cast<const unsigned char*>(text.data());
    const auto* const end = p + text.size();
    int width = 0;
    while (p < end) {
        const unsigned char lead = *p;
        if (lead < 0x80) {
            ++width;
            ++p;
            continue;
        }
        int length = 0;
        char32_t codePoint = 0;
        if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
            codePoint = lead & 0x1Fu;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            codePoint = lead & 0x0Fu;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            codePoint = lead & 0x07u;
        }
        bool wellFormed = length > 0 && end - p >= length;
        for (int i = 1; wellFormed && i < length; ++i) {
            if ((p[i] & 0xC0u) != 0x80u) wellFormed = false;
            else codePoint = (codePoint << 6) | (p[i] & 0x3Fu);
        }
        if (!wellFormed) {
            ++width;
            ++p;
            continue;
        }
        p += length;
        if (codePoint > 0xFFFF) width += 2;
        else if (codePoint >= 0x1000 && codePoint <= 0x9FA5) width += 2;
        else ++width;
    }
    return width;
}

std::string Spaces(int count)
{
    return count > 0 ? std::string(static_cast<std::size_t>(count), ' ') : std::string();
}

std::string PadLeft(std::string_view text, char filler, int width)
{
    const int n = width - DisplayWidth(text);
    std::string out;
    if (n > 0) out.assign(static_cast<std::size_t>(n), filler);
    out.append(text);
    return out;
}

std::string PadRight(std::string_view text, char filler, int width)
{
    const int n = width - DisplayWidth(text);
    std::string out(text);
    if (n > 0) out.append(static_cast<std::size_t>(n), filler);
    return out;
}

std::string PadCenter(std::string_view text, char filler, int width)
{
    const int n = width - DisplayWidth(text);
    if (n <= 0) return std::string(text);
    // The odd filler goes to the left.
    const int right = n / 2;
    const int left = n - right;
    std::string out(static_cast<std::size_t>(left), filler);
    out.append(text);
    out.append(static_cast<std::size_t>(right), filler);
    return out;
}

// ---------------------------------------------------------------------------------
// Number formats
//
// Both formats work on the decimal digits of the value rather than on binary
// arithmetic: the magnitude is first written with 18 significant digits (a correctly
// rounded conversion, ties to even), and that digit string is then cut to the digits
// wanted, rounding half away from zero. A value stored just below a tie (2.675 is
// 2.67499999...) therefore stays below it, and one stored just above (99.995 is
// 99.99500000000000455) goes up.
//
// The decimal separator is always ".": every number written here is read back by the
// same program (the report reads layer cells, the design search reads result cells)
// through TryConvertNumber, which accepts "." only, and the Chinese locale the program
// is made for uses "." as well. Keeping it fixed also keeps the reports independent of
// the machine's settings. No iostreams or locale facets are involved: the design
// search formats millions of numbers.

namespace {

constexpr int kDigits = 18;

// The significant digits of a positive finite magnitude: value = 0.d1d2...d18 × 10^point.
struct Digits {
    char d[kDigits] = {};
    int count = 0;  // digits in use after a cut; 0 means the value became zero
    int point = 0;
};

// ToDigits by the library: 1 + 17 digits in scientific notation, correctly rounded.
Digits LibraryDigits(double magnitude)
{
    // "d.ddddddddddddddddde+XX".
    char buffer[40];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, magnitude,
                                      std::chars_format::scientific, kDigits - 1);
    Digits digits;
    digits.d[0] = buffer[0];
    std::memcpy(digits.d + 1, buffer + 2, kDigits - 1);
    const char* e = buffer + kDigits + 1;  // the 'e'
    int exponent = 0;
    const char* q = e + 1;
    const bool negative = *q == '-';
    if (*q == '-' || *q == '+') ++q;
    std::from_chars(q, result.ptr, exponent);
    digits.point = (negative ? -exponent : exponent) + 1;
    digits.count = kDigits;
    return digits;
}

// ToDigits in integer arithmetic for magnitudes from 0.1 up to 1e17, the range of
// nearly every figure of a pile, several times faster than the library's conversion with a
// precision. The magnitude is m × 2^e exactly (m below 2^53); its 18 digits are
// m × 10^k / 2^-e with k = 17 - the decimal exponent, rounded half to even as the
// library does. m × 10^k stays below 2^53 × 10^19 < 2^127. False outside the range.
// The decimal exponent is estimated from the binary one and corrected when the digits
// come out one too few or too many.
bool ExactDigits(double magnitude, Digits& digits)
{
    if (!(magnitude >= 0.1 && magnitude < 1e17)) return false;
    using u128 = unsigned __int128;
    // 10^0 .. 10^19.
    static constexpr auto kPowers = [] {
        std::array<u128, 20> powers{};
        u128 power = 1;
        for (u128& p : powers) {
            p = power;
            power *= 10;
        }
        return powers;
    }();
    // The magnitude is a normal double in this range: its 52 stored bits and the
    // hidden 1 are the mantissa, its biased exponent gives e.
    const auto bits = std::bit_cast<std::uint64_t>(magnitude);
    const auto mantissa = (bits & ((std::uint64_t{1} << 52) - 1)) | (std::uint64_t{1} << 52);
    const int binaryExponent = static_cast<int>(bits >> 52) - 1022;  // as frexp gives it
    const int e = binaryExponent - 53;  // magnitude = mantissa × 2^e
    const u128 least = kPowers[17];
    const u128 bound = kPowers[18];
    // floor((binaryExponent - 1) × log10(2)) in integers (78913 / 2^18 is log10(2) closely
    // enough for every exponent here): the decimal exponent, or one below it.
    int exponent10 = ((binaryExponent - 1) * 78913) >> 18;
    for (int attempt = 0; attempt < 3; ++attempt) {
        const int k = 17 - exponent10;
        if (k < 0 || k > 19) return false;
        const u128 scaled = static_cast<u128>(mantissa) * kPowers[static_cast<std::size_t>(k)];
        u128 whole = 0;  // the digits before rounding
        u128 n = 0;      // rounded
        if (e >= 0) {
            whole = n = scaled << e;
        } else {
            const int shift = -e;
            if (shift >= 127) return false;
            whole = n = scaled >> shift;
            const u128 rest = scaled - (whole << shift);
            const u128 half = static_cast<u128>(1) << (shift - 1);
            if (rest > half || (rest == half && (whole & 1) != 0)) ++n;
        }
        // The estimate of the decimal exponent may be one off.
        if (whole < least) {
            --exponent10;
            continue;
        }
        if (whole >= bound) {
            ++exponent10;
            continue;
        }
        int point = exponent10 + 1;
        if (n == bound) {  // rounded up to the next power of ten
            n = least;
            ++point;
        }
        // Two halves of nine digits, each in 32-bit arithmetic, two digits at a time.
        static constexpr auto kPairs = [] {
            std::array<char, 200> pairs{};
            for (int i = 0; i < 100; ++i) {
                pairs[static_cast<std::size_t>(2 * i)] = static_cast<char>('0' + i / 10);
                pairs[static_cast<std::size_t>(2 * i + 1)] = static_cast<char>('0' + i % 10);
            }
            return pairs;
        }();
        const auto value = static_cast<std::uint64_t>(n);
        auto high = static_cast<std::uint32_t>(value / 1'000'000'000u);
        auto low = static_cast<std::uint32_t>(value % 1'000'000'000u);
        for (int i = 7; i >= 1; i -= 2) {
            std::memcpy(digits.d + i, &kPairs[2 * (high % 100)], 2);
            std::memcpy(digits.d + 9 + i, &kPairs[2 * (low % 100)], 2);
            high /= 100;
            low /= 100;
        }
        digits.d[0] = static_cast<char>('0' + high);
        digits.d[9] = static_cast<char>('0' + low);
        digits.point = point;
        digits.count = kDigits;
        return true;
    }
    return false;
}

Digits ToDigits(double magnitude)
{
    Digits digits;
    if (ExactDigits(magnitude, digits)) return digits;
    return LibraryDigits(magnitude);
}

// Keeps the first `keep` significant digits, rounding half away from zero on the
// first dropped digit. A carry out of the first digit moves the decimal point.
void Cut(Digits& digits, int keep)
{
    if (keep >= kDigits) {
        digits.count = kDigits;
        return;
    }
    if (keep < 0) {
        digits.count = 0;
        return;
    }
    const bool up = digits.d[keep] >= '5';
    digits.count = keep;
    if (!up) return;
    int i = keep - 1;
    while (i >= 0 && digits.d[i] == '9') digits.d[i--] = '0';
    if (i >= 0) {
        ++digits.d[i];
    } else {
        // All kept digits were nines (or none were kept): the value becomes 1 × 10^point.
        digits.d[0] = '1';
        if (digits.count == 0) digits.count = 1;
        ++digits.point;
    }
}

void TrimTrailingZeros(Digits& digits)
{
    while (digits.count > 0 && digits.d[digits.count - 1] == '0') --digits.count;
}

// Writes an int without leading zeros; returns the end.
char* WriteInt(char* out, int value)
{
    return std::to_chars(out, out + 12, value).ptr;
}

// Scientific form: "-", the first digit, "." and the others if any, "E", the
// exponent (a "-" only when negative).
std::string Scientific(bool negative, const Digits& digits)
{
    char buffer[48];
    char* out = buffer;
    if (negative) *out++ = '-';
    *out++ = digits.d[0];
    if (digits.count > 1) {
        *out++ = '.';
        std::memcpy(out, digits.d + 1, static_cast<std::size_t>(digits.count - 1));
        out += digits.count - 1;
    }
    *out++ = 'E';
    out = WriteInt(out, digits.point - 1);
    return std::string(buffer, out);
}

std::string NonFinite(double value)
{
    if (std::isnan(value)) return "NAN";
    return value < 0 ? "-INF" : "INF";
}

}  // namespace

std::string FormatFixed(double value, int precision, int decimals)
{
    if (precision < 2) precision = 2;
    if (precision > kDigits) precision = kDigits;
    if (decimals > kDigits) decimals = kDigits;
    if (decimals < 0) decimals = 0;
    if (!std::isfinite(value)) return NonFinite(value);

    Digits digits;
    if (value != 0) {
        digits = ToDigits(std::fabs(value));
        const int integerDigits = digits.point;
        Cut(digits, integerDigits + decimals < precision ? integerDigits + decimals : precision);
    }

    // Integer digits beyond the precision cannot be shown in fixed form.
    if (digits.count > 0 && digits.point > precision) {
        TrimTrailingZeros(digits);
        return Scientific(value < 0, digits);
    }

    // At most 18 integer digits, the separator and 18 decimals.
    char buffer[48];
    char* out = buffer;
    if (digits.count > 0 && value < 0) *out++ = '-';
    if (digits.count == 0 || digits.point <= 0) {
        *out++ = '0';
    } else {
        for (int i = 0; i < digits.point; ++i) *out++ = i < digits.count ? digits.d[i] : '0';
    }
    if (decimals > 0) {
        *out++ = '.';
        for (int j = 0; j < decimals; ++j) {
            const int i = digits.point + j;
            *out++ = (digits.count > 0 && i >= 0 && i < digits.count) ? digits.d[i] : '0';
        }
    }
    return std::string(buffer, out);
}

std::string FormatGeneral(double value)
{
    if (!std::isfinite(value)) return NonFinite(value);
    if (value == 0) return "0";

    constexpr int kGeneralPrecision = 15;
    Digits digits = ToDigits(std::fabs(value));
    Cut(digits, kGeneralPrecision);
    TrimTrailingZeros(digits);
    const bool negative = value < 0;
    const int e = digits.point;
    if (e > kGeneralPrecision || e < -3) return Scientific(negative, digits);

    char buffer[48];
    char* out = buffer;
    if (negative) *out++ = '-';
    if (e <= 0) {
        *out++ = '0';
        *out++ = '.';
        for (int i = 0; i < -e; ++i) *out++ = '0';
        std::memcpy(out, digits.d, static_cast<std::size_t>(digits.count));
        out += digits.count;
    } else {
        for (int i = 0; i < e; ++i) *out++ = i < digits.count ? digits.d[i] : '0';
        if (digits.count > e) {
            *out++ = '.';
            std::memcpy(out, digits.d + e, static_cast<std::size_t>(digits.count - e));
            out += digits.count - e;
        }
    }
    return std::string(buffer, out);
}

std::string FormatResult(double value, int mode, int precision)
{
    switch (mode) {
    case kTwoDecimals: return FormatFixed(value, precision, 2);
    case kOneDecimal: return FormatFixed(value, precision, 1);
    case kUnits: return FormatFixed(value, precision, 0);
    // Tens and hundreds cut toward zero; they never round up.
    case kTens: return FormatFixed(std::trunc(value / 10) * 10, 10, 0);
    case kHundreds: return FormatFixed(std::trunc(value / 100) * 100, 10, 0);
    default: return std::string();
    }
}

std::string FormatShare(double share, int mode, int precision)
{
    switch (mode) {
    case kTwoDecimals: return FormatFixed(share, precision, 2);
    case kOneDecimal: return FormatFixed(share, precision, 1);
    case kUnits: return FormatFixed(share, precision, 0);
    // A share is rounded, never cut to tens.
    case kTens:
    case kHundreds: return FormatFixed(share, 10, 0);
    default: return std::string();
    }
}

}  // namespace rockpile
