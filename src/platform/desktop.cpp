#include "platform/desktop.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>

namespace desktop {
namespace {

QMessageBox::Icon boxIcon(Icon icon)
{
    switch (icon) {
    case Icon::None: return QMessageBox::NoIcon;
    case Icon::Information: return QMessageBox::Information;
    case Icon::Warning: return QMessageBox::Warning;
    case Icon::Error: return QMessageBox::Critical;
    case Icon::Question: return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButton boxButton(Answer answer)
{
    switch (answer) {
    case Answer::Ok: return QMessageBox::Ok;
    case Answer::Cancel: return QMessageBox::Cancel;
    case Answer::Yes: return QMessageBox::Yes;
    case Answer::No: return QMessageBox::No;
    }
    return QMessageBox::Ok;
}

// The box's own button texts in Russian, whatever the system's translations.
QString buttonText(Answer answer)
{
    switch (answer) {
    case Answer::Ok: return QStringLiteral("OK");
    case Answer::Cancel: return QStringLiteral("Отмена");
    case Answer::Yes: return QStringLiteral("Да");
    case Answer::No: return QStringLiteral("Нет");
    }
    return {};
}

}  // namespace

void QtDesktop::message(QWidget* parent, const QString& title, const QString& text, Icon icon)
{
    QMessageBox box(boxIcon(icon), title, text, QMessageBox::Ok, parent);
    box.setTextFormat(Qt::PlainText);
    box.button(QMessageBox::Ok)->setText(buttonText(Answer::Ok));
    // Without a parent the box is application-modal, so no screen reacts while it is up.
    box.setWindowModality(parent ? Qt::WindowModal : Qt::ApplicationModal);
    box.exec();
}

Answer QtDesktop::ask(QWidget* parent, const QString& title, const QString& text, Icon icon,
                      const QList<Answer>& buttons, Answer defaultButton)
{
    QMessageBox box(boxIcon(icon), title, text, QMessageBox::NoButton, parent);
    box.setTextFormat(Qt::PlainText);
    box.setWindowModality(parent ? Qt::WindowModal : Qt::ApplicationModal);
    for (Answer answer : buttons) {
        QAbstractButton* button = box.addButton(boxButton(answer));
        button->setText(buttonText(answer));
        if (answer == defaultButton)
            box.setDefaultButton(static_cast<QPushButton*>(button));
    }
    if (!buttons.isEmpty())
        box.setEscapeButton(box.button(boxButton(buttons.last())));
    box.exec();
    QAbstractButton* pressed = box.clickedButton();
    for (Answer answer : buttons)
        if (pressed && pressed == box.button(boxButton(answer)))
            return answer;
    return buttons.isEmpty() ? Answer::Ok : buttons.last();
}

bool QtDesktop::openUrl(const QUrl& url)
{
    return QDesktopServices::openUrl(url);
}

bool QtDesktop::openFile(const QString& path)
{
    return QDesktopServices::openUrl(QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()));
}

}  // namespace desktop
