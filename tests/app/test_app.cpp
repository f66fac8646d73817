#include "test_app.h"

#include <QtGlobal>

#include <cstdio>

namespace testing_support {
namespace {

// The offscreen platform cannot raise windows and says so on every show; that is noise here.
void quietHandler(QtMsgType, const QMessageLogContext&, const QString& message)
{
    if (!message.contains(QLatin1String("does not support raise")))
        std::fprintf(stderr, "%s\n", qPrintable(message));
}

}  // namespace

app::TelmaApplication& telmaApplication()
{
    static int argc = 1;
    static char name[] = "Telma";
    static char* argv[] = {name, nullptr};
    static app::TelmaApplication* application = [] {
        qInstallMessageHandler(quietHandler);
        return new app::TelmaApplication(argc, argv);
    }();
    return *application;
}

}  // namespace testing_support
