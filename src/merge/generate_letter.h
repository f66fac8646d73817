// GenerateLetter: the generate button of every letter page. Makes the letter from the page's
// template and the current contract record, writes it as the working copy and has the desktop
// open it in the user's word processor.
#pragma once

#include "merge/merge_fields.h"

#include <QString>

class QWidget;

namespace desktop {
class Desktop;
}

namespace merge {

struct LetterPaths {
    QString templatePath;
    QString workingCopyPath;
};

// The current directory as the system reports it, the separator, "PTemplates", the separator
// and the bare name; at the root this gives two separators in a row, which the system accepts.
LetterPaths letterPaths(const QString& currentDir, const QString& templateFile, const QString& workingCopyFile);

// The name the letter is written under: the working copy, or, when that is held open by a word
// processor (its lock file lies beside it), the first free "2 (1).docx", "2 (2).docx", ...
// `attempt` 0 is the working copy itself.
QString candidateName(const QString& workingCopyFile, int attempt);

// Runs one merge. A missing template gives the plain message "Нет шаблона "<name>"!" and nothing
// else. Otherwise returns the path of the letter that was written and opened; every failure is
// a MergeError for the application's error display.
QString GenerateLetter(const QString& templateFile, const QString& workingCopyFile, const MergeFields& fields,
                       desktop::Desktop& desktop, QWidget* parent = nullptr);

}  // namespace merge
