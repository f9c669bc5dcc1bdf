#pragma once
// GBK bytes of UTF-8 text, fast enough for files of millions of lines.
//
// ASCII bytes are the same in GBK and pass through unchanged. Every other character is
// converted once with QStringEncoder, checked by decoding its bytes back (a best-fit
// substitute would pass the encoder silently), and its bytes are kept for the next time
// it comes. GBK has no shift states, so the bytes of a text are the bytes of its
// characters one after another: the result is exactly that of converting the whole text
// with QStringEncoder and checking the round trip.
//
// An encoder keeps its own table of characters and is not shared between threads; each
// thread that converts text has its own.

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace rockpile {

class GbkEncoder {
public:
    GbkEncoder();
    ~GbkEncoder();
    GbkEncoder(const GbkEncoder&) = delete;
    GbkEncoder& operator=(const GbkEncoder&) = delete;

    // Whether the platform can convert to GBK at all.
    bool isValid() const { return valid_; }

    // Appends the GBK bytes of `utf8` to `out`. Returns false when a character of the
    // text cannot be held in GBK (or the text is not valid UTF-8); `out` then holds part
    // of the text and is to be dropped by the caller.
    bool append(std::string_view utf8, std::string& out);

private:
    // One entry per character below U+10000, in pages of 256 made when first needed:
    // 0 not yet seen, kUnencodable, kConvertEachTime, or the length (1..3) in the top
    // byte and the bytes below it, first byte highest.
    static constexpr std::uint32_t kUnencodable = 0xFFFFFFFFu;
    static constexpr std::uint32_t kConvertEachTime = 0xFFFFFFFEu;
    using Page = std::array<std::uint32_t, 256>;

    std::uint32_t lookUp(char32_t codePoint);

    std::array<std::unique_ptr<Page>, 256> pages_;
    bool valid_ = false;
};

// Converts one character exactly (QStringEncoder, then decoded back and compared) and
// appends its bytes. False when GBK cannot hold it.
bool AppendGbkCharacter(char32_t codePoint, std::string& out);

}  // namespace rockpile
