#include "app/pending_change.h"

#include <exception>

#include "app/error_display.h"
#include "contracts/contract_table.h"
#include "platform/desktop.h"

namespace app {

bool settlePendingChange(contracts::ContractTable& table, desktop::Desktop& desktop, QWidget* parent,
                         const QString& applicationTitle)
{
    using contracts::DataState;
    using desktop::Answer;
    try {
        if (table.state() != DataState::Edit && table.state() != DataState::Insert)
            return true;
        table.UpdateRecord();
        if (!table.Modified())
            return true;
        const Answer answer = desktop.ask(parent, applicationTitle, QString::fromUtf16(kSaveChangesQuestion),
                                          desktop::Icon::Question, {Answer::Yes, Answer::No, Answer::Cancel},
                                          Answer::Yes);
        switch (answer) {
        case Answer::Yes:
            table.Post();
            return true;
        case Answer::No:
            table.Cancel();
            return true;
        default:
            return false;
        }
    } catch (const std::exception& error) {
        desktop.message(parent, applicationTitle, withFullStop(QString::fromUtf8(error.what())), desktop::Icon::Error);
        return false;
    }
}

}  // namespace app
