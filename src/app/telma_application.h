// The application object. Every event passes through notify(), so an exception that
// leaves a handler is caught here and handed to the general error display; the event
// loop then takes the next event.
#pragma once

#include <QApplication>

namespace app {

class ErrorDisplay;

class TelmaApplication : public QApplication {
    Q_OBJECT
public:
    TelmaApplication(int& argc, char** argv);

    // Until a display is set, failures are not caught (start-up reports its own).
    void setErrorDisplay(ErrorDisplay* display) { errorDisplay_ = display; }

    bool notify(QObject* receiver, QEvent* event) override;

private:
    ErrorDisplay* errorDisplay_ = nullptr;
};

}  // namespace app
