#include "app/error_display.h"

#include <QApplication>

#include "platform/desktop.h"

namespace app {

QString withFullStop(const QString& text)
{
    if (!text.isEmpty() && text.back().unicode() > u'.')
        return text + u'.';
    return text;
}

ErrorDisplay::ErrorDisplay(desktop::Desktop& desktop, QString applicationTitle)
    : desktop_(desktop), title_(std::move(applicationTitle))
{
}

void ErrorDisplay::show(const QString& message)
{
    // The box belongs to the window the user was working in, so it opens in front of it.
    desktop_.message(QApplication::activeWindow(), title_, withFullStop(message), desktop::Icon::Error);
}

}  // namespace app
