// The grids beyond single keys: the double click, the read-only grid, the cell editor's
// length, a read-only and an empty table, two grids on one data source, other windows
// taking the focus, and a post the store refuses.
#include "grid_test_fixture.h"

#include "contracts/bound_edit.h"
#include "platform/paradox/table.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>

#include <QDialog>
#include <QSignalSpy>
#include <QWheelEvent>
#include <QScreen>
#include <QImage>

using namespace contracts;
using grid_testing::GridWindow;
using testing_support::contractRow;
namespace col = grid_testing;

TEST(GridDoubleClick, SignalsOnceAndOnlyARowClickMovesTheRecord) {
    enum Where { OtherRow, CurrentCell, TitleRow, Indicator, BelowLastRow };
    const char* const names[] = {"other row", "current cell", "title row", "indicator", "below the last row"};
    for (const GridWindow::Kind kind : {GridWindow::Editable, GridWindow::ReadOnly}) {
        for (const Where where : {OtherRow, CurrentCell, TitleRow, Indicator, BelowLastRow}) {
            SCOPED_TRACE(std::string(kind == GridWindow::Editable ? "editable: " : "read-only: ") + names[where]);
            GridWindow g(grid_testing::threeContracts(), kind);
            g.show();
            g.at(1, col::Nomer);
            int rowSeen = -1;
            int signalCount = 0;
            bool editorOpen = false;
            QObject::connect(g.view, &ContractGrid::recordDoubleClicked, [&] {
                ++signalCount;
                rowSeen = g.t().recNo();
                editorOpen = g.view->findChild<QLineEdit*>() && g.view->findChild<QLineEdit*>()->isVisible();
            });
            switch (where) {
            case OtherRow: g.doubleClick(g.view->viewport(), g.cell(2, col::Predmet)); break;
            case CurrentCell: g.doubleClick(g.view->viewport(), g.cell(1, col::Nomer)); break;
            case TitleRow: g.doubleClick(g.view->horizontalHeader()->viewport(), QPoint(60, 5)); break;
            case Indicator: g.doubleClick(g.view->indicator()->viewport(), QPoint(5, 5)); break;
            case BelowLastRow: g.doubleClick(g.view->viewport(), QPoint(60, g.view->viewport()->height() - 4)); break;
            }
            EXPECT_EQ(signalCount, 1);
            EXPECT_EQ(rowSeen, where == OtherRow ? 2 : 1);
            EXPECT_FALSE(editorOpen) << "a cell editor left open under the card";
            EXPECT_EQ(g.t().state(), DataState::Browse);
            EXPECT_EQ(g.storedCount(), 3u);
        }
    }
}

TEST(GridDoubleClick, OnAnotherRowStoresTheTypedTextBeforeTheSignal) {
    GridWindow g;
    g.show();
    g.type("1/26-А");
    QString storedWhenSignalled;
    QObject::connect(g.view, &ContractGrid::recordDoubleClicked,
                     [&] { storedWhenSignalled = g.stored(0, "KNomer"); });
    g.doubleClick(g.view->viewport(), g.cell(2, col::Nomer));
    EXPECT_EQ(storedWhenSignalled, "1/26-А");
    EXPECT_EQ(g.t().recNo(), 2);
    EXPECT_EQ(g.t().state(), DataState::Browse);
}

