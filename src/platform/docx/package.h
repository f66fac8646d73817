// A WordprocessingML package (.docx) opened for replacing text: every story a letter can hold
// text in is parsed; all other parts are left as stored and copied unchanged on save.
#pragma once

#include "platform/docx/zip_archive.h"

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace docx {

class StoryPart;

class Package {
public:
    // Reads a package from a file; `Error` names the file and what is wrong with it.
    static Package open(const std::filesystem::path& file, ZipLimits limits = {});
    // Reads a package held in memory; `displayName` names it in errors.
    static Package fromBytes(std::string bytes, std::string displayName, ZipLimits limits = {});

    Package(Package&&) noexcept;
    Package& operator=(Package&&) noexcept;
    ~Package();

    // Replaces every occurrence of `find` (exact, case-sensitive) in the main document, headers,
    // footers, footnotes, endnotes and comments, text boxes and tables within them included,
    // even where the text is spread over several runs. Line breaks and tabs in `replacement`
    // become line breaks and tabs; characters XML cannot hold are dropped. Returns the count.
    std::size_t replaceAll(std::string_view find, std::string_view replacement);

    // The visible text of all stories, main document first; one line per paragraph.
    std::string text() const;

    // Names of the parts searched by replaceAll, main document first.
    std::vector<std::string> storyParts() const;

    // The package as bytes: changed parts serialized anew, every other part as it was stored.
    std::string toBytes() const;

    // Writes toBytes() to `file` through a temporary file beside it that is then renamed, so
    // that `file` never holds half a document. Throws Error naming the file.
    void save(const std::filesystem::path& file) const;

private:
    Package();
    std::string bytes_;
    std::string displayName_;
    std::vector<std::unique_ptr<StoryPart>> stories_;
};

// Writes `bytes` to `file` through a temporary file in the same folder and a rename.
void writeFileAtomically(const std::filesystem::path& file, const std::string& bytes);

}  // namespace docx
