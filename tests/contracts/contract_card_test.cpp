// The contract card: its twelve edits bound by field name, save and cancel, the close box,
// Escape, an empty table, a refused post, and a change begun in the grid finished here.
#include "contracts/contract_card.h"

#include "contracts/bound_edit.h"
#include "contracts/contracts_page.h"
#include "contracts/editable_contract_grid.h"
#include "contracts/record_navigator.h"
#include "platform/paradox/table.h"
#include "support/contract_fixture.h"
#include "support/layout_checks.h"
#include "support/qt_application.h"
#include "support/recording_desktop.h"
#include "support/recording_navigator.h"
#include "tools/contract_schema.h"
#include "ui/picture_button.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QDialog>
#include <QTest>
#include <QToolButton>

#include <filesystem>
#include <functional>
#include <stdexcept>

using namespace contracts;
using testing_support::contractRow;
using testing_support::MemoryContracts;
using testing_support::typeText;

namespace {

struct CardFixture {
    testing_support::WithQtApplication app;
    MemoryContracts data;
    TForm5 card;
    explicit CardFixture(std::vector<QStringList> rows = {contractRow(1, "1/26", "Кровля"),
                                                          contractRow(2, "2/26", "Фасад")})
        : data(std::move(rows)), card(*data.module) {}
    ContractTable& t() { return data.table(); }
    BoundEdit* edit(const char* field) { return card.editFor(QString::fromLatin1(field)); }
    void open() {
        card.show();
        card.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&card));
    }
    void typeInto(const char* field, const QString& text) {
        BoundEdit* e = edit(field);
        e->setFocus(Qt::MouseFocusReason);
        e->selectAll();
        typeText(e, text);
    }
    void click(const char* picture) {
        QTest::mouseClick(card.findChild<ui::PictureButton*>(QString::fromLatin1(picture)), Qt::LeftButton);
    }
};

}  // namespace

TEST(ContractCard, TwelveEditsBoundByFieldNameInTheirTabOrder) {
    CardFixture f;
    const char* tabOrder[] = {"KNomer", "KDate", "KPredmet", "KObjekt", "KPodr", "KZakaz",
                              "KSumma", "KDPodr", "KDZakaz", "KFPodr", "KFZakaz", "KWVS"};
    EXPECT_EQ(f.card.findChildren<BoundEdit*>().size(), 12);
    for (const char* hidden : {"KKK", "KMetka", "KInfo", "KDWork", "KDHidden"})
        EXPECT_EQ(f.edit(hidden), nullptr) << hidden;
    f.open();
    f.edit("KNomer")->setFocus(Qt::TabFocusReason);
    for (std::size_t i = 0; i < std::size(tabOrder); ++i) {
        auto* focused = qobject_cast<BoundEdit*>(QApplication::focusWidget());
        ASSERT_NE(focused, nullptr);
        EXPECT_EQ(focused->dataField(), tabOrder[i]) << i;
        EXPECT_EQ(focused->height(), 22);
        QTest::keyClick(focused, Qt::Key_Tab);
    }
    EXPECT_EQ(f.edit("KNomer")->text(), "1/26");
    EXPECT_EQ(f.edit("KPredmet")->text(), "Кровля");
    EXPECT_EQ(f.edit("KNomer")->geometry(), QRect(168, 96, 137, 22));
    EXPECT_EQ(f.edit("KWVS")->geometry(), QRect(184, 216, 321, 22));
    EXPECT_EQ(f.card.windowTitle(), "Карточка контракта");
    EXPECT_EQ(f.card.objectName(), "Form5");
}

