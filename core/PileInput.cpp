#include "core/PileInput.h"

#include <array>
#include <charconv>
#include <cstdint>
#include <cmath>

namespace rockpile {

RockLayer RockLayer::StartRow()
{
    RockLayer row;
    row.lr = "1.00";
    row.weathering = "中风化";
    row.integrityText = "较完整";
    row.kv = "0.75";
    row.frk = "25.00";
    row.c1Manual = "0.50";
    row.c2Manual = "0.04";
    row.qpaGiven = "8400.00";
    row.qraGiven = "840.00";
    return row;
}

PileInput PileInput::StartDefaults()
{
    PileInput input;
    input.sectionType = SectionType::Circular;
    // Built in place rather than assigned from literals: GCC 12 at -O3 warns falsely
    // (-Wrestrict) on a literal assigned to a string that may already hold text.
    input.d = std::string("1000");
    input.c = std::string("0");
    input.reductionFactor = std::string("0.70");
    input.layers = {RockLayer::StartRow()};
    return input;
}

int LayerCount(const PileInput& input) { return static_cast<int>(input.layers.size()); }

namespace {

// 10^0 .. 10^22, each exactly a double.
constexpr auto kExactPowers = [] {
    std::array<double, 23> powers{};
    double power = 1;
    for (double& p : powers) {
        p = power;
        power *= 10;
    }
    return powers;
}();

}  // namespace

bool TryConvertNumber(std::string_view text, double& value)
{
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && text[begin] == ' ') ++begin;
    while (end > begin && text[end - 1] == ' ') --end;
    const std::string_view body = text.substr(begin, end - begin);

    // Validate the accepted form first; from_chars alone would also take "inf",
    // "nan" and hexadecimal forms. On the way the digits are gathered into an integer
    // and the power of ten that scales it, as long as the integer stays at most 2^53.
    constexpr std::uint64_t kExactLimit = std::uint64_t{1} << 53;
    std::uint64_t mantissa = 0;
    bool exact = true;
    int scale = 0;
    const auto take = [&](char digit) {
        if (!exact) return;
        mantissa = mantissa * 10 + static_cast<std::uint64_t>(digit - '0');
        if (mantissa > kExactLimit) exact = false;
    };
    std::size_t i = 0;
    bool negative = false;
    if (i < body.size() && (body[i] == '+' || body[i] == '-')) negative = body[i++] == '-';
    const std::size_t numberStart = i;
    std::size_t digits = 0;
    while (i < body.size() && body[i] >= '0' && body[i] <= '9') take(body[i++]), ++digits;
    if (i < body.size() && body[i] == '.') {
        ++i;
        while (i < body.size() && body[i] >= '0' && body[i] <= '9') take(body[i++]), ++digits, --scale;
    }
    if (digits == 0) return false;
    if (i < body.size() && (body[i] == 'e' || body[i] == 'E')) {
        ++i;
        bool exponentNegative = false;
        if (i < body.size() && (body[i] == '+' || body[i] == '-')) exponentNegative = body[i++] == '-';
        std::size_t exponentDigits = 0;
        int exponent = 0;
        while (i < body.size() && body[i] >= '0' && body[i] <= '9') {
            if (exponent < 100'000) exponent = exponent * 10 + (body[i] - '0');
            ++i, ++exponentDigits;
        }
        if (exponentDigits == 0) return false;
        scale += exponentNegative ? -exponent : exponent;
    }
    if (i != body.size()) return false;

    // An integer below 2^53 and a power of ten up to 10^22 are both exact doubles, so one
    // multiplication or division rounds the value of the text correctly: the very value
    // from_chars gives, without its work.
    if (exact && scale >= -22 && scale <= 22) {
        const auto whole = static_cast<double>(mantissa);
        const double magnitude = scale >= 0 ? whole * kExactPowers[static_cast<std::size_t>(scale)]
                                            : whole / kExactPowers[static_cast<std::size_t>(-scale)];
        value = negative ? -magnitude : magnitude;
        return true;
    }

    // from_chars takes no leading '+', and a mantissa such as "5." or ".5" is fine.
    double magnitude = 0;
    const char* first = body.data() + numberStart;
    const char* last = body.data() + body.size();
    const auto [ptr, ec] = std::from_chars(first, last, magnitude, std::chars_format::general);
    if (ec != std::errc() || ptr != last || !std::isfinite(magnitude)) return false;
    value = negative ? -magnitude : magnitude;
    return true;
}

double ReadNumber(std::string_view text)
{
    double value = 0;
    return TryConvertNumber(text, value) ? value : 0.0;
}

}  // namespace rockpile
