// The record navigator: Insert, Delete, Post, Cancel and Refresh on the shared data source,
// each enabled only when its operation is offered; Delete asks for confirmation first.
#pragma once

#include "contracts/data_source.h"

#include <QWidget>

#include <array>

class QToolButton;

namespace desktop { class Desktop; }

namespace contracts {

enum class NavigatorButton { Insert, Delete, Post, Cancel, Refresh };

class RecordNavigator final : public QWidget, public DataLink {
    Q_OBJECT
public:
    explicit RecordNavigator(desktop::Desktop& desktop, QWidget* parent = nullptr);

    QToolButton* button(NavigatorButton which) const;
    // Presses a button as a click does (nothing when it is disabled or the table inactive).
    void press(NavigatorButton which);

    void dataChanged(const TableChange& change) override;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void updateButtons();
    void layoutButtons();

    desktop::Desktop& desktop_;
    std::array<QToolButton*, 5> buttons_{};
};

}  // namespace contracts
