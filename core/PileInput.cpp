#include "core/PileInput.h"

#include <charconv>
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
    input.d = "1000";
    input.c = "0";
    input.reductionFactor = "0.70";
    input.layers = {RockLayer::StartRow()};
    return input;
}

int LayerCount(const PileInput& input) { return static_cast<int>(input.layers.size()); }

bool TryConvertNumber(std::string_view text, double& value)
{
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && text[begin] == ' ') ++begin;
    while (end > begin && text[end - 1] == ' ') --end;
    const std::string_view body = text.substr(begin, end - begin);

    // Validate the accepted form first; from_chars alone would also take "inf",
    // "nan" and hexadecimal forms.
    std::size_t i = 0;
    bool negative = false;
    if (i < body.size() && (body[i] == '+' || body[i] == '-')) negative = body[i++] == '-';
    const std::size_t numberStart = i;
    std::size_t digits = 0;
    while (i < body.size() && body[i] >= '0' && body[i] <= '9') ++i, ++digits;
    if (i < body.size() && body[i] == '.') {
        ++i;
        while (i < body.size() && body[i] >= '0' && body[i] <= '9') ++i, ++digits;
    }
    if (digits == 0) return false;
    if (i < body.size() && (body[i] == 'e' || body[i] == 'E')) {
        ++i;
        if (i < body.size() && (body[i] == '+' || body[i] == '-')) ++i;
        std::size_t exponentDigits = 0;
        while (i < body.size() && body[i] >= '0' && body[i] <= '9') ++i, ++exponentDigits;
        if (exponentDigits == 0) return false;
    }
    if (i != body.size()) return false;

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
