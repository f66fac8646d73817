// The Telma executable.
#include "app/startup.h"
#include "app/telma_application.h"
#include "platform/desktop.h"

int main(int argc, char** argv)
{
    app::TelmaApplication application(argc, argv);
    desktop::QtDesktop desktop;
    return app::runTelma(application, desktop);
}
