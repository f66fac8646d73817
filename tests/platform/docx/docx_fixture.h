// Small .docx packages built from WordprocessingML written in the test itself.
#pragma once

#include "platform/docx/zip_archive.h"

#include <string>
#include <vector>

namespace docx_test {

inline const char* kNs =
    "xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\" "
    "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\" "
    "xmlns:wp=\"http://schemas.openxmlformats.org/drawingml/2006/wordprocessingDrawing\" "
    "xmlns:a=\"http://schemas.openxmlformats.org/drawingml/2006/main\" "
    "xmlns:wps=\"http://schemas.microsoft.com/office/word/2010/wordprocessingShape\" "
    "xmlns:mc=\"http://schemas.openxmlformats.org/markup-compatibility/2006\" "
    "xmlns:v=\"urn:schemas-microsoft-com:vml\"";

struct Part {
    std::string name;         // e.g. "word/header1.xml"
    std::string contentType;  // the tail after "wordprocessingml.", e.g. "header+xml"
    std::string xml;
};

inline std::string documentXml(const std::string& body)
{
    return std::string("<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n<w:document ") + kNs +
           "><w:body>" + body + "<w:sectPr/></w:body></w:document>";
}

inline std::string partXml(const std::string& rootName, const std::string& inner)
{
    return std::string("<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n<w:") + rootName + " " +
           kNs + ">" + inner + "</w:" + rootName + ">";
}

// A package whose main document holds `body`, with further story parts and raw entries.
inline std::string makeDocx(const std::string& body, const std::vector<Part>& parts = {},
                            const std::vector<docx::ZipEntry>& extra = {})
{
    std::string types =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?><Types "
        "xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
        "<Default Extension=\"rels\" ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
        "<Default Extension=\"xml\" ContentType=\"application/xml\"/>"
        "<Default Extension=\"png\" ContentType=\"image/png\"/>"
        "<Override PartName=\"/word/document.xml\" "
        "ContentType=\"application/vnd.openxmlformats-officedocument.wordprocessingml.document.main+xml\"/>";
    std::string rels =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?><Relationships "
        "xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">";
    int id = 1;
    for (const Part& p : parts) {
        types += "<Override PartName=\"/" + p.name +
                 "\" ContentType=\"application/vnd.openxmlformats-officedocument.wordprocessingml." + p.contentType +
                 "\"/>";
        const std::string kind = p.contentType.substr(0, p.contentType.find('+'));
        rels += "<Relationship Id=\"rId" + std::to_string(id++) +
                "\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/" + kind +
                "\" Target=\"" + p.name.substr(5) + "\"/>";
    }
    types += "</Types>";
    rels += "</Relationships>";
    std::vector<docx::ZipEntry> entries = {
        {"[Content_Types].xml", types},
        {"_rels/.rels",
         "<?xml version=\"1.0\" encoding=\"UTF-8\"?><Relationships "
         "xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\"><Relationship Id=\"rId1\" "
         "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument\" "
         "Target=\"word/document.xml\"/></Relationships>"},
        {"word/document.xml", documentXml(body)},
        {"word/_rels/document.xml.rels", rels},
    };
    for (const Part& p : parts)
        entries.push_back({p.name, p.xml});
    for (const docx::ZipEntry& e : extra)
        entries.push_back(e);
    return docx::writeZip(entries, 1577836800);
}

inline std::string para(const std::string& runs) { return "<w:p>" + runs + "</w:p>"; }
inline std::string run(const std::string& text, const std::string& rPr = "")
{
    return "<w:r>" + (rPr.empty() ? "" : "<w:rPr>" + rPr + "</w:rPr>") + "<w:t xml:space=\"preserve\">" + text +
           "</w:t></w:r>";
}

}  // namespace docx_test
