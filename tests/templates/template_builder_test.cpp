// The template builder: a source laid out as a letter, and malformed sources stopped with
// their file and line.
#include "platform/docx/package.h"
#include "platform/docx/zip_archive.h"
#include "tools/telma_templates_layout.h"
#include "tools/telma_templates_source.h"

#include <gtest/gtest.h>

#include <fstream>

namespace {

std::string readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

const std::string kFixture = std::string(TELMA_SOURCE_DIR) + "/tests/templates/fixtures/1Sample.txt";

TEST(TemplateBuilder, LaysOutEveryKindOfLine)
{
    const std::string bytes = templates::buildTemplate(readFile(kFixture), "1Sample.txt");
    const docx::Package package = docx::Package::fromBytes(bytes, "1Sample.docx");
    EXPECT_EQ(package.text(),
              "<KPodr>\n"
              "Исх. № ____ от «___» __________ 20__ г.\n"
              "Руководителю <KZakaz>\n"
              "<KFZakaz>\n"
              "ПРОВЕРОЧНОЕ\n"
              "ПИСЬМО\n"
              "По контракту: <KWVS> № <KNomer> от <KDate>\n"
              "Подрядчик (<KPodr>) сообщает, что [дата события] произошло важное событие.\n"
              "– первый пункт\n"
              "– второй пункт с продолжением на следующей строке\n"
              "Приложение:\n"
              "1. Копия акта — [количество листов] л.\n"
              "2. Фото\n"
              "Директор\n"
              "<KDPodr>\t_______________ <KFPodr>\n");
    const std::string xml = docx::ZipReader(bytes, "1Sample.docx").read("word/document.xml");
    // The blank is highlighted, the bold word bold, the heading bold and centred.
    EXPECT_NE(xml.find("<w:rPr><w:highlight w:val=\"yellow\"/></w:rPr><w:t xml:space=\"preserve\">[дата события]</w:t>"),
              std::string::npos);
    EXPECT_NE(xml.find("<w:rPr><w:b/><w:bCs/></w:rPr><w:t xml:space=\"preserve\">важное</w:t>"), std::string::npos);
    EXPECT_NE(xml.find("<w:jc w:val=\"center\"/></w:pPr><w:r><w:rPr><w:b/><w:bCs/></w:rPr><w:t xml:space=\"preserve\">ПРОВЕРОЧНОЕ"),
              std::string::npos);
    EXPECT_NE(xml.find("w:firstLine=\"709\"/><w:jc w:val=\"both\"/>"), std::string::npos);
    // Placeholders are whole in one run.
    EXPECT_NE(xml.find(">Подрядчик (&lt;KPodr&gt;) сообщает, что </w:t>"), std::string::npos);
}

TEST(TemplateBuilder, SameSourceSameBytes)
{
    const std::string source = readFile(kFixture);
    EXPECT_EQ(templates::buildTemplate(source, "a"), templates::buildTemplate(source, "a"));
}

TEST(TemplateBuilder, NoAddresseeLeavesOutAddresseeAndNumber)
{
    const std::string bytes = templates::buildTemplate(
        "@noaddressee\n= ЗАПИСКА\n\n> <KWVS> № <KNomer> от <KDate>, <KZakaz>\n", "1Memo.txt");
    EXPECT_EQ(docx::Package::fromBytes(bytes, "m").text(),
              "<KPodr>\nЗАПИСКА\n<KWVS> № <KNomer> от <KDate>, <KZakaz>\n<KDPodr>\t_______________ <KFPodr>\n");
}

TEST(TemplateBuilder, MalformedSourcesNameFileAndLine)
{
    const std::string ok = "= ПИСЬМО\n\n<KWVS> № <KNomer> от <KDate>.\n";
    struct Case {
        std::string source;
        std::string message;  // the start of the error
    };
    const Case cases[] = {
        {"@too Кому\n" + ok, "1Bad.txt:1: неизвестная директива «@too»"},
        {ok + "\nтекст [[пропуск без конца\nи дальше\n", "1Bad.txt:5: не закрыт пропуск «[[»"},
        {ok + "\nтекст **жирный\n", "1Bad.txt:5: не закрыто выделение «**»"},
        {ok + "\nлишнее ]] закрытие\n", "1Bad.txt:5: «]]» без открывающего «[[»"},
        {ok + "\nпо контракту <KNomr>\n", "1Bad.txt:5: неизвестное поле «<KNomr>»"},
        {"@to <Kzakaz>\n" + ok, "1Bad.txt:1: неизвестное поле «<Kzakaz>»"},
        {"@noaddressee extra\n" + ok, "1Bad.txt:1: директива «@noaddressee» не принимает текста"},
        {"@step один\n@step два\n" + ok, "1Bad.txt:2: директива «@step» повторена"},
        {"Текст без заголовка <KWVS> <KNomer> <KDate>\n", "1Bad.txt:1: нет заголовка письма"},
        {"= ПИСЬМО\n\n<KNomer> от <KDate>.\n", "1Bad.txt:1: в письме нет полей, которые называют контракт: <KWVS>"},
        {"@noaddressee\n" + ok, "1Bad.txt:1: в письме нет полей, которые называют контракт: <KZakaz>"},
        {"@sign Директор\n@from Кто-то\n" + ok, "1Bad.txt:1: в письме нет полей, которые называют контракт: <KPodr>"},
        {ok + "\n\xCF\xE8\xF1\xFC\xEC\xEE\n", "1Bad.txt:5: строка не в кодировке UTF-8"},  // cp1251
    };
    for (const Case& c : cases) {
        try {
            templates::buildTemplate(c.source, "1Bad.txt");
            ADD_FAILURE() << "accepted:\n" << c.source;
        } catch (const templates::SourceError& e) {
            EXPECT_EQ(std::string(e.what()).substr(0, c.message.size()), c.message) << e.what();
        }
    }
}

TEST(TemplateBuilder, ByteOrderMarkIsNotText)
{
    const std::string bytes =
        templates::buildTemplate("\xEF\xBB\xBF% комментарий\n= ПИСЬМО\n\n<KWVS> № <KNomer> от <KDate>.\n", "1Bom.txt");
    EXPECT_EQ(docx::Package::fromBytes(bytes, "b").text().find("комментарий"), std::string::npos);
}

TEST(TemplateBuilder, TextThatOnlyLooksLikeMarkupIsKept)
{
    const std::string bytes = templates::buildTemplate(
        "= ПИСЬМО\n\n<KWVS> № <KNomer> от <KDate>: a < b, c > d, <br/> и - не пункт, 5 * 3.\n", "1Ok.txt");
    EXPECT_NE(docx::Package::fromBytes(bytes, "o").text().find(": a < b, c > d, <br/> и - не пункт, 5 * 3."),
              std::string::npos);
}

}  // namespace
