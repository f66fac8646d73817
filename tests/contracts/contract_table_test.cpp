// The contract table's editing rules over a store in memory: states, the browse-mode check,
// positions of new and removed records, pending text of bound controls.
#include "contracts/contract_table.h"
#include "contracts/data_module.h"
#include "contracts/data_source.h"
#include "contracts/memory_record_store.h"
#include "platform/paradox/table.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

using namespace contracts;

namespace {

std::vector<FieldDef> smallSchema() {
    return {{QStringLiteral("KKK"), 0, true}, {QStringLiteral("KNomer"), 10, false},
            {QStringLiteral("KPredmet"), 20, false}};
}

std::vector<QStringList> rows(int n) {
    std::vector<QStringList> out;
    for (int i = 1; i <= n; ++i)
        out.push_back({QString::number(i), QStringLiteral("N%1").arg(i), QStringLiteral("P%1").arg(i)});
    return out;
}

// A bound control reduced to its pending text.
class PendingLink final : public DataLink {
public:
    int field = 1;
    QString pending;
    bool hasPending = false;
    int notices = 0;
    void type(const QString& text) {
        pending = text;
        hasPending = true;
    }
    void updateRecord() override {
        if (!hasPending) return;
        hasPending = false;
        table()->setText(field, pending);
    }
    void discardPending() override { hasPending = false; }
    void dataChanged(const TableChange&) override { ++notices; }
};

struct Fixture {
    MemoryRecordStore* store;
    std::unique_ptr<TfDM15> dm;
    explicit Fixture(int n) {
        auto s = std::make_unique<MemoryRecordStore>(smallSchema(), rows(n));
        store = s.get();
        dm = std::make_unique<TfDM15>(std::move(s));
    }
    ContractTable& t() { return dm->tbl1; }
    QString nomer(std::size_t row) const { return store->rows().at(row).at(1); }
};

}  // namespace

TEST(ContractTable, OpensInBrowseOnTheFirstRecord) {
    Fixture f(3);
    EXPECT_EQ(f.t().state(), DataState::Browse);
    EXPECT_EQ(f.t().recNo(), 0);
    EXPECT_EQ(f.t().fieldCount(), 3);
    EXPECT_EQ(f.t().FieldDefs()[2].name, QStringLiteral("KPredmet"));
    EXPECT_EQ(f.t().FieldByName(QStringLiteral("KNomer")).AsString(), QStringLiteral("N1"));
    EXPECT_THROW(f.t().FieldByName(QStringLiteral("KNet")), TableError);
    EXPECT_TRUE(f.t().bof());
    EXPECT_FALSE(f.t().eof());
    EXPECT_TRUE(f.dm->ds1.AutoEdit());
}

// One row per transition: what is done, the state after it, Modified, the current row,
// and the number of stored records.
struct Step {
    const char* name;
    std::function<void(ContractTable&)> act;
    DataState state;
    bool modified;
    int recNo;
    std::size_t stored;
};

