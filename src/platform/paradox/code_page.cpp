#include "code_page.h"

#include <iconv.h>
#include <map>
#include <stdexcept>

namespace paradox {

void appendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (c >> 6)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (c >> 12)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (c >> 18)));
        out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
}

namespace {

// Decodes one UTF-8 sequence at s[i]; returns false on a malformed one.
bool nextCodePoint(const std::string& s, std::size_t& i, char32_t& c) {
    auto b = static_cast<unsigned char>(s[i]);
    int extra;
    if (b < 0x80) { c = b; ++i; return true; }
    if ((b & 0xE0) == 0xC0) { c = b & 0x1F; extra = 1; }
    else if ((b & 0xF0) == 0xE0) { c = b & 0x0F; extra = 2; }
    else if ((b & 0xF8) == 0xF0) { c = b & 0x07; extra = 3; }
    else return false;
    for (int k = 1; k <= extra; ++k) {
        if (i + k >= s.size()) return false;
        auto n = static_cast<unsigned char>(s[i + k]);
        if ((n & 0xC0) != 0x80) return false;
        c = (c << 6) | (n & 0x3F);
    }
    static const char32_t minimum[] = {0, 0x80, 0x800, 0x10000};
    if (c < minimum[extra] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return false;
    i += static_cast<std::size_t>(extra) + 1;
    return true;
}

}  // namespace

std::size_t utf8Length(const std::string& s) {
    std::size_t n = 0;
    for (unsigned char b : s)
        if ((b & 0xC0) != 0x80) ++n;
    return n;
}

int CodePage::effective(int headerCodePage) {
    switch (headerCodePage) {
        case 437: case 850: case 852: case 866: case 1250: case 1251: case 1252:
            return headerCodePage;
        default:
            return 1251;
    }
}

const CodePage& CodePage::get(int number) {
    static const std::map<int, CodePage> pages = [] {
        std::map<int, CodePage> m;
        for (int n : {437, 850, 852, 866, 1250, 1251, 1252}) m.emplace(n, CodePage(n));
        return m;
    }();
    auto it = pages.find(effective(number));
    return it->second;
}

CodePage::CodePage(int number) : number_(number) {
    std::string name = "CP" + std::to_string(number);
    iconv_t cd = iconv_open("UTF-32LE", name.c_str());
    if (cd == reinterpret_cast<iconv_t>(-1))
        throw std::runtime_error("Кодовая страница " + name + " недоступна в этой системе.");
    for (int b = 0x80; b <= 0xFF; ++b) {
        char in = static_cast<char>(b);
        unsigned char out[8] = {};
        char* inp = &in;
        char* outp = reinterpret_cast<char*>(out);
        std::size_t inLeft = 1, outLeft = sizeof out;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
        char32_t c = 0xFFFD;
        if (iconv(cd, &inp, &inLeft, &outp, &outLeft) != static_cast<std::size_t>(-1) &&
            sizeof out - outLeft == 4) {
            c = static_cast<char32_t>(out[0] | (out[1] << 8) | (out[2] << 16) | (out[3] << 24));
            reverse_.emplace(c, static_cast<unsigned char>(b));
        }
        high_[static_cast<std::size_t>(b - 0x80)] = c;
    }
    iconv_close(cd);
}

std::string CodePage::decode(const char* bytes, std::size_t n) const {
    std::string out;
    std::size_t ascii = 0;
    while (ascii < n && static_cast<unsigned char>(bytes[ascii]) < 0x80) ++ascii;
    if (ascii == n) return std::string(bytes, n);
    out.reserve(n * 2);
    out.append(bytes, ascii);
    for (std::size_t i = ascii; i < n; ++i) {
        auto b = static_cast<unsigned char>(bytes[i]);
        if (b < 0x80) out.push_back(static_cast<char>(b));
        else appendUtf8(out, high_[b - 0x80]);
    }
    return out;
}

CodePage::Encoded CodePage::encode(const std::string& utf8) const {
    Encoded result;
    result.bytes.reserve(utf8.size());
    std::size_t i = 0;
    while (i < utf8.size()) {
        char32_t c;
        if (!nextCodePoint(utf8, i, c)) {
            result.failed = std::string();
            return result;
        }
        if (c < 0x80) {
            result.bytes.push_back(static_cast<char>(c));
            continue;
        }
        auto it = reverse_.find(c);
        if (it == reverse_.end()) {
            std::string ch;
            appendUtf8(ch, c);
            result.failed = ch;
            return result;
        }
        result.bytes.push_back(static_cast<char>(it->second));
    }
    return result;
}

}  // namespace paradox
