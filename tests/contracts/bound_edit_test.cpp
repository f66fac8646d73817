// The bound edit: what it shows, when its pending text reaches the record, the first change,
// Escape, the field's length and a table that can only be read.
#include "contracts/bound_edit.h"

#include "support/contract_fixture.h"
#include "support/qt_application.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QTest>
#include <QWidget>

#include <functional>

using namespace contracts;
using testing_support::contractRow;
using testing_support::MemoryContracts;

namespace {

// A screen with two edits (KNomer, KPredmet), as the card has them.
struct EditFixture {
    testing_support::WithQtApplication app;
    MemoryContracts data;
    QWidget screen;
    BoundEdit* nomer;
    BoundEdit* predmet;
    explicit EditFixture(std::vector<QStringList> rows = {contractRow(1, "1/26", "Кровля"),
                                                          contractRow(2, "2/26", "Фасад")})
        : data(std::move(rows)), nomer(new BoundEdit(&screen)), predmet(new BoundEdit(&screen)) {
        nomer->setDataField("KNomer");
        predmet->setDataField("KPredmet");
        predmet->move(0, 30);
        nomer->setDataSource(&data.module->ds1);
        predmet->setDataSource(&data.module->ds1);
    }
    ContractTable& t() { return data.table(); }
    void showAndFocus(QWidget* w) {
        screen.show();
        screen.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&screen));
        w->setFocus(Qt::OtherFocusReason);
        QCoreApplication::processEvents();
    }
};

}  // namespace

TEST(BoundEdit, ShowsTheFieldOfTheCurrentRecordAndFollowsEveryChange) {
    EditFixture f;
    EXPECT_EQ(f.nomer->text(), "1/26");
    f.t().moveTo(1);
    EXPECT_EQ(f.nomer->text(), "2/26");
    f.t().Edit();
    f.t().FieldByName("KNomer").setText("2/26-А");  // written by another control
    EXPECT_EQ(f.nomer->text(), "2/26-А");
    f.t().Cancel();
    EXPECT_EQ(f.nomer->text(), "2/26");
    // Bound by name, whatever the case, once a data source is set.
    BoundEdit late;
    late.setDataField("kpredmet");
    EXPECT_EQ(late.text(), "");
    late.setDataSource(&f.data.module->ds1);
    EXPECT_EQ(late.text(), "Фасад");
}

TEST(BoundEdit, FirstKeystrokeBeginsEditAndTheTextStaysPendingUntilFocusMoves) {
    EditFixture f;
    f.showAndFocus(f.nomer);
    f.nomer->selectAll();
    testing_support::typeText(f.nomer, "7/26");
    EXPECT_EQ(f.t().state(), DataState::Edit);
    EXPECT_FALSE(f.t().Modified());  // typed, not written
    EXPECT_EQ(f.t().FieldByName("KNomer").AsString(), "1/26");
    EXPECT_TRUE(f.nomer->hasPendingText());

    f.predmet->setFocus(Qt::TabFocusReason);  // another control of the same screen
    EXPECT_FALSE(f.nomer->hasPendingText());
    EXPECT_TRUE(f.t().Modified());
    EXPECT_EQ(f.t().FieldByName("KNomer").AsString(), "7/26");
    EXPECT_EQ(f.data.stored(0, "KNomer"), "1/26");  // only Post stores
}

// Every way of changing the text begins the edit: keys, the cut and paste shortcuts, and a
// paste that comes without a key (the context menu).
// Entered by Tab or by its screen opening, the value is selected and typing replaces it;
// a click leaves the cursor where it landed.
TEST(BoundEdit, EnteringByKeyboardSelectsTheValueAndAClickDoesNot) {
    EditFixture f;
    f.showAndFocus(f.predmet);
    f.nomer->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(f.nomer->selectedText(), "1/26");
    testing_support::typeText(f.nomer, "5/26");
    EXPECT_EQ(f.nomer->text(), "5/26");
    f.predmet->setFocus(Qt::MouseFocusReason);
    EXPECT_FALSE(f.predmet->hasSelectedText());
}

