#include "files/GbkEncoder.h"

#include <cstring>

#include <QByteArray>
#include <QString>
#include <QStringDecoder>
#include <QStringEncoder>

namespace rockpile {

namespace {

constexpr const char* kEncoding = "GBK";

// The code point of the UTF-8 sequence at `p` and its length in bytes; length 0 for a
// malformed sequence (overlong forms, surrogates and values above U+10FFFF included).
struct Decoded {
    char32_t codePoint = 0;
    int length = 0;
};

Decoded DecodeUtf8(const unsigned char* p, const unsigned char* end)
{
    const unsigned char lead = *p;
    int length = 0;
    char32_t codePoint = 0;
    char32_t least = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        codePoint = lead & 0x1Fu;
        least = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        codePoint = lead & 0x0Fu;
        least = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        codePoint = lead & 0x07u;
        least = 0x10000;
    } else {
        return {};
    }
    if (end - p < length) return {};
    for (int i = 1; i < length; ++i) {
        if ((p[i] & 0xC0u) != 0x80u) return {};
        codePoint = (codePoint << 6) | (p[i] & 0x3Fu);
    }
    if (codePoint < least || codePoint > 0x10FFFF || (codePoint >= 0xD800 && codePoint <= 0xDFFF)) return {};
    return {codePoint, length};
}

// The exact conversion of one character: its bytes, or nothing when GBK cannot hold it.
bool ConvertExactly(char32_t codePoint, QByteArray& bytes)
{
    const QString text = QString::fromUcs4(&codePoint, 1);
    QStringEncoder encoder(kEncoding);
    QStringDecoder decoder(kEncoding);
    bytes = encoder.encode(text);
    if (encoder.hasError()) return false;
    const QString back = decoder.decode(bytes);
    return !decoder.hasError() && back == text;
}

// The exact conversion of a whole text, the same way.
bool ConvertTextExactly(std::string_view utf8, std::string& out)
{
    const QString text = QString::fromUtf8(utf8.data(), qsizetype(utf8.size()));
    QStringEncoder encoder(kEncoding);
    QStringDecoder decoder(kEncoding);
    const QByteArray bytes = encoder.encode(text);
    if (encoder.hasError()) return false;
    const QString back = decoder.decode(bytes);
    if (decoder.hasError() || back != text) return false;
    out.append(bytes.constData(), std::size_t(bytes.size()));
    return true;
}

}  // namespace

GbkEncoder::GbkEncoder() : valid_(QStringEncoder(kEncoding).isValid()) {}

GbkEncoder::~GbkEncoder() = default;

bool AppendGbkCharacter(char32_t codePoint, std::string& out)
{
    QByteArray bytes;
    if (!ConvertExactly(codePoint, bytes)) return false;
    out.append(bytes.constData(), std::size_t(bytes.size()));
    return true;
}

std::uint32_t GbkEncoder::lookUp(char32_t codePoint)
{
    std::unique_ptr<Page>& page = pages_[codePoint >> 8];
    if (!page) page = std::make_unique<Page>(Page{});
    std::uint32_t& entry = (*page)[codePoint & 0xFFu];
    if (entry != 0) return entry;
    QByteArray bytes;
    if (!ConvertExactly(codePoint, bytes)) {
        entry = kUnencodable;
    } else if (bytes.isEmpty() || bytes.size() > 3) {
        entry = kConvertEachTime;
    } else {
        std::uint32_t packed = std::uint32_t(bytes.size()) << 24;
        for (qsizetype i = 0; i < bytes.size(); ++i)
            packed |= std::uint32_t(static_cast<unsigned char>(bytes[i])) << (8 * (2 - i));
        entry = packed;
    }
    return entry;
}

bool GbkEncoder::append(std::string_view utf8, std::string& out)
{
    if (!valid_) return false;
    const auto* p = reinterpret_cast<const unsigned char*>(utf8.data());
    const auto* const end = p + utf8.size();
    while (p < end) {
        // A run of ASCII bytes in one go, found eight bytes at a time.
        const auto* run = p;
        while (end - run >= 8) {
            std::uint64_t word = 0;
            std::memcpy(&word, run, 8);
            if (word & 0x8080808080808080ull) break;
            run += 8;
        }
        while (run < end && *run < 0x80) ++run;
        if (run != p) {
            out.append(reinterpret_cast<const char*>(p), std::size_t(run - p));
            p = run;
            if (p == end) break;
        }
        const Decoded decoded = DecodeUtf8(p, end);
        if (decoded.length == 0) {
            // Not UTF-8: the whole text the slow way, which fails as a whole conversion
            // would (the replacement character has no GBK bytes).
            return ConvertTextExactly(std::string_view(reinterpret_cast<const char*>(p), std::size_t(end - p)), out);
        }
        if (decoded.codePoint > 0xFFFF) {
            if (!AppendGbkCharacter(decoded.codePoint, out)) return false;
        } else {
            const std::uint32_t entry = lookUp(decoded.codePoint);
            if (entry == kUnencodable) return false;
            if (entry == kConvertEachTime) {
                if (!AppendGbkCharacter(decoded.codePoint, out)) return false;
            } else {
                const int length = int(entry >> 24);
                char bytes[3] = {char((entry >> 16) & 0xFFu), char((entry >> 8) & 0xFFu), char(entry & 0xFFu)};
                out.append(bytes, std::size_t(length));
            }
        }
        p += decoded.length;
    }
    return true;
}

}  // namespace rockpile
