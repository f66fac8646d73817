#include "shown_page.h"

#include "contract_table_file.h"
#include "timings.h"

#include "contracts/data_module.h"
#include "contracts/editable_contract_grid.h"

#include <QCoreApplication>
#include <QTest>

#include <cstdio>
#include <stdexcept>

namespace contracts_bench {

contracts::TfDM15& generatedModule() {
    static contracts::TfDM15& module = [] () -> contracts::TfDM15& {
        const std::filesystem::path file = generatedTable();
        const auto start = Clock::now();
        static contracts::TfDM15 opened(file);
        std::fprintf(stderr, "contracts_bench: data module over %d records opened in %.1f ms\n",
                     opened.tbl1.recordCount(), seconds(start, Clock::now()) * 1e3);
        return opened;
    }();
    return module;
}

ShownPage::ShownPage(contracts::TfDM15& module) {
    page_ = std::make_unique<contracts::TForm3>(navigator_, desktop_);
    page_->setDataModule(&module);
    probe_ = new PaintProbe(page_->dbgrd1()->viewport());
    page_->show();
    if (!probe_->waitForPaint(0)) throw std::runtime_error("the contracts page did not paint its grid");
    page_->activateWindow();
    (void)QTest::qWaitForWindowActive(page_.get(), 1000);  // the offscreen platform may not activate
    page_->dbgrd1()->setFocus(Qt::MouseFocusReason);
    QCoreApplication::processEvents();
}

ShownPage::~ShownPage() {
    page_->setDataModule(nullptr);
    page_.reset();
    QCoreApplication::processEvents();
}

}  // namespace contracts_bench
