// The editable grid over a real Paradox table file in a fresh folder: what the keys store
// is in the file as the table library reads it back, and a text the file refuses is kept.
#include "grid_test_fixture.h"

#include "contracts/data_module.h"
#include "contracts/paradox_record_store.h"
#include "platform/paradox/table.h"
#include "tools/contract_schema.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <filesystem>

using namespace contracts;
using grid_testing::GridWindow;
namespace col = grid_testing;
namespace fs = std::filesystem;

namespace {

struct ContractFile {
    QTemporaryDir dir;
    fs::path file;
    ContractFile() {
        file = fs::path(dir.path().toStdString()) / telma::kContractTableFile;
        auto t = paradox::Table::create(file, telma::contractFields(), telma::kContractKeyFields);
        std::vector<std::optional<std::string>> row(telma::contractFields().size());
        row[1] = "12/2026";
        row[2] = "Капитальный ремонт кровли";
        row[6] = "заметка";  // KMetka: no screen changes it
        t.insert(row);
        row[1] = "13/2026";
        row[2] = "Ремонт фасада";
        t.insert(row);
    }
    paradox::Table reopen() const { return paradox::Table::open(file); }
};

std::string text(const paradox::Table& t, std::size_t row, const char* field) {
    return t.text(row, t.fieldIndex(field));
}

}  // namespace

TEST(GridOnTableFile, KeysStoreEditsNewRecordsAndDeletesInTheFile) {
    ContractFile f;
    GridWindow g(std::make_shared<TfDM15>(f.file));
    g.show();
    ASSERT_EQ(g.t().recordCount(), 2);
    EXPECT_EQ(g.shown(0, col::Predmet), "Капитальный ремонт кровли");

    // An edit, stored by Down.
    g.at(0, col::Zakaz);
    g.type("ГКУ «Дирекция»");
    g.key(Qt::Key_Down);
    EXPECT_EQ(g.t().recNo(), 1);
    {
        paradox::Table t = f.reopen();
        EXPECT_EQ(text(t, 0, "KZakaz"), "ГКУ «Дирекция»");
        EXPECT_EQ(text(t, 0, "KNomer"), "12/2026");
        EXPECT_EQ(text(t, 0, "KMetka"), "заметка");
    }

    // A new record appended below the last row, filled cell by cell, stored by Up.
    g.key(Qt::Key_Down);
    ASSERT_EQ(g.t().state(), DataState::Insert);
    g.key(Qt::Key_Home);  // the first column
    g.type("14/2026");
    g.key(Qt::Key_Tab);
    g.type("Сети водоснабжения");
    g.key(Qt::Key_Up);
    EXPECT_EQ(g.t().state(), DataState::Browse);
    {
        paradox::Table t = f.reopen();
        ASSERT_EQ(t.recordCount(), 3u);
        EXPECT_EQ(text(t, 2, "KNomer"), "14/2026");
        EXPECT_EQ(text(t, 2, "KPredmet"), "Сети водоснабжения");
        EXPECT_EQ(text(t, 2, "KKK"), "3");  // the key the file gave it
        EXPECT_EQ(text(t, 2, "KMetka"), "");
        EXPECT_TRUE(t.check().empty());
    }

    // An untouched new record is never stored.
    g.key(Qt::Key_End, Qt::ControlModifier);
    g.key(Qt::Key_Down);
    g.other->setFocus(Qt::MouseFocusReason);
    EXPECT_EQ(g.t().state(), DataState::Browse);
    EXPECT_EQ(f.reopen().recordCount(), 3u);

    // Ctrl+Delete answered OK removes the record from the file.
    g.view->setFocus();
    g.at(1, col::Nomer);
    g.desktop.answers = {desktop::Answer::Ok};
    g.key(Qt::Key_Delete, Qt::ControlModifier);
    {
        paradox::Table t = f.reopen();
        ASSERT_EQ(t.recordCount(), 2u);
        EXPECT_EQ(text(t, 0, "KNomer"), "12/2026");
        EXPECT_EQ(text(t, 1, "KNomer"), "14/2026");
        EXPECT_TRUE(t.check().empty());
    }
    EXPECT_EQ(g.shown(1, col::Nomer), "14/2026");
}

TEST(GridOnTableFile, CellEditorTakesTheFilesFieldLength) {
    ContractFile f;
    GridWindow g(std::make_shared<TfDM15>(f.file));
    g.show();
    g.type(QString(70, u'Ж'));
    ASSERT_NE(g.grid->cellEditor(), nullptr);
    EXPECT_EQ(g.grid->cellEditor()->text().size(), 60);  // KNomer holds 60 characters
    g.key(Qt::Key_Down);
    EXPECT_EQ(text(f.reopen(), 0, "KNomer"), std::string(QString(60, u'Ж').toStdString()));
}

// A character the file's code page cannot hold: the store refuses the post naming the field,
// the record stays in edit state with the typed value, and the file is unchanged.
TEST(GridOnTableFile, RefusedPostKeepsTheRecordAndLeavesTheFileAlone) {
    ContractFile f;
    GridWindow g(std::make_shared<TfDM15>(f.file));
    g.show();
    g.type("12/2026 ✓");
    try {
        g.key(Qt::Key_Down);
        ADD_FAILURE() << "a text the code page cannot hold was stored";
    } catch (const paradox::Error& e) {
        EXPECT_NE(std::string(e.what()).find("KNomer"), std::string::npos) << e.what();
    }
    EXPECT_EQ(g.t().state(), DataState::Edit);
    EXPECT_TRUE(g.t().Modified());
    EXPECT_EQ(g.t().recNo(), 0);
    EXPECT_EQ(g.shown(0, col::Nomer), "12/2026 ✓");
    EXPECT_EQ(text(f.reopen(), 0, "KNomer"), "12/2026");

    // Corrected in the cell and stored.
    g.key(Qt::Key_F2);
    g.key(Qt::Key_End);
    g.key(Qt::Key_Backspace);
    g.key(Qt::Key_Backspace);
    g.type("-изм");
    g.key(Qt::Key_Down);
    EXPECT_EQ(g.t().state(), DataState::Browse);
    EXPECT_EQ(text(f.reopen(), 0, "KNomer"), "12/2026-изм");
    EXPECT_EQ(g.t().recNo(), 1);
}

// The file opened for reading only (as a file the user may not write is): no key changes it.
TEST(GridOnTableFile, ReadOnlyFileOffersNoChange) {
    ContractFile f;
    paradox::OpenOptions options;
    options.readOnly = true;
    GridWindow g(std::make_shared<TfDM15>(std::make_unique<ParadoxRecordStore>(paradox::Table::open(f.file, options))));
    g.show();
    ASSERT_FALSE(g.t().canModify());
    g.type("x");
    g.key(Qt::Key_F2);
    g.key(Qt::Key_Insert);
    g.desktop.answers = {desktop::Answer::Ok};
    g.key(Qt::Key_Delete, Qt::ControlModifier);
    g.at(1, col::Nomer);
    g.key(Qt::Key_Down);
    EXPECT_EQ(g.t().state(), DataState::Browse);
    EXPECT_EQ(g.grid->cellEditor(), nullptr);
    EXPECT_EQ(g.t().recordCount(), 2);
    EXPECT_TRUE(g.desktop.boxes.empty());
    paradox::Table t = f.reopen();
    EXPECT_EQ(t.recordCount(), 2u);
    EXPECT_EQ(text(t, 0, "KNomer"), "12/2026");
}
