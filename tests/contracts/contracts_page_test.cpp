// The contracts page: its texts and layout, the grid's columns, binding to the data module
// made after the page, the double click opening the card, and the navigation bar.
#include "contracts/contracts_page.h"

#include "contracts/editable_contract_grid.h"
#include "contracts/record_indicator.h"
#include "contracts/record_navigator.h"
#include "support/contract_fixture.h"
#include "support/layout_checks.h"
#include "support/qt_application.h"
#include "support/recording_desktop.h"
#include "support/recording_navigator.h"
#include "ui/colors.h"
#include "ui/picture_button.h"

#include <gtest/gtest.h>

#include <QHeaderView>
#include <QLabel>
#include <QTest>
#include <QToolButton>

using namespace contracts;
using testing_support::contractRow;
using testing_support::MemoryContracts;

namespace {

struct PageFixture {
    testing_support::WithQtApplication app;
    MemoryContracts data{{contractRow(1, "1/26", "Кровля"), contractRow(2, "2/26", "Фасад"),
                          contractRow(3, "3/26", "Сети")}};
    testing_support::RecordingDesktop desktop;
    testing_support::RecordingNavigator navigator;
    TForm3 page{navigator, desktop};
    PageFixture() { page.setDataModule(data.module.get()); }
    ContractTable& t() { return data.table(); }
    void open() {
        page.show();
        page.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&page));
    }
    QLabel* label(const char* name) { return page.findChild<QLabel*>(QString::fromLatin1(name)); }
};

}  // namespace

TEST(ContractsPage, TextsFontsAndPlacesAsDesigned) {
    PageFixture f;
    const testing_support::LayoutText texts[] = {
        {"lbl2", "РАБОТА С КОНТРАКТАМИ", {23, 15, 0, 0}, 16},
        {"lbl1", "Здесь можно просматривать, редактировать и добавлять контракты", {24, 57, 537, 16}, 13},
        {"lbl4", "Двойным нажатием на строку контракта вызывается карточка контракта, которую можно просмотреть или "
                 "отредактировать", {24, 97, 897, 16}, 13},
        {"lbl5", "В цене контракта разделителем между целым числом (рублями) и дробным (копейки) является точка",
         {80, 129, 897, 16}, 11},
        {"lbl6", "Даты проставляются исключительно числами, без слова \"года\" или названий месяцев", {80, 153, 897, 16}, 11},
        {"lbl7", "Для корректной подготовки писем по шаблонам достаточно заполнить несколько полей", {24, 185, 897, 16}, 13},
        {"lbl3", "Таблица контрактов", {24, 217, 153, 16}, 13},
        {"lbl8", "  ПОЯСНЕНИЯ К НАВИГАЦИИ ПО ТАБЛИЦЕ КОНТРАКТОВ", {5, 1, 0, 0}, 13},
        {"lbl11", "Знак \"плюс\". Добавить строку (добавить новый контракт)\nЗнак \"минус\". Удалить выделенную строку\n"
                  "Знак \"галочка. Принять изменения\nЗнак \"х\".  Отменить изменения\n"
                  "Знак \"круглая стрелка\". Обновить базу\n", {16, 33, 401, 80}, 13},
        {"lbl9", "ГЛАВНАЯ \nСТРАНИЦА", {72, 608, 0, 0}, 13},
        {"lbl16", "ПЕРЕЙТИ К\nСПИСКУ ПИСЕМ\n", {272, 608, 0, 0}, 13},
        {"lbl13", "ПОЛУЧИТЬ \nКОНСУЛЬТАЦИЮ", {496, 608, 0, 0}, 13},
        {"lbl14", "ЗАКАЗАТЬ\nПИСЬМО", {744, 608, 0, 0}, 13},
        {"lbl15", "ОБРАТНАЯ \nСВЯЗЬ\n", {968, 608, 0, 0}, 13},
    };
    testing_support::expectLayoutTexts(f.page, texts);
    EXPECT_TRUE(f.label("lbl2")->font().bold());
    EXPECT_EQ(f.label("lbl11")->parentWidget()->objectName(), "grp1");
    EXPECT_EQ(f.page.windowTitle(), "Страница контрактов");
    EXPECT_EQ(f.page.objectName(), "Form3");
    EXPECT_EQ(f.page.dbgrd1()->geometry(), QRect(24, 240, 1041, 137));
    EXPECT_EQ(f.page.dbnvgr1()->geometry(), QRect(24, 392, 305, 25));
    EXPECT_EQ(f.page.findChild<QWidget*>("grp1")->geometry(), QRect(24, 432, 425, 121));
}

