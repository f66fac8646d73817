// The screen registry: owns every screen (created once, in start-up order, hidden), the
// desktop seam and the data module, and carries out Show, Show modally and Close.
#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <vector>

#include "ui/navigator.h"

class QDialog;
class QWidget;

namespace contracts { class TfDM15; }
namespace desktop { class Desktop; }

namespace app {

class ScreenRegistry : public QObject, public ui::Navigator {
    Q_OBJECT
public:
    ScreenRegistry(desktop::Desktop& desktop, QString applicationTitle);
    ~ScreenRegistry() override;

    desktop::Desktop& desktop() { return desktop_; }
    const QString& applicationTitle() const { return applicationTitle_; }

    // Takes a newly built screen; the first one added is the main page. Its objectName is
    // its instance name and must be unique.
    void add(std::unique_ptr<QWidget> screen);
    // Keeps the data module alive as long as the screens; noted in the creation log as fDM15.
    void adoptDataModule(std::shared_ptr<contracts::TfDM15> module);
    // The data module once adopted, else nullptr.
    contracts::TfDM15* dataModule() const { return dataModule_.get(); }

    // The screen with that instance name; throws std::logic_error for an unknown name.
    QWidget* screen(const QString& name) const;
    QWidget* mainPage() const;
    std::vector<QWidget*> screens() const;
    // Instance names in the order they were created, the data module included.
    const QStringList& creationLog() const { return creationLog_; }

    void show(const QString& screenName) override;
    int showModal(const QString& screenName) override;

    // Asked when the main page is being closed; returning false keeps the program running.
    void setEndCheck(std::function<bool()> check) { endCheck_ = std::move(check); }
    // Called by the main page's close: runs the end check and, when it allows, emits ended().
    bool requestEnd();

signals:
    // The main page was closed: the program ends.
    void ended();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void mainPageStateChanged(Qt::WindowStates oldState);

    desktop::Desktop& desktop_;
    QString applicationTitle_;
    std::vector<std::unique_ptr<QWidget>> screens_;
    std::shared_ptr<contracts::TfDM15> dataModule_;
    QStringList creationLog_;
    std::function<bool()> endCheck_;
    // Screens minimized along with the main page, brought back when it is restored.
    std::vector<QPointer<QWidget>> minimizedWithMain_;
};

// Shows a screen: visible, not minimized, in front and active.
void showScreen(QWidget* screen);

}  // namespace app
