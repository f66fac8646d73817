// Closing the main page with a contract change still pending: the bound controls write
// their text first; a modified record is then saved, dropped or kept on the user's answer.
#pragma once

#include <QString>

class QWidget;

namespace contracts { class ContractTable; }
namespace desktop { class Desktop; }

namespace app {

inline constexpr const char16_t* kSaveChangesQuestion = u"Сохранить изменения в контракте?";

// Returns true when the program may end: nothing pending or modified, the change saved
// (Да) or dropped (Нет). Returns false on Отмена, or when saving is refused; the refusal
// is shown in an error box and the record stays as it was, in its state.
bool settlePendingChange(contracts::ContractTable& table, desktop::Desktop& desktop, QWidget* parent,
                         const QString& applicationTitle);

}  // namespace app
