#include "tools/telma_templates_source.h"

#include <algorithm>
#include <sstream>

namespace templates {
namespace {

[[noreturn]] void fail(const std::string& fileName, int line, const std::string& what)
{
    throw SourceError(fileName + ":" + std::to_string(line) + ": " + what);
}

bool isNameChar(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
}

// Every "<Name>" of Latin letters and digits must be a field of the contract table: a typo would
// otherwise stay in every letter unreplaced.
void checkPlaceholders(const std::string& text, const std::string& fileName, int line)
{
    for (std::size_t at = text.find('<'); at != std::string::npos; at = text.find('<', at + 1)) {
        std::size_t end = at + 1;
        while (end < text.size() && isNameChar(text[end]))
            ++end;
        if (end == at + 1 || end >= text.size() || text[end] != '>')
            continue;
        const std::string name = text.substr(at + 1, end - at - 1);
        const auto& fields = contractFields();
        if (std::find(fields.begin(), fields.end(), name) == fields.end())
            fail(fileName, line, "неизвестное поле «<" + name + ">»: в таблице контрактов нет поля с таким именем");
    }
}

// A source in another encoding (cp1251, say) would lose its letters in the document.
bool validUtf8(const std::string& s)
{
    for (std::size_t i = 0; i < s.size();) {
        const auto b = static_cast<unsigned char>(s[i]);
        const std::size_t len = b < 0x80 ? 1 : (b & 0xE0) == 0xC0 ? 2 : (b & 0xF0) == 0xE0 ? 3 : (b & 0xF8) == 0xF0 ? 4 : 0;
        if (len == 0 || (len == 2 && b < 0xC2) || i + len > s.size())
            return false;
        for (std::size_t k = 1; k < len; ++k)
            if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80)
                return false;
        i += len;
    }
    return true;
}

std::string trim(const std::string& s)
{
    const auto b = s.find_first_not_of(" \t");
    if (b == std::string::npos)
        return {};
    const auto e = s.find_last_not_of(" \t");
    return s.substr(b, e - b + 1);
}

}  // namespace

const std::vector<std::string>& contractFields()
{
    static const std::vector<std::string> fields = {
        "KKK",    "KNomer",  "KPredmet", "KObjekt", "KZakaz", "KSumma", "KMetka",   "KDate", "KPodr",
        "KDZakaz", "KFZakaz", "KDPodr",  "KFPodr",  "KInfo",  "KDWork", "KDHidden", "KWVS"};
    return fields;
}

std::vector<Span> parseInline(const std::string& text, const std::string& fileName, int line)
{
    checkPlaceholders(text, fileName, line);
    std::vector<Span> spans;
    bool bold = false;
    std::string current;
    auto flush = [&](bool blank) {
        if (!current.empty())
            spans.push_back({current, bold, blank});
        current.clear();
    };
    for (std::size_t i = 0; i < text.size();) {
        if (text.compare(i, 2, "**") == 0) {
            flush(false);
            bold = !bold;
            i += 2;
        } else if (text.compare(i, 2, "[[") == 0) {
            const std::size_t close = text.find("]]", i + 2);
            if (close == std::string::npos)
                fail(fileName, line, "не закрыт пропуск «[[»: нет «]]» в той же строке или абзаце");
            const std::string hint = text.substr(i + 2, close - i - 2);
            if (hint.find("[[") != std::string::npos)
                fail(fileName, line, "пропуск «[[» открыт внутри другого пропуска");
            if (hint.find("**") != std::string::npos)
                fail(fileName, line, "«**» внутри пропуска [[…]]: выделите пропуск целиком");
            flush(false);
            current = "[" + hint + "]";
            flush(true);
            i = close + 2;
        } else if (text.compare(i, 2, "]]") == 0) {
            fail(fileName, line, "«]]» без открывающего «[[»");
        } else {
            current += text[i++];
        }
    }
    if (bold)
        fail(fileName, line, "не закрыто выделение «**»");
    flush(false);
    return spans;
}

