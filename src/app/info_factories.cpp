#include "app/screen_factories.h"
#include "app/screen_registry.h"
#include "app/screen_windows.h"

#include <stdexcept>

namespace app {

namespace {

QString formName(int number) { return QStringLiteral("Form%1").arg(number); }

}  // namespace

std::unique_ptr<QWidget> makeLettersIndex(ScreenRegistry&)
{
    return bareScreen({formName(8), QStringLiteral("ВСЕ ПИСЬМА"), QRect(200, 60, 1100, 800)});
}

std::unique_ptr<QWidget> makeCabinetPage(ScreenRegistry&)
{
    return bareScreen({formName(60), QStringLiteral("Кабинет"), QRect(200, 60, 1100, 800)});
}

std::unique_ptr<QWidget> makeContactPage(ScreenRegistry&, int formNumber)
{
    QString caption;
    switch (formNumber) {
    case 61: caption = QStringLiteral("Получить консультацию"); break;
    case 62: caption = QStringLiteral("Заказать письмо"); break;
    case 63: caption = QStringLiteral("Обратная связь"); break;
    default: throw std::logic_error("makeContactPage: no contact page TForm" + std::to_string(formNumber));
    }
    return bareScreen({formName(formNumber), caption, QRect(200, 60, 1100, 800)});
}

std::unique_ptr<QWidget> makeGuidancePage(ScreenRegistry&, int formNumber)
{
    QString caption;
    switch (formNumber) {
    case 64: caption = QStringLiteral("Правила отправки писем"); break;
    case 65: caption = QStringLiteral("Недопущение спорных ситуаций"); break;
    case 67: caption = QStringLiteral("Не успели отправить письмо вовремя"); break;
    default: throw std::logic_error("makeGuidancePage: no guidance page TForm" + std::to_string(formNumber));
    }
    return bareScreen({formName(formNumber), caption, QRect(200, 60, 1100, 800)});
}

}  // namespace app
