#include "tsv.h"

#include <cstdio>

namespace paradox::tsv {

std::string headerLine(const std::vector<FieldDef>& fields) {
    std::string line = "#";
    for (std::size_t i = 0; i < fields.size(); ++i) {
        char type[16];
        std::snprintf(type, sizeof type, "/0x%02x/", static_cast<unsigned>(fields[i].type));
        if (i) line += '\t';
        line += fields[i].name + type + std::to_string(fields[i].length);
    }
    return line;
}

std::string escape(const std::string& value) {
    std::string out;
    out.reserve(value.size());
    for (char c : value) {
        switch (c) {
            case '\t': out += "\\t"; break;
            case '\n': out += "\\n"; break;
            case '\r': out += "\\r"; break;
            default: out += c;
        }
    }
    return out;
}

std::string unescape(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 1 < text.size()) {
            char n = text[i + 1];
            if (n == 't' || n == 'n' || n == 'r') {
                out += n == 't' ? '\t' : n == 'n' ? '\n' : '\r';
                ++i;
                continue;
            }
        }
        out += text[i];
    }
    return out;
}

void dump(const Table& table, std::ostream& out) {
    out << headerLine(table.fields()) << '\n';
    for (std::size_t r = 0; r < table.recordCount(); ++r) {
        auto texts = table.rowTexts(r);
        for (std::size_t f = 0; f < texts.size(); ++f) {
            if (f) out << '\t';
            out << (texts[f] ? escape(*texts[f]) : std::string("\\N"));
        }
        out << '\n';
    }
}

std::vector<std::optional<std::string>> splitRow(const std::string& line) {
    std::vector<std::optional<std::string>> values;
    std::size_t start = 0;
    while (true) {
        auto tab = line.find('\t', start);
        std::string part = line.substr(start, tab == std::string::npos ? std::string::npos : tab - start);
        if (part == "\\N" || part.empty()) values.emplace_back(std::nullopt);
        else values.emplace_back(unescape(part));
        if (tab == std::string::npos) break;
        start = tab + 1;
    }
    return values;
}

std::vector<std::string> headerNames(const std::string& line) {
    std::vector<std::string> names;
    std::string body = !line.empty() && line[0] == '#' ? line.substr(1) : line;
    std::size_t start = 0;
    while (true) {
        auto tab = body.find('\t', start);
        std::string part = body.substr(start, tab == std::string::npos ? std::string::npos : tab - start);
        // "name/0xTYPE/length": the name itself may hold a slash ("State/Prov").
        auto last = part.rfind('/');
        if (last != std::string::npos && last > 0) {
            auto prev = part.rfind('/', last - 1);
            if (prev != std::string::npos && part.compare(prev + 1, 2, "0x") == 0) part = part.substr(0, prev);
        }
        names.push_back(part);
        if (tab == std::string::npos) break;
        start = tab + 1;
    }
    return names;
}

}  // namespace paradox::tsv
