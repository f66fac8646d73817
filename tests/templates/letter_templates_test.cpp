// The fifty letter templates, as built into PTemplates/: one per catalogue entry, valid, naming
// the contract, fully merged by a demo contract, and each its own text.
#include "demo_contract.h"
#include "merge/letter_catalogue.h"
#include "platform/docx/package.h"
#include "tools/telma_templates_layout.h"
#include "tools/telma_templates_source.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>

#include <QRegularExpression>
#include <QStringList>

namespace fs = std::filesystem;

namespace merge {
void PrintTo(const LetterType& t, std::ostream* os)
{
    *os << t.ScreenClass.toStdString() << " " << t.TemplateFile.toStdString();
}
}  // namespace merge

namespace {

const fs::path kSources = fs::path(TELMA_SOURCE_DIR) / "templates";
const fs::path kBuilt = fs::path(TELMA_BINARY_DIR) / "PTemplates";

std::string readFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

std::string stem(const QString& templateFile)
{
    return templateFile.chopped(5).toStdString();  // without ".docx"
}


class EveryTemplate : public ::testing::TestWithParam<merge::LetterType> {};

TEST_P(EveryTemplate, IsBuiltValidAndMerges)
{
    const std::string name = stem(GetParam().TemplateFile);
    const fs::path source = kSources / (name + ".txt");
    ASSERT_TRUE(fs::exists(source)) << "no source " << source << " for " << GetParam().ScreenClass.toStdString();
    const fs::path built = kBuilt / GetParam().TemplateFile.toStdString();
    ASSERT_TRUE(fs::is_regular_file(built)) << built;

    // Built from its source, byte for byte as the builder makes it now.
    EXPECT_EQ(readFile(built), templates::buildTemplate(readFile(source), source.string())) << name;

    docx::Package package = docx::Package::open(built);
    const std::string text = package.text();
    for (const char* placeholder : {"<KWVS>", "<KNomer>", "<KDate>", "<KZakaz>", "<KPodr>", "<KFPodr>"})
        EXPECT_NE(text.find(placeholder), std::string::npos) << name << " lacks " << placeholder;

    for (const std::string& field : templates::contractFields())
        package.replaceAll("<" + field + ">", kDemo.at(field));
    const std::string merged = docx::Package::fromBytes(package.toBytes(), name).text();
    for (const std::string& field : templates::contractFields())
        EXPECT_EQ(merged.find("<" + field + ">"), std::string::npos) << name << " keeps <" << field << ">";
    EXPECT_NE(merged.find(kDemo.at("KNomer")), std::string::npos) << name;
}

INSTANTIATE_TEST_SUITE_P(Catalogue, EveryTemplate, ::testing::ValuesIn(merge::letterCatalogue()),
                         [](const auto& info) { return info.param.ScreenClass.toStdString(); });

TEST(LetterTemplates, SourcesBelongToTheCatalogueAndDiffer)
{
    std::map<std::string, std::string> bodyOwner;  // body text -> source
    int sources = 0;
    for (const fs::directory_entry& entry : fs::directory_iterator(kSources)) {
        const std::string file = entry.path().filename().string();
        if (entry.path().extension() != ".txt" || file.rfind('1', 0) != 0)
            continue;
        ++sources;
        const QString templateFile = QString::fromStdString(entry.path().stem().string() + ".docx");
        bool known = false;
        for (const merge::LetterType& t : merge::letterCatalogue())
            known = known || t.TemplateFile == templateFile;
        EXPECT_TRUE(known) << file << " is no template of the catalogue";

        const templates::LetterSource letter = templates::parseSource(readFile(entry.path()), file);
        std::string body;
        for (const templates::Block& block : letter.blocks)
            if (block.kind != templates::BlockKind::Heading)
                for (const templates::Span& span : block.spans)
                    body += span.text;
        const auto [it, fresh] = bodyOwner.emplace(body, file);
        EXPECT_TRUE(fresh) << file << " has the same body text as " << it->second;
    }
    EXPECT_GT(sources, 0);
}

}  // namespace

namespace {

// Lower-cased words of at least four letters, cut to their first four: enough to see that
// "Проставить дату начала работ" and "[[дата начала работ]]" speak of the same thing.
QStringList stems(const QString& text)
{
    QStringList out;
    for (const QString& word : text.toLower().split(QRegularExpression(QStringLiteral("\\W+")), Qt::SkipEmptyParts))
        if (word.size() >= 4)
            out << word.left(4);
    return out;
}

TEST(LetterTemplates, FirstReadyLetterStepNamesOneOfTheBlanks)
{
    for (const fs::directory_entry& entry : fs::directory_iterator(kSources)) {
        const std::string file = entry.path().filename().string();
        // The memo's step says its date may be any; it names no blank.
        if (entry.path().extension() != ".txt" || file.rfind('1', 0) != 0 || file == "1Sluzhebnaya.txt")
            continue;
        const templates::LetterSource letter = templates::parseSource(readFile(entry.path()), file);
        if (letter.step.empty())
            continue;
        QStringList wanted = stems(QString::fromStdString(letter.step));
        if (!wanted.isEmpty())
            wanted.removeFirst();  // the verb: "Проставить", "Указать", ...
        double best = 0;
        auto consider = [&](const std::vector<templates::Span>& spans) {
            for (const templates::Span& span : spans) {
                if (!span.blank)
                    continue;
                const QStringList have = stems(QString::fromStdString(span.text));
                int hits = 0;
                for (const QString& w : wanted)
                    hits += have.contains(w) ? 1 : 0;
                best = std::max(best, wanted.isEmpty() ? 1.0 : double(hits) / double(wanted.size()));
            }
        };
        for (const templates::Block& block : letter.blocks)
            consider(block.spans);
        for (const auto& item : letter.attachments)
            consider(item);
        EXPECT_GE(best, 0.5) << file << ": no [[…]] blank matches the step «" << letter.step << "»";
    }
}

}  // namespace