TEST(ContractsPage, GridShowsElevenOfTheSeventeenFieldsWithTheirTitlesAndWidths) {
    PageFixture f;
    EditableContractGrid* grid = f.page.dbgrd1();
    const auto& columns = grid->gridModel()->columns();
    ASSERT_EQ(columns.size(), 17u);
    QStringList shown;
    for (int c = 0; c < 17; ++c) {
        EXPECT_EQ(columns[static_cast<std::size_t>(c)].field, f.t().FieldDefs()[static_cast<std::size_t>(c)].name);
        if (grid->isColumnHidden(c)) continue;
        shown << grid->model()->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString();
        EXPECT_EQ(grid->columnWidth(c), columns[static_cast<std::size_t>(c)].width);
    }
    EXPECT_EQ(shown, (QStringList{" Номер контракта", " Предмет контракта", " Объект", " Заказчик", " Цена контракта",
                                  " Дата контракта", " Подрядчик", " Должность Заказчика", " ФИО Заказчика",
                                  " Должность Подрядчика", " ФИО Подрядчика"}));
    EXPECT_EQ(grid->columnWidth(2), 250);
    EXPECT_EQ(grid->font().pixelSize(), 12);
    EXPECT_EQ(grid->palette().color(QPalette::Text), ui::kGrey);
    EXPECT_EQ(grid->indicator()->palette().color(QPalette::Button), ui::kAccentGreen);
    EXPECT_EQ(grid->model()->rowCount(), 3);
    EXPECT_EQ(grid->model()->index(1, 2).data().toString(), "Фасад");
}

TEST(ContractsPage, BuiltBeforeTheDataModuleAndBoundWhenItExists) {
    testing_support::qtApplication();
    testing_support::RecordingDesktop desktop;
    testing_support::RecordingNavigator navigator;
    TForm3 page(navigator, desktop);
    EXPECT_EQ(page.dbgrd1()->model()->rowCount(), 0);
    EXPECT_FALSE(page.dbnvgr1()->button(NavigatorButton::Insert)->isEnabled());
    MemoryContracts data({contractRow(1, "1/26"), contractRow(2, "2/26")});
    page.setDataModule(data.module.get());
    EXPECT_EQ(page.dbgrd1()->model()->rowCount(), 2);
    EXPECT_TRUE(page.dbnvgr1()->button(NavigatorButton::Insert)->isEnabled());
    EXPECT_EQ(page.dbgrd1()->currentIndex().row(), 0);
    page.setDataModule(nullptr);  // before the module goes
}

TEST(ContractsPage, TabOrderRunsNavigatorGridHelpBox) {
    PageFixture f;
    QWidget* wanted[] = {f.page.dbnvgr1(), f.page.dbgrd1(), f.page.findChild<QWidget*>("grp1")};
    std::vector<QWidget*> order;
    for (QWidget* w = f.page.nextInFocusChain(); w != &f.page; w = w->nextInFocusChain())
        if (std::find(std::begin(wanted), std::end(wanted), w) != std::end(wanted)) order.push_back(w);
    EXPECT_EQ(order, std::vector<QWidget*>(std::begin(wanted), std::end(wanted)));
}

