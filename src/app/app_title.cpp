#include "app/app_title.h"

#include <QFileInfo>

namespace app {

QString applicationTitle(const QString& executablePath)
{
    QString name = QFileInfo(executablePath).fileName();
    if (const qsizetype dot = name.indexOf(u'.'); dot >= 0)
        name.truncate(dot);
    if (name.isEmpty())
        return name;
    return name.left(1) + name.mid(1).toLower();
}

}  // namespace app