// The letter pages' grid: it moves the current record and never changes data.
TEST(ReadOnlyGrid, MovesTheRecordAndNeverChangesData) {
    struct Case {
        const char* name;
        int row;
        int column;
        std::function<void(GridWindow&)> act;
        int recNo;
        int currentColumn;
    };
    const Case cases[] = {
        {"click", 0, col::Nomer, [](GridWindow& g) { g.click(2, col::Zakaz); }, 2, col::Zakaz},
        {"Down", 0, col::Nomer, [](GridWindow& g) { g.key(Qt::Key_Down); }, 1, col::Nomer},
        {"Down on the last row appends nothing", 2, col::Nomer, [](GridWindow& g) { g.key(Qt::Key_Down); }, 2, col::Nomer},
        {"Up", 2, col::Nomer, [](GridWindow& g) { g.key(Qt::Key_Up); }, 1, col::Nomer},
        {"Page Down", 0, col::Nomer, [](GridWindow& g) { g.key(Qt::Key_PageDown); }, 2, col::Nomer},
        {"Ctrl+Home", 2, col::Nomer, [](GridWindow& g) { g.key(Qt::Key_Home, Qt::ControlModifier); }, 0, col::Nomer},
        {"Tab", 0, col::Nomer, [](GridWindow& g) { g.key(Qt::Key_Tab); }, 0, col::Predmet},
        {"Tab past the last column", 0, col::Zakaz, [](GridWindow& g) { g.key(Qt::Key_Tab); }, 1, col::Nomer},
        {"Tab on the last cell of the last row", 2, col::Zakaz, [](GridWindow& g) { g.key(Qt::Key_Tab); }, 2, col::Zakaz},
        {"typing", 0, col::Nomer, [](GridWindow& g) { g.type("9"); }, 0, col::Nomer},
        {"F2, Enter, Backspace", 0, col::Nomer,
         [](GridWindow& g) { g.key(Qt::Key_F2); g.key(Qt::Key_Return); g.key(Qt::Key_Backspace); }, 0, col::Nomer},
        {"Insert", 1, col::Nomer, [](GridWindow& g) { g.key(Qt::Key_Insert); }, 1, col::Nomer},
        {"Ctrl+Delete", 1, col::Nomer, [](GridWindow& g) { g.key(Qt::Key_Delete, Qt::ControlModifier); }, 1, col::Nomer},
        {"click on the current cell", 1, col::Nomer, [](GridWindow& g) { g.click(1, col::Nomer); }, 1, col::Nomer},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        GridWindow g(grid_testing::threeContracts(), GridWindow::ReadOnly);
        g.show();
        g.at(c.row, c.column);
        c.act(g);
        EXPECT_EQ(g.t().recNo(), c.recNo);
        EXPECT_EQ(g.view->currentColumn(), c.currentColumn);
        EXPECT_EQ(g.view->currentIndex().row(), c.recNo);
        EXPECT_EQ(g.t().state(), DataState::Browse);
        EXPECT_EQ(g.t().recordCount(), 3);
        EXPECT_TRUE(g.desktop.boxes.empty());
        EXPECT_EQ(g.view->findChild<QLineEdit*>(), nullptr);  // no cell editor
        EXPECT_EQ(g.stored(0, "KNomer"), "1/26");
    }
}

TEST(CellEditor, AcceptsAtMostTheFieldsLength) {
    GridWindow g;
    g.show();
    const int length = g.t().FieldByName("KNomer").length();
    ASSERT_GT(length, 0);
    g.type(QString(length + 5, u'7'));
    ASSERT_NE(g.grid->cellEditor(), nullptr);
    EXPECT_EQ(g.grid->cellEditor()->fieldLength(), length);
    EXPECT_EQ(g.grid->cellEditor()->text(), QString(length, u'7'));
    g.key(Qt::Key_Down);
    EXPECT_EQ(g.stored(0, "KNomer"), QString(length, u'7'));
    // Each column takes its own field's length.
    g.at(1, col::Predmet);
    g.key(Qt::Key_F2);
    ASSERT_NE(g.grid->cellEditor(), nullptr);
    EXPECT_EQ(g.grid->cellEditor()->fieldLength(), g.t().FieldByName("KPredmet").length());
}

TEST(CellEditor, PasteThatDoesNotFitIsRefusedWholeNamingTheColumn) {
    GridWindow g;
    g.show();
    const int length = g.t().FieldByName("KNomer").length();
    g.key(Qt::Key_F2);
    ASSERT_NE(g.grid->cellEditor(), nullptr);
    const QString before = g.grid->cellEditor()->text();
    g.grid->cellEditor()->end(false);
    QApplication::clipboard()->setText(QString(length, u'8'));
    QTest::keyClick(g.grid->cellEditor(), Qt::Key_V, Qt::ControlModifier);
    ASSERT_NE(g.grid->cellEditor(), nullptr);
    EXPECT_EQ(g.grid->cellEditor()->text(), before);
    EXPECT_FALSE(g.grid->hasPendingText());
    EXPECT_NE(g.grid->cellEditor()->lastRefusal().indexOf("«Номер контракта»"), -1)
        << qPrintable(g.grid->cellEditor()->lastRefusal());
}

