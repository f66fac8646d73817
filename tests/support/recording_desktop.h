// A desktop for widget tests: records every message box, question, web link and opened file,
// and answers questions from a queue (the escape answer, the last button, when it is empty).
#pragma once

#include "platform/desktop.h"

#include <QApplication>
#include <QList>
#include <QStringList>
#include <QUrl>
#include <QWidget>

#include <deque>
#include <functional>
#include <vector>

namespace testing_support {

struct RecordedBox {
    QString title;
    QString text;
    desktop::Icon icon = desktop::Icon::None;
    QList<desktop::Answer> buttons;          // empty for a plain message
    desktop::Answer defaultButton = desktop::Answer::Ok;
    QStringList visibleScreens;              // top-level widgets visible while the box was up
};

class RecordingDesktop final : public desktop::Desktop {
public:
    std::vector<RecordedBox> boxes;
    std::deque<desktop::Answer> answers;
    QList<QUrl> urls;
    QStringList files;
    // Runs while a box is "up", as code in a handler would see it.
    std::function<void()> whileBoxShown;

    void message(QWidget*, const QString& title, const QString& text, desktop::Icon icon) override {
        boxes.push_back({title, text, icon, {}, desktop::Answer::Ok, visibleScreens()});
        if (whileBoxShown) whileBoxShown();
    }

    desktop::Answer ask(QWidget*, const QString& title, const QString& text, desktop::Icon icon,
                        const QList<desktop::Answer>& buttons, desktop::Answer defaultButton) override {
        boxes.push_back({title, text, icon, buttons, defaultButton, visibleScreens()});
        if (whileBoxShown) whileBoxShown();
        if (answers.empty()) return buttons.isEmpty() ? desktop::Answer::Ok : buttons.last();
        const desktop::Answer answer = answers.front();
        answers.pop_front();
        return answer;
    }

    bool openUrl(const QUrl& url) override {
        urls.append(url);
        return true;
    }

    bool openFile(const QString& path) override {
        files.append(path);
        return true;
    }

private:
    static QStringList visibleScreens() {
        QStringList names;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->isVisible()) names.append(w->objectName());
        return names;
    }
};

}  // namespace testing_support
