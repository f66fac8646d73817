#include "platform/docx/package.h"

#include "platform/docx/error.h"
#include "platform/docx/story_part.h"
#include "platform/docx/xml_text.h"

#include <pugixml.hpp>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <map>
#include <random>
#include <system_error>

namespace docx {
namespace {

bool endsWith(std::string_view s, std::string_view tail)
{
    return s.size() >= tail.size() && s.substr(s.size() - tail.size()) == tail;
}

std::string stripSlash(std::string name)
{
    while (!name.empty() && name.front() == '/')
        name.erase(0, 1);
    return name;
}

const char* localName(const char* name)
{
    const char* colon = std::strrchr(name, ':');
    return colon == nullptr ? name : colon + 1;
}

pugi::xml_document parseAux(const ZipReader& zip, const std::string& part, const std::string& displayName)
{
    pugi::xml_document doc;
    const std::string xml = zip.read(part);
    const pugi::xml_parse_result result = doc.load_buffer(xml.data(), xml.size());
    if (!result)
        throw Error("Файл «" + displayName + "»: часть «" + part + "» содержит ошибку XML (" +
                    result.description() + ", позиция " + std::to_string(result.offset) +
                    "). Замените документ исправным.");
    return doc;
}

// The main document's part name, from the package relationships.
std::string mainDocumentName(const ZipReader& zip, const std::string& displayName)
{
    if (zip.contains("_rels/.rels")) {
        const pugi::xml_document rels = parseAux(zip, "_rels/.rels", displayName);
        for (const pugi::xml_node& r : rels.document_element().children()) {
            if (std::strcmp(localName(r.name()), "Relationship") != 0)
                continue;
            if (endsWith(r.attribute("Type").value(), "/officeDocument")) {
                std::string target = stripSlash(r.attribute("Target").value());
                if (zip.contains(target))
                    return target;
            }
        }
    }
    if (zip.contains("word/document.xml"))
        return "word/document.xml";
    throw Error("Файл «" + displayName +
                "» не является документом Word: в пакете нет основного документа (word/document.xml). "
                "Замените его исправным документом .docx.");
}

// Headers, footers, notes and comments, by content type and, failing that, by the usual names.
std::vector<std::string> otherStories(const ZipReader& zip, const std::string& displayName, const std::string& main)
{
    static const char* const kTypes[] = {
        "wordprocessingml.header+xml",   "wordprocessingml.footer+xml",  "wordprocessingml.footnotes+xml",
        "wordprocessingml.endnotes+xml", "wordprocessingml.comments+xml",
    };
    std::vector<std::string> found;
    if (zip.contains("[Content_Types].xml")) {
        const pugi::xml_document types = parseAux(zip, "[Content_Types].xml", displayName);
        for (const pugi::xml_node& o : types.document_element().children()) {
            if (std::strcmp(localName(o.name()), "Override") != 0)
                continue;
            const std::string_view type = o.attribute("ContentType").value();
            const bool story = std::any_of(std::begin(kTypes), std::end(kTypes),
                                           [&](const char* t) { return endsWith(type, t); });
            std::string part = stripSlash(o.attribute("PartName").value());
            if (story && part != main && zip.contains(part))
                found.push_back(std::move(part));
        }
    }
    for (const std::string& name : zip.names()) {
        if (name.rfind("word/", 0) != 0 || !endsWith(name, ".xml") || name.find('/', 5) != std::string::npos)
            continue;
        const std::string_view base = std::string_view(name).substr(5);
        const bool story = base.rfind("header", 0) == 0 || base.rfind("footer", 0) == 0 ||
                           base == "footnotes.xml" || base == "endnotes.xml" || base == "comments.xml";
        if (story && name != main && std::find(found.begin(), found.end(), name) == found.end())
            found.push_back(name);
    }
    // Package order, so that text() reads the same on every run.
    std::vector<std::string> ordered;
    for (const std::string& name : zip.names())
        if (std::find(found.begin(), found.end(), name) != found.end())
            ordered.push_back(name);
    return ordered;
}

}  // namespace

Package::Package() = default;
Package::Package(Package&&) noexcept = default;
Package& Package::operator=(Package&&) noexcept = default;
Package::~Package() = default;

Package Package::open(const std::filesystem::path& file, ZipLimits limits)
{
    const std::string displayName = file.filename().string();
    std::error_code ec;
    if (!std::filesystem::is_regular_file(file, ec))
        throw Error("Файл «" + file.string() + "» не найден или не является файлом.");
    const auto size = std::filesystem::file_size(file, ec);
    if (ec)
        throw Error("Файл «" + file.string() + "» не читается: " + ec.message() + ".");
    if (size > limits.maxTotalSize)
        throw Error("Файл «" + displayName + "» слишком велик для документа .docx (" +
                    std::to_string(size >> 20) + " МБ).");
    std::ifstream in(file, std::ios::binary);
    std::string bytes(static_cast<std::size_t>(size), '\0');
    if (!in || !in.read(bytes.data(), static_cast<std::streamsize>(bytes.size())))
        throw Error("Файл «" + file.string() + "» не читается. Проверьте права доступа к нему.");
    return fromBytes(std::move(bytes), displayName, limits);
}

Package Package::fromBytes(std::string bytes, std::string displayName, ZipLimits limits)
{
    Package package;
    package.bytes_ = std::move(bytes);
    package.displayName_ = std::move(displayName);
    const ZipReader zip(package.bytes_, package.displayName_, limits);
    const std::string main = mainDocumentName(zip, package.displayName_);
    package.stories_.push_back(std::make_unique<StoryPart>(main, zip.read(main), package.displayName_));
    for (const std::string& name : otherStories(zip, package.displayName_, main))
        package.stories_.push_back(std::make_unique<StoryPart>(name, zip.read(name), package.displayName_));
    return package;
}

std::size_t Package::replaceAll(std::string_view find, std::string_view replacement)
{
    const std::string prepared = prepareText(replacement);
    std::size_t count = 0;
    for (auto& story : stories_)
        count += story->replaceAll(find, prepared);
    return count;
}

std::string Package::text() const
{
    std::string out;
    for (const auto& story : stories_)
        story->appendText(out);
    return out;
}

std::vector<std::string> Package::storyParts() const
{
    std::vector<std::string> names;
    for (const auto& story : stories_)
        names.push_back(story->name());
    return names;
}

std::string Package::toBytes() const
{
    std::map<std::string, std::string> replaced;
    for (const auto& story : stories_)
        if (story->changed())
            replaced.emplace(story->name(), story->serialize());
    return rewriteZip(bytes_, replaced, displayName_);
}

void Package::save(const std::filesystem::path& file) const
{
    writeFileAtomically(file, toBytes());
}

void writeFileAtomically(const std::filesystem::path& file, const std::string& bytes)
{
    std::random_device random;
    const std::filesystem::path temp =
        file.parent_path() / ("." + file.filename().string() + "." + std::to_string(random()) + ".tmp");
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        if (!out)
            throw Error("Не удалось создать файл в папке «" + file.parent_path().string() +
                        "». Проверьте, что папка существует и доступна для записи.");
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        out.close();
        if (!out) {
            std::error_code ignored;
            std::filesystem::remove(temp, ignored);
            throw Error("Не удалось записать файл «" + file.string() + "»: на диске нет места или запись запрещена.");
        }
    }
    std::error_code ec;
    std::filesystem::rename(temp, file, ec);
    if (ec) {
        std::error_code ignored;
        std::filesystem::remove(temp, ignored);
        throw Error("Не удалось записать файл «" + file.string() + "»: " + ec.message() + ".");
    }
}

}  // namespace docx