TEST(GridOnReadOnlyTable, AcceptsNoChange) {
    GridWindow g;
    g.data.store->setReadOnly(true);
    g.show();
    g.type("9/26");
    g.key(Qt::Key_F2);
    g.click(0, col::Nomer);  // the current cell
    g.key(Qt::Key_Insert);
    g.desktop.answers = {desktop::Answer::Ok};
    g.key(Qt::Key_Delete, Qt::ControlModifier);
    g.at(2, col::Nomer);
    g.key(Qt::Key_Down);  // on the last row
    g.key(Qt::Key_Tab);
    g.key(Qt::Key_Tab);
    g.key(Qt::Key_Tab);  // past the last column of the last row
    EXPECT_EQ(g.grid->cellEditor(), nullptr);
    EXPECT_EQ(g.t().state(), DataState::Browse);
    EXPECT_EQ(g.t().recordCount(), 3);
    EXPECT_EQ(g.storedCount(), 3u);
    EXPECT_EQ(g.stored(0, "KNomer"), "1/26");
    EXPECT_TRUE(g.desktop.boxes.empty());
    EXPECT_FALSE(g.grid->gridModel()->flags(g.grid->gridModel()->index(0, col::Nomer)) & Qt::ItemIsEditable);
    // Moving still works.
    g.key(Qt::Key_Up);
    EXPECT_EQ(g.t().recNo(), 1);
}

