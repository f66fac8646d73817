#include "field_codec.h"

#include "bytes.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>

namespace paradox::codec {

bool allZero(const std::uint8_t* p, int n) {
    for (int i = 0; i < n; ++i)
        if (p[i] != 0) return false;
    return true;
}

std::string fieldLabel(const FieldDef& field) { return "Поле \"" + field.name + "\""; }

namespace {

// Days counted as the stored dates count them (0001-01-01 is day 1) to a civil date.
void civilFromDays(std::int64_t ordinal, int& y, int& m, int& d) {
    std::int64_t z = ordinal - 719163 + 719468;  // days since 1970-01-01, shifted to 0000-03-01
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const std::int64_t doe = z - era * 146097;
    const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    std::int64_t yy = yoe + era * 400;
    const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const std::int64_t mp = (5 * doy + 2) / 153;
    d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    y = static_cast<int>(yy + (m <= 2 ? 1 : 0));
}

std::int64_t daysFromCivil(int y, int m, int d) {
    y -= m <= 2 ? 1 : 0;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const std::int64_t yoe = y - era * 400;
    const std::int64_t doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
    const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468 + 719163;
}

int daysInMonth(int y, int m) {
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (m == 2 && ((y % 4 == 0 && y % 100 != 0) || y % 400 == 0)) return 29;
    return days[m - 1];
}

// Integers are stored big-endian with the sign bit flipped, so that bytes sort as numbers.
std::int64_t signedFromStored(const std::uint8_t* p, int n) {
    std::uint64_t v = bytes::be(p, n);
    const std::uint64_t sign = 1ull << (8 * n - 1);
    v ^= sign;
    if (v & sign) return static_cast<std::int64_t>(v | ~((sign << 1) - 1));  // sign-extend
    return static_cast<std::int64_t>(v);
}

void storeSigned(std::uint8_t* p, int n, std::int64_t value) {
    const std::uint64_t sign = 1ull << (8 * n - 1);
    std::uint64_t v = static_cast<std::uint64_t>(value) & ((sign << 1) - 1);
    bytes::putBe(p, n, v ^ sign);
}

double doubleFromStored(const std::uint8_t* p) {
    std::uint64_t v = bytes::be(p, 8);
    if (v & (1ull << 63)) v ^= (1ull << 63);
    else v = ~v;
    double d;
    std::memcpy(&d, &v, 8);
    return d;
}

void storeDouble(std::uint8_t* p, double d) {
    std::uint64_t v;
    std::memcpy(&v, &d, 8);
    if (v & (1ull << 63)) v = ~v;
    else v ^= (1ull << 63);
    bytes::putBe(p, 8, v);
}

// BCD: a byte of sign (bit 7 set: positive), bit 6 and the scale, then 32 digit
// nibbles, whose bits a negative number inverts. Stray nibbles end the digits.
double bcdValue(const std::uint8_t* raw) {
    const bool positive = raw[0] & 0x80;
    const int scale = raw[0] & 0x3F;
    std::string digits;
    for (int i = 0; i < 32; ++i) {
        int byte = raw[1 + i / 2];
        if (!positive) byte = ~byte & 0xFF;
        int nibble = i % 2 == 0 ? byte >> 4 : byte & 0x0F;
        if (nibble > 9) break;
        digits.push_back(static_cast<char>('0' + nibble));
    }
    while (digits.size() < 32) digits.push_back('0');
    std::string number = positive ? "" : "-";
    const int integerDigits = 32 - std::min(scale, 32);
    number += digits.substr(0, static_cast<std::size_t>(integerDigits));
    if (integerDigits == 0) number += "0";
    number += ".";
    number += digits.substr(static_cast<std::size_t>(integerDigits));
    number += "0";
    return std::strtod(number.c_str(), nullptr);
}

std::string formatNumber(double d) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.15g", d);
    if (std::strcmp(buf, "-0") == 0) return "0";
    return buf;
}

[[noreturn]] void bad(const FieldDef& f, const std::string& text, const std::string& expected) {
    throw Error(ErrorKind::BadValue, fieldLabel(f) + ": значение «" + text + "» не подходит; нужно " + expected + ".");
}

bool parseInt(const std::string& t, std::int64_t& out) {
    const char* b = t.data();
    const char* e = b + t.size();
    if (b != e && *b == '+') ++b;
    auto r = std::from_chars(b, e, out);
    return r.ec == std::errc() && r.ptr == e && b != e;
}

bool parseDouble(const std::string& t, double& out) {
    if (t.empty() || std::isspace(static_cast<unsigned char>(t[0]))) return false;
    std::string s = t;
    for (char& c : s)
        if (c == ',') c = '.';
    char* end = nullptr;
    out = std::strtod(s.c_str(), &end);
    return end == s.c_str() + s.size() && std::isfinite(out);
}

// "2018-01-31" or "31.01.2018".
bool parseDate(const std::string& t, std::int32_t& days) {
    int y, m, d;
    char tail;
    if (std::sscanf(t.c_str(), "%4d-%2d-%2d%c", &y, &m, &d, &tail) != 3 &&
        std::sscanf(t.c_str(), "%2d.%2d.%4d%c", &d, &m, &y, &tail) != 3)
        return false;
    if (y < 1 || y > 9999 || m < 1 || m > 12 || d < 1 || d > daysInMonth(y, m)) return false;
    days = static_cast<std::int32_t>(daysFromCivil(y, m, d));
    return true;
}

// "13:05", "13:05:07" or "13:05:07.250".
bool parseTime(const std::string& t, std::int32_t& ms) {
    int h = 0, mi = 0, s = 0, milli = 0, n = 0;
    const int got = std::sscanf(t.c_str(), "%2d:%2d%n:%2d%n.%3d%n", &h, &mi, &n, &s, &n, &milli, &n);
    if (got < 2 || static_cast<std::size_t>(n) != t.size()) return false;
    if (h > 23 || mi > 59 || s > 59 || h < 0 || mi < 0 || s < 0 || milli < 0) return false;
    ms = ((h * 60 + mi) * 60 + s) * 1000 + milli;
    return true;
}

}  // namespace

