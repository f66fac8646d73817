// telma-screenshots OUTPUT_DIR: builds the application as Telma does, in the current
// folder, and saves every screen as OUTPUT_DIR/<instance name>.png. Meant for the
// offscreen platform; message boxes are written to standard error instead of shown.
#include <QCoreApplication>
#include <QDir>
#include <QPixmap>
#include <QWidget>

#include <cstdio>
#include <exception>

#include "app/app_title.h"
#include "app/screen_registry.h"
#include "app/startup.h"
#include "app/telma_application.h"
#include "platform/desktop.h"

namespace {

class ConsoleDesktop final : public desktop::Desktop {
public:
    void message(QWidget*, const QString& title, const QString& text, desktop::Icon) override
    {
        std::fprintf(stderr, "telma-screenshots: [%s] %s\n", qPrintable(title), qPrintable(text));
    }
    desktop::Answer ask(QWidget* parent, const QString& title, const QString& text, desktop::Icon icon,
                        const QList<desktop::Answer>& buttons, desktop::Answer) override
    {
        message(parent, title, text, icon);
        return buttons.isEmpty() ? desktop::Answer::Ok : buttons.last();
    }
    bool openUrl(const QUrl&) override { return false; }
    bool openFile(const QString&) override { return false; }
};

}  // namespace

int main(int argc, char** argv)
{
    app::TelmaApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: telma-screenshots OUTPUT_DIR\n");
        return 2;
    }
    const QString outputDir = QString::fromLocal8Bit(argv[1]);
    if (!QDir().mkpath(outputDir)) {
        std::fprintf(stderr, "telma-screenshots: cannot create the folder %s\n", argv[1]);
        return 1;
    }
    ConsoleDesktop desktop;
    try {
        app::ScreenRegistry registry(desktop, app::applicationTitle(QCoreApplication::applicationFilePath()));
        app::buildScreens(registry);
        int failures = 0;
        for (QWidget* screen : registry.screens()) {
            app::showScreen(screen);
            QCoreApplication::processEvents();
            const QString file = QDir(outputDir).filePath(screen->objectName() + QStringLiteral(".png"));
            if (!screen->grab().save(file)) {
                std::fprintf(stderr, "telma-screenshots: cannot write %s\n", qPrintable(file));
                ++failures;
            }
            screen->hide();
        }
        return failures == 0 ? 0 : 1;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "telma-screenshots: %s\n", error.what());
        return 1;
    }
}