TEST(GridOnEmptyTable, ShowsOnlyTheTitleRowAndBeginsTheFirstRecord) {
    struct Case {
        const char* name;
        std::function<void(GridWindow&)> begin;
    };
    const Case cases[] = {
        {"Down", [](GridWindow& g) { g.key(Qt::Key_Down); }},
        {"Insert", [](GridWindow& g) { g.key(Qt::Key_Insert); }},
        {"typing", [](GridWindow& g) { g.type("1/27"); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        GridWindow g(std::vector<QStringList>{});
        g.show();
        EXPECT_EQ(g.view->model()->rowCount(), 0);
        EXPECT_EQ(g.view->indicator()->count(), 0);
        EXPECT_TRUE(g.view->horizontalHeader()->isVisible());
        EXPECT_EQ(g.view->model()->headerData(col::Nomer, Qt::Horizontal, Qt::DisplayRole).toString(),
                  " Номер контракта");
        g.key(Qt::Key_Delete, Qt::ControlModifier);  // nothing to delete: no question asked
        g.key(Qt::Key_F2);
        EXPECT_TRUE(g.desktop.boxes.empty());
        EXPECT_EQ(g.t().state(), DataState::Browse);
        c.begin(g);
        EXPECT_EQ(g.t().state(), DataState::Insert);
        EXPECT_EQ(g.t().recNo(), 0);
        EXPECT_EQ(g.view->model()->rowCount(), 1);
        EXPECT_EQ(g.view->indicator()->count(), 1);
        EXPECT_EQ(g.view->currentIndex().row(), 0);
        // Typed text on the new record is stored by the next move; an untouched one is dropped.
        if (std::string(c.name) != "typing") g.type("1/27");
        EXPECT_EQ(g.grid->cellEditor() ? g.grid->cellEditor()->text() : QString(), "1/27");
        g.key(Qt::Key_Down);  // stores it and begins another below
        g.key(Qt::Key_Up);    // drops the untouched one
        EXPECT_EQ(g.t().state(), DataState::Browse);
        EXPECT_EQ(g.t().recNo(), 0);
        ASSERT_EQ(g.storedCount(), 1u);
        EXPECT_EQ(g.stored(0, "KNomer"), "1/27");
    }
    GridWindow g(std::vector<QStringList>{});
    g.show();
    g.key(Qt::Key_Down);
    g.key(Qt::Key_Up);  // untouched: dropped
    EXPECT_EQ(g.t().state(), DataState::Browse);
    EXPECT_EQ(g.view->model()->rowCount(), 0);
    EXPECT_EQ(g.storedCount(), 0u);
}

// The contracts page's grid beside a letter page's grid: one current record, one record
// being inserted, and what one grid writes the other shows.
TEST(TwoGrids, ShareTheCurrentRecordAndTheRecordBeingChanged) {
    GridWindow g;
    QWidget letterPage;
    ContractGrid other(&letterPage);
    other.setGeometry(0, 0, 480, 200);
    other.setColumns(grid_testing::testColumns());
    other.setDataSource(&g.data.module->ds1);
    letterPage.show();
    g.show();

    g.click(2, col::Nomer);
    EXPECT_EQ(other.currentIndex().row(), 2);

    g.at(1, col::Nomer);
    g.key(Qt::Key_Insert);
    EXPECT_EQ(other.model()->rowCount(), 4);
    EXPECT_EQ(other.indicator()->count(), 4);
    EXPECT_EQ(other.currentIndex().row(), 1);
    EXPECT_EQ(other.model()->index(1, col::Nomer).data().toString(), "");
    EXPECT_EQ(other.model()->index(2, col::Nomer).data().toString(), "2/26");

    g.type("1/26-доп");
    EXPECT_EQ(other.model()->index(1, col::Nomer).data().toString(), "");  // pending, not written
    g.key(Qt::Key_Return);
    EXPECT_EQ(other.model()->index(1, col::Nomer).data().toString(), "1/26-доп");

    // A click in the other grid runs the browse-mode check: the new record is stored.
    QTest::mouseClick(other.viewport(), Qt::LeftButton, {},
                      other.visualRect(other.model()->index(0, col::Predmet)).center());
    EXPECT_EQ(g.t().state(), DataState::Browse);
    EXPECT_EQ(g.t().recNo(), 0);
    EXPECT_EQ(g.view->currentIndex().row(), 0);
    ASSERT_EQ(g.storedCount(), 4u);
    EXPECT_EQ(g.stored(3, "KNomer"), "1/26-доп");
    EXPECT_EQ(other.model()->rowCount(), 4);
    EXPECT_EQ(g.view->indicator()->count(), 4);
    EXPECT_EQ(other.model()->index(3, col::Nomer).data().toString(), "1/26-доп");
}

TEST(TwoGrids, TextTypedInOneIsWrittenWhenTheOtherIsClicked) {
    GridWindow g;
    // A second editable grid in the same window, as another view of the register.
    EditableContractGrid second(g.desktop, &g.window);
    second.setGeometry(0, 0, 480, 100);
    g.view->setGeometry(0, 100, 480, 100);
    second.setColumns(grid_testing::testColumns());
    second.setDataSource(&g.data.module->ds1);
    g.show();
    g.type("1/26-А");
    QTest::mouseClick(second.viewport(), Qt::LeftButton, {},
                      second.visualRect(second.model()->index(0, col::Predmet)).center());
    EXPECT_EQ(second.model()->index(0, col::Nomer).data().toString(), "1/26-А");
    EXPECT_TRUE(g.t().Modified());
    EXPECT_EQ(g.grid->cellEditor(), nullptr);
    EXPECT_EQ(second.currentColumn(), col::Predmet);
}

// The card is a dialog, another window: while it has the focus the grid keeps its cell
// editor, its pending text and a new record as they were.
TEST(GridFocus, AnotherWindowTakingTheFocusDropsAndWritesNothing) {
    struct Case {
        const char* name;
        std::function<void(GridWindow&)> before;
        DataState state;
        int rows;
        bool pending;
    };
    const Case cases[] = {
        {"typed text", [](GridWindow& g) { g.type("9/26"); }, DataState::Edit, 3, true},
        {"untouched new record", [](GridWindow& g) { g.at(2, col::Nomer); g.key(Qt::Key_Down); }, DataState::Insert, 4, false},
        {"text typed on a new record", [](GridWindow& g) { g.key(Qt::Key_Insert); g.type("0/26"); },
         DataState::Insert, 4, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        GridWindow g;
        g.show();
        c.before(g);
        QDialog card(&g.window);
        QLineEdit* edit = new QLineEdit(&card);
        card.show();
        card.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&card));
        edit->setFocus();
        QCoreApplication::processEvents();
        EXPECT_EQ(g.t().state(), c.state);
        EXPECT_FALSE(g.t().Modified());
        EXPECT_EQ(g.t().recordCount(), c.rows);
        EXPECT_EQ(g.grid->hasPendingText(), c.pending);
        card.hide();
        g.window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&g.window));
        QCoreApplication::processEvents();
        EXPECT_EQ(g.t().state(), c.state);
        EXPECT_EQ(g.grid->hasPendingText(), c.pending);
    }
}

