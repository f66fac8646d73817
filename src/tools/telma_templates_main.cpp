// telma-templates SOURCE.txt OUTPUT.docx: builds one letter template at build time.
#include "platform/docx/error.h"
#include "platform/docx/package.h"
#include "tools/telma_templates_layout.h"

#include <filesystem>
#include <fstream>
#include <iostream>

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::cerr << "telma-templates: использование: telma-templates ИСХОДНИК.txt ШАБЛОН.docx\n";
        return 1;
    }
    const std::filesystem::path input = argv[1];
    const std::filesystem::path output = argv[2];
    std::ifstream in(input, std::ios::binary);
    if (!in) {
        std::cerr << input.string() << ": не удалось открыть исходник шаблона\n";
        return 1;
    }
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    try {
        const std::string bytes = templates::buildTemplate(text, input.string());
        if (!output.parent_path().empty())
            std::filesystem::create_directories(output.parent_path());
        docx::writeFileAtomically(output, bytes);
    } catch (const templates::SourceError& e) {
        std::cerr << e.what() << "\n";
        return 1;
    } catch (const std::exception& e) {
        std::cerr << input.string() << ": " << e.what() << "\n";
        return 1;
    }
    return 0;
}
