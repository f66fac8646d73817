// Any bytes as a package (first byte even) or as the main document's XML (odd): reading either
// fails with docx::Error or gives a package whose replaced and written form reads back.
#include "platform/docx/error.h"
#include "platform/docx/package.h"
#include "platform/docx/zip_archive.h"

#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

const std::string kTypes =
    "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
    "<Override PartName=\"/word/document.xml\" "
    "ContentType=\"application/vnd.openxmlformats-officedocument.wordprocessingml.document.main+xml\"/></Types>";

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const std::string input(reinterpret_cast<const char*>(data) + 1, size - 1);
    docx::ZipLimits limits;
    limits.maxEntrySize = 8u << 20;
    limits.maxTotalSize = 32u << 20;
    std::string bytes;
    try {
        bytes = (data[0] & 1) == 0 ? input
                                   : docx::writeZip({{"[Content_Types].xml", kTypes}, {"word/document.xml", input}}, 0);
    } catch (const docx::Error&) {
        return 0;
    }
    std::string written;
    try {
        docx::Package package = docx::Package::fromBytes(bytes, "fuzz.docx", limits);
        package.replaceAll("<A>", "x\n<A>\t&\x01");
        package.replaceAll("a", "");
        package.replaceAll("<", "<B>");
        written = package.toBytes();
    } catch (const docx::Error&) {
        return 0;
    }
    // What we wrote must read back.
    try {
        docx::Package again = docx::Package::fromBytes(written, "again.docx", limits);
        (void)again.text();
    } catch (const docx::Error&) {
        std::abort();
    }
    return 0;
}
