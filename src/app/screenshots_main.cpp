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
#include "contracts/contracts_page.h"
#include "contracts/data_module.h"
#include "contracts/editable_contract_grid.h"
#include "platform/desktop.h"

#include <QLineEdit>

namespace {

bool shoot(QWidget* screen, const QString& outputDir, const QString& name)
{
    app::showScreen(screen);
    QCoreApplication::processEvents();
    const QString file = QDir(outputDir).filePath(name + QStringLiteral(".png"));
    const bool saved = screen->grab().save(file);
    if (!saved)
        std::fprintf(stderr, "telma-screenshots: cannot write %s\n", qPrintable(file));
    screen->hide();
    return saved;
}

// The contracts page and the card once more with the second contract being edited: the
// edit indicator, a value written into the record and a cell editor holding pending text.
int shootEditing(app::ScreenRegistry& registry, const QString& outputDir)
{
    contracts::TfDM15* module = registry.dataModule();
    auto* page = qobject_cast<contracts::TForm3*>(registry.screen(QStringLiteral("Form3")));
    if (!module || !page || module->tbl1.recordCount() < 2)
        return 0;
    module->tbl1.moveTo(1);
    module->tbl1.Edit();
    module->tbl1.FieldByName(QStringLiteral("KSumma")).setText(QStringLiteral("1250000.00"));
    int failures = shoot(registry.screen(QStringLiteral("Form5")), outputDir, QStringLiteral("Form5-edit")) ? 0 : 1;
    app::showScreen(page);
    page->dbgrd1()->setFocus();
    page->dbgrd1()->setCurrentColumn(1);
    if (page->dbgrd1()->openCellEditor())
        page->dbgrd1()->cellEditor()->setText(QStringLiteral("Поставка и монтаж лифтов"));
    failures += shoot(page, outputDir, QStringLiteral("Form3-edit")) ? 0 : 1;
    module->tbl1.Cancel();
    return failures;
}

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
        for (QWidget* screen : registry.screens())
            failures += shoot(screen, outputDir, screen->objectName()) ? 0 : 1;
        failures += shootEditing(registry, outputDir);
        return failures == 0 ? 0 : 1;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "telma-screenshots: %s\n", error.what());
        return 1;
    }
}
