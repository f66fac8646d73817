#include "platform/docx/story_part.h"

#include "platform/docx/error.h"
#include "platform/docx/xml_text.h"

#include <cstring>
#include <sstream>

namespace docx {
namespace {

constexpr const char* kWordNamespace = "http://schemas.openxmlformats.org/wordprocessingml/2006/main";
constexpr const char* kWordStrictNamespace = "http://purl.oclc.org/ooxml/wordprocessingml/main";

// Whitespace-only text must survive parsing: "<w:t xml:space="preserve"> </w:t>" is a real space.
constexpr unsigned kParseOptions = pugi::parse_full | pugi::parse_ws_pcdata;

std::string findPrefix(const pugi::xml_node& root)
{
    for (const pugi::xml_attribute& a : root.attributes()) {
        const char* value = a.value();
        if (std::strcmp(value, kWordNamespace) != 0 && std::strcmp(value, kWordStrictNamespace) != 0)
            continue;
        const char* name = a.name();
        if (std::strcmp(name, "xmlns") == 0)
            return "";
        if (std::strncmp(name, "xmlns:", 6) == 0)
            return std::string(name + 6) + ":";
    }
    return "w:";
}

struct StringWriter : pugi::xml_writer {
    std::string out;
    void write(const void* data, std::size_t size) override { out.append(static_cast<const char*>(data), size); }
};

}  // namespace

StoryPart::StoryPart(std::string partName, const std::string& xml, const std::string& documentName)
    : name_(std::move(partName))
{
    const pugi::xml_parse_result result = doc_.load_buffer(xml.data(), xml.size(), kParseOptions, pugi::encoding_auto);
    if (!result)
        throw Error("Файл «" + documentName + "»: часть «" + name_ + "» содержит ошибку XML (" +
                    result.description() + ", позиция " + std::to_string(result.offset) +
                    "). Откройте и пересохраните документ в текстовом редакторе или замените его.");
    prefix_ = findPrefix(doc_.document_element());
    tagP_ = prefix_ + "p";
    tagT_ = prefix_ + "t";
    tagR_ = prefix_ + "r";
    tagBr_ = prefix_ + "br";
    tagTab_ = prefix_ + "tab";
    tagCr_ = prefix_ + "cr";
    tagTxbx_ = prefix_ + "txbxContent";
    tagPPr_ = prefix_ + "pPr";
    tagRPr_ = prefix_ + "rPr";
    collectParagraphs();
}

void StoryPart::collectParagraphs()
{
    // Iterative walk: a hostile part may nest elements deeper than the stack allows.
    pugi::xml_node node = doc_.first_child();
    while (node) {
        if (node.type() == pugi::node_element && tagP_ == node.name()) {
            Paragraph paragraph;
            paragraph.element = node;
            collectPieces(paragraph);
            paragraphs_.push_back(std::move(paragraph));
        }
        if (node.first_child()) {
            node = node.first_child();
            continue;
        }
        while (node && !node.next_sibling())
            node = node.parent();
        if (node)
            node = node.next_sibling();
    }
}

void StoryPart::collectPieces(Paragraph& paragraph) const
{
    paragraph.pieces.clear();
    paragraph.joined.clear();
    paragraph.starts.clear();
    const std::size_t plen = prefix_.size();
    auto local = [&](const char* name) -> const char* {
        return std::strncmp(name, prefix_.c_str(), plen) == 0 ? name + plen : nullptr;
    };
    const pugi::xml_node top = paragraph.element;
    pugi::xml_node node = top.first_child();
    while (node && node != top) {
        bool descend = false;
        if (node.type() == pugi::node_element) {
            const char* name = node.name();
            const char* wname = local(name);
            if (wname == nullptr) {
                // Markup of other vocabularies (mc:AlternateContent and the like) may wrap runs.
                descend = std::strcmp(name, "mc:Fallback") != 0;
            } else if (std::strcmp(wname, "t") == 0) {
                paragraph.starts.push_back(paragraph.joined.size());
                paragraph.pieces.push_back({node, true});
                paragraph.joined += node.child_value();
            } else if (std::strcmp(wname, "tab") == 0 || std::strcmp(wname, "br") == 0 ||
                       std::strcmp(wname, "cr") == 0 || std::strcmp(wname, "ptab") == 0 ||
                       std::strcmp(wname, "sym") == 0 || std::strcmp(wname, "noBreakHyphen") == 0 ||
                       std::strcmp(wname, "softHyphen") == 0 || std::strcmp(wname, "drawing") == 0 ||
                       std::strcmp(wname, "pict") == 0 || std::strcmp(wname, "object") == 0 ||
                       std::strcmp(wname, "footnoteReference") == 0 ||
                       std::strcmp(wname, "endnoteReference") == 0) {
                if (std::strcmp(wname, "tab") != 0 || node.parent().name() == tagR_) {
                    paragraph.starts.push_back(paragraph.joined.size());
                    paragraph.pieces.push_back({node, false});
                    paragraph.joined += '\0';
                }
            } else {
                // Nested paragraphs (text boxes) are paragraphs of their own; properties, deleted
                // text and field codes are not shown text.
                descend = !(std::strcmp(wname, "p") == 0 || std::strcmp(wname, "txbxContent") == 0 ||
                            std::strcmp(wname, "pPr") == 0 || std::strcmp(wname, "rPr") == 0 ||
                            std::strcmp(wname, "delText") == 0 || std::strcmp(wname, "instrText") == 0 ||
                            std::strcmp(wname, "delInstrText") == 0);
            }
        }
        if (descend && node.first_child()) {
            node = node.first_child();
            continue;
        }
        while (node != top && !node.next_sibling())
            node = node.parent();
        if (node != top)
            node = node.next_sibling();
    }
}

std::size_t StoryPart::replaceAll(std::string_view find, std::string_view prepared)
{
    if (find.empty() || find.find('\0') != std::string_view::npos)
        return 0;
    std::size_t total = 0;
    std::vector<std::size_t> matches;
    for (Paragraph& paragraph : paragraphs_) {
        matches.clear();
        for (std::size_t at = paragraph.joined.find(find); at != std::string::npos;
             at = paragraph.joined.find(find, at + find.size()))
            matches.push_back(at);
        if (matches.empty())
            continue;
        total += matches.size();

        // New text of every text piece; a match is written into the piece where it begins
        // (so it keeps that run's formatting) and removed from the pieces it spreads over.
        const std::size_t count = paragraph.pieces.size();
        std::vector<std::string> text(count);
        std::vector<bool> touched(count, false);
        for (std::size_t i = 0; i < count; ++i)
            if (paragraph.pieces[i].isText)
                text[i] = paragraph.pieces[i].node.child_value();
        auto pieceAt = [&](std::size_t offset) {
            // The piece holding byte `offset`: the last one that starts at or before it (a match
            // never covers a break, so this is always a text piece).
            std::size_t lo = 0, hi = count;
            while (hi - lo > 1) {
                const std::size_t mid = (lo + hi) / 2;
                if (paragraph.starts[mid] <= offset)
                    lo = mid;
                else
                    hi = mid;
            }
            return lo;
        };
        for (auto it = matches.rbegin(); it != matches.rend(); ++it) {
            const std::size_t a = *it;
            const std::size_t b = a + find.size();
            const std::size_t first = pieceAt(a);
            const std::size_t last = pieceAt(b - 1);
            const std::size_t localA = a - paragraph.starts[first];
            const std::size_t localB = b - paragraph.starts[last];
            if (first == last) {
                text[first].replace(localA, find.size(), prepared);
            } else {
                text[first].replace(localA, std::string::npos, prepared);
                for (std::size_t k = first + 1; k < last; ++k)
                    text[k].clear(), touched[k] = true;
                text[last].erase(0, localB);
                touched[last] = true;
            }
            touched[first] = true;
        }
        for (std::size_t i = 0; i < count; ++i)
            if (touched[i])
                writePiece(paragraph.pieces[i].node, text[i]);
        collectPieces(paragraph);
        changed_ = true;
    }
    return total;
}

void StoryPart::writePiece(pugi::xml_node textNode, const std::string& prepared)
{
    auto setText = [](pugi::xml_node t, std::string_view value) {
        if (!t.attribute("xml:space"))
            t.append_attribute("xml:space") = "preserve";
        else
            t.attribute("xml:space") = "preserve";
        while (t.first_child())
            t.remove_child(t.first_child());
        if (!value.empty())
            t.append_child(pugi::node_pcdata).set_value(std::string(value).c_str());
    };
    std::size_t start = 0;
    std::size_t mark = prepared.find_first_of("\x01\x02");
    if (mark == std::string::npos) {
        setText(textNode, prepared);
        return;
    }
    setText(textNode, std::string_view(prepared).substr(0, mark));
    pugi::xml_node parent = textNode.parent();
    pugi::xml_node after = textNode;
    start = mark;
    while (start < prepared.size()) {
        const char m = prepared[start];
        after = parent.insert_child_after(m == kBreakMark ? tagBr_.c_str() : tagTab_.c_str(), after);
        const std::size_t next = prepared.find_first_of("\x01\x02", start + 1);
        const std::string_view piece =
            std::string_view(prepared).substr(start + 1, next == std::string::npos ? std::string::npos : next - start - 1);
        if (!piece.empty()) {
            after = parent.insert_child_after(tagT_.c_str(), after);
            setText(after, piece);
        }
        if (next == std::string::npos)
            break;
        start = next;
    }
}

void StoryPart::appendText(std::string& out) const
{
    for (const Paragraph& paragraph : paragraphs_) {
        for (const Piece& piece : paragraph.pieces) {
            if (piece.isText) {
                out += piece.node.child_value();
                continue;
            }
            const std::string_view name = piece.node.name();
            if (name == tagTab_ || name == prefix_ + "ptab")
                out += '\t';
            else if (name == tagBr_ || name == tagCr_)
                out += '\n';
            else if (name == prefix_ + "noBreakHyphen")
                out += '-';
        }
        out += '\n';
    }
}

std::string StoryPart::serialize() const
{
    StringWriter writer;
    doc_.save(writer, "", pugi::format_raw, pugi::encoding_utf8);
    return std::move(writer.out);
}

}  // namespace docx
