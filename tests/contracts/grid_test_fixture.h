// A window with an editable contract grid over three contracts in memory, and a line edit
// beside it to take the focus away; helpers that click and type as the user does.
#pragma once

#include "contracts/editable_contract_grid.h"
#include "contracts/record_indicator.h"
#include "support/contract_fixture.h"
#include "support/qt_application.h"
#include "support/recording_desktop.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QTest>
#include <QWidget>

#include <memory>
#include <ostream>
#include <vector>

// Failures show the texts, not their bytes.
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace grid_testing {

using contracts::GridColumn;

// Columns of the model: 0 KKK (hidden), 1 KNomer, 2 KPredmet, 3 KZakaz, 4 KMetka (hidden).
enum Column { Key = 0, Nomer = 1, Predmet = 2, Zakaz = 3, Metka = 4 };

inline std::vector<GridColumn> testColumns() {
    return {{QStringLiteral("KKK"), QString(), 40, false},
            {QStringLiteral("KNomer"), QStringLiteral(" Номер контракта"), 90, true},
            {QStringLiteral("KPredmet"), QStringLiteral(" Предмет контракта"), 120, true},
            {QStringLiteral("KZakaz"), QStringLiteral(" Заказчик"), 120, true},
            {QStringLiteral("KMetka"), QStringLiteral(" Примечания"), 40, false}};
}

inline std::vector<QStringList> threeContracts() {
    using testing_support::contractRow;
    return {contractRow(1, "1/26", "Кровля"), contractRow(2, "2/26", "Фасад"), contractRow(3, "3/26", "Сети")};
}

struct GridWindow {
    testing_support::WithQtApplication app;
    testing_support::MemoryContracts data;
    std::shared_ptr<contracts::TfDM15> module;  // the one the grid is bound to (data's by default)
    testing_support::RecordingDesktop desktop;
    QWidget window;
    contracts::ContractGrid* view;            // the grid, of either kind
    contracts::EditableContractGrid* grid;    // the same grid when it is editable, else nullptr
    QLineEdit* other;  // another control of the same screen

    enum Kind { Editable, ReadOnly };
    explicit GridWindow(std::vector<QStringList> rows = threeContracts(), Kind kind = Editable)
        : GridWindow(nullptr, std::move(rows), kind) {}
    // Over a data module of its own (a real table file, a counting store).
    explicit GridWindow(std::shared_ptr<contracts::TfDM15> own, Kind kind = Editable)
        : GridWindow(std::move(own), {}, kind) {}

private:
    GridWindow(std::shared_ptr<contracts::TfDM15> own, std::vector<QStringList> rows, Kind kind)
        : data(std::move(rows)), module(own ? std::move(own) : data.module), window(),
          view(kind == Editable ? new contracts::EditableContractGrid(desktop, &window)
                                : new contracts::ContractGrid(&window)),
          grid(qobject_cast<contracts::EditableContractGrid*>(view)), other(new QLineEdit(&window)) {
        window.resize(480, 260);
        view->setGeometry(0, 0, 480, 200);
        other->setGeometry(0, 220, 200, 24);
        view->setColumns(testColumns());
        view->setDataSource(&module->ds1);
    }

public:
    contracts::ContractTable& t() { return module->tbl1; }

    // Shows the window, makes it active and puts the focus on the grid.
    void show() {
        window.show();
        window.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
        view->setFocus(Qt::OtherFocusReason);
        QCoreApplication::processEvents();
    }
    // Makes a row current through the table and a column through the grid, as set-up.
    void at(int row, int column) {
        t().moveTo(row);
        view->setCurrentColumn(column);
    }

    QWidget* focus() const { return QApplication::focusWidget() ? QApplication::focusWidget() : view; }
    void key(Qt::Key k, Qt::KeyboardModifiers mods = Qt::NoModifier) { QTest::keyClick(focus(), k, mods); }
    // Each character goes where the focus is then, as the keyboard sends it: the first one
    // to the grid (which opens the editor), the rest to the editor.
    void type(const QString& text) {
        for (const QChar c : text) testing_support::typeText(focus(), QString(c));
    }

    QPoint cell(int row, int column) const {
        return view->visualRect(view->gridModel()->index(row, column)).center();
    }
    void click(int row, int column) { QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, cell(row, column)); }
    // A double click as the window system delivers it: press, release, press, double click,
    // release, each to the widget under the mouse at that moment (the first click may have
    // opened the cell editor there).
    static void doubleClick(QWidget* on, QPoint at) {
        const auto under = [on, at](QPoint* local) {
            QWidget* w = on->childAt(at);
            if (!w) w = on;
            *local = w->mapFrom(on, at);
            return w;
        };
        QPoint p;
        QTest::mousePress(under(&p), Qt::LeftButton, {}, p);
        QTest::mouseRelease(under(&p), Qt::LeftButton, {}, p);
        QTest::mousePress(under(&p), Qt::LeftButton, {}, p);
        QTest::mouseDClick(under(&p), Qt::LeftButton, {}, p);
        QTest::mouseRelease(under(&p), Qt::LeftButton, {}, p);
    }

    QString stored(std::size_t row, const char* field) const { return data.stored(row, field); }
    std::size_t storedCount() const { return data.store->rows().size(); }
    // A value as the grid's row shows it (stored, or the record being changed).
    QString shown(int row, int column) const {
        return view->gridModel()->index(row, column).data().toString();
    }
};

}  // namespace grid_testing