// Saving in the card (a Post with the grid's text still pending) stores the grid's text too.
TEST(GridFocus, PostFromAnotherWindowWritesTheGridsPendingText) {
    GridWindow g;
    g.show();
    g.type("9/26");
    QDialog card(&g.window);
    card.show();
    card.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&card));
    g.t().Post();
    EXPECT_EQ(g.stored(0, "KNomer"), "9/26");
    EXPECT_FALSE(g.grid->hasPendingText());
    EXPECT_EQ(g.grid->cellEditor(), nullptr);
    EXPECT_EQ(g.t().state(), DataState::Browse);
}

// A refused post raises out of the key's handler (the application's error display shows
// it); the record keeps its state, values and place, and can be corrected and stored.
TEST(GridRefusedPost, RaisesAndTheRecordKeepsItsStateAndValues) {
    struct Case {
        const char* name;
        std::function<void(GridWindow&)> leave;
    };
    const Case cases[] = {
        {"Down", [](GridWindow& g) { g.key(Qt::Key_Down); }},
        {"click on another row", [](GridWindow& g) { g.click(2, col::Nomer); }},
        {"Tab past the last column", [](GridWindow& g) { g.key(Qt::Key_Tab); g.key(Qt::Key_Tab); g.key(Qt::Key_Tab); }},
        {"Insert", [](GridWindow& g) { g.key(Qt::Key_Insert); }},
        {"Ctrl+End", [](GridWindow& g) { g.key(Qt::Key_End, Qt::ControlModifier); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        GridWindow g;
        bool locked = true;
        g.data.store->setWriteHook([&](const char*) {
            if (locked) throw paradox::Error(paradox::ErrorKind::Busy, "Запись занята другой программой.");
        });
        g.show();
        g.type("9/26");
        EXPECT_THROW(c.leave(g), paradox::Error);
        EXPECT_EQ(g.t().state(), DataState::Edit);
        EXPECT_TRUE(g.t().Modified());
        EXPECT_EQ(g.t().recNo(), 0);
        EXPECT_EQ(g.view->currentIndex().row(), 0);
        EXPECT_EQ(g.t().recordCount(), 3);
        EXPECT_EQ(g.shown(0, col::Nomer), "9/26");
        EXPECT_EQ(g.stored(0, "KNomer"), "1/26");
        EXPECT_EQ(g.grid->cellEditor() ? g.grid->cellEditor()->text() : g.shown(0, col::Nomer), "9/26");
        locked = false;
        g.key(Qt::Key_Down);
        EXPECT_EQ(g.t().state(), DataState::Browse);
        EXPECT_EQ(g.t().recNo(), 1);
        EXPECT_EQ(g.stored(0, "KNomer"), "9/26");
        EXPECT_EQ(g.stored(1, "KNomer"), "2/26");
    }
}

// The wheel moves the current record, a row per notch, after the browse-mode check; half a
// notch (a fine-grained wheel) waits for the other half.
TEST(GridWheel, MovesTheCurrentRecord) {
    for (const GridWindow::Kind kind : {GridWindow::Editable, GridWindow::ReadOnly}) {
        GridWindow g(grid_testing::threeContracts(), kind);
        g.show();
        const auto turn = [&](int angle) {
            const QPoint at = g.cell(0, col::Nomer);
            QWheelEvent wheel(at, g.view->viewport()->mapToGlobal(at), QPoint(), QPoint(0, angle), Qt::NoButton,
                              Qt::NoModifier, Qt::NoScrollPhase, false);
            QApplication::sendEvent(g.view->viewport(), &wheel);
        };
        if (kind == GridWindow::Editable) g.type("1/26-А");
        turn(-120);  // towards the user: down
        EXPECT_EQ(g.t().recNo(), 1);
        EXPECT_EQ(g.t().state(), DataState::Browse);
        EXPECT_EQ(g.stored(0, "KNomer"), kind == GridWindow::Editable ? "1/26-А" : "1/26");
        turn(-60);
        EXPECT_EQ(g.t().recNo(), 1);
        turn(-60);
        EXPECT_EQ(g.t().recNo(), 2);
        turn(-120);  // past the last row: no new record
        EXPECT_EQ(g.t().recNo(), 2);
        EXPECT_EQ(g.t().recordCount(), 3);
        turn(360);
        EXPECT_EQ(g.t().recNo(), 0);
        EXPECT_EQ(g.view->currentIndex().row(), 0);
    }
}

// What the screen shows in the record indicator after each change: the mark on the current
// row only, its shape following the state. Read back from the window's painted surface, so
// a change that is not repainted shows as a failure.
TEST(RecordIndicator, MarkFollowsTheRecordAndTheStateOnScreen) {
    GridWindow g;
    g.show();
    RecordIndicator* ind = g.view->indicator();
    const auto painted = [&] {
        QCoreApplication::processEvents();
        return g.window.screen()->grabWindow(g.window.winId()).toImage();
    };
    const QColor ink = ind->palette().color(QPalette::ButtonText);
    // The rows whose indicator cell has ink on it, and the picture of the first of them.
    const auto marks = [&](QImage* mark) {
        const QImage shot = painted();
        std::vector<int> rows;
        for (int row = 0; row < ind->count(); ++row) {
            const QPoint topLeft = ind->viewport()->mapTo(&g.window, QPoint(0, ind->sectionViewportPosition(row)));
            const QRect cell(topLeft, QSize(ind->width() - 1, ind->sectionSize(row) - 1));
            const QImage part = shot.copy(cell);
            bool inked = false;
            for (int y = 0; y < part.height() && !inked; ++y)
                for (int x = 0; x < part.width() && !inked; ++x)
                    inked = qGray(part.pixel(x, y)) < qGray(ind->palette().color(QPalette::Button).rgb()) - 60 &&
                            qAbs(qGray(part.pixel(x, y)) - qGray(ink.rgb())) < 80;
            if (inked) {
                if (rows.empty() && mark) *mark = part;
                rows.push_back(row);
            }
        }
        return rows;
    };
    QImage browse, edit, insert, now;
    EXPECT_EQ(marks(&browse), std::vector<int>{0});
    g.key(Qt::Key_Down);
    EXPECT_EQ(marks(&now), std::vector<int>{1});
    EXPECT_EQ(now, browse);
    g.type("2/26-А");
    EXPECT_EQ(marks(&edit), std::vector<int>{1});
    EXPECT_NE(edit, browse);
    g.key(Qt::Key_Escape);
    g.key(Qt::Key_Escape);
    EXPECT_EQ(marks(&now), std::vector<int>{1});
    EXPECT_EQ(now, browse);
    g.key(Qt::Key_Insert);  // a new row appears at 1: four rows, the mark on the new one
    EXPECT_EQ(ind->count(), 4);
    EXPECT_EQ(marks(&insert), std::vector<int>{1});
    EXPECT_NE(insert, browse);
    EXPECT_NE(insert, edit);
    g.key(Qt::Key_Escape);  // dropped: three rows again
    EXPECT_EQ(ind->count(), 3);
    EXPECT_EQ(marks(&now), std::vector<int>{1});
    EXPECT_EQ(now, browse);
    g.t().moveTo(2);  // moved by another control
    EXPECT_EQ(marks(nullptr), std::vector<int>{2});
}

// An open cell editor shows what another control (the card) writes into its field; text
// typed in the cell before that is out of date and is dropped, while text typed in a cell
// of another field stays pending.
TEST(CellEditor, FollowsValuesWrittenElsewhere) {
    GridWindow g;
    g.show();
    g.key(Qt::Key_F2);
    ASSERT_NE(g.grid->cellEditor(), nullptr);
    g.t().Edit();
    g.t().FieldByName("KNomer").setText("1/26-карточка");
    ASSERT_NE(g.grid->cellEditor(), nullptr);
    EXPECT_EQ(g.grid->cellEditor()->text(), "1/26-карточка");
    EXPECT_FALSE(g.grid->hasPendingText());

    g.key(Qt::Key_End);
    g.type("!");
    EXPECT_TRUE(g.grid->hasPendingText());
    g.t().FieldByName("KPredmet").setText("Кровля и водосток");  // another field: the typed text stays
    EXPECT_TRUE(g.grid->hasPendingText());
    EXPECT_EQ(g.grid->cellEditor()->text(), "1/26-карточка!");
    g.t().FieldByName("KNomer").setText("1/26-сохранить");  // this field, written after the typing
    EXPECT_FALSE(g.grid->hasPendingText());
    EXPECT_EQ(g.grid->cellEditor()->text(), "1/26-сохранить");
    g.key(Qt::Key_Down);
    EXPECT_EQ(g.stored(0, "KNomer"), "1/26-сохранить");
    EXPECT_EQ(g.stored(0, "KPredmet"), "Кровля и водосток");

    // The cell's own write is not taken for another control's.
    g.at(0, col::Nomer);
    g.type("1/26-сетка");
    g.key(Qt::Key_Return);
    EXPECT_EQ(g.shown(0, col::Nomer), "1/26-сетка");
    EXPECT_TRUE(g.t().Modified());
}

// Tab and the first and last cells follow the columns as the user has dragged them.
TEST(GridColumns, TabFollowsTheOrderOnScreen) {
    GridWindow g;
    g.show();
    QHeaderView* titles = g.view->horizontalHeader();
    titles->moveSection(titles->visualIndex(col::Zakaz), titles->visualIndex(col::Nomer));  // Zakaz first
    g.key(Qt::Key_Home);
    EXPECT_EQ(g.view->currentColumn(), col::Zakaz);
    g.key(Qt::Key_Tab);
    EXPECT_EQ(g.view->currentColumn(), col::Nomer);
    g.key(Qt::Key_Tab);
    EXPECT_EQ(g.view->currentColumn(), col::Predmet);
    g.key(Qt::Key_Tab);  // past the last one on screen: the next row's first
    EXPECT_EQ(g.t().recNo(), 1);
    EXPECT_EQ(g.view->currentColumn(), col::Zakaz);
    // A row change from elsewhere keeps the column; widths and hidden fields are kept by a post.
    g.type("ООО");
    g.key(Qt::Key_Down);
    EXPECT_EQ(g.view->currentColumn(), col::Zakaz);
    EXPECT_EQ(g.stored(1, "KZakaz"), "ООО");
    EXPECT_TRUE(g.view->isColumnHidden(col::Key));
    EXPECT_TRUE(g.view->isColumnHidden(col::Metka));
    EXPECT_EQ(g.view->columnWidth(col::Predmet), 120);
    EXPECT_EQ(titles->visualIndex(col::Zakaz), titles->visualIndex(col::Nomer) - 1);
}

// Text typed in a cell, then the card opened and the same field typed there, then saved:
// the text typed last (the card's) is stored, whichever control was bound first.
TEST(GridAndCard, TextTypedLastInTheCardWinsOverOlderTextInTheCell) {
    GridWindow g;
    g.show();
    g.type("9/26");  // pending in the cell
    QDialog card(&g.window);
    auto* nomer = new BoundEdit(&card);
    nomer->setDataField("KNomer");
    nomer->setDataSource(&g.module->ds1);
    card.show();
    card.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&card));
    nomer->setFocus();
    nomer->selectAll();
    testing_support::typeText(nomer, "7/26");
    // What the card's save button does.
    g.t().UpdateRecord();
    if (g.t().Modified()) g.t().Post();
    EXPECT_EQ(g.stored(0, "KNomer"), "7/26");
}
