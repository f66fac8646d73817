// Text that goes into a document part: only what XML 1.0 can hold, with line breaks and tabs
// marked so that the part writer can turn them into <w:br/> and <w:tab/>.
#pragma once

#include <string>
#include <string_view>

namespace docx {

// Markers inside prepared text; both are characters XML 1.0 forbids, so they never occur in a
// part's own text.
inline constexpr char kBreakMark = '\x01';
inline constexpr char kTabMark = '\x02';

// Drops malformed UTF-8 and the characters XML 1.0 cannot hold; turns "\r\n", "\r", "\n" into
// kBreakMark and "\t" into kTabMark.
std::string prepareText(std::string_view utf8);

}  // namespace docx
