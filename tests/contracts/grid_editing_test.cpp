// The editable grid's keys and mouse actions, each driven on the real widget: what the
// table's state, Modified, the current row and column and the stored values are afterwards.
#include "grid_test_fixture.h"

#include <gtest/gtest.h>

#include <functional>

using namespace contracts;
using grid_testing::GridWindow;
namespace col = grid_testing;

namespace {

const char* const kFieldOfColumn[] = {"KKK", "KNomer", "KPredmet", "KZakaz", "KMetka"};

struct Value {
    int row;
    int column;
    const char* text;
    bool inStore;  // true: the stored value; false: the value the grid shows
};

struct Action {
    const char* name;
    int row;
    int column;
    std::function<void(GridWindow&)> act;
    DataState state;
    bool modified;
    int recNo;
    int currentColumn;  // -1: not checked
    int shownRows;
    std::size_t storedRows;
    int editorOpen;  // -1: not checked, 0 closed, 1 open
    std::vector<Value> values = {};
    const char* editorText = nullptr;
};

using desktop::Answer;

// Each row: what is done from which current cell (three contracts, browse state), then the
// state, Modified, the current row and column, the rows shown and stored, whether the cell
// editor is open, values to check, and the editor's text.
std::vector<Action> actions() {
    const auto B = DataState::Browse, E = DataState::Edit, I = DataState::Insert;
    return {
        // Clicks.
        {"click on another row", 0, col::Nomer, [](GridWindow& g) { g.click(2, col::Predmet); },
         B, false, 2, col::Predmet, 3, 3, 0},
        {"click on another row stores the typed text first", 0, col::Nomer,
         [](GridWindow& g) { g.type("9/26"); g.click(1, col::Nomer); },
         B, false, 1, col::Nomer, 3, 3, 0, {{0, col::Nomer, "9/26", true}}},
        {"click on the current cell opens the editor without Edit", 0, col::Nomer,
         [](GridWindow& g) { g.click(0, col::Nomer); }, B, false, 0, col::Nomer, 3, 3, 1, {}, "1/26"},
        {"click on another cell of the row writes the typed text", 0, col::Nomer,
         [](GridWindow& g) { g.type("9/26"); g.click(0, col::Zakaz); },
         E, true, 0, col::Zakaz, 3, 3, 0, {{0, col::Nomer, "9/26", false}, {0, col::Nomer, "1/26", true}}},
        // Opening the editor and the first change.
        {"F2 opens the editor without Edit", 0, col::Predmet, [](GridWindow& g) { g.key(Qt::Key_F2); },
         B, false, 0, col::Predmet, 3, 3, 1, {}, "Кровля"},
        {"F2 then a key: the first change calls Edit", 0, col::Predmet,
         [](GridWindow& g) { g.key(Qt::Key_F2); g.key(Qt::Key_End); g.type("!"); },
         E, false, 0, col::Predmet, 3, 3, 1, {{0, col::Predmet, "Кровля", false}}, "Кровля!"},
        {"typing opens the editor over the cell's text", 0, col::Nomer, [](GridWindow& g) { g.type("9/26"); },
         E, false, 0, col::Nomer, 3, 3, 1, {{0, col::Nomer, "1/26", false}}, "9/26"},
        {"a key reaching the grid while its editor is open adds to the text", 0, col::Nomer,
         [](GridWindow& g) {
             g.type("9/");
             g.view->setFocus();
             testing_support::typeText(g.view, "26");
         },
         E, false, 0, col::Nomer, 3, 3, 1, {}, "9/26"},
        {"Backspace in an open editor is a first change", 0, col::Nomer,
         [](GridWindow& g) { g.key(Qt::Key_F2); g.key(Qt::Key_End); g.key(Qt::Key_Backspace); },
         E, false, 0, col::Nomer, 3, 3, 1, {}, "1/2"},
        // Writing the pending text.
        {"Enter writes the typed text", 0, col::Nomer, [](GridWindow& g) { g.type("9/26"); g.key(Qt::Key_Return); },
         E, true, 0, col::Nomer, 3, 3, 0, {{0, col::Nomer, "9/26", false}, {0, col::Nomer, "1/26", true}}},
        {"Enter with nothing typed writes nothing", 0, col::Nomer,
         [](GridWindow& g) { g.key(Qt::Key_F2); g.key(Qt::Key_Return); }, B, false, 0, col::Nomer, 3, 3, 0},
        {"Right writes and moves to the next cell", 0, col::Nomer,
         [](GridWindow& g) { g.type("9/26"); g.key(Qt::Key_Right); },
         E, true, 0, col::Predmet, 3, 3, 0, {{0, col::Nomer, "9/26", false}}},
        {"Tab writes and moves to the next cell", 0, col::Nomer,
         [](GridWindow& g) { g.type("9/26"); g.key(Qt::Key_Tab); },
         E, true, 0, col::Predmet, 3, 3, 0, {{0, col::Nomer, "9/26", false}}},
        {"Shift+Tab writes and moves to the previous cell", 0, col::Zakaz,
         [](GridWindow& g) { g.type("ООО «Заря»"); g.key(Qt::Key_Backtab); },
         E, true, 0, col::Predmet, 3, 3, 0, {{0, col::Zakaz, "ООО «Заря»", false}}},
        {"Tab past the last column stores and goes to the next row", 0, col::Zakaz,
         [](GridWindow& g) { g.type("ООО"); g.key(Qt::Key_Tab); },
         B, false, 1, col::Nomer, 3, 3, 0, {{0, col::Zakaz, "ООО", true}}},
        {"Shift+Tab before the first column goes to the previous row", 1, col::Nomer,
         [](GridWindow& g) { g.key(Qt::Key_Backtab); }, B, false, 0, col::Zakaz, 3, 3, 0},
        {"Tab past the last column of the last row appends", 2, col::Zakaz, [](GridWindow& g) { g.key(Qt::Key_Tab); },
         I, false, 3, col::Nomer, 4, 3, 0, {{3, col::Nomer, "", false}}},
        // Moving the current record.
        {"Down stores the typed text and moves", 0, col::Nomer,
         [](GridWindow& g) { g.type("9/26"); g.key(Qt::Key_Down); },
         B, false, 1, col::Nomer, 3, 3, 0, {{0, col::Nomer, "9/26", true}, {1, col::Nomer, "2/26", true}}},
        {"Down after an Edit without a change drops the edit", 0, col::Nomer,
         [](GridWindow& g) { g.t().Edit(); g.key(Qt::Key_Down); }, B, false, 1, col::Nomer, 3, 3, 0,
         {{0, col::Nomer, "1/26", true}}},
        {"Up", 2, col::Predmet, [](GridWindow& g) { g.key(Qt::Key_Up); }, B, false, 1, col::Predmet, 3, 3, 0},
        {"Up on the first row stays", 0, col::Nomer, [](GridWindow& g) { g.key(Qt::Key_Up); },
         B, false, 0, col::Nomer, 3, 3, 0},
        {"Page Down", 0, col::Nomer, [](GridWindow& g) { g.key(Qt::Key_PageDown); }, B, false, 2, col::Nomer, 3, 3, 0},
        {"Page Up stores the typed text first", 2, col::Nomer,
         [](GridWindow& g) { g.type("3/26-А"); g.key(Qt::Key_PageUp); },
         B, false, 0, col::Nomer, 3, 3, 0, {{2, col::Nomer, "3/26-А", true}}},
        {"Ctrl+End stores the typed text first", 0, col::Predmet,
         [](GridWindow& g) { g.type("Крыша"); g.key(Qt::Key_End, Qt::ControlModifier); },
         B, false, 2, col::Predmet, 3, 3, 0, {{0, col::Predmet, "Крыша", true}}},
        {"Ctrl+Home", 2, col::Zakaz, [](GridWindow& g) { g.key(Qt::Key_Home, Qt::ControlModifier); },
         B, false, 0, col::Zakaz, 3, 3, 0},
        {"Home and End move between the first and last cells", 1, col::Predmet,
         [](GridWindow& g) { g.key(Qt::Key_End); }, B, false, 1, col::Zakaz, 3, 3, 0},
        // Below the last row.
        {"Down on the last row appends a new record", 2, col::Predmet, [](GridWindow& g) { g.key(Qt::Key_Down); },
         I, false, 3, col::Predmet, 4, 3, 0},
        {"Down again on the untouched new row adds no second one", 2, col::Nomer,
         [](GridWindow& g) { g.key(Qt::Key_Down); g.key(Qt::Key_Down); }, I, false, 3, col::Nomer, 4, 3, 0},
        {"Down on a new row with typed text stores it and appends again", 2, col::Nomer,
         [](GridWindow& g) { g.key(Qt::Key_Down); g.type("4/26"); g.key(Qt::Key_Down); },
         I, false, 4, col::Nomer, 5, 4, 0, {{3, col::Nomer, "4/26", true}}},
        {"Up on the untouched new last record drops it", 2, col::Nomer,
         [](GridWindow& g) { g.key(Qt::Key_Down); g.key(Qt::Key_Up); }, B, false, 2, col::Nomer, 3, 3, 0},
        {"Up on a new last record with typed text stores it", 2, col::Nomer,
         [](GridWindow& g) { g.key(Qt::Key_Down); g.type("4/26"); g.key(Qt::Key_Up); },
         B, false, 2, col::Nomer, 4, 4, 0, {{3, col::Nomer, "4/26", true}, {3, col::Key, "4", true}}},
        // Insert and delete.
        {"Insert key begins a new record at the current row", 1, col::Nomer,
         [](GridWindow& g) { g.key(Qt::Key_Insert); },
         I, false, 1, col::Nomer, 4, 3, 0, {{1, col::Nomer, "", false}, {2, col::Nomer, "2/26", false}}},
        {"Insert key stores the typed text first", 0, col::Nomer,
         [](GridWindow& g) { g.type("9/26"); g.key(Qt::Key_Insert); },
         I, false, 0, col::Nomer, 4, 3, 0, {{0, col::Nomer, "9/26", true}, {1, col::Nomer, "9/26", false}}},
        {"Up from an untouched inserted record drops it and moves up", 1, col::Nomer,
         [](GridWindow& g) { g.key(Qt::Key_Insert); g.key(Qt::Key_Up); }, B, false, 0, col::Nomer, 3, 3, 0},
        {"Ctrl+Delete answered OK deletes", 1, col::Nomer,
         [](GridWindow& g) { g.desktop.answers = {Answer::Ok}; g.key(Qt::Key_Delete, Qt::ControlModifier); },
         B, false, 1, col::Nomer, 2, 2, 0, {{1, col::Nomer, "3/26", true}}},
        {"Ctrl+Delete answered Cancel keeps the record", 1, col::Nomer,
         [](GridWindow& g) { g.desktop.answers = {Answer::Cancel}; g.key(Qt::Key_Delete, Qt::ControlModifier); },
         B, false, 1, col::Nomer, 3, 3, 0, {{1, col::Nomer, "2/26", true}}},
        {"Ctrl+Delete on the last row leaves the new last row current", 2, col::Nomer,
         [](GridWindow& g) { g.desktop.answers = {Answer::Ok}; g.key(Qt::Key_Delete, Qt::ControlModifier); },
         B, false, 1, col::Nomer, 2, 2, 0},
        {"Ctrl+Delete on a new record drops it and removes nothing", 2, col::Nomer,
         [](GridWindow& g) {
             g.key(Qt::Key_Down);
             g.desktop.answers = {Answer::Ok};
             g.key(Qt::Key_Delete, Qt::ControlModifier);
         },
         B, false, 2, col::Nomer, 3, 3, 0},
        {"Ctrl+Delete refused while typing keeps the typed text", 0, col::Nomer,
         [](GridWindow& g) {
             g.type("9/26");
             g.desktop.answers = {Answer::Cancel};
             g.key(Qt::Key_Delete, Qt::ControlModifier);
         },
         E, false, 0, col::Nomer, 3, 3, 1, {}, "9/26"},
        // Escape.
        {"Escape drops the typed text first", 0, col::Nomer, [](GridWindow& g) { g.type("9/26"); g.key(Qt::Key_Escape); },
         E, false, 0, col::Nomer, 3, 3, 0, {{0, col::Nomer, "1/26", false}}},
        {"Escape again cancels", 0, col::Nomer,
         [](GridWindow& g) { g.type("9/26"); g.key(Qt::Key_Escape); g.key(Qt::Key_Escape); },
         B, false, 0, col::Nomer, 3, 3, 0},
        {"Escape after Enter cancels the written value", 0, col::Nomer,
         [](GridWindow& g) { g.type("9/26"); g.key(Qt::Key_Return); g.key(Qt::Key_Escape); },
         B, false, 0, col::Nomer, 3, 3, 0, {{0, col::Nomer, "1/26", false}, {0, col::Nomer, "1/26", true}}},
        {"Escape on a new record drops it", 1, col::Nomer,
         [](GridWindow& g) { g.key(Qt::Key_Insert); g.key(Qt::Key_Escape); }, B, false, 1, col::Nomer, 3, 3, 0,
         {{1, col::Nomer, "2/26", false}}},
        // Leaving the grid.
        {"focus leaving drops an untouched new record", 2, col::Nomer,
         [](GridWindow& g) { g.key(Qt::Key_Down); QTest::mouseClick(g.other, Qt::LeftButton); },
         B, false, 2, col::Nomer, 3, 3, 0},
        {"focus leaving writes the typed text", 0, col::Nomer,
         [](GridWindow& g) { g.type("9/26"); QTest::mouseClick(g.other, Qt::LeftButton); },
         E, true, 0, col::Nomer, 3, 3, 0, {{0, col::Nomer, "9/26", false}, {0, col::Nomer, "1/26", true}}},
        {"focus leaving keeps a new record with typed text", 2, col::Nomer,
         [](GridWindow& g) { g.key(Qt::Key_Down); g.type("4/26"); QTest::mouseClick(g.other, Qt::LeftButton); },
         I, true, 3, col::Nomer, 4, 3, 0, {{3, col::Nomer, "4/26", false}}},
    };
}

}  // namespace

