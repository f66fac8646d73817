#include "app/telma_application.h"

#include <exception>

#include "app/error_display.h"

namespace app {

TelmaApplication::TelmaApplication(int& argc, char** argv) : QApplication(argc, argv)
{
    // The main page alone decides when the program ends.
    setQuitOnLastWindowClosed(false);
}

bool TelmaApplication::notify(QObject* receiver, QEvent* event)
{
    if (!errorDisplay_)
        return QApplication::notify(receiver, event);
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        errorDisplay_->show(QString::fromUtf8(error.what()));
    } catch (...) {
        errorDisplay_->show(QStringLiteral("Непредвиденная ошибка в обработчике события"));
    }
    return false;
}

}  // namespace app
