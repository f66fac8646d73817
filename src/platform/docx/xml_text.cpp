#include "platform/docx/xml_text.h"

namespace docx {
namespace {

// Decodes one UTF-8 sequence at `i`; returns its length, or 0 for a malformed one.
std::size_t decode(std::string_view s, std::size_t i, char32_t& cp)
{
    const auto b0 = static_cast<unsigned char>(s[i]);
    std::size_t len;
    char32_t min;
    if (b0 < 0x80) {
        cp = b0;
        return 1;
    } else if ((b0 & 0xE0) == 0xC0) {
        len = 2, cp = b0 & 0x1F, min = 0x80;
    } else if ((b0 & 0xF0) == 0xE0) {
        len = 3, cp = b0 & 0x0F, min = 0x800;
    } else if ((b0 & 0xF8) == 0xF0) {
        len = 4, cp = b0 & 0x07, min = 0x10000;
    } else {
        return 0;
    }
    if (i + len > s.size())
        return 0;
    for (std::size_t k = 1; k < len; ++k) {
        const auto b = static_cast<unsigned char>(s[i + k]);
        if ((b & 0xC0) != 0x80)
            return 0;
        cp = (cp << 6) | (b & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        return 0;
    return len;
}

bool xmlAllows(char32_t cp)
{
    if (cp < 0x20)
        return cp == 0x09 || cp == 0x0A || cp == 0x0D;
    return cp != 0xFFFE && cp != 0xFFFF;
}

}  // namespace

std::string prepareText(std::string_view utf8)
{
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        char32_t cp = 0;
        const std::size_t len = decode(utf8, i, cp);
        if (len == 0) {
            ++i;  // a stray byte of broken UTF-8: dropped
            continue;
        }
        if (cp == '\r') {
            out += kBreakMark;
            if (i + 1 < utf8.size() && utf8[i + 1] == '\n')
                ++i;
        } else if (cp == '\n') {
            out += kBreakMark;
        } else if (cp == '\t') {
            out += kTabMark;
        } else if (xmlAllows(cp)) {
            out.append(utf8.substr(i, len));
        }
        i += len;
    }
    return out;
}

}  // namespace docx