LetterSource parseSource(const std::string& original, const std::string& fileName)
{
    // An editor may put a byte-order mark in front; it is no part of the first line.
    const std::string text = original.rfind("\xEF\xBB\xBF", 0) == 0 ? original.substr(3) : original;
    LetterSource source;
    std::istringstream in(text);
    std::string raw;
    int lineNo = 0;

    // A paragraph collects its lines until an empty line; inline markup is checked on the
    // whole paragraph so that a [[hint]] may wrap.
    struct Pending {
        BlockKind kind;
        std::string text;
        int line;
        bool attachment;
    };
    std::vector<Pending> pending;
    bool open = false;  // the last pending entry takes continuation lines
    auto close = [&] { open = false; };
    auto start = [&](BlockKind kind, const std::string& t, bool attachment, bool continuable) {
        pending.push_back({kind, t, lineNo, attachment});
        open = continuable;
    };

    while (std::getline(in, raw)) {
        ++lineNo;
        if (!raw.empty() && raw.back() == '\r')
            raw.pop_back();
        if (!validUtf8(raw))
            fail(fileName, lineNo, "строка не в кодировке UTF-8; сохраните исходник в UTF-8");
        const std::string line = trim(raw);
        if (line.empty()) {
            close();
            continue;
        }
        if (line[0] == '%')
            continue;
        if (line[0] == '@') {
            close();
            const std::size_t space = line.find_first_of(" \t");
            const std::string name = line.substr(1, space == std::string::npos ? std::string::npos : space - 1);
            const std::string value = space == std::string::npos ? std::string() : trim(line.substr(space));
            if (name == "to" || name == "from" || name == "sign") {
                if (value.empty())
                    fail(fileName, lineNo, "у директивы «@" + name + "» нет текста");
                checkPlaceholders(value, fileName, lineNo);
                (name == "to" ? source.to : name == "from" ? source.from : source.sign).push_back(value);
            } else if (name == "noaddressee") {
                if (!value.empty())
                    fail(fileName, lineNo, "директива «@noaddressee» не принимает текста");
                source.noAddressee = true;
            } else if (name == "step" || name == "description" || name == "task1" || name == "task2" ||
                       name == "note") {
                if (value.empty())
                    fail(fileName, lineNo, "у директивы «@" + name + "» нет текста");
                std::string& slot = name == "step" ? source.step
                                    : name == "description" ? source.description
                                    : name == "task1" ? source.task1
                                    : name == "task2" ? source.task2
                                                      : source.note;
                if (!slot.empty())
                    fail(fileName, lineNo, "директива «@" + name + "» повторена");
                slot = value;
            } else {
                fail(fileName, lineNo,
                     "неизвестная директива «@" + name +
                         "»; допустимы @to, @from, @sign, @noaddressee, @step, @description, @task1, @task2, @note");
            }
            continue;
        }
        const bool marked = line.size() >= 2 && (line[1] == ' ' || line[1] == '\t');
        if (line == "=" || (marked && line[0] == '=')) {
            start(BlockKind::Heading, trim(line.substr(1)), false, false);
        } else if (line == ">" || (marked && line[0] == '>')) {
            start(BlockKind::Plain, trim(line.substr(1)), false, true);
        } else if (marked && line[0] == '-') {
            start(BlockKind::ListItem, trim(line.substr(1)), false, true);
        } else if (marked && line[0] == '+') {
            start(BlockKind::Body, trim(line.substr(1)), true, true);
        } else if (open) {
            pending.back().text += " " + line;
        } else {
            start(BlockKind::Body, line, false, true);
        }
    }
    for (const Pending& p : pending) {
        std::vector<Span> spans = parseInline(p.text, fileName, p.line);
        if (spans.empty())
            continue;
        if (p.attachment)
            source.attachments.push_back(std::move(spans));
        else
            source.blocks.push_back({p.kind, std::move(spans), p.line});
    }
    if (std::none_of(source.blocks.begin(), source.blocks.end(),
                     [](const Block& b) { return b.kind == BlockKind::Heading; }))
        fail(fileName, lineNo, "нет заголовка письма (строки «= …»)");
    return source;
}

}  // namespace templates