std::string formatDate(std::int32_t days) {
    int y, m, d;
    civilFromDays(days, y, m, d);
    char buf[32];
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02d", y, m, d);
    return buf;
}

std::string formatTime(std::int32_t ms) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%02d:%02d:%02d.%03d", ms / 3600000, ms / 60000 % 60, ms / 1000 % 60, ms % 1000);
    return buf;
}

std::string formatTimestamp(double ms) {
    if (!std::isfinite(ms) || ms < 0 || ms > 4e14) return formatNumber(ms);
    auto total = static_cast<std::int64_t>(std::llround(ms));
    auto days = static_cast<std::int32_t>(total / 86400000);
    auto rest = static_cast<std::int32_t>(total % 86400000);
    return formatDate(days) + " " + formatTime(rest);
}

Value decode(FieldType type, int length, const std::uint8_t* raw, int size, const CodePage& cp) {
    (void)length;
    if (allZero(raw, size)) return std::monostate{};
    switch (type) {
        case FieldType::Alpha: {
            auto n = strnlen(reinterpret_cast<const char*>(raw), static_cast<std::size_t>(size));
            return cp.decode(reinterpret_cast<const char*>(raw), n);
        }
        case FieldType::Date: return Date{static_cast<std::int32_t>(signedFromStored(raw, 4))};
        case FieldType::Time: return Time{static_cast<std::int32_t>(signedFromStored(raw, 4))};
        case FieldType::Short: return signedFromStored(raw, 2);
        case FieldType::Long:
        case FieldType::AutoIncrement: return signedFromStored(raw, 4);
        case FieldType::Money:
        case FieldType::Number: return doubleFromStored(raw);
        case FieldType::Timestamp: return Timestamp{doubleFromStored(raw)};
        case FieldType::Logical: return raw[0] == 0x81 || (raw[0] != 0x80 && (raw[0] & 0x7F) != 0);
        case FieldType::Bcd: return bcdValue(raw);
        case FieldType::Bytes: return std::vector<std::uint8_t>(raw, raw + size);
        default: return std::monostate{};
    }
}

std::string format(const Value& value, FieldType type) {
    struct Visitor {
        FieldType type;
        std::string operator()(std::monostate) const { return {}; }
        std::string operator()(const std::string& s) const { return s; }
        std::string operator()(std::int64_t v) const { return std::to_string(v); }
        std::string operator()(double v) const { return formatNumber(v); }
        std::string operator()(bool v) const { return v ? "1" : "0"; }
        std::string operator()(Date v) const {
            if (v.days < 1 || v.days > 3652059) return std::to_string(v.days);
            return formatDate(v.days);
        }
        std::string operator()(Time v) const {
            if (v.ms < 0 || v.ms >= 86400000) return std::to_string(v.ms);
            return formatTime(v.ms);
        }
        std::string operator()(Timestamp v) const { return formatTimestamp(v.ms); }
        std::string operator()(const std::vector<std::uint8_t>& b) const {
            static const char hex[] = "0123456789abcdef";
            std::string s;
            s.reserve(b.size() * 2);
            for (auto c : b) {
                s.push_back(hex[c >> 4]);
                s.push_back(hex[c & 15]);
            }
            return s;
        }
    };
    return std::visit(Visitor{type}, value);
}

