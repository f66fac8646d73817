// The fixed catalogue of the fifty letters: each letter page's class, caption, title, template
// and working copy. Built into the program; nothing changes it at run time.
#pragma once

#include <QList>
#include <QString>
#include <QStringView>

namespace merge {

struct LetterType {
    QString ScreenClass;
    QString Caption;
    QString Title;
    QString TemplateFile;
    QString WorkingCopyFile;
};

// All entries, in the order in which their screens are created.
const QList<LetterType>& letterCatalogue();

// The entry of a letter page's class, or nullptr when the class has none.
const LetterType* findLetterType(QStringView screenClass);

}  // namespace merge