TEST(ContractTable, StateTransitions) {
    const std::vector<std::vector<Step>> scenarios = {
        {{"edit", [](ContractTable& t) { t.Edit(); }, DataState::Edit, false, 0, 3},
         {"write", [](ContractTable& t) { t.setText(1, "X"); }, DataState::Edit, true, 0, 3},
         {"post", [](ContractTable& t) { t.Post(); }, DataState::Browse, false, 0, 3}},
        {{"edit", [](ContractTable& t) { t.Edit(); }, DataState::Edit, false, 0, 3},
         {"cancel", [](ContractTable& t) { t.Cancel(); }, DataState::Browse, false, 0, 3}},
        {{"move", [](ContractTable& t) { t.moveTo(1); }, DataState::Browse, false, 1, 3},
         {"insert", [](ContractTable& t) { t.Insert(); }, DataState::Insert, false, 1, 3},
         {"write", [](ContractTable& t) { t.setText(1, "NEW"); }, DataState::Insert, true, 1, 3},
         {"post", [](ContractTable& t) { t.Post(); }, DataState::Browse, false, 3, 4}},
        {{"append", [](ContractTable& t) { t.Append(); }, DataState::Insert, false, 3, 3},
         {"cancel", [](ContractTable& t) { t.Cancel(); }, DataState::Browse, false, 2, 3}},
        {{"move", [](ContractTable& t) { t.moveTo(1); }, DataState::Browse, false, 1, 3},
         {"edit", [](ContractTable& t) { t.Edit(); }, DataState::Edit, false, 1, 3},
         {"delete", [](ContractTable& t) { t.Delete(); }, DataState::Browse, false, 1, 2}},
        {{"insert", [](ContractTable& t) { t.Insert(); }, DataState::Insert, false, 0, 3},
         {"delete drops", [](ContractTable& t) { t.Delete(); }, DataState::Browse, false, 0, 3}},
        {{"last", [](ContractTable& t) { t.last(); }, DataState::Browse, false, 2, 3},
         {"delete last", [](ContractTable& t) { t.Delete(); }, DataState::Browse, false, 1, 2}},
        {{"edit twice", [](ContractTable& t) { t.Edit(); t.Edit(); }, DataState::Edit, false, 0, 3},
         {"cancel in browse", [](ContractTable& t) { t.Cancel(); t.Cancel(); }, DataState::Browse, false, 0, 3}},
    };
    for (std::size_t s = 0; s < scenarios.size(); ++s) {
        Fixture f(3);
        for (const Step& step : scenarios[s]) {
            SCOPED_TRACE(testing::Message() << "scenario " << s << ", step " << step.name);
            step.act(f.t());
            EXPECT_EQ(f.t().state(), step.state);
            EXPECT_EQ(f.t().Modified(), step.modified);
            EXPECT_EQ(f.t().recNo(), step.recNo);
            EXPECT_EQ(f.store->rowCount(), step.stored);
        }
    }
}

TEST(ContractTable, InsertShowsTheNewRecordAtItsPlaceBeforeItIsStored) {
    Fixture f(3);
    f.t().moveTo(1);
    f.t().Insert();
    EXPECT_EQ(f.t().recordCount(), 4);
    EXPECT_TRUE(f.t().isPendingRow(1));
    EXPECT_EQ(f.t().rowText(0, 1), QStringLiteral("N1"));
    EXPECT_EQ(f.t().rowText(1, 1), QString());
    EXPECT_EQ(f.t().rowText(2, 1), QStringLiteral("N2"));
    f.t().Cancel();
    EXPECT_EQ(f.t().recordCount(), 3);
    EXPECT_EQ(f.t().recNo(), 1);  // the displaced row is current again
    EXPECT_EQ(f.t().text(1), QStringLiteral("N2"));
}

TEST(ContractTable, PostedNewRecordGetsTheNextKeyAndUnwrittenFieldsStayEmpty) {
    Fixture f(2);
    f.t().Append();
    f.t().setText(1, QStringLiteral("77"));
    f.t().Post();
    ASSERT_EQ(f.store->rowCount(), 3u);
    EXPECT_EQ(f.store->rows()[2], (QStringList{"3", "77", ""}));
    EXPECT_EQ(f.t().recNo(), 2);
}

