// Writes a new one-section .docx from paragraphs of formatted runs. The same input always gives
// the same bytes: parts in a fixed order, fixed time stamps.
#pragma once

#include <string>
#include <vector>

namespace docx {

struct Run {
    std::string text;  // UTF-8; "\n" becomes a line break, "\t" a tab
    bool bold = false;
    bool highlight = false;  // yellow marker, for what the reader still has to fill in
};

enum class Align { Left, Center, Right, Justify };

// Lengths in twentieths of a point (567 to the centimetre).
struct Paragraph {
    std::vector<Run> runs;
    Align align = Align::Justify;
    int firstLine = 0;  // first-line indent; negative for a hanging indent
    int left = 0;
    int spaceBefore = 0;
    int spaceAfter = 0;
    std::vector<int> rightTabs;  // right-aligned tab stops
    bool keepNext = false;
};

struct PageSetup {
    int width = 11906;  // A4
    int height = 16838;
    int top = 1134;
    int bottom = 1134;
    int left = 1701;
    int right = 850;
};

struct TextStyle {
    std::string font = "Times New Roman";
    int halfPoints = 24;  // 12 pt
    std::string language = "ru-RU";
};

// The .docx bytes of a document holding `paragraphs`. Throws docx::Error.
std::string writeDocument(const std::vector<Paragraph>& paragraphs, const PageSetup& page = {},
                          const TextStyle& style = {});

}  // namespace docx
