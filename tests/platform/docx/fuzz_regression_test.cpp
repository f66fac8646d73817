// The fuzz corpus (seeds and the inputs that once broke the reader) replayed in every test run:
// each input is refused with docx::Error or read, replaced and written so that it reads back.
#include "platform/docx/error.h"
#include "platform/docx/package.h"
#include "platform/docx/zip_archive.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

TEST(DocxFuzzCorpus, EveryInputIsRefusedCleanlyOrRoundTrips)
{
    const fs::path corpus = fs::path(TELMA_SOURCE_DIR) / "fuzz" / "corpus" / "docx";
    ASSERT_TRUE(fs::is_directory(corpus));
    int inputs = 0;
    for (const fs::directory_entry& entry : fs::directory_iterator(corpus)) {
        std::ifstream in(entry.path(), std::ios::binary);
        const std::string data(std::istreambuf_iterator<char>(in), {});
        if (data.empty())
            continue;
        ++inputs;
        const std::string input = data.substr(1);
        // The harness's two modes: a whole package, or the main document's XML.
        const std::string bytes =
            (data[0] & 1) == 0 ? input : docx::writeZip({{"word/document.xml", input}}, 0);
        std::string written;
        try {
            docx::Package package = docx::Package::fromBytes(bytes, "fuzz.docx");
            package.replaceAll("<A>", "x\n<A>\t&\x01");
            package.replaceAll("<", "<B>");
            written = package.toBytes();
        } catch (const docx::Error&) {
            continue;
        }
        EXPECT_NO_THROW(docx::Package::fromBytes(written, "again.docx").text()) << entry.path();
    }
    EXPECT_GT(inputs, 0);
}