TEST(ContractCard, TextsPlacesAndFontsAsDesigned) {
    CardFixture f;
    const testing_support::LayoutText texts[] = {
        {"lbl2", "КАРТОЧКА КОНТРАКТА", {23, 15, 0, 0}, 16},
        {"lbl1", "Здесь можно просматривать, редактировать и добавлять данные в выбранный контракт", {24, 57, 625, 16}, 13},
        {"lbl17", "Это может быть государственный или муниципальный контракта \n"
                  "или просто контракт или договор, что и надо прописать в этом поле", {520, 217, 457, 32}, 11},
        {"lbl14", "СОХРАНИТЬ ИЗМЕНЕНИЯ\nВ КОНТРАКТЕ", {72, 552, 0, 0}, 13},
        {"lbl15", "ОТМЕНИТЬ \nВСЕ ИЗМЕНЕНИЯ\n", {312, 552, 0, 0}, 13},
        {"lbl3", "Номер контракта", {24, 97, 129, 16}, 13},
        {"lbl4", "Дата подписания", {368, 97, 129, 16}, 13},
        {"lbl9", "Цена контракта", {640, 97, 121, 16}, 13},
        {"lbl5", "Предмет \nконтракта", {24, 153, 89, 40}, 13},
        {"lbl6", "Объект", {608, 153, 57, 16}, 13},
        {"lbl16", "Заголовок контракта", {24, 217, 153, 16}, 13},
        {"lbl7", "Подрядчик", {24, 297, 81, 16}, 13},
        {"lbl8", "Заказчик", {464, 297, 73, 16}, 13},
        {"lbl10", "Должность руководителя \nПодрядчика", {24, 353, 185, 32}, 13},
        {"lbl11", "Должность руководителя\nЗаказчика", {496, 353, 185, 32}, 13},
        {"lbl12", "Фамилия и инициалы\nруководителя Подрядчика", {24, 417, 185, 32}, 13},
        {"lbl13", "Фамилия и инициалы\nруководителя Заказчика", {496, 417, 185, 32}, 13},
    };
    EXPECT_EQ(f.card.findChildren<QLabel*>().size(), static_cast<qsizetype>(std::size(texts)));
    testing_support::expectLayoutTexts(f.card, texts);
    EXPECT_TRUE(f.card.findChild<QLabel*>("lbl2")->font().bold());

    const std::pair<const char*, QRect> edits[] = {
        {"KNomer", {168, 96, 137, 22}},  {"KDate", {504, 96, 89, 22}},     {"KSumma", {776, 96, 201, 22}},
        {"KPredmet", {128, 152, 457, 22}}, {"KObjekt", {672, 152, 305, 22}}, {"KWVS", {184, 216, 321, 22}},
        {"KPodr", {128, 296, 217, 22}},  {"KZakaz", {552, 296, 425, 22}},  {"KDPodr", {232, 352, 217, 22}},
        {"KDZakaz", {696, 352, 281, 22}}, {"KFPodr", {232, 416, 217, 22}}, {"KFZakaz", {696, 416, 281, 22}},
    };
    for (const auto& [field, place] : edits) {
        EXPECT_EQ(f.edit(field)->geometry(), place) << field;
        EXPECT_EQ(f.edit(field)->font().pixelSize(), 13) << field;
    }
    const std::pair<const char*, QPoint> pictures[] = {{"img1", {24, 547}}, {"img2", {264, 547}}};
    for (const auto& [name, at] : pictures) {
        auto* picture = f.card.findChild<ui::PictureButton*>(QString::fromLatin1(name));
        EXPECT_EQ(picture->geometry(), QRect(at, QSize(41, 41))) << name;
        EXPECT_EQ(picture->toolTip(), "ДОПЫ") << name;
    }
}

// Save looks at Modified only: a record opened for change with nothing written is not posted
// and stays open; the card closes either way.
TEST(ContractCard, SaveWithNothingWrittenStoresNothing) {
    struct Case {
        const char* name;
        std::function<void(CardFixture&)> act;
        DataState after;
    };
    const Case cases[] = {
        {"browse", [](CardFixture&) {}, DataState::Browse},
        {"edit begun, nothing written", [](CardFixture& f) { f.t().Edit(); }, DataState::Edit},
        {"typed, then Escape", [](CardFixture& f) {
             f.typeInto("KNomer", "передумал");
             QTest::keyClick(f.edit("KNomer"), Qt::Key_Escape);
         }, DataState::Edit},
        {"new record, nothing written", [](CardFixture& f) { f.t().Insert(); }, DataState::Insert},
    };
    for (const Case& c : cases) {
        CardFixture f;
        f.open();
        f.t().moveTo(1);
        c.act(f);
        f.click("img1");
        EXPECT_FALSE(f.card.isVisible()) << c.name;
        EXPECT_EQ(f.card.result(), QDialog::Accepted) << c.name;
        EXPECT_EQ(f.t().state(), c.after) << c.name;
        EXPECT_EQ(f.data.store->rows().size(), 2u) << c.name;
        EXPECT_EQ(f.data.stored(1, "KNomer"), "2/26") << c.name;
        EXPECT_EQ(f.t().recNo(), 1) << c.name;  // the card never moves the record
    }
}

// Text still in the focused edit is saved too: the save button writes every pending text first.
TEST(ContractCard, SaveStoresTextStillPendingInTheFocusedEdit) {
    CardFixture f;
    f.open();
    f.typeInto("KSumma", "1500000.00");
    ASSERT_FALSE(f.t().Modified());
    f.click("img1");
    EXPECT_FALSE(f.card.isVisible());
    EXPECT_EQ(f.t().state(), DataState::Browse);
    EXPECT_EQ(f.data.stored(0, "KSumma"), "1500000.00");
}

