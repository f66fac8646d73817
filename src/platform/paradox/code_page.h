// 8-bit code pages of Paradox tables, as tables built once from iconv: decoding and
// encoding a field is then a lookup per character, fast enough for 100,000 records.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <unordered_map>

namespace paradox {

class CodePage {
public:
    // The code page used for a header's code page number: the named one when it is
    // one of the 8-bit pages a table carries, otherwise 1251.
    static int effective(int headerCodePage);
    // The tables for one of 437, 850, 852, 866, 1250, 1251, 1252.
    static const CodePage& get(int number);

    int number() const { return number_; }
    // Bytes in this code page to UTF-8 (a byte the page does not define becomes U+FFFD).
    std::string decode(const char* bytes, std::size_t n) const;
    std::string decode(const std::string& bytes) const { return decode(bytes.data(), bytes.size()); }

    struct Encoded {
        std::string bytes;
        // When a character cannot be written: that character (UTF-8), or "" for bad UTF-8.
        std::optional<std::string> failed;
    };
    Encoded encode(const std::string& utf8) const;

private:
    explicit CodePage(int number);
    int number_;
    std::array<char32_t, 128> high_{};            // bytes 0x80..0xFF
    std::unordered_map<char32_t, unsigned char> reverse_;
};

// UTF-8 helpers shared by the codecs.
void appendUtf8(std::string& out, char32_t c);
// Number of characters (code points) in valid UTF-8.
std::size_t utf8Length(const std::string& s);

}  // namespace paradox
