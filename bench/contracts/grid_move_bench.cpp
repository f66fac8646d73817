// Ctrl+End in the contracts page's grid: the last of the 100,000 records made current and
// the grid repainted there. Ctrl+Home brings it back between iterations (timed apart).
#include "shown_page.h"
#include "failures.h"
#include "timings.h"

#include "contracts/data_module.h"
#include "contracts/editable_contract_grid.h"

#include <QTest>

#include <stdexcept>

namespace contracts_bench {
namespace {

// Presses the key and waits for the grid's repaint; the time taken, or a negative value
// when the grid did not repaint or the record is not the one expected.
double pressAndWait(ShownPage& shown, Qt::Key key, int expectedRecord) {
    contracts::EditableContractGrid* grid = shown.page().dbgrd1();
    const int seen = shown.gridPaints().paints();
    const auto start = Clock::now();
    QTest::keyClick(grid, key, Qt::ControlModifier);
    const bool painted = shown.gridPaints().waitForPaint(seen);
    const auto end = Clock::now();
    if (!painted || grid->table()->recNo() != expectedRecord) return -1;
    return seconds(start, end);
}

void runCtrlEndToLastRecord(benchmark::State& state) {
    contracts::TfDM15& module = generatedModule();
    ShownPage shown(module);
    const int last = module.tbl1.recordCount() - 1;
    // Warm-up: the rows at the end are read from the file once; reported apart.
    const double first = pressAndWait(shown, Qt::Key_End, last);
    if (first < 0 || pressAndWait(shown, Qt::Key_Home, 0) < 0) {
        fail(state, "the grid did not repaint on the expected record");
        return;
    }
    Timings toEnd, toHome;
    for (auto _ : state) {
        const double end = pressAndWait(shown, Qt::Key_End, last);
        const double home = end < 0 ? -1 : pressAndWait(shown, Qt::Key_Home, 0);
        if (end < 0 || home < 0 || !shown.desktop().boxes.isEmpty()) {
            fail(state, "the grid did not repaint on the expected record");
            return;
        }
        state.SetIterationTime(end);
        toEnd.add(end);
        toHome.add(home);
    }
    toEnd.report(state);
    toHome.report(state, "ctrl_home_");
    state.counters["first_ms"] = first * 1e3;
    state.counters["records"] = double(last + 1);
}

void BM_CtrlEndToLastRecord(benchmark::State& state) {
    guarded(state, [&] { runCtrlEndToLastRecord(state); });
}

BENCHMARK(BM_CtrlEndToLastRecord)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(50);

}  // namespace
}  // namespace contracts_bench
