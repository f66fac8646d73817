// The main page TForm1: the main window, a header band with the product's name, the
// large illustration and six picture buttons to the main sections.
#pragma once

#include <QWidget>

#include <functional>

namespace ui { class Navigator; }

namespace app {

class TForm1 : public QWidget {
    Q_OBJECT
public:
    // closeRequested is asked when the window is being closed; it ends the program and
    // returns true, or returns false to keep the main page open.
    TForm1(ui::Navigator& navigator, std::function<bool()> closeRequested);

    void img7Click();
    void img8Click();
    void img9Click();
    void img2Click();
    void img3Click();
    void img10Click();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    ui::Navigator& navigator_;
    std::function<bool()> closeRequested_;
};

// "Система TELMA версия " and the program's version label.
QString mainPageCaption();

}  // namespace app