TEST(BoundEdit, DeletionCutAndPasteAreFirstChangesToo) {
    struct Case {
        const char* name;
        std::function<void(BoundEdit*)> act;
        const char* expected;
    };
    const Case cases[] = {
        {"backspace", [](BoundEdit* e) { e->end(false); QTest::keyClick(e, Qt::Key_Backspace); }, "Кровл"},
        {"delete", [](BoundEdit* e) { e->home(false); QTest::keyClick(e, Qt::Key_Delete); }, "ровля"},
        {"ctrl+x", [](BoundEdit* e) { e->selectAll(); QTest::keyClick(e, Qt::Key_X, Qt::ControlModifier); }, ""},
        {"ctrl+v", [](BoundEdit* e) { e->selectAll(); QTest::keyClick(e, Qt::Key_V, Qt::ControlModifier); },
         "Фундамент"},
        {"shift+insert", [](BoundEdit* e) { e->selectAll(); QTest::keyClick(e, Qt::Key_Insert, Qt::ShiftModifier); },
         "Фундамент"},
        {"menu paste", [](BoundEdit* e) { e->selectAll(); e->paste(); }, "Фундамент"},
    };
    for (const Case& c : cases) {
        EditFixture f;
        f.showAndFocus(f.predmet);
        QApplication::clipboard()->setText("Фундамент");
        c.act(f.predmet);
        EXPECT_EQ(f.predmet->text(), QString::fromUtf8(c.expected)) << c.name;
        EXPECT_EQ(f.t().state(), DataState::Edit) << c.name;
        EXPECT_TRUE(f.predmet->hasPendingText()) << c.name;
    }
}

// Text left pending in an edit (a card closed with its close box) and the same field then
// written elsewhere: the edit shows the newer value, and that is what is stored.
TEST(BoundEdit, PendingTextGivesWayToTheSameFieldWrittenByAnotherControl) {
    EditFixture f;
    f.showAndFocus(f.nomer);
    f.nomer->selectAll();
    testing_support::typeText(f.nomer, "из карточки");
    f.screen.hide();
    f.t().FieldByName("KNomer").setText("из таблицы");
    EXPECT_EQ(f.nomer->text(), "из таблицы");
    EXPECT_FALSE(f.nomer->hasPendingText());
    f.t().Post();
    EXPECT_EQ(f.data.stored(0, "KNomer"), "из таблицы");
}

TEST(BoundEdit, PendingTextSurvivesAWriteToAnotherField) {
    EditFixture f;
    f.showAndFocus(f.nomer);
    f.nomer->selectAll();
    testing_support::typeText(f.nomer, "1/26-Г");
    f.t().FieldByName("KPredmet").setText("Кровля и водосток");
    EXPECT_TRUE(f.nomer->hasPendingText());
    EXPECT_EQ(f.nomer->text(), "1/26-Г");
    f.t().Post();
    EXPECT_EQ(f.data.stored(0, "KNomer"), "1/26-Г");
    EXPECT_EQ(f.data.stored(0, "KPredmet"), "Кровля и водосток");
}

TEST(BoundEdit, FirstKeystrokeOnAnEmptyTableBeginsANewRecord) {
    EditFixture f(std::vector<QStringList>{});
    EXPECT_EQ(f.nomer->text(), "");
    f.showAndFocus(f.nomer);
    testing_support::typeText(f.nomer, "1/27");
    EXPECT_EQ(f.t().state(), DataState::Insert);
    f.predmet->setFocus(Qt::TabFocusReason);
    f.t().Post();
    ASSERT_EQ(f.data.store->rows().size(), 1u);
    EXPECT_EQ(f.data.stored(0, "KNomer"), "1/27");
}

TEST(BoundEdit, EscapePutsBackTheFieldsValueAndLeavesTheState) {
    EditFixture f;
    f.showAndFocus(f.nomer);
    f.nomer->selectAll();
    testing_support::typeText(f.nomer, "ошибка");
    QTest::keyClick(f.nomer, Qt::Key_Escape);
    EXPECT_EQ(f.nomer->text(), "1/26");
    EXPECT_FALSE(f.nomer->hasPendingText());
    EXPECT_EQ(f.t().state(), DataState::Edit);
    f.predmet->setFocus(Qt::TabFocusReason);
    EXPECT_FALSE(f.t().Modified());  // nothing left to write
}

TEST(BoundEdit, AcceptsAtMostTheFieldsLength) {
    EditFixture f;
    const int length = f.t().FieldByName("KNomer").length();
    ASSERT_GT(length, 0);
    EXPECT_EQ(f.nomer->fieldLength(), length);
    f.showAndFocus(f.nomer);
    f.nomer->selectAll();
    testing_support::typeText(f.nomer, QString(length + 10, u'9'));
    EXPECT_EQ(f.nomer->text().size(), length);
}

