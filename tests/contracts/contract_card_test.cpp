// The contract card: its twelve edits bound by field name, save and cancel, the close box,
// Escape, an empty table, a refused post, and a change begun in the grid finished here.
#include "contracts/contract_card.h"

#include "contracts/bound_edit.h"
#include "contracts/contracts_page.h"
#include "contracts/editable_contract_grid.h"
#include "contracts/record_navigator.h"
#include "platform/paradox/table.h"
#include "support/contract_fixture.h"
#include "support/qt_application.h"
#include "support/recording_desktop.h"
#include "support/recording_navigator.h"
#include "tools/contract_schema.h"
#include "ui/picture_button.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <filesystem>
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

TEST(ContractCard, TextsAndHintsAsDesigned) {
    CardFixture f;
    const std::pair<const char*, const char*> texts[] = {
        {"lbl2", "КАРТОЧКА КОНТРАКТА"},
        {"lbl5", "Предмет \nконтракта"},
        {"lbl10", "Должность руководителя \nПодрядчика"},
        {"lbl13", "Фамилия и инициалы\nруководителя Заказчика"},
        {"lbl17", "Это может быть государственный или муниципальный контракта \n"
                  "или просто контракт или договор, что и надо прописать в этом поле"},
        {"lbl14", "СОХРАНИТЬ ИЗМЕНЕНИЯ\nВ КОНТРАКТЕ"},
        {"lbl15", "ОТМЕНИТЬ \nВСЕ ИЗМЕНЕНИЯ\n"},
    };
    for (const auto& [name, text] : texts) {
        auto* label = f.card.findChild<QLabel*>(QString::fromLatin1(name));
        ASSERT_NE(label, nullptr) << name;
        EXPECT_EQ(label->text(), QString::fromUtf8(text)) << name;
    }
    for (const char* picture : {"img1", "img2"})
        EXPECT_EQ(f.card.findChild<ui::PictureButton*>(QString::fromLatin1(picture))->toolTip(), "ДОПЫ");
}

TEST(ContractCard, SaveWithNothingTypedClosesAndStoresNothing) {
    CardFixture f;
    f.open();
    f.t().moveTo(1);
    f.click("img1");
    EXPECT_FALSE(f.card.isVisible());
    EXPECT_EQ(f.card.result(), QDialog::Accepted);
    EXPECT_EQ(f.t().state(), DataState::Browse);
    EXPECT_EQ(f.t().recNo(), 1);  // the card never moves the record
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
    const auto file = std::filesystem::path(dir.path().toStdString()) / "71BKontrakts.db";
    {
        auto t = paradox::Table::create(file, telma::contractFields(), telma::kContractKeyFields);
        std::vector<std::optional<std::string>> row(17);
        row[1] = "5/26";
        t.insert(row);
        row[1] = "6/26";
        t.insert(row);
    }
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
