#include "platform/docx/document_writer.h"

#include "platform/docx/xml_text.h"
#include "platform/docx/zip_archive.h"

#include <pugixml.hpp>

#include <ctime>

namespace docx {
namespace {

constexpr const char* kW = "http://schemas.openxmlformats.org/wordprocessingml/2006/main";
constexpr const char* kR = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";

struct StringWriter : pugi::xml_writer {
    std::string out;
    void write(const void* data, std::size_t size) override { out.append(static_cast<const char*>(data), size); }
};

std::string toXml(const pugi::xml_document& doc)
{
    StringWriter writer;
    doc.save(writer, "", pugi::format_raw, pugi::encoding_utf8);
    return std::move(writer.out);
}

pugi::xml_node root(pugi::xml_document& doc, const char* name)
{
    pugi::xml_node decl = doc.append_child(pugi::node_declaration);
    decl.append_attribute("version") = "1.0";
    decl.append_attribute("encoding") = "UTF-8";
    decl.append_attribute("standalone") = "yes";
    return doc.append_child(name);
}

void setVal(pugi::xml_node node, const char* attribute, const std::string& value)
{
    node.append_attribute(attribute) = value.c_str();
}

const char* alignName(Align align)
{
    switch (align) {
    case Align::Left: return "left";
    case Align::Center: return "center";
    case Align::Right: return "right";
    case Align::Justify: return "both";
    }
    return "both";
}

void writeText(pugi::xml_node run, const std::string& text)
{
    auto addText = [&](const std::string& piece) {
        pugi::xml_node t = run.append_child("w:t");
        t.append_attribute("xml:space") = "preserve";
        t.append_child(pugi::node_pcdata).set_value(piece.c_str());
    };
    std::string piece;
    for (char c : prepareText(text)) {
        if (c == kBreakMark || c == kTabMark) {
            if (!piece.empty())
                addText(piece), piece.clear();
            run.append_child(c == kBreakMark ? "w:br" : "w:tab");
        } else {
            piece += c;
        }
    }
    if (!piece.empty())
        addText(piece);
}

void writeParagraph(pugi::xml_node body, const Paragraph& paragraph)
{
    pugi::xml_node p = body.append_child("w:p");
    pugi::xml_node pPr = p.append_child("w:pPr");
    if (paragraph.keepNext)
        pPr.append_child("w:keepNext");
    if (!paragraph.rightTabs.empty()) {
        pugi::xml_node tabs = pPr.append_child("w:tabs");
        for (int pos : paragraph.rightTabs) {
            pugi::xml_node tab = tabs.append_child("w:tab");
            setVal(tab, "w:val", "right");
            setVal(tab, "w:pos", std::to_string(pos));
        }
    }
    pugi::xml_node spacing = pPr.append_child("w:spacing");
    setVal(spacing, "w:before", std::to_string(paragraph.spaceBefore));
    setVal(spacing, "w:after", std::to_string(paragraph.spaceAfter));
    pugi::xml_node ind = pPr.append_child("w:ind");
    setVal(ind, "w:left", std::to_string(paragraph.left));
    if (paragraph.firstLine >= 0)
        setVal(ind, "w:firstLine", std::to_string(paragraph.firstLine));
    else
        setVal(ind, "w:hanging", std::to_string(-paragraph.firstLine));
    setVal(pPr.append_child("w:jc"), "w:val", alignName(paragraph.align));
    for (const Run& run : paragraph.runs) {
        if (run.text.empty())
            continue;
        pugi::xml_node r = p.append_child("w:r");
        if (run.bold || run.highlight) {
            pugi::xml_node rPr = r.append_child("w:rPr");
            if (run.bold) {
                rPr.append_child("w:b");
                rPr.append_child("w:bCs");
            }
            if (run.highlight)
                setVal(rPr.append_child("w:highlight"), "w:val", "yellow");
        }
        writeText(r, run.text);
    }
}

std::string documentXml(const std::vector<Paragraph>& paragraphs, const PageSetup& page)
{
    pugi::xml_document doc;
    pugi::xml_node document = root(doc, "w:document");
    document.append_attribute("xmlns:w") = kW;
    document.append_attribute("xmlns:r") = kR;
    pugi::xml_node body = document.append_child("w:body");
    for (const Paragraph& paragraph : paragraphs)
        writeParagraph(body, paragraph);
    pugi::xml_node sect = body.append_child("w:sectPr");
    pugi::xml_node size = sect.append_child("w:pgSz");
    setVal(size, "w:w", std::to_string(page.width));
    setVal(size, "w:h", std::to_string(page.height));
    pugi::xml_node margins = sect.append_child("w:pgMar");
    setVal(margins, "w:top", std::to_string(page.top));
    setVal(margins, "w:right", std::to_string(page.right));
    setVal(margins, "w:bottom", std::to_string(page.bottom));
    setVal(margins, "w:left", std::to_string(page.left));
    setVal(margins, "w:header", "709");
    setVal(margins, "w:footer", "709");
    setVal(margins, "w:gutter", "0");
    return toXml(doc);
}

std::string stylesXml(const TextStyle& style)
{
    pugi::xml_document doc;
    pugi::xml_node styles = root(doc, "w:styles");
    styles.append_attribute("xmlns:w") = kW;
    pugi::xml_node defaults = styles.append_child("w:docDefaults");
    pugi::xml_node rPr = defaults.append_child("w:rPrDefault").append_child("w:rPr");
    pugi::xml_node fonts = rPr.append_child("w:rFonts");
    for (const char* a : {"w:ascii", "w:eastAsia", "w:hAnsi", "w:cs"})
        setVal(fonts, a, style.font);
    setVal(rPr.append_child("w:sz"), "w:val", std::to_string(style.halfPoints));
    setVal(rPr.append_child("w:szCs"), "w:val", std::to_string(style.halfPoints));
    pugi::xml_node lang = rPr.append_child("w:lang");
    setVal(lang, "w:val", style.language);
    setVal(lang, "w:eastAsia", style.language);
    setVal(lang, "w:bidi", "ar-SA");
    pugi::xml_node pPr = defaults.append_child("w:pPrDefault").append_child("w:pPr");
    pugi::xml_node spacing = pPr.append_child("w:spacing");
    setVal(spacing, "w:after", "0");
    setVal(spacing, "w:line", "240");
    setVal(spacing, "w:lineRule", "auto");
    pugi::xml_node normal = styles.append_child("w:style");
    setVal(normal, "w:type", "paragraph");
    setVal(normal, "w:default", "1");
    setVal(normal, "w:styleId", "Normal");
    setVal(normal.append_child("w:name"), "w:val", "Normal");
    normal.append_child("w:qFormat");
    pugi::xml_node font = styles.append_child("w:style");
    setVal(font, "w:type", "character");
    setVal(font, "w:default", "1");
    setVal(font, "w:styleId", "DefaultParagraphFont");
    setVal(font.append_child("w:name"), "w:val", "Default Paragraph Font");
    font.append_child("w:uiPriority").append_attribute("w:val") = "1";
    font.append_child("w:semiHidden");
    return toXml(doc);
}

std::string settingsXml()
{
    pugi::xml_document doc;
    pugi::xml_node settings = root(doc, "w:settings");
    settings.append_attribute("xmlns:w") = kW;
    setVal(settings.append_child("w:defaultTabStop"), "w:val", "709");
    setVal(settings.append_child("w:characterSpacingControl"), "w:val", "doNotCompress");
    pugi::xml_node compat = settings.append_child("w:compat").append_child("w:compatSetting");
    setVal(compat, "w:name", "compatibilityMode");
    setVal(compat, "w:uri", "http://schemas.microsoft.com/office/word");
    setVal(compat, "w:val", "15");
    return toXml(doc);
}

const char* kContentTypes =
    "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
    "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
    "<Default Extension=\"rels\" ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
    "<Default Extension=\"xml\" ContentType=\"application/xml\"/>"
    "<Override PartName=\"/word/document.xml\" "
    "ContentType=\"application/vnd.openxmlformats-officedocument.wordprocessingml.document.main+xml\"/>"
    "<Override PartName=\"/word/styles.xml\" "
    "ContentType=\"application/vnd.openxmlformats-officedocument.wordprocessingml.styles+xml\"/>"
    "<Override PartName=\"/word/settings.xml\" "
    "ContentType=\"application/vnd.openxmlformats-officedocument.wordprocessingml.settings+xml\"/>"
    "</Types>";

const char* kPackageRels =
    "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
    "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
    "<Relationship Id=\"rId1\" "
    "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument\" "
    "Target=\"word/document.xml\"/>"
    "</Relationships>";

const char* kDocumentRels =
    "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
    "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
    "<Relationship Id=\"rId1\" "
    "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/styles\" Target=\"styles.xml\"/>"
    "<Relationship Id=\"rId2\" "
    "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/settings\" Target=\"settings.xml\"/>"
    "</Relationships>";

// 1 January 2020, 00:00 in local time: the archive stores local time, so a stamp built from
// local fields reads back the same under every time zone.
std::time_t fixedStamp()
{
    std::tm tm{};
    tm.tm_year = 120;
    tm.tm_mon = 0;
    tm.tm_mday = 1;
    tm.tm_isdst = -1;
    return std::mktime(&tm);
}

}  // namespace

std::string writeDocument(const std::vector<Paragraph>& paragraphs, const PageSetup& page, const TextStyle& style)
{
    const std::vector<ZipEntry> entries = {
        {"[Content_Types].xml", kContentTypes},
        {"_rels/.rels", kPackageRels},
        {"word/document.xml", documentXml(paragraphs, page)},
        {"word/_rels/document.xml.rels", kDocumentRels},
        {"word/styles.xml", stylesXml(style)},
        {"word/settings.xml", settingsXml()},
    };
    return writeZip(entries, fixedStamp());
}

}  // namespace docx
