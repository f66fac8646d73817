// The desktop seam: every message box, question, web link and document opening of the
// program goes through a Desktop, so that tests can answer and record them.
#pragma once

#include <QString>
#include <QStringList>
#include <QUrl>

class QWidget;

namespace desktop {

enum class Icon { None, Information, Warning, Error, Question };
enum class Answer { Ok, Cancel, Yes, No };

class Desktop {
public:
    virtual ~Desktop() = default;
    // A message box with one OK button.
    virtual void message(QWidget* parent, const QString& title, const QString& text, Icon icon) = 0;
    // A question with the given buttons (for example Yes/No/Cancel); returns the one pressed,
    // or the last of them (the escape answer) when the box is closed.
    virtual Answer ask(QWidget* parent, const QString& title, const QString& text, Icon icon,
                       const QList<Answer>& buttons, Answer defaultButton) = 0;
    // Hands a web address to the desktop's browser; returns at once.
    virtual bool openUrl(const QUrl& url) = 0;
    // Opens a document in the program the desktop associates with it.
    virtual bool openFile(const QString& path) = 0;
};

// The real desktop: QMessageBox and QDesktopServices.
class QtDesktop final : public Desktop {
public:
    void message(QWidget* parent, const QString& title, const QString& text, Icon icon) override;
    Answer ask(QWidget* parent, const QString& title, const QString& text, Icon icon,
               const QList<Answer>& buttons, Answer defaultButton) override;
    bool openUrl(const QUrl& url) override;
    bool openFile(const QString& path) override;
};

}  // namespace desktop
