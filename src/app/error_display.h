// The one place where a failure that leaves an event handler is shown: a message box with
// the error icon and an OK button, captioned with the application title. The program
// goes on afterwards.
#pragma once

#include <QString>

namespace desktop { class Desktop; }

namespace app {

// Adds a full stop when the text's last character has a greater code than the full stop
// itself: "нет файла" gets one, "нет файла." or "нет файла!" or "(файл)" does not.
QString withFullStop(const QString& text);

class ErrorDisplay {
public:
    ErrorDisplay(desktop::Desktop& desktop, QString applicationTitle);
    void show(const QString& message);

private:
    desktop::Desktop& desktop_;
    QString title_;
};

}  // namespace app