TEST(GridEditing, EveryKeyAndMouseAction) {
    for (const Action& a : actions()) {
        SCOPED_TRACE(a.name);
        GridWindow g;
        g.show();
        g.at(a.row, a.column);
        ASSERT_EQ(g.t().recNo(), a.row);
        a.act(g);
        EXPECT_EQ(g.t().state(), a.state);
        EXPECT_EQ(g.t().Modified(), a.modified);
        EXPECT_EQ(g.t().recNo(), a.recNo);
        if (a.currentColumn >= 0) {
            EXPECT_EQ(g.grid->currentColumn(), a.currentColumn);
        }
        EXPECT_EQ(g.t().recordCount(), a.shownRows);
        EXPECT_EQ(g.grid->model()->rowCount(), a.shownRows);
        EXPECT_EQ(g.grid->indicator()->count(), a.shownRows);
        EXPECT_EQ(g.storedCount(), a.storedRows);
        if (a.editorOpen >= 0) {
            EXPECT_EQ(g.grid->cellEditor() != nullptr, a.editorOpen == 1);
        }
        if (a.editorText && g.grid->cellEditor()) {
            EXPECT_EQ(g.grid->cellEditor()->text(), QString::fromUtf8(a.editorText));
        }
        for (const Value& v : a.values) {
            const QString want = QString::fromUtf8(v.text);
            if (v.inStore) {
                EXPECT_EQ(g.stored(static_cast<std::size_t>(v.row), kFieldOfColumn[v.column]), want)
                    << "stored row " << v.row << " column " << v.column;
            } else {
                EXPECT_EQ(g.shown(v.row, v.column), want) << "shown row " << v.row << " column " << v.column;
            }
        }
        // The grid marks the current record: its current cell is on that row.
        if (g.t().recNo() >= 0) {
            EXPECT_EQ(g.grid->currentIndex().row(), g.t().recNo());
        }
    }
}

