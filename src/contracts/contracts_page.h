// The contracts page TForm3: the register of contracts in an editable grid with its record
// navigator, notes on filling in the fields, and the letter pages' navigation bar.
// It is built before the data module exists and is bound to it by setDataModule.
#pragma once

#include "contracts/grid_model.h"

#include <QWidget>

#include <vector>

namespace desktop { class Desktop; }
namespace ui { class Navigator; }

namespace contracts {

class EditableContractGrid;
class RecordNavigator;
class TfDM15;

// The columns of the contracts page's grid: all seventeen fields, eleven of them shown.
std::vector<GridColumn> contractsPageColumns();

class TForm3 final : public QWidget {
    Q_OBJECT
public:
    TForm3(ui::Navigator& navigator, desktop::Desktop& desktop);

    // Binds the grid and the navigator to the data module's ds1 (nullptr unbinds).
    void setDataModule(TfDM15* module);

    EditableContractGrid* dbgrd1() const { return dbgrd1_; }
    RecordNavigator* dbnvgr1() const { return dbnvgr1_; }

    // Shows the contract card modally on the current record.
    void dbgrd1DblClick();
    // The navigation bar: main page, all letters, consultation, order a letter, feedback.
    void img1Click();
    void img6Click();
    void img3Click();
    void img4Click();
    void img5Click();

private:
    ui::Navigator& navigator_;
    EditableContractGrid* dbgrd1_ = nullptr;
    RecordNavigator* dbnvgr1_ = nullptr;
};

}  // namespace contracts
