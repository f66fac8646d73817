// The letter catalogue: fifty entries as the letter pages show them, and the rules they keep.
#include "merge/letter_catalogue.h"

#include <gtest/gtest.h>

#include <QSet>

namespace {

struct Expected {
    const char* screenClass;
    const char* caption;
    const char* templateFile;
};

// Class, caption and template of every letter, in the order the screens are created.
const Expected kExpected[] = {
    {"TForm6", "ZER Сопроводительное письмо к актам скрытых работ", "1Soprovkaktamskrytyhrabot.docx"},
    {"TForm9", "ZER Уведомление о начале работ", "1Uvednachalerabot.docx"},
    {"TForm10", "ZER Сопроводительное письмо к сметам на согласование", "1Soprovksmetamnasoglasovanie.docx"},
    {"TForm11", "ZER Уведомление о необходимости согласовать сметы", "1Uvedomleniesoglasovatsmety.docx"},
    {"TForm12", "ZER Уведомление о невозможности начать работы", "1Uvedonevozmozhnostinachat.docx"},
    {"TForm14", "ZER Уведомление о необходимости в допработах", "1Uvedodoprabotah.docx"},
    {"TForm16", "ZER Уведомление об устном указании выполнять допработы", "1Uvedobustnomukazaniidopraboty.docx"},
    {"TForm17", "ZER Письмо по увеличению сметы", "1Pismouvelichsmet.docx"},
    {"TForm18", "ZER Уведомление начале выполнения допработ ", "1Uvednachalvypolndoprabot.docx"},
    {"TForm19", "ZER Фиксация выполненных допработ и необходимости их приемки и оплаты", "1Fiksaciyavypolnennyhdoprabot.docx"},
    {"TForm20", "ZER Разъяснение по оплате допработ", "1Razpooplatedoprabot.docx"},
    {"TForm21", "ZER Разъяснение по согласованию допработ", "1Razposoglasovaniyudoprabot.docx"},
    {"TForm22", "ZER Письмо о неприменимости понижающих коэффициентов по отношению к допработам", "1Pismoponizhaykoeff.docx"},
    {"TForm23", "ZER Уведомление о приостановке из-за непригодности технической документации", "1Uvedpriostanovneprigodnosttd.docx"},
    {"TForm24", "ZER Уведомление о необходимости в изменении сроков", "1Uvedsrokov.docx"},
    {"TForm25", "ZER Общее сопроводительное письмо", "1Obshcheesoprovoditel.docx"},
    {"TForm26", "ZER Уведомление о приостановке работ", "1Uvedpriostanovke.docx"},
    {"TForm27", "ZER Уведомление о выполнении отдельной стадии (этапа) работ", "1Uvedvypolneniiotdelnojstadii.docx"},
    {"TForm28", "ZER Письмо о замене материала в ходе работ", "1Pismozamenemateriala.docx"},
    {"TForm29", "ZER Письмо о помехах в ходе работ", "1Pismoopomekhah.docx"},
    {"TForm30", "ZER Письмо об указаниях Заказчика в ходе работ, в т.ч. устных", "1PismoukazaniyaZakazchika.docx"},
    {"TForm31", "ZER Уведомление об окончании работ", "1Uvedokonchanii.docx"},
    {"TForm32", "ZER Вызов на приемку выполненных работ", "1Vyzovnapriemku.docx"},
    {"TForm33", "ZER Ответ на отказ от приемки работ", "1Otvetnaotkaz.docx"},
    {"TForm34", "ZER Письмо об устранении недостатков", "1Pismoobustraneniinedostatkov.docx"},
    {"TForm35", "ZER Требование подписать акты КС-2", "1TrebovaniepodpisataktyKS2.docx"},
    {"TForm36", "ZER Сопроводительное письмо к КС-2, подписанному Подрядчиком в одностороннем порядке", "1SoprovkKS2odnostoronnem.docx"},
    {"TForm37", "ZER Требование оплатить выполненные работы", "1Trebovanieoplatit.docx"},
    {"TForm38", "ZER Разъяснение по неприменимости штрафных санкций по отношению к Подрядчику", "1Razneprimenimostshtrafnyh.docx"},
    {"TForm39", "ZER Разъяснение по пеням в рамках постановлений", "1Razpopenyam.docx"},
    {"TForm40", "ZER Приложение к письму", "1Prilozhkpismu.docx"},
    {"TForm41", "ZER Служебная записка", "1Sluzhebnaya.docx"},
    {"TForm42", "ZER Разъяснение по необходимости ускорить согласование смет", "1Razuskorsoglasovaniesmet.docx"},
    {"TForm43", "ZER Разъяснение по необходимости ускорить согласование допработ", "1Razuskorioglasovaniedoprabot.docx"},
    {"TForm44", "ZER Разъяснение по необходимости ускорить согласование замены материалов", "1Razuskoritsoglasovaniezamen.docx"},
    {"TForm45", "ZER Запрос на предоставление документов, необходимых для работ", "1Zaprosnapredostavlenie.docx"},
    {"TForm46", "ZER Разъяснение по удорожанию", "1Razpoudorozh.docx"},
    {"TForm47", "ZER Разъяснение по авансу", "1Razavans.docx"},
    {"TForm48", "ZER Разъяснение по оформлению допработ", "1Razpooformleniyudoprabot.docx"},
    {"TForm49", "ZER Разъяснение по существенным условиям контракта", "1Razsushchestv.docx"},
    {"TForm50", "ZER Разъяснение по срокам ", "1Razposrokam.docx"},
    {"TForm51", "ZER Разъяснение по санкциям в отношении должностных лиц", "1Razdolzhnostnyh.docx"},
    {"TForm52", "ZER Разъяснение по неприменимости неустойки", "1Razneprimenimostneustojki.docx"},
    {"TForm53", "ZER Разъяснение по содействию", "1Razposodejstviyu.docx"},
    {"TForm54", "ZER Обоснование необходимости в изменении сроков", "1Obosnsrokov.docx"},
    {"TForm55", "ZER Разъяснение по неприменимости штрафных санкций за просрочку", "1Razsankcijzaprosrochku.docx"},
    {"TForm56", "ZER Запрос пояснений от Заказчика", "1Zaprospojas.docx"},
    {"TForm57", "ZER Запрос указаний от Заказчика", "1Zaprosukaz.docx"},
    {"TForm58", "ZER Разъяснение по неприменимости демонтажа результатов работ для контроля скрытых ", "1Razdmt.docx"},
    {"TForm59", "ZER Общее разъяснение по скрытым работам", "1Razoskr.docx"},
};

TEST(LetterCatalogue, EntriesAsListedInOrder)
{
    const QList<merge::LetterType>& catalogue = merge::letterCatalogue();
    ASSERT_EQ(catalogue.size(), static_cast<qsizetype>(std::size(kExpected)));
    ASSERT_EQ(catalogue.size(), 50);
    for (qsizetype i = 0; i < catalogue.size(); ++i) {
        const merge::LetterType& e = catalogue[i];
        EXPECT_EQ(e.ScreenClass, QString::fromUtf8(kExpected[i].screenClass));
        EXPECT_EQ(e.Caption, QString::fromUtf8(kExpected[i].caption)) << kExpected[i].screenClass;
        EXPECT_EQ(e.TemplateFile, QString::fromUtf8(kExpected[i].templateFile)) << kExpected[i].screenClass;
    }
}

TEST(LetterCatalogue, EveryEntryKeepsTheInvariants)
{
    QSet<QString> classes, captions, titles, templates;
    for (const merge::LetterType& e : merge::letterCatalogue()) {
        const std::string what = e.ScreenClass.toStdString();
        EXPECT_TRUE(e.Caption.startsWith(QStringLiteral("ZER "))) << what;
        EXPECT_EQ(e.Title, e.Caption.mid(4).toUpper()) << what;
        EXPECT_TRUE(e.TemplateFile.startsWith(QLatin1Char('1'))) << what;
        EXPECT_TRUE(e.TemplateFile.endsWith(QStringLiteral(".docx"))) << what;
        EXPECT_EQ(e.WorkingCopyFile, QStringLiteral("2.docx")) << what;
        const bool trailing = e.ScreenClass == QStringLiteral("TForm18") || e.ScreenClass == QStringLiteral("TForm50") ||
                              e.ScreenClass == QStringLiteral("TForm58");
        EXPECT_EQ(e.Caption.endsWith(QLatin1Char(' ')), trailing) << what;
        EXPECT_EQ(e.Title.endsWith(QLatin1Char(' ')), trailing) << what;
        EXPECT_FALSE(e.Caption.endsWith(QStringLiteral("  "))) << what;
        classes.insert(e.ScreenClass);
        captions.insert(e.Caption);
        titles.insert(e.Title);
        templates.insert(e.TemplateFile);
    }
    EXPECT_EQ(classes.size(), 50);
    EXPECT_EQ(captions.size(), 50);
    EXPECT_EQ(titles.size(), 50);
    EXPECT_EQ(templates.size(), 50);
}

TEST(LetterCatalogue, FindByScreenClass)
{
    const merge::LetterType* nine = merge::findLetterType(u"TForm9");
    ASSERT_NE(nine, nullptr);
    EXPECT_EQ(nine->TemplateFile, QStringLiteral("1Uvednachalerabot.docx"));
    EXPECT_EQ(nine->Title, QStringLiteral("УВЕДОМЛЕНИЕ О НАЧАЛЕ РАБОТ"));
    EXPECT_EQ(merge::findLetterType(u"TForm1"), nullptr);
    EXPECT_EQ(merge::findLetterType(u"TForm13"), nullptr);
}

}  // namespace
