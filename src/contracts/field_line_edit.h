// A line edit for the text of one field: it holds at most the field's length. A change that
// would make the text longer (a key at the limit, a paste, a drop) is refused as a whole,
// never cut short, and a hint beside the edit says why.
#pragma once

#include <QLineEdit>

class QKeyEvent;

namespace contracts {

// A key that types a character (no Ctrl or Alt held).
bool isTypedCharacter(const QKeyEvent* event);
// A key that changes an edit's text: a typed character, Backspace, Delete, cut, paste, undo, redo.
bool isTextChangeKey(const QKeyEvent* event);

class FieldLineEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit FieldLineEdit(QWidget* parent = nullptr);

    // 0: no limit.
    void setFieldLength(int length);
    int fieldLength() const { return length_; }
    // How the field is named in the hint ("Номер контракта").
    void setFieldLabel(const QString& label) { label_ = label; }
    const QString& fieldLabel() const { return label_; }
    // The hint last shown for a refused change; empty when none was refused.
    const QString& lastRefusal() const { return lastRefusal_; }

signals:
    void changeRefused(const QString& message);

private:
    friend class FieldLengthValidator;
    void refuse(int wouldBeLength);

    int length_ = 0;
    QString label_;
    QString lastRefusal_;
};

}  // namespace contracts
