#include "merge/letter_catalogue.h"

namespace merge {
namespace {

struct Row {
    const char16_t* screenClass;
    const char16_t* caption;
    const char16_t* title;
    const char16_t* templateFile;
};

// Texts exactly as the letter pages show them; three captions and titles end in a space.
constexpr Row kRows[] = {
    {u"TForm6", u"ZER Сопроводительное письмо к актам скрытых работ",
     u"СОПРОВОДИТЕЛЬНОЕ ПИСЬМО К АКТАМ СКРЫТЫХ РАБОТ",
     u"1Soprovkaktamskrytyhrabot.docx"},
    {u"TForm9", u"ZER Уведомление о начале работ",
     u"УВЕДОМЛЕНИЕ О НАЧАЛЕ РАБОТ",
     u"1Uvednachalerabot.docx"},
    {u"TForm10", u"ZER Сопроводительное письмо к сметам на согласование",
     u"СОПРОВОДИТЕЛЬНОЕ ПИСЬМО К СМЕТАМ НА СОГЛАСОВАНИЕ",
     u"1Soprovksmetamnasoglasovanie.docx"},
    {u"TForm11", u"ZER Уведомление о необходимости согласовать сметы",
     u"УВЕДОМЛЕНИЕ О НЕОБХОДИМОСТИ СОГЛАСОВАТЬ СМЕТЫ",
     u"1Uvedomleniesoglasovatsmety.docx"},
    {u"TForm12", u"ZER Уведомление о невозможности начать работы",
     u"УВЕДОМЛЕНИЕ О НЕВОЗМОЖНОСТИ НАЧАТЬ РАБОТЫ",
     u"1Uvedonevozmozhnostinachat.docx"},
    {u"TForm14", u"ZER Уведомление о необходимости в допработах",
     u"УВЕДОМЛЕНИЕ О НЕОБХОДИМОСТИ В ДОПРАБОТАХ",
     u"1Uvedodoprabotah.docx"},
    {u"TForm16", u"ZER Уведомление об устном указании выполнять допработы",
     u"УВЕДОМЛЕНИЕ ОБ УСТНОМ УКАЗАНИИ ВЫПОЛНЯТЬ ДОПРАБОТЫ",
     u"1Uvedobustnomukazaniidopraboty.docx"},
    {u"TForm17", u"ZER Письмо по увеличению сметы",
     u"ПИСЬМО ПО УВЕЛИЧЕНИЮ СМЕТЫ",
     u"1Pismouvelichsmet.docx"},
    {u"TForm18", u"ZER Уведомление начале выполнения допработ ",
     u"УВЕДОМЛЕНИЕ НАЧАЛЕ ВЫПОЛНЕНИЯ ДОПРАБОТ ",
     u"1Uvednachalvypolndoprabot.docx"},
    {u"TForm19", u"ZER Фиксация выполненных допработ и необходимости их приемки и оплаты",
     u"ФИКСАЦИЯ ВЫПОЛНЕННЫХ ДОПРАБОТ И НЕОБХОДИМОСТИ ИХ ПРИЕМКИ И ОПЛАТЫ",
     u"1Fiksaciyavypolnennyhdoprabot.docx"},
    {u"TForm20", u"ZER Разъяснение по оплате допработ",
     u"РАЗЪЯСНЕНИЕ ПО ОПЛАТЕ ДОПРАБОТ",
     u"1Razpooplatedoprabot.docx"},
    {u"TForm21", u"ZER Разъяснение по согласованию допработ",
     u"РАЗЪЯСНЕНИЕ ПО СОГЛАСОВАНИЮ ДОПРАБОТ",
     u"1Razposoglasovaniyudoprabot.docx"},
    {u"TForm22", u"ZER Письмо о неприменимости понижающих коэффициентов по отношению к допработам",
     u"ПИСЬМО О НЕПРИМЕНИМОСТИ ПОНИЖАЮЩИХ КОЭФФИЦИЕНТОВ ПО ОТНОШЕНИЮ К ДОПРАБОТАМ",
     u"1Pismoponizhaykoeff.docx"},
    {u"TForm23", u"ZER Уведомление о приостановке из-за непригодности технической документации",
     u"УВЕДОМЛЕНИЕ О ПРИОСТАНОВКЕ ИЗ-ЗА НЕПРИГОДНОСТИ ТЕХНИЧЕСКОЙ ДОКУМЕНТАЦИИ",
     u"1Uvedpriostanovneprigodnosttd.docx"},
    {u"TForm24", u"ZER Уведомление о необходимости в изменении сроков",
     u"УВЕДОМЛЕНИЕ О НЕОБХОДИМОСТИ В ИЗМЕНЕНИИ СРОКОВ",
     u"1Uvedsrokov.docx"},
    {u"TForm25", u"ZER Общее сопроводительное письмо",
     u"ОБЩЕЕ СОПРОВОДИТЕЛЬНОЕ ПИСЬМО",
     u"1Obshcheesoprovoditel.docx"},
    {u"TForm26", u"ZER Уведомление о приостановке работ",
     u"УВЕДОМЛЕНИЕ О ПРИОСТАНОВКЕ РАБОТ",
     u"1Uvedpriostanovke.docx"},
    {u"TForm27", u"ZER Уведомление о выполнении отдельной стадии (этапа) работ",
     u"УВЕДОМЛЕНИЕ О ВЫПОЛНЕНИИ ОТДЕЛЬНОЙ СТАДИИ (ЭТАПА) РАБОТ",
     u"1Uvedvypolneniiotdelnojstadii.docx"},
    {u"TForm28", u"ZER Письмо о замене материала в ходе работ",
     u"ПИСЬМО О ЗАМЕНЕ МАТЕРИАЛА В ХОДЕ РАБОТ",
     u"1Pismozamenemateriala.docx"},
    {u"TForm29", u"ZER Письмо о помехах в ходе работ",
     u"ПИСЬМО О ПОМЕХАХ В ХОДЕ РАБОТ",
     u"1Pismoopomekhah.docx"},
    {u"TForm30", u"ZER Письмо об указаниях Заказчика в ходе работ, в т.ч. устных",
     u"ПИСЬМО ОБ УКАЗАНИЯХ ЗАКАЗЧИКА В ХОДЕ РАБОТ, В Т.Ч. УСТНЫХ",
     u"1PismoukazaniyaZakazchika.docx"},
    {u"TForm31", u"ZER Уведомление об окончании работ",
     u"УВЕДОМЛЕНИЕ ОБ ОКОНЧАНИИ РАБОТ",
     u"1Uvedokonchanii.docx"},
    {u"TForm32", u"ZER Вызов на приемку выполненных работ",
     u"ВЫЗОВ НА ПРИЕМКУ ВЫПОЛНЕННЫХ РАБОТ",
     u"1Vyzovnapriemku.docx"},
    {u"TForm33", u"ZER Ответ на отказ от приемки работ",
     u"ОТВЕТ НА ОТКАЗ ОТ ПРИЕМКИ РАБОТ",
     u"1Otvetnaotkaz.docx"},
    {u"TForm34", u"ZER Письмо об устранении недостатков",
     u"ПИСЬМО ОБ УСТРАНЕНИИ НЕДОСТАТКОВ",
     u"1Pismoobustraneniinedostatkov.docx"},
    {u"TForm35", u"ZER Требование подписать акты КС-2",
     u"ТРЕБОВАНИЕ ПОДПИСАТЬ АКТЫ КС-2",
     u"1TrebovaniepodpisataktyKS2.docx"},
    {u"TForm36", u"ZER Сопроводительное письмо к КС-2, подписанному Подрядчиком в одностороннем порядке",
     u"СОПРОВОДИТЕЛЬНОЕ ПИСЬМО К КС-2, ПОДПИСАННОМУ ПОДРЯДЧИКОМ В ОДНОСТОРОННЕМ ПОРЯДКЕ",
     u"1SoprovkKS2odnostoronnem.docx"},
    {u"TForm37", u"ZER Требование оплатить выполненные работы",
     u"ТРЕБОВАНИЕ ОПЛАТИТЬ ВЫПОЛНЕННЫЕ РАБОТЫ",
     u"1Trebovanieoplatit.docx"},
    {u"TForm38", u"ZER Разъяснение по неприменимости штрафных санкций по отношению к Подрядчику",
     u"РАЗЪЯСНЕНИЕ ПО НЕПРИМЕНИМОСТИ ШТРАФНЫХ САНКЦИЙ ПО ОТНОШЕНИЮ К ПОДРЯДЧИКУ",
     u"1Razneprimenimostshtrafnyh.docx"},
    {u"TForm39", u"ZER Разъяснение по пеням в рамках постановлений",
     u"РАЗЪЯСНЕНИЕ ПО ПЕНЯМ В РАМКАХ ПОСТАНОВЛЕНИЙ",
     u"1Razpopenyam.docx"},
    {u"TForm40", u"ZER Приложение к письму",
     u"ПРИЛОЖЕНИЕ К ПИСЬМУ",
     u"1Prilozhkpismu.docx"},
    {u"TForm41", u"ZER Служебная записка",
     u"СЛУЖЕБНАЯ ЗАПИСКА",
     u"1Sluzhebnaya.docx"},
    {u"TForm42", u"ZER Разъяснение по необходимости ускорить согласование смет",
     u"РАЗЪЯСНЕНИЕ ПО НЕОБХОДИМОСТИ УСКОРИТЬ СОГЛАСОВАНИЕ СМЕТ",
     u"1Razuskorsoglasovaniesmet.docx"},
    {u"TForm43", u"ZER Разъяснение по необходимости ускорить согласование допработ",
     u"РАЗЪЯСНЕНИЕ ПО НЕОБХОДИМОСТИ УСКОРИТЬ СОГЛАСОВАНИЕ ДОПРАБОТ",
     u"1Razuskorioglasovaniedoprabot.docx"},
    {u"TForm44", u"ZER Разъяснение по необходимости ускорить согласование замены материалов",
     u"РАЗЪЯСНЕНИЕ ПО НЕОБХОДИМОСТИ УСКОРИТЬ СОГЛАСОВАНИЕ ЗАМЕНЫ МАТЕРИАЛОВ",
     u"1Razuskoritsoglasovaniezamen.docx"},
    {u"TForm45", u"ZER Запрос на предоставление документов, необходимых для работ",
     u"ЗАПРОС НА ПРЕДОСТАВЛЕНИЕ ДОКУМЕНТОВ, НЕОБХОДИМЫХ ДЛЯ РАБОТ",
     u"1Zaprosnapredostavlenie.docx"},
    {u"TForm46", u"ZER Разъяснение по удорожанию",
     u"РАЗЪЯСНЕНИЕ ПО УДОРОЖАНИЮ",
     u"1Razpoudorozh.docx"},
    {u"TForm47", u"ZER Разъяснение по авансу",
     u"РАЗЪЯСНЕНИЕ ПО АВАНСУ",
     u"1Razavans.docx"},
    {u"TForm48", u"ZER Разъяснение по оформлению допработ",
     u"РАЗЪЯСНЕНИЕ ПО ОФОРМЛЕНИЮ ДОПРАБОТ",
     u"1Razpooformleniyudoprabot.docx"},
    {u"TForm49", u"ZER Разъяснение по существенным условиям контракта",
     u"РАЗЪЯСНЕНИЕ ПО СУЩЕСТВЕННЫМ УСЛОВИЯМ КОНТРАКТА",
     u"1Razsushchestv.docx"},
    {u"TForm50", u"ZER Разъяснение по срокам ",
     u"РАЗЪЯСНЕНИЕ ПО СРОКАМ ",
     u"1Razposrokam.docx"},
    {u"TForm51", u"ZER Разъяснение по санкциям в отношении должностных лиц",
     u"РАЗЪЯСНЕНИЕ ПО САНКЦИЯМ В ОТНОШЕНИИ ДОЛЖНОСТНЫХ ЛИЦ",
     u"1Razdolzhnostnyh.docx"},
    {u"TForm52", u"ZER Разъяснение по неприменимости неустойки",
     u"РАЗЪЯСНЕНИЕ ПО НЕПРИМЕНИМОСТИ НЕУСТОЙКИ",
     u"1Razneprimenimostneustojki.docx"},
    {u"TForm53", u"ZER Разъяснение по содействию",
     u"РАЗЪЯСНЕНИЕ ПО СОДЕЙСТВИЮ",
     u"1Razposodejstviyu.docx"},
    {u"TForm54", u"ZER Обоснование необходимости в изменении сроков",
     u"ОБОСНОВАНИЕ НЕОБХОДИМОСТИ В ИЗМЕНЕНИИ СРОКОВ",
     u"1Obosnsrokov.docx"},
    {u"TForm55", u"ZER Разъяснение по неприменимости штрафных санкций за просрочку",
     u"РАЗЪЯСНЕНИЕ ПО НЕПРИМЕНИМОСТИ ШТРАФНЫХ САНКЦИЙ ЗА ПРОСРОЧКУ",
     u"1Razsankcijzaprosrochku.docx"},
    {u"TForm56", u"ZER Запрос пояснений от Заказчика",
     u"ЗАПРОС ПОЯСНЕНИЙ ОТ ЗАКАЗЧИКА",
     u"1Zaprospojas.docx"},
    {u"TForm57", u"ZER Запрос указаний от Заказчика",
     u"ЗАПРОС УКАЗАНИЙ ОТ ЗАКАЗЧИКА",
     u"1Zaprosukaz.docx"},
    {u"TForm58", u"ZER Разъяснение по неприменимости демонтажа результатов работ для контроля скрытых ",
     u"РАЗЪЯСНЕНИЕ ПО НЕПРИМЕНИМОСТИ ДЕМОНТАЖА РЕЗУЛЬТАТОВ РАБОТ ДЛЯ КОНТРОЛЯ СКРЫТЫХ ",
     u"1Razdmt.docx"},
    {u"TForm59", u"ZER Общее разъяснение по скрытым работам",
     u"ОБЩЕЕ РАЗЪЯСНЕНИЕ ПО СКРЫТЫМ РАБОТАМ",
     u"1Razoskr.docx"},
};

}  // namespace

const QList<LetterType>& letterCatalogue()
{
    static const QList<LetterType> catalogue = [] {
        QList<LetterType> list;
        list.reserve(std::size(kRows));
        for (const Row& row : kRows)
            list.append({QString::fromUtf16(row.screenClass), QString::fromUtf16(row.caption),
                         QString::fromUtf16(row.title), QString::fromUtf16(row.templateFile),
                         QStringLiteral("2.docx")});
        return list;
    }();
    return catalogue;
}

const LetterType* findLetterType(QStringView screenClass)
{
    for (const LetterType& entry : letterCatalogue())
        if (entry.ScreenClass == screenClass)
            return &entry;
    return nullptr;
}

}  // namespace merge
