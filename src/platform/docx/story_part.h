// One part of a package that holds text the reader sees (main document, header, footer, notes,
// comments): its paragraphs, each read as one string across its runs.
#pragma once

#include <pugixml.hpp>

#include <string>
#include <string_view>
#include <vector>

namespace docx {

class StoryPart {
public:
    // Parses the part; throws docx::Error naming `documentName` and `partName` when the XML is malformed.
    StoryPart(std::string partName, const std::string& xml, const std::string& documentName);
    StoryPart(const StoryPart&) = delete;
    StoryPart& operator=(const StoryPart&) = delete;

    const std::string& name() const { return name_; }
    bool changed() const { return changed_; }

    // Replaces every occurrence of `find` in every paragraph, also where it is spread over
    // several runs; `prepared` comes from prepareText(). Returns the number of occurrences.
    std::size_t replaceAll(std::string_view find, std::string_view prepared);

    // The visible text, one line per paragraph; tabs and line breaks as "\t" and "\n".
    void appendText(std::string& out) const;

    std::string serialize() const;

private:
    // A piece of a paragraph's text: a <w:t> element, or a break, tab or picture that no
    // placeholder can span (node is then the element and isText false).
    struct Piece {
        pugi::xml_node node;
        bool isText;
    };
    struct Paragraph {
        pugi::xml_node element;
        std::vector<Piece> pieces;
        std::string joined;              // text pieces, with '\0' for every other piece
        std::vector<std::size_t> starts; // offset of each piece in `joined`
    };

    void collectParagraphs();
    void collectPieces(Paragraph& paragraph) const;
    void writePiece(pugi::xml_node textNode, const std::string& prepared);

    std::string name_;
    pugi::xml_document doc_;
    std::string prefix_;  // "w:" or whatever the part binds the WordprocessingML namespace to
    std::string tagP_, tagT_, tagR_, tagBr_, tagTab_, tagCr_, tagTxbx_, tagPPr_, tagRPr_;
    std::vector<Paragraph> paragraphs_;
    bool changed_ = false;
};

}  // namespace docx