void encode(const FieldDef& f, int size, const std::string& text, const CodePage& cp, std::uint8_t* out) {
    std::memset(out, 0, static_cast<std::size_t>(size));
    switch (f.type) {
        case FieldType::Alpha: {
            auto enc = cp.encode(text);
            if (enc.failed) {
                if (enc.failed->empty())
                    throw Error(ErrorKind::BadValue, fieldLabel(f) + ": текст содержит недопустимую последовательность байтов.");
                throw Error(ErrorKind::Unrepresentable,
                            fieldLabel(f) + ": символ «" + *enc.failed + "» нельзя записать в кодовой странице " +
                                std::to_string(cp.number()) + " этой таблицы; замените его.");
            }
            if (enc.bytes.find('\0') != std::string::npos)
                throw Error(ErrorKind::BadValue, fieldLabel(f) + ": текст содержит нулевой символ.");
            if (enc.bytes.size() > static_cast<std::size_t>(size))
                throw Error(ErrorKind::TooLong, fieldLabel(f) + ": текст длиннее " + std::to_string(size) +
                                                    " символов (в нём " + std::to_string(utf8Length(text)) +
                                                    "); сократите его.");
            std::memcpy(out, enc.bytes.data(), enc.bytes.size());
            return;
        }
        case FieldType::Short:
        case FieldType::Long:
        case FieldType::AutoIncrement: {
            std::int64_t v;
            const int n = f.type == FieldType::Short ? 2 : 4;
            const std::int64_t limit = f.type == FieldType::Short ? 32767 : 2147483647;
            if (!parseInt(text, v) || v > limit || v < -limit)
                bad(f, text, "целое число от " + std::to_string(-limit) + " до " + std::to_string(limit));
            storeSigned(out, n, v);
            return;
        }
        case FieldType::Money:
        case FieldType::Number: {
            double d;
            if (!parseDouble(text, d)) bad(f, text, "число");
            storeDouble(out, d);
            return;
        }
        case FieldType::Date: {
            std::int32_t days;
            if (!parseDate(text, days)) bad(f, text, "дата вида ГГГГ-ММ-ДД");
            storeSigned(out, 4, days);
            return;
        }
        case FieldType::Time: {
            std::int32_t ms;
            if (!parseTime(text, ms)) bad(f, text, "время вида ЧЧ:ММ:СС");
            storeSigned(out, 4, ms);
            return;
        }
        case FieldType::Timestamp: {
            auto space = text.find(' ');
            std::int32_t days, ms = 0;
            if (space == std::string::npos ? !parseDate(text, days)
                                           : (!parseDate(text.substr(0, space), days) ||
                                              !parseTime(text.substr(space + 1), ms)))
                bad(f, text, "дата и время вида ГГГГ-ММ-ДД ЧЧ:ММ:СС");
            storeDouble(out, static_cast<double>(days) * 86400000.0 + ms);
            return;
        }
        case FieldType::Logical: {
            if (text == "1" || text == "true" || text == "True" || text == "да") out[0] = 0x81;
            else if (text == "0" || text == "false" || text == "False" || text == "нет") out[0] = 0x80;
            else bad(f, text, "1 или 0");
            return;
        }
        case FieldType::Bcd: {
            const int scale = f.length;
            std::string t = text;
            bool negative = false;
            if (!t.empty() && (t[0] == '-' || t[0] == '+')) {
                negative = t[0] == '-';
                t.erase(0, 1);
            }
            for (char& c : t)
                if (c == ',') c = '.';
            auto dot = t.find('.');
            std::string ip = t.substr(0, dot), fp = dot == std::string::npos ? "" : t.substr(dot + 1);
            auto digitsOnly = [](const std::string& s) {
                for (char c : s)
                    if (c < '0' || c > '9') return false;
                return true;
            };
            while (!fp.empty() && fp.back() == '0') fp.pop_back();
            while (ip.size() > 1 && ip[0] == '0') ip.erase(0, 1);
            if ((ip.empty() && fp.empty()) || !digitsOnly(ip) || !digitsOnly(fp) ||
                fp.size() > static_cast<std::size_t>(scale) || ip.size() > static_cast<std::size_t>(32 - scale))
                bad(f, text, "число не более чем с " + std::to_string(scale) + " знаками после точки");
            std::string digits(static_cast<std::size_t>(32 - scale) - ip.size(), '0');
            digits += ip + fp;
            digits.append(static_cast<std::size_t>(scale) - fp.size(), '0');
            bool zero = digits.find_first_not_of('0') == std::string::npos;
            if (zero) negative = false;
            out[0] = static_cast<std::uint8_t>((negative ? 0 : 0x80) | 0x40 | scale);
            for (int i = 0; i < 16; ++i)
                out[1 + i] = static_cast<std::uint8_t>(((digits[2 * i] - '0') << 4) | (digits[2 * i + 1] - '0'));
            if (negative)
                for (int i = 1; i < 17; ++i) out[i] = static_cast<std::uint8_t>(~out[i]);
            return;
        }
        case FieldType::Bytes: {
            if (text.size() % 2 != 0 || text.size() / 2 > static_cast<std::size_t>(size))
                bad(f, text, "не более " + std::to_string(size) + " байтов шестнадцатеричными цифрами");
            for (std::size_t i = 0; i < text.size(); i += 2) {
                unsigned v = 0;
                auto r = std::from_chars(text.data() + i, text.data() + i + 2, v, 16);
                if (r.ec != std::errc() || r.ptr != text.data() + i + 2)
                    bad(f, text, "шестнадцатеричные цифры");
                out[i / 2] = static_cast<std::uint8_t>(v);
            }
            return;
        }
        default:
            throw Error(ErrorKind::Unsupported, fieldLabel(f) + ": запись значения этого типа не поддерживается.");
    }
}

}  // namespace paradox::codec