// Each typed text reaches the record once, in the record and field it was typed in, however
// the cell is left; an editor never writes after its cell stopped being current.
TEST(GridEditing, TypedTextIsWrittenOnceIntoItsOwnCell) {
    struct Case {
        const char* name;
        std::function<void(GridWindow&)> act;
        int writes;
        const char* nomer = "X";  // the first record's values afterwards
        const char* predmet = "Кровля";
    };
    const Case cases[] = {
        {"Enter", [](GridWindow& g) { g.type("X"); g.key(Qt::Key_Return); }, 1},
        {"Enter, then Tab", [](GridWindow& g) { g.type("X"); g.key(Qt::Key_Return); g.key(Qt::Key_Tab); }, 1},
        {"Tab", [](GridWindow& g) { g.type("X"); g.key(Qt::Key_Tab); }, 1},
        {"Right at the end of the text", [](GridWindow& g) { g.type("X"); g.key(Qt::Key_Right); }, 1},
        {"Left inside the text moves the caret only",
         [](GridWindow& g) { g.type("XY"); g.key(Qt::Key_Left); g.key(Qt::Key_Return); }, 1, "XY"},
        {"click on another cell of the row", [](GridWindow& g) { g.type("X"); g.click(0, col::Zakaz); }, 1},
        {"click on another row", [](GridWindow& g) { g.type("X"); g.click(2, col::Zakaz); }, 1},
        {"Down", [](GridWindow& g) { g.type("X"); g.key(Qt::Key_Down); }, 1},
        {"a move from elsewhere", [](GridWindow& g) { g.type("X"); g.t().moveTo(2); }, 1},
        {"Post from elsewhere", [](GridWindow& g) { g.type("X"); g.t().Post(); }, 1},
        {"focus to another control", [](GridWindow& g) { g.type("X"); g.other->setFocus(Qt::MouseFocusReason); }, 1},
        {"two cells in turn",
         [](GridWindow& g) { g.type("X"); g.key(Qt::Key_Tab); g.type("Y"); g.key(Qt::Key_Tab); g.key(Qt::Key_Down); }, 2, "X",
         "Y"},
        {"Escape", [](GridWindow& g) { g.type("X"); g.key(Qt::Key_Escape); g.key(Qt::Key_Down); }, 0, "1/26"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        GridWindow g;
        int writes = 0;
        FunctionLink counter([&](const TableChange& change) {
            if (change.has(FieldChanged)) ++writes;
        });
        counter.setDataSource(&g.data.module->ds1);
        g.show();
        c.act(g);
        EXPECT_EQ(writes, c.writes);
        EXPECT_EQ(g.shown(0, col::Nomer), QString::fromUtf8(c.nomer));
        EXPECT_EQ(g.shown(0, col::Predmet), QString::fromUtf8(c.predmet));
        // Nothing was written into another record.
        EXPECT_EQ(g.shown(1, col::Nomer), "2/26");
        EXPECT_EQ(g.shown(2, col::Nomer), "3/26");
        EXPECT_EQ(g.shown(2, col::Zakaz), "");
    }
}
