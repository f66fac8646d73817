#include "contracts/field_line_edit.h"

#include <QKeyEvent>
#include <QTimer>
#include <QToolTip>
#include <QValidator>

namespace contracts {

// A validator rather than QLineEdit's own maximum length: that one silently cuts a pasted
// text to what fits, this one lets the edit refuse the whole change.
class FieldLengthValidator final : public QValidator {
public:
    explicit FieldLengthValidator(FieldLineEdit& edit) : QValidator(&edit), edit_(edit) {}

    State validate(QString& input, int&) const override {
        if (edit_.length_ <= 0 || input.size() <= edit_.length_) return Acceptable;
        // Only a change the user makes is refused; a stored value is shown as it is.
        if (edit_.hasFocus() || edit_.isModified()) edit_.refuse(static_cast<int>(input.size()));
        return Invalid;
    }

private:
    FieldLineEdit& edit_;
};

bool isTypedCharacter(const QKeyEvent* e) {
    const QString text = e->text();
    return !text.isEmpty() && text.at(0).isPrint() && !(e->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
}

bool isTextChangeKey(const QKeyEvent* e) {
    return e->matches(QKeySequence::Cut) || e->matches(QKeySequence::Paste) || e->matches(QKeySequence::Undo) ||
           e->matches(QKeySequence::Redo) || e->key() == Qt::Key_Backspace || e->key() == Qt::Key_Delete ||
           isTypedCharacter(e);
}

FieldLineEdit::FieldLineEdit(QWidget* parent) : QLineEdit(parent) {
    setValidator(new FieldLengthValidator(*this));
}

void FieldLineEdit::setFieldLength(int length) { length_ = length; }

void FieldLineEdit::refuse(int wouldBeLength) {
    const QString name = label_.isEmpty() ? QStringLiteral("поле") : QStringLiteral("поле «%1»").arg(label_);
    lastRefusal_ = QStringLiteral("Текст не помещается в %1: в нём может быть не больше %2 знаков, а стало бы %3. "
                                  "Изменение не внесено — сократите текст.")
                       .arg(name)
                       .arg(length_)
                       .arg(wouldBeLength);
    emit changeRefused(lastRefusal_);
    // Shown once the edit has finished undoing the change.
    QTimer::singleShot(0, this, [this] {
        if (isVisible()) QToolTip::showText(mapToGlobal(rect().bottomLeft()), lastRefusal_, this);
    });
}

}  // namespace contracts
