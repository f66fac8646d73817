// An edit posted on the last of the 100,000 records: the cell editor opened on the current
// cell, a new contract number typed, and Post pressed on the record navigator until the
// grid has repainted. Each post is a durable write to a copy of the generated table.
#include "contract_table_file.h"
#include "shown_page.h"
#include "failures.h"
#include "timings.h"

#include "contracts/data_module.h"
#include "contracts/editable_contract_grid.h"
#include "contracts/record_navigator.h"
#include "platform/paradox/table.h"

#include <QLineEdit>
#include <QTest>

#include <exception>
#include <string>

namespace contracts_bench {
namespace {

struct PostTimes {
    double type = 0, post = 0;
    double write = 0;  // of the post: from the press until the record was stored in the file
};

// Told of every change before the page's controls (it is bound first): the moment the
// stored record comes back from the file, which splits a post into the write and the views.
class StoredStamp {
public:
    explicit StoredStamp(contracts::DataSource& source) { link_.setDataSource(&source); }
    Clock::time_point at() const { return at_; }

private:
    Clock::time_point at_{};
    contracts::FunctionLink link_{[this](const contracts::TableChange& change) {
        if (change.has(contracts::RowsChanged)) at_ = Clock::now();
    }};
};

// Types `text` into the cell of `column` on the current record and posts it; the error, or
// an empty string. The column is put back before the clock starts, since a post made while
// the cell editor holds the focus leaves the grid's current cell one column to the right.
std::string typeAndPost(ShownPage& shown, const StoredStamp& stamp, int column, const QString& text,
                        PostTimes& times) {
    contracts::EditableContractGrid* grid = shown.page().dbgrd1();
    contracts::ContractTable& table = *grid->table();
    grid->setCurrentColumn(column);
    if (grid->currentColumn() != column) return "the column cannot be made current";
    const auto t0 = Clock::now();
    if (!grid->openCellEditor() || !grid->cellEditor()) return "the cell editor did not open";
    QLineEdit* editor = grid->cellEditor();
    editor->selectAll();
    QTest::keyClicks(editor, text);
    const auto t1 = Clock::now();
    if (table.state() != contracts::DataState::Edit || !grid->hasPendingText()) return "typing did not begin an edit";
    const int seen = shown.gridPaints().paints();
    try {
        shown.page().dbnvgr1()->press(contracts::NavigatorButton::Post);
    } catch (const std::exception& e) {
        return std::string("the post was refused: ") + e.what();
    }
    const bool painted = shown.gridPaints().waitForPaint(seen);
    const auto t2 = Clock::now();
    if (!painted) return "the grid did not repaint after the post";
    if (table.state() != contracts::DataState::Browse) return "the table is not back in browse state";
    if (stamp.at() < t1) return "the post did not reach the file";
    times = {seconds(t0, t1), seconds(t1, t2), seconds(t1, stamp.at())};
    return {};
}

void runPostEditOnLastRecord(benchmark::State& state) {
    WorkingCopy copy;
    int field = -1, last = -1;
    QString lastText;
    {
        contracts::TfDM15 module(copy.table());
        const StoredStamp stamp(module.ds1);
        ShownPage shown(module);
        contracts::EditableContractGrid* grid = shown.page().dbgrd1();
        QTest::keyClick(grid, Qt::Key_End, Qt::ControlModifier);
        last = module.tbl1.recordCount() - 1;
        const int column = grid->currentColumn();
        field = grid->gridModel()->fieldOf(column);
        if (module.tbl1.recNo() != last || field < 0) {
            fail(state, "Ctrl+End did not reach the last record");
            return;
        }
        PostTimes times;
        const std::string warmUp = typeAndPost(shown, stamp, column, QStringLiteral("0148300012525-0"), times);
        if (!warmUp.empty()) {
            fail(state, warmUp.c_str());
            return;
        }
        const double first = times.type + times.post;
        Timings typing, posting, writing, views, whole;
        long i = 0;
        for (auto _ : state) {
            lastText = QStringLiteral("0148300012525-%1").arg(++i);
            const std::string error = typeAndPost(shown, stamp, column, lastText, times);
            if (!error.empty() || module.tbl1.recNo() != last || module.tbl1.rowText(last, field) != lastText ||
                !shown.desktop().boxes.isEmpty()) {
                fail(state, error.empty() ? "the posted text is not in the last record" : error.c_str());
                return;
            }
            state.SetIterationTime(times.type + times.post);
            typing.add(times.type);
            posting.add(times.post);
            writing.add(times.write);
            views.add(times.post - times.write);
            whole.add(times.type + times.post);
        }
        whole.report(state);
        state.counters["first_ms"] = first * 1e3;
        typing.report(state, "type_");
        posting.report(state, "post_");
        writing.report(state, "post_write_");
        views.report(state, "post_views_");
    }
    // The posts reached the file: read it afresh with the table library.
    const auto file = paradox::Table::open(copy.table(), {.readOnly = true});
    const auto stored = file.rowTexts(static_cast<std::size_t>(last));
    if (file.recordCount() != std::size_t(kRecords) || !stored.at(std::size_t(field)) ||
        QString::fromStdString(*stored.at(std::size_t(field))) != lastText)
        fail(state, "the file does not hold the last posted text");
    state.counters["records"] = double(file.recordCount());
}

void BM_PostEditOnLastRecord(benchmark::State& state) {
    guarded(state, [&] { runPostEditOnLastRecord(state); });
}

BENCHMARK(BM_PostEditOnLastRecord)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(30);

}  // namespace
}  // namespace contracts_bench
