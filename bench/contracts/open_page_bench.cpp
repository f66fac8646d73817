// Opening the contracts page with the data module already open: the page created, bound to
// ds1 and shown until its grid has painted. One run per phase, and the whole.
#include "paint_probe.h"
#include "recording_seams.h"
#include "shown_page.h"
#include "failures.h"
#include "timings.h"

#include "contracts/contracts_page.h"
#include "contracts/data_module.h"
#include "contracts/editable_contract_grid.h"

#include <QCoreApplication>

#include <memory>

namespace contracts_bench {
namespace {

enum class Phase { Create, Bind, ShowAndPaint, Whole };

struct PhaseTimes {
    double create = 0, bind = 0, showAndPaint = 0;
    double whole() const { return create + bind + showAndPaint; }
};

double phaseTime(const PhaseTimes& times, Phase phase) {
    switch (phase) {
    case Phase::Create: return times.create;
    case Phase::Bind: return times.bind;
    case Phase::ShowAndPaint: return times.showAndPaint;
    case Phase::Whole: break;
    }
    return times.whole();
}

// One opening; false when the page never painted.
bool openOnce(contracts::TfDM15& module, PhaseTimes& times) {
    RecordingDesktop desktop;
    RecordingNavigator navigator;
    const auto t0 = Clock::now();
    auto page = std::make_unique<contracts::TForm3>(navigator, desktop);
    const auto t1 = Clock::now();
    page->setDataModule(&module);
    const auto t2 = Clock::now();
    auto* probe = new PaintProbe(page->dbgrd1()->viewport());
    page->show();
    const bool painted = probe->waitForPaint(0);
    const auto t3 = Clock::now();
    times = {seconds(t0, t1), seconds(t1, t2), seconds(t2, t3)};
    page->setDataModule(nullptr);
    page.reset();
    QCoreApplication::processEvents();
    return painted && desktop.boxes.isEmpty();
}

void openContractsPage(benchmark::State& state, Phase phase) {
    contracts::TfDM15& module = generatedModule();
    PhaseTimes times;
    // Warm-up: fonts, pictures and style sheets are loaded once per process; the first
    // opening is reported apart.
    if (!openOnce(module, times)) {
        fail(state, "the page did not paint, or showed a message box");
        return;
    }
    const double first = phaseTime(times, phase);
    Timings timings;
    for (auto _ : state) {
        if (!openOnce(module, times)) {
            fail(state, "the page did not paint, or showed a message box");
            return;
        }
        const double t = phaseTime(times, phase);
        state.SetIterationTime(t);
        timings.add(t);
    }
    timings.report(state);
    state.counters["first_ms"] = first * 1e3;
    state.counters["records"] = double(module.tbl1.recordCount());
}

void BM_OpenContractsPage(benchmark::State& state, Phase phase) {
    guarded(state, [&] { openContractsPage(state, phase); });
}

BENCHMARK_CAPTURE(BM_OpenContractsPage, create, Phase::Create)
    ->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);
BENCHMARK_CAPTURE(BM_OpenContractsPage, bind, Phase::Bind)
    ->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);
BENCHMARK_CAPTURE(BM_OpenContractsPage, show_and_paint, Phase::ShowAndPaint)
    ->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);
BENCHMARK_CAPTURE(BM_OpenContractsPage, whole, Phase::Whole)
    ->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);

}  // namespace
}  // namespace contracts_bench
