#include "app/screen_factories.h"
#include "app/screen_registry.h"
#include "app/screen_windows.h"
#include "merge/letter_catalogue.h"

#include <stdexcept>

namespace app {

// The letter pages are created in the catalogue's order; their class names are "TForm" and
// the number.
const std::vector<int>& letterPageNumbers()
{
    static const std::vector<int> numbers = [] {
        std::vector<int> result;
        for (const merge::LetterType& letter : merge::letterCatalogue())
            result.push_back(letter.ScreenClass.mid(5).toInt());
        return result;
    }();
    return numbers;
}

std::unique_ptr<QWidget> makeLetterPage(ScreenRegistry&, int formNumber)
{
    const merge::LetterType* letter = merge::findLetterType(QStringLiteral("TForm%1").arg(formNumber));
    if (!letter)
        throw std::logic_error("makeLetterPage: no letter page TForm" + std::to_string(formNumber));
    return bareScreen({QStringLiteral("Form%1").arg(formNumber), letter->Caption, QRect(200, 160, 1100, 700)});
}

}  // namespace app
