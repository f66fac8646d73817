// A navigator for screen tests: records which screens were asked for, shown or modal.
#pragma once

#include "ui/navigator.h"

#include <QStringList>

#include <functional>

namespace testing_support {

class RecordingNavigator final : public ui::Navigator {
public:
    QStringList shown;
    QStringList modal;
    // Runs while a modal screen is "open", as the user would act in it.
    std::function<void(const QString&)> whileModal;

    void show(const QString& screenName) override { shown.append(screenName); }
    int showModal(const QString& screenName) override {
        modal.append(screenName);
        if (whileModal) whileModal(screenName);
        return 0;
    }
};

}  // namespace testing_support