// A paste longer than the field can hold is refused whole, with a hint that says why;
// nothing is cut short. One that fits goes in.
TEST(BoundEdit, PasteThatDoesNotFitIsRefusedWholeAndSaysWhy) {
    EditFixture f;
    f.nomer->setFieldLabel("Номер контракта");
    const int length = f.t().FieldByName("KNomer").length();
    f.showAndFocus(f.nomer);
    f.nomer->end(false);
    QApplication::clipboard()->setText(QString(length, u'7'));
    QTest::keyClick(f.nomer, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(f.nomer->text(), "1/26");
    EXPECT_FALSE(f.nomer->hasPendingText());
    const QString hint = f.nomer->lastRefusal();
    EXPECT_NE(hint.indexOf("«Номер контракта»"), -1) << qPrintable(hint);
    EXPECT_NE(hint.indexOf(QString::number(length)), -1) << qPrintable(hint);
    EXPECT_NE(hint.indexOf(QString::number(length + 4)), -1) << qPrintable(hint);
    QCoreApplication::processEvents();

    f.nomer->selectAll();
    QTest::keyClick(f.nomer, Qt::Key_V, Qt::ControlModifier);  // replaces the selection: it fits
    EXPECT_EQ(f.nomer->text(), QString(length, u'7'));
    EXPECT_TRUE(f.nomer->hasPendingText());
}

TEST(BoundEdit, ReadOnlyTableTakesNoChange) {
    EditFixture f;
    f.data.store->setReadOnly(true);
    f.nomer->setDataSource(nullptr);
    f.nomer->setDataSource(&f.data.module->ds1);
    f.showAndFocus(f.nomer);
    testing_support::typeText(f.nomer, "x");
    QTest::keyClick(f.nomer, Qt::Key_Backspace);
    EXPECT_EQ(f.nomer->text(), "1/26");
    EXPECT_EQ(f.t().state(), DataState::Browse);
}

TEST(BoundEdit, TableUpdatingTheRecordWritesPendingTextOfHiddenEdits) {
    EditFixture f;
    f.showAndFocus(f.nomer);
    f.nomer->selectAll();
    testing_support::typeText(f.nomer, "1/26-испр");
    f.screen.hide();  // the card closed with its close box
    EXPECT_TRUE(f.nomer->hasPendingText());
    f.t().moveTo(1);  // the browse-mode check writes, finds the record modified, posts
    EXPECT_EQ(f.data.stored(0, "KNomer"), "1/26-испр");
    EXPECT_EQ(f.nomer->text(), "2/26");
}

TEST(BoundEdit, CancelDropsPendingText) {
    EditFixture f;
    f.showAndFocus(f.nomer);
    f.nomer->selectAll();
    testing_support::typeText(f.nomer, "лишнее");
    f.t().Cancel();
    EXPECT_FALSE(f.nomer->hasPendingText());
    EXPECT_EQ(f.nomer->text(), "1/26");
    f.t().moveTo(1);
    EXPECT_EQ(f.data.stored(0, "KNomer"), "1/26");
}

TEST(BoundEdit, SwitchingToAnotherWindowWritesNothing) {
    EditFixture f;
    f.showAndFocus(f.nomer);
    f.nomer->selectAll();
    testing_support::typeText(f.nomer, "в ожидании");
    QWidget other;
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    EXPECT_TRUE(f.nomer->hasPendingText());
    EXPECT_FALSE(f.t().Modified());
}

// Two controls holding text for the same field (a hidden card's edit and another): when the
// record is updated, the text typed last is what the record gets, whichever was bound first.
TEST(BoundEdit, TextTypedLastWinsWhenTwoControlsHoldTheSameField) {
    for (const bool secondTypedLast : {true, false}) {
        EditFixture f;
        auto* twin = new BoundEdit(&f.screen);
        twin->setDataField("KNomer");
        twin->move(0, 60);
        twin->setDataSource(&f.data.module->ds1);
        f.showAndFocus(f.nomer);
        BoundEdit* first = secondTypedLast ? f.nomer : twin;
        BoundEdit* last = secondTypedLast ? twin : f.nomer;
        // Typed without moving the focus between them, so both texts stay pending.
        first->selectAll();
        testing_support::typeText(first, "раньше");
        last->selectAll();
        testing_support::typeText(last, "позже");
        ASSERT_TRUE(f.nomer->hasPendingText());
        ASSERT_TRUE(twin->hasPendingText());
        f.t().Post();
        EXPECT_EQ(f.data.stored(0, "KNomer"), "позже") << secondTypedLast;
        EXPECT_EQ(f.nomer->text(), "позже");
        EXPECT_EQ(twin->text(), "позже");
    }
}
