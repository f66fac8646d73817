// The contract card TForm5: the current contract in twelve bound edits, with a save button
// (every pending text written, then stored if anything was written) and a cancel button.
#pragma once

#include <QDialog>

namespace contracts {

class BoundEdit;
class TfDM15;

class TForm5 final : public QDialog {
    Q_OBJECT
public:
    explicit TForm5(TfDM15& module);

    // The edit bound to a field of the card, or nullptr.
    BoundEdit* editFor(const QString& fieldName) const;

    void img1Click();  // save and close; a refused post keeps the card open
    void img2Click();  // drop the changes and close

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    TfDM15& module_;
};

}  // namespace contracts