// The double click opens the card once, on the row clicked, or on the current record when
// the click was not on a row.
TEST(ContractsPage, DoubleClickShowsTheCardModallyOnTheRightRecord) {
    enum class Where { Row3, TitleRow, Indicator, BelowLastRow };
    const std::pair<Where, int> cases[] = {
        {Where::Row3, 2}, {Where::TitleRow, 1}, {Where::Indicator, 1}, {Where::BelowLastRow, 1}};
    for (const auto& [where, expectedRow] : cases) {
        PageFixture f;
        f.open();
        f.t().moveTo(1);
        EditableContractGrid* grid = f.page.dbgrd1();
        int rowSeen = -1;
        f.navigator.whileModal = [&](const QString&) { rowSeen = f.t().recNo(); };
        // A real double click arrives as a click followed by the double-click event.
        const auto doubleClick = [](QWidget* w, QPoint at) {
            QTest::mouseClick(w, Qt::LeftButton, {}, at);
            QTest::mouseDClick(w, Qt::LeftButton, {}, at);
        };
        switch (where) {
        case Where::Row3: doubleClick(grid->viewport(), grid->visualRect(grid->model()->index(2, 3)).center()); break;
        case Where::TitleRow: doubleClick(grid->horizontalHeader()->viewport(), QPoint(60, 5)); break;
        case Where::Indicator: doubleClick(grid->indicator()->viewport(), QPoint(5, 5)); break;
        case Where::BelowLastRow: doubleClick(grid->viewport(), QPoint(60, grid->viewport()->height() - 4)); break;
        }
        EXPECT_EQ(f.navigator.modal, QStringList{"Form5"}) << static_cast<int>(where);
        EXPECT_EQ(rowSeen, expectedRow) << static_cast<int>(where);
        EXPECT_EQ(f.t().state(), DataState::Browse);
    }
}

TEST(ContractsPage, PictureButtonsActAsTheNavigationBarAndCaptionsDoNothing) {
    PageFixture f;
    f.open();
    struct Button {
        const char* picture;
        const char* screen;
        int left;
    };
    const Button buttons[] = {
        {"img1", "Form1", 24}, {"img6", "Form8", 224}, {"img3", "Form61", 448}, {"img4", "Form62", 696},
        {"img5", "Form63", 920}};
    QStringList expected;
    for (const auto& [picture, screen, left] : buttons) {
        auto* b = f.page.findChild<ui::PictureButton*>(QString::fromLatin1(picture));
        ASSERT_NE(b, nullptr) << picture;
        EXPECT_EQ(b->geometry(), QRect(left, 603, 41, 41)) << picture;
        EXPECT_EQ(b->toolTip(), "ДОПЫ");
        QTest::mouseClick(b, Qt::LeftButton);
        expected << QString::fromLatin1(screen);
    }
    EXPECT_EQ(f.navigator.shown, expected);
    for (const char* caption : {"lbl9", "lbl16", "lbl13", "lbl14", "lbl15", "lbl2", "lbl11"}) {
        QLabel* l = f.label(caption);
        QTest::mouseClick(l, Qt::LeftButton);
        QTest::mouseDClick(l, Qt::LeftButton);
    }
    EXPECT_EQ(f.navigator.shown, expected);
    EXPECT_TRUE(f.navigator.modal.isEmpty());
    EXPECT_EQ(f.t().state(), DataState::Browse);
}

TEST(ContractsPage, HidingThePageLeavesAPendingChangePending) {
    PageFixture f;
    f.open();
    f.t().Edit();
    f.t().FieldByName("KNomer").setText("1/26-изм");
    f.page.close();
    EXPECT_FALSE(f.page.isVisible());
    EXPECT_EQ(f.t().state(), DataState::Edit);
    EXPECT_EQ(f.data.stored(0, "KNomer"), "1/26");
    f.open();
    EXPECT_TRUE(f.page.dbnvgr1()->button(NavigatorButton::Post)->isEnabled());
}