TEST(ContractTable, BrowseModeCheckBeforeAMove) {
    struct Case {
        const char* name;
        bool typed;
        bool failWrite;
        int expectRecNo;
        DataState expectState;
        const char* expectStored;
    };
    const Case cases[] = {
        {"pending text is written and posted", true, false, 2, DataState::Browse, "typed"},
        {"nothing typed: cancelled", false, false, 2, DataState::Browse, "N1"},
        {"post refused: the move does not happen", true, true, 0, DataState::Edit, "N1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Fixture f(3);
        PendingLink link;
        link.setDataSource(&f.dm->ds1);
        f.t().Edit();
        if (c.typed) link.type(QStringLiteral("typed"));
        if (c.failWrite)
            f.store->setWriteHook([](const char*) {
                throw paradox::Error(paradox::ErrorKind::Busy, "Таблица занята другой программой");
            });
        if (c.failWrite)
            EXPECT_THROW(f.t().moveTo(2), paradox::Error);
        else
            f.t().moveTo(2);
        EXPECT_EQ(f.t().recNo(), c.expectRecNo);
        EXPECT_EQ(f.t().state(), c.expectState);
        EXPECT_EQ(f.nomer(0), QString::fromUtf8(c.expectStored));
        if (c.failWrite) {
            EXPECT_TRUE(f.t().Modified());
            EXPECT_EQ(f.t().text(1), QStringLiteral("typed"));  // values kept for another try
        }
    }
}

// A step that cannot go further still settles the record: Up or Ctrl+Home on the first
// row, Down or Ctrl+End on the last. A click on the current row (moveTo it) is no move.
TEST(ContractTable, AMoveThatCannotGoFurtherStillRunsTheCheck) {
    struct Case {
        const char* name;
        std::function<void(ContractTable&)> move;
        bool typed;
        DataState expectState;
        const char* expectStored;
    };
    const Case cases[] = {
        {"up on the first row, typed: posted", [](ContractTable& t) { t.moveBy(-1); }, true, DataState::Browse, "typed"},
        {"first on the first row, untyped: cancelled", [](ContractTable& t) { t.first(); }, false, DataState::Browse,
         "N1"},
        {"click on the current row: nothing", [](ContractTable& t) { t.moveTo(0); }, true, DataState::Edit, "N1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Fixture f(3);
        PendingLink link;
        link.setDataSource(&f.dm->ds1);
        f.t().Edit();
        if (c.typed) link.type(QStringLiteral("typed"));
        c.move(f.t());
        EXPECT_EQ(f.t().recNo(), 0);
        EXPECT_EQ(f.t().state(), c.expectState);
        EXPECT_EQ(f.nomer(0), QString::fromUtf8(c.expectStored));
    }
    // The last row: a lone new record posted by Ctrl+End.
    Fixture f(0);
    f.t().Insert();
    f.t().setText(1, QStringLiteral("один"));
    f.t().last();
    EXPECT_EQ(f.t().state(), DataState::Browse);
    ASSERT_EQ(f.store->rows().size(), 1u);
    EXPECT_EQ(f.nomer(0), QStringLiteral("один"));
}

TEST(ContractTable, BrowseModeCheckRunsBeforeInsertAppendAndRefresh) {
    const std::vector<std::pair<const char*, std::function<void(ContractTable&)>>> ops = {
        {"Insert", [](ContractTable& t) { t.Insert(); }},
        {"Append", [](ContractTable& t) { t.Append(); }},
        {"Refresh", [](ContractTable& t) { t.Refresh(); }},
    };
    for (const auto& [name, op] : ops) {
        SCOPED_TRACE(name);
        Fixture f(2);
        PendingLink link;
        link.setDataSource(&f.dm->ds1);
        f.t().Edit();
        link.type(QStringLiteral("kept"));
        op(f.t());
        EXPECT_EQ(f.nomer(0), QStringLiteral("kept"));
    }
}

TEST(ContractTable, RefusedPostKeepsStateAndValues) {
    Fixture f(1);
    f.t().Edit();
    f.t().setText(2, QStringLiteral("слишком длинный предмет контракта"));
    try {
        f.t().Post();
        FAIL() << "a text longer than the field was stored";
    } catch (const paradox::Error& e) {
        EXPECT_NE(QString::fromStdString(e.what()).indexOf(QStringLiteral("KPredmet")), -1) << e.what();
    }
    EXPECT_EQ(f.t().state(), DataState::Edit);
    EXPECT_TRUE(f.t().Modified());
    EXPECT_EQ(f.t().text(2), QStringLiteral("слишком длинный предмет контракта"));
    EXPECT_EQ(f.store->rows()[0][2], QStringLiteral("P1"));
}

TEST(ContractTable, RefusedDeleteKeepsTheRecord) {
    Fixture f(2);
    f.store->setWriteHook([](const char*) {
        throw paradox::Error(paradox::ErrorKind::Busy, "Таблица занята другой программой");
    });
    EXPECT_THROW(f.t().Delete(), paradox::Error);
    EXPECT_EQ(f.store->rowCount(), 2u);
    EXPECT_EQ(f.t().state(), DataState::Browse);
}

TEST(ContractTable, EmptyTable) {
    Fixture f(0);
    EXPECT_TRUE(f.t().isEmpty());
    EXPECT_EQ(f.t().recNo(), -1);
    for (int i = 0; i < f.t().fieldCount(); ++i) EXPECT_EQ(f.t().fieldAt(i).AsString(), QString());
    EXPECT_THROW(f.t().Delete(), TableError);
    // The first change in a bound control begins a new record.
    EXPECT_TRUE(f.dm->ds1.edit());
    EXPECT_EQ(f.t().state(), DataState::Insert);
    f.t().setText(1, QStringLiteral("1/2026"));
    f.t().Post();
    EXPECT_EQ(f.store->rowCount(), 1u);
    EXPECT_EQ(f.t().text(0), QStringLiteral("1"));
}

TEST(ContractTable, ReadOnlyStoreOffersNoChanges) {
    Fixture f(2);
    f.store->setReadOnly(true);
    EXPECT_FALSE(f.t().canModify());
    EXPECT_THROW(f.t().Edit(), TableError);
    EXPECT_THROW(f.t().Insert(), TableError);
    EXPECT_THROW(f.t().Append(), TableError);
    EXPECT_THROW(f.t().Delete(), TableError);
    EXPECT_FALSE(f.dm->ds1.edit());
    EXPECT_EQ(f.t().state(), DataState::Browse);
    f.t().moveTo(1);  // moving still works
    EXPECT_EQ(f.t().recNo(), 1);
}

TEST(ContractTable, SetTextOnlyWhileEditing) {
    Fixture f(1);
    EXPECT_THROW(f.t().setText(1, QStringLiteral("x")), TableError);
    EXPECT_FALSE(f.t().Modified());
}

TEST(ContractTable, CancelDiscardsPendingTextAndEveryControlIsTold) {
    Fixture f(2);
    PendingLink shown, hidden;
    shown.setDataSource(&f.dm->ds1);
    hidden.setDataSource(&f.dm->ds1);
    hidden.field = 2;
    f.t().Edit();
    shown.type(QStringLiteral("a"));
    hidden.type(QStringLiteral("b"));
    const int before = shown.notices;
    f.t().Cancel();
    EXPECT_FALSE(shown.hasPending);
    EXPECT_FALSE(hidden.hasPending);
    EXPECT_GT(shown.notices, before);
    EXPECT_EQ(f.nomer(0), QStringLiteral("N1"));
}

TEST(ContractTable, PostWritesPendingTextOfEveryControlHiddenOnesIncluded) {
    Fixture f(1);
    PendingLink a, b;
    a.setDataSource(&f.dm->ds1);
    b.setDataSource(&f.dm->ds1);
    b.field = 2;
    f.t().Edit();
    a.type(QStringLiteral("A"));
    b.type(QStringLiteral("B"));
    f.t().Post();
    EXPECT_EQ(f.store->rows()[0], (QStringList{"1", "A", "B"}));
}

TEST(ContractTable, ValueWrittenButNotPostedIsTheCurrentText) {
    Fixture f(1);
    PendingLink link;
    link.setDataSource(&f.dm->ds1);
    f.t().Edit();
    f.t().setText(1, QStringLiteral("written"));
    link.type(QStringLiteral("pending only"));
    EXPECT_EQ(f.t().FieldByName(QStringLiteral("KNomer")).AsString(), QStringLiteral("written"));
}
