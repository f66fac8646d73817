#include "app/screen_registry.h"

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QWidget>
#include <QWindowStateChangeEvent>

#include <stdexcept>

#include "contracts/data_module.h"

namespace app {

ScreenRegistry::ScreenRegistry(desktop::Desktop& desktop, QString applicationTitle)
    : desktop_(desktop), applicationTitle_(std::move(applicationTitle))
{
}

// Screens go before the data module they are bound to, the main page last of them.
ScreenRegistry::~ScreenRegistry()
{
    while (!screens_.empty())
        screens_.pop_back();
    dataModule_.reset();
}

void ScreenRegistry::add(std::unique_ptr<QWidget> screen)
{
    if (!screen)
        throw std::logic_error("ScreenRegistry::add: no screen");
    const QString name = screen->objectName();
    for (const auto& existing : screens_)
        if (existing->objectName() == name)
            throw std::logic_error("ScreenRegistry::add: screen " + name.toStdString() + " created twice");
    screen->hide();
    if (screens_.empty())
        screen->installEventFilter(this);
    creationLog_.append(name);
    screens_.push_back(std::move(screen));
}

void ScreenRegistry::adoptDataModule(std::shared_ptr<contracts::TfDM15> module)
{
    if (!module)
        throw std::logic_error("ScreenRegistry::adoptDataModule: no data module");
    dataModule_ = std::move(module);
    creationLog_.append(QStringLiteral("fDM15"));
}

QWidget* ScreenRegistry::screen(const QString& name) const
{
    for (const auto& s : screens_)
        if (s->objectName() == name)
            return s.get();
    throw std::logic_error("ScreenRegistry: no screen " + name.toStdString());
}

QWidget* ScreenRegistry::mainPage() const
{
    return screens_.empty() ? nullptr : screens_.front().get();
}

std::vector<QWidget*> ScreenRegistry::screens() const
{
    std::vector<QWidget*> result;
    result.reserve(screens_.size());
    for (const auto& s : screens_)
        result.push_back(s.get());
    return result;
}

void showScreen(QWidget* screen)
{
    if (screen->isMinimized())
        screen->setWindowState(screen->windowState() & ~Qt::WindowMinimized);
    screen->show();
    screen->raise();
    screen->activateWindow();
}

void ScreenRegistry::show(const QString& screenName)
{
    showScreen(screen(screenName));
}

int ScreenRegistry::showModal(const QString& screenName)
{
    auto* dialog = qobject_cast<QDialog*>(screen(screenName));
    if (!dialog)
        throw std::logic_error("ScreenRegistry: screen " + screenName.toStdString() + " cannot be shown modally");
    // Application-modal: while it is open no other screen takes a click or a key.
    dialog->setWindowModality(Qt::ApplicationModal);
    // The keyboard goes back to the screen the dialog was opened from.
    QPointer<QWidget> opener = QApplication::activeWindow();
    const int result = dialog->exec();
    if (opener && opener->isVisible())
        opener->activateWindow();
    return result;
}

bool ScreenRegistry::requestEnd()
{
    if (endCheck_ && !endCheck_())
        return false;
    emit ended();
    return true;
}

bool ScreenRegistry::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == mainPage() && event->type() == QEvent::WindowStateChange)
        mainPageStateChanged(static_cast<QWindowStateChangeEvent*>(event)->oldState());
    return false;
}

// Screens are independent top-level windows, so minimizing the main page takes the open
// screens down with it explicitly, and restoring it brings the same ones back.
void ScreenRegistry::mainPageStateChanged(Qt::WindowStates oldState)
{
    QWidget* main = mainPage();
    const bool wasMinimized = oldState & Qt::WindowMinimized;
    const bool isMinimized = main->windowState() & Qt::WindowMinimized;
    if (isMinimized && !wasMinimized) {
        minimizedWithMain_.clear();
        for (const auto& s : screens_) {
            if (s.get() == main || !s->isVisible() || s->isMinimized())
                continue;
            minimizedWithMain_.emplace_back(s.get());
            s->setWindowState(s->windowState() | Qt::WindowMinimized);
        }
    } else if (wasMinimized && !isMinimized) {
        for (const auto& s : minimizedWithMain_)
            if (s && s->isVisible())
                s->setWindowState(s->windowState() & ~Qt::WindowMinimized);
        minimizedWithMain_.clear();
        main->raise();
    }
}

}  // namespace app