TEST(ContractCard, SaveAfterTabStoresEveryEdit) {
    CardFixture f;
    f.open();
    f.typeInto("KNomer", "1/26-А");
    QTest::keyClick(f.edit("KNomer"), Qt::Key_Tab);
    f.typeInto("KDate", "15.01.2026");
    f.click("img1");
    EXPECT_EQ(f.data.stored(0, "KNomer"), "1/26-А");
    EXPECT_EQ(f.data.stored(0, "KDate"), "15.01.2026");
    EXPECT_EQ(f.data.stored(0, "KPredmet"), "Кровля");
}

TEST(ContractCard, CancelDropsEveryChangeOfTheRecordAndANewRecord) {
    {
        CardFixture f;
        f.t().Edit();
        f.t().FieldByName("KObjekt").setText("написано в таблице");
        f.open();
        f.typeInto("KNomer", "не нужно");
        f.click("img2");
        EXPECT_FALSE(f.card.isVisible());
        EXPECT_EQ(f.t().state(), DataState::Browse);
        EXPECT_EQ(f.data.stored(0, "KObjekt"), "");
        EXPECT_EQ(f.edit("KNomer")->text(), "1/26");
    }
    {
        CardFixture f;
        f.t().Insert();
        f.open();
        f.typeInto("KNomer", "новый");
        f.click("img2");
        EXPECT_EQ(f.t().recordCount(), 2);
        EXPECT_EQ(f.data.store->rows().size(), 2u);
        EXPECT_EQ(f.edit("KNomer")->text(), "1/26");
    }
}

TEST(ContractCard, CloseBoxLeavesTheChangePendingForThePage) {
    CardFixture f;
    testing_support::RecordingDesktop desktop;
    RecordNavigator navigator(desktop);
    navigator.setDataSource(&f.data.module->ds1);
    f.open();
    f.typeInto("KNomer", "1/26-Б");
    f.card.close();
    EXPECT_FALSE(f.card.isVisible());
    EXPECT_EQ(f.card.result(), QDialog::Rejected);
    EXPECT_EQ(f.t().state(), DataState::Edit);
    EXPECT_FALSE(f.t().Modified());  // closing wrote nothing into the record
    EXPECT_TRUE(f.edit("KNomer")->hasPendingText());
    EXPECT_EQ(f.t().FieldByName("KNomer").AsString(), "1/26");
    EXPECT_EQ(f.data.stored(0, "KNomer"), "1/26");
    EXPECT_TRUE(navigator.button(NavigatorButton::Post)->isEnabled());
    EXPECT_TRUE(navigator.button(NavigatorButton::Cancel)->isEnabled());
    navigator.press(NavigatorButton::Post);  // stores the text still pending in the closed card
    EXPECT_EQ(f.data.stored(0, "KNomer"), "1/26-Б");
}

TEST(ContractCard, EscapePutsBackTheValueAndDoesNotCloseTheCard) {
    CardFixture f;
    f.open();
    f.typeInto("KPredmet", "опечатка");
    QTest::keyClick(f.edit("KPredmet"), Qt::Key_Escape);
    EXPECT_EQ(f.edit("KPredmet")->text(), "Кровля");
    EXPECT_TRUE(f.card.isVisible());
    EXPECT_EQ(f.t().state(), DataState::Edit);
    QTest::keyClick(&f.card, Qt::Key_Escape);
    EXPECT_TRUE(f.card.isVisible());
}

TEST(ContractCard, EmptyTableFirstKeystrokeBeginsARecordThatSaveStores) {
    CardFixture f(std::vector<QStringList>{});
    f.open();
    for (BoundEdit* e : f.card.findChildren<BoundEdit*>()) EXPECT_EQ(e->text(), "") << qPrintable(e->dataField());
    f.typeInto("KNomer", "1/27");
    EXPECT_EQ(f.t().state(), DataState::Insert);
    f.click("img1");
    ASSERT_EQ(f.data.store->rows().size(), 1u);
    EXPECT_EQ(f.data.stored(0, "KNomer"), "1/27");
    EXPECT_EQ(f.data.stored(0, "KKK"), "1");  // the counter's next value
}

