// The contracts page as the benchmarks meet it: created over a data module, bound, shown
// and painted, with the grid holding the focus as after the user's first click.
#pragma once

#include "paint_probe.h"
#include "recording_seams.h"

#include "contracts/contracts_page.h"

#include <memory>

namespace contracts { class TfDM15; }

namespace contracts_bench {

// The data module over the generated table, opened once, as the application opens it.
contracts::TfDM15& generatedModule();

class ShownPage {
public:
    // Throws std::runtime_error when the page does not paint.
    explicit ShownPage(contracts::TfDM15& module);
    ~ShownPage();

    contracts::TForm3& page() { return *page_; }
    // Paints of the grid's cells.
    PaintProbe& gridPaints() { return *probe_; }
    RecordingDesktop& desktop() { return desktop_; }

private:
    RecordingDesktop desktop_;
    RecordingNavigator navigator_;
    std::unique_ptr<contracts::TForm3> page_;
    PaintProbe* probe_ = nullptr;
};

}  // namespace contracts_bench
