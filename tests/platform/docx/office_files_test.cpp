// Documents saved by a real word processor (fixtures/office_*.docx): placeholders split by its
// formatting runs, and placeholders in its header, footer, footnote and text frame.
#include "platform/docx/package.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

const std::filesystem::path kFixtures = std::filesystem::path(TELMA_SOURCE_DIR) / "tests/platform/docx/fixtures";

TEST(DocxOfficeFiles, SplitPlaceholdersInBodyAndTable)
{
    docx::Package package = docx::Package::open(kFixtures / "office_split.docx");
    EXPECT_EQ(package.replaceAll("<KNomer>", "17/4"), 3u);
    EXPECT_EQ(package.replaceAll("<KDate>", "01.02.2026"), 1u);
    EXPECT_EQ(package.replaceAll("<KZakaz>", "ГКУ & Ко"), 1u);
    EXPECT_EQ(package.replaceAll("<KSumma>", "1 000"), 1u);
    const std::string text = docx::Package::fromBytes(package.toBytes(), "out.docx").text();
    EXPECT_NE(text.find("Контракт № 17/4 от 01.02.2026, повтор 17/417/4."), std::string::npos) << text;
    EXPECT_NE(text.find("Заказчик: ГКУ & Ко"), std::string::npos) << text;
    EXPECT_NE(text.find("1 000 руб."), std::string::npos) << text;
    EXPECT_NE(text.find("Неизвестное: <KNope> и <knomer>."), std::string::npos) << text;
}

TEST(DocxOfficeFiles, HeaderFooterFootnoteAndFrame)
{
    docx::Package package = docx::Package::open(kFixtures / "office_stories.docx");
    for (const char* field : {"<KPodr>", "<KFPodr>", "<KNomer>", "<KDate>", "<KZakaz>"})
        EXPECT_GE(package.replaceAll(field, "V"), 1u) << field;
    const std::string text = docx::Package::fromBytes(package.toBytes(), "out.docx").text();
    for (const char* expected : {"Верх: V", "Низ: V", "Текст V", "Сноска: V", "Рамка: V", "После рамки"})
        EXPECT_NE(text.find(expected), std::string::npos) << expected << " in\n" << text;
    EXPECT_EQ(text.find("<K"), std::string::npos) << text;
}

}  // namespace