TEST(ContractCard, RefusedPostKeepsTheCardOpenWithEveryValue) {
    CardFixture f;
    f.open();
    f.typeInto("KNomer", "1/26-В");
    QTest::keyClick(f.edit("KNomer"), Qt::Key_Tab);
    f.typeInto("KDate", "01.02.2026");
    f.data.store->setWriteHook([](const char*) { throw std::runtime_error("Таблица «71BKontrakts.db» занята"); });
    EXPECT_THROW(f.card.img1Click(), std::runtime_error);
    EXPECT_TRUE(f.card.isVisible());
    EXPECT_EQ(f.t().state(), DataState::Edit);
    EXPECT_EQ(f.edit("KNomer")->text(), "1/26-В");
    EXPECT_EQ(f.edit("KDate")->text(), "01.02.2026");
    EXPECT_EQ(f.t().FieldByName("KDate").AsString(), "01.02.2026");
    f.data.store->setWriteHook({});
    f.click("img1");
    EXPECT_FALSE(f.card.isVisible());
    EXPECT_EQ(f.data.stored(0, "KDate"), "01.02.2026");
}

// On a real file: a cell of the page's grid written, the card opened by a double click,
// one more field typed there and saved; both values are in the file.
TEST(ContractCard, ChangeBegunInTheGridIsFinishedInTheCardAndStoredInTheFile) {
    testing_support::qtApplication();
    QTemporaryDir dir;
    const auto file = testing_support::createContractFile(dir.path(), {"5/26", "6/26"});
    TfDM15 module(file);
    TForm5 card(module);
    testing_support::RecordingDesktop desktop;
    testing_support::RecordingNavigator navigator;
    TForm3 page(navigator, desktop);
    page.setDataModule(&module);
    navigator.whileModal = [&](const QString&) {
        card.show();
        card.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&card));
        EXPECT_EQ(card.editFor("KNomer")->text(), "6/26-изм");
        BoundEdit* e = card.editFor("KObjekt");
        e->setFocus(Qt::MouseFocusReason);
        typeText(e, "Школа № 3");
        card.img1Click();
    };
    page.show();
    page.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&page));
    EditableContractGrid* grid = page.dbgrd1();
    module.tbl1.moveTo(1);
    grid->setFocus();
    grid->setCurrentColumn(1);
    ASSERT_TRUE(grid->openCellEditor());
    grid->cellEditor()->selectAll();
    typeText(grid->cellEditor(), "6/26-изм");
    QTest::keyClick(grid->cellEditor(), Qt::Key_Return);
    ASSERT_TRUE(module.tbl1.Modified());
    const QRect cell = grid->visualRect(grid->model()->index(1, 2));
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
    ASSERT_EQ(navigator.modal, QStringList{"Form5"});
    EXPECT_EQ(module.tbl1.state(), DataState::Browse);

    paradox::Table check = paradox::Table::open(file);
    EXPECT_EQ(check.text(1, check.fieldIndex("KNomer")), "6/26-изм");
    EXPECT_EQ(check.text(1, check.fieldIndex("KObjekt")), "Школа № 3");
    EXPECT_EQ(check.text(0, check.fieldIndex("KNomer")), "5/26");
    EXPECT_TRUE(check.check().empty());
}

// The refusal a user can cause by typing: a character the table's code page cannot hold.
// The card stays open with the values; corrected, the save goes through.
TEST(ContractCard, TextTheFileCannotHoldIsRefusedAndTheCardStaysOpen) {
    testing_support::qtApplication();
    QTemporaryDir dir;
    const auto file = testing_support::createContractFile(dir.path(), {"7/26"});
    TfDM15 module(file);
    TForm5 card(module);
    card.show();
    card.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&card));
    BoundEdit* nomer = card.editFor("KNomer");
    nomer->setFocus(Qt::MouseFocusReason);
    nomer->selectAll();
    typeText(nomer, "7/26-Д");
    QTest::keyClick(nomer, Qt::Key_Tab);
    BoundEdit* objekt = card.editFor("KObjekt");
    objekt->setFocus(Qt::MouseFocusReason);
    typeText(objekt, "Склад 日");
    try {
        card.img1Click();
        FAIL() << "the post was not refused";
    } catch (const paradox::Error& e) {
        EXPECT_NE(QString::fromUtf8(e.what()).indexOf("KObjekt"), -1) << e.what();
    }
    EXPECT_TRUE(card.isVisible());
    EXPECT_EQ(module.tbl1.state(), DataState::Edit);
    EXPECT_EQ(nomer->text(), "7/26-Д");
    EXPECT_EQ(objekt->text(), "Склад 日");
    EXPECT_EQ(paradox::Table::open(file).text(0, 1), "7/26");

    objekt->setFocus(Qt::MouseFocusReason);
    QTest::keyClick(objekt, Qt::Key_Backspace);
    typeText(objekt, "№ 2");
    card.img1Click();
    EXPECT_FALSE(card.isVisible());
    paradox::Table check = paradox::Table::open(file);
    EXPECT_EQ(check.text(0, check.fieldIndex("KNomer")), "7/26-Д");
    EXPECT_EQ(check.text(0, check.fieldIndex("KObjekt")), "Склад № 2");
}
