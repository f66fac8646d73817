#include "app/main_page.h"

#include <QCloseEvent>
#include <QFontMetrics>
#include <QLabel>

#include "ui/colors.h"
#include "ui/fonts.h"
#include "ui/images.h"
#include "ui/labels.h"
#include "ui/navigator.h"
#include "ui/picture_button.h"
#include "ui/screen_window.h"

#ifndef TELMA_VERSION
#define TELMA_VERSION "0.1"
#endif

namespace app {

QString mainPageCaption()
{
    return QStringLiteral("Система TELMA версия ") + QStringLiteral(TELMA_VERSION);
}

namespace {

ui::PictureButton* tile(QWidget* parent, const char* name, ui::Picture picture, QPoint at, const QString& hint)
{
    return new ui::PictureButton(parent, QString::fromLatin1(name), ui::picture(picture), at, hint);
}

QLabel* headerLabel(QWidget* band, const char* name, const QString& text, QPoint at, int pixelHeight, bool bold = false)
{
    return ui::textLabel(band, QString::fromLatin1(name), text, at, ui::verdana(pixelHeight, bold), ui::kAccentGreen);
}

}  // namespace

TForm1::TForm1(ui::Navigator& navigator, std::function<bool()> closeRequested)
    : navigator_(navigator), closeRequested_(std::move(closeRequested))
{
    ui::setUpScreenWindow(this, {QStringLiteral("Form1"), mainPageCaption(), QRect(200, 60, 1100, 800)});

    // The illustration is drawn unscaled from its top left corner; the control is two rows
    // shorter than the picture, so those rows are cut off.
    auto* img1 = new QLabel(this);
    img1->setObjectName(QStringLiteral("img1"));
    img1->setGeometry(7, 72, 1065, 681);
    img1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    img1->setPixmap(ui::picture(ui::Picture::Illustration));
    img1->setAttribute(Qt::WA_TransparentForMouseEvents);

    auto* img2 = tile(this, "img2", ui::Picture::Consultation, {40, 672}, QStringLiteral("ПОЛУЧИТЬ КОНСУЛЬТАЦИЮ"));
    auto* img3 = tile(this, "img3", ui::Picture::OrderLetter, {104, 672}, QStringLiteral("ЗАКАЗАТЬ ПИСЬМО"));
    auto* img10 = tile(this, "img10", ui::Picture::Feedback, {168, 672}, QStringLiteral("ОБРАТНАЯ СВЯЗЬ"));

    // The header band lies above every picture of the page and covers the top 25 rows of
    // the illustration.
    auto* pnl1 = new QWidget(this);
    pnl1->setObjectName(QStringLiteral("pnl1"));
    pnl1->setGeometry(-9, 0, 1081, 97);
    ui::setWhiteBackground(pnl1);

    auto* img7 = tile(pnl1, "img7", ui::Picture::AllLetters, {824, 24}, QStringLiteral("ВСЕ ПИСЬМА"));
    auto* img8 = tile(pnl1, "img8", ui::Picture::Contracts, {912, 24}, QStringLiteral("КОНТРАКТЫ"));
    auto* img9 = tile(pnl1, "img9", ui::Picture::Cabinet, {1000, 24}, QStringLiteral("КАБИНЕТ"));

    headerLabel(pnl1, "lbl1", QStringLiteral("Система"), {24, 48}, 31);
    headerLabel(pnl1, "lbl2", QStringLiteral("ТЕЛМА"), {176, 8}, 73, true);
    headerLabel(pnl1, "lbl5", QStringLiteral("о"), {456, 32}, 31);
    // Word wrap within the width of the longer word: one word on each line.
    const QFont lbl3Font = ui::verdana(25);
    const QFontMetrics metrics(lbl3Font);
    const int lbl3Width = std::max(metrics.horizontalAdvance(QStringLiteral("Правовой")),
                                   metrics.horizontalAdvance(QStringLiteral("Помощник"))) + 2;
    ui::fixedLabel(pnl1, QStringLiteral("lbl3"), QStringLiteral("Правовой Помощник"),
                   QRect(504, 24, lbl3Width, 2 * metrics.height()), lbl3Font, true, ui::kAccentGreen);
    headerLabel(pnl1, "lbl7", QStringLiteral("Все письма"), {816, 75}, 11);
    headerLabel(pnl1, "lbl6", QStringLiteral("Контракты"), {906, 75}, 11);
    headerLabel(pnl1, "lbl4", QStringLiteral("Кабинет"), {1001, 75}, 11);

    connect(img7, &ui::PictureButton::clicked, this, &TForm1::img7Click);
    connect(img8, &ui::PictureButton::clicked, this, &TForm1::img8Click);
    connect(img9, &ui::PictureButton::clicked, this, &TForm1::img9Click);
    connect(img2, &ui::PictureButton::clicked, this, &TForm1::img2Click);
    connect(img3, &ui::PictureButton::clicked, this, &TForm1::img3Click);
    connect(img10, &ui::PictureButton::clicked, this, &TForm1::img10Click);
}

void TForm1::img7Click() { navigator_.show(QStringLiteral("Form8")); }
void TForm1::img8Click() { navigator_.show(QStringLiteral("Form3")); }
void TForm1::img9Click() { navigator_.show(QStringLiteral("Form60")); }
void TForm1::img2Click() { navigator_.show(QStringLiteral("Form61")); }
void TForm1::img3Click() { navigator_.show(QStringLiteral("Form62")); }
void TForm1::img10Click() { navigator_.show(QStringLiteral("Form63")); }

void TForm1::closeEvent(QCloseEvent* event)
{
    if (closeRequested_ && !closeRequested_())
        event->ignore();
    else
        event->accept();
}

}  // namespace app
