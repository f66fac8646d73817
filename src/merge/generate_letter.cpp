#include "merge/generate_letter.h"

#include "merge/template_merge.h"
#include "platform/desktop.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QSaveFile>

namespace merge {
namespace {

// How many other names are tried when the working copy is held open or cannot be replaced.
constexpr int kOtherNames = 20;

// A word processor that has a document open leaves one of these beside it; for longer names
// the "~$" owner file replaces the first two characters of the name.
bool heldOpen(const QString& folder, const QString& name)
{
    const QString at = folder + QDir::separator();
    return QFileInfo::exists(at + QStringLiteral("~$") + name) ||
           (name.size() > 2 && QFileInfo::exists(at + QStringLiteral("~$") + name.mid(2))) ||
           QFileInfo::exists(at + QStringLiteral(".~lock.") + name + QLatin1Char('#'));
}

}  // namespace

LetterPaths letterPaths(const QString& currentDir, const QString& templateFile, const QString& workingCopyFile)
{
    const QString folder = currentDir + QDir::separator() + QStringLiteral("PTemplates") + QDir::separator();
    return {folder + templateFile, folder + workingCopyFile};
}

QString candidateName(const QString& workingCopyFile, int attempt)
{
    if (attempt == 0)
        return workingCopyFile;
    const int dot = workingCopyFile.lastIndexOf(QLatin1Char('.'));
    const QString base = dot > 0 ? workingCopyFile.left(dot) : workingCopyFile;
    const QString suffix = dot > 0 ? workingCopyFile.mid(dot) : QString();
    return QStringLiteral("%1 (%2)%3").arg(base).arg(attempt).arg(suffix);
}

QString GenerateLetter(const QString& templateFile, const QString& workingCopyFile, const MergeFields& fields,
                       desktop::Desktop& desktop, QWidget* parent)
{
    const QString currentDir = QDir::toNativeSeparators(QDir::currentPath());
    const LetterPaths paths = letterPaths(currentDir, templateFile, workingCopyFile);
    if (!QFileInfo(paths.templatePath).isFile()) {
        desktop.message(parent, QGuiApplication::applicationDisplayName(),
                        QStringLiteral("Нет шаблона \"") + templateFile + QStringLiteral("\"!"), desktop::Icon::None);
        return {};
    }

    const QByteArray letter = mergeTemplate(paths.templatePath, fields);

    // The letter is written to a temporary file in the folder and renamed onto its name in one
    // step: the name never holds half a letter, and a stale letter is never opened instead.
    const QString folder = QFileInfo(paths.workingCopyPath).absolutePath();
    QString lastReason;
    for (int attempt = 0; attempt <= kOtherNames; ++attempt) {
        const QString name = candidateName(workingCopyFile, attempt);
        const QString target = folder + QDir::separator() + name;
        if (attempt > 0 && QFileInfo::exists(target))
            continue;
        if (heldOpen(folder, name)) {
            lastReason = QStringLiteral("файл «%1» открыт в текстовом редакторе").arg(name);
            continue;
        }
        if (QFileInfo(target).isDir()) {
            lastReason = QStringLiteral("на месте файла «%1» лежит папка").arg(name);
            continue;
        }
        QSaveFile file(target);
        if (!file.open(QIODevice::WriteOnly))
            throw MergeError(QStringLiteral("Не удалось создать письмо в папке «%1»: %2. Проверьте, что папка "
                                            "доступна для записи и на диске есть место.")
                                 .arg(QDir::toNativeSeparators(folder), file.errorString()));
        if (file.write(letter) != letter.size()) {
            const QString reason = file.errorString();
            file.cancelWriting();
            throw MergeError(QStringLiteral("Не удалось записать письмо в папку «%1»: %2. Проверьте, что на "
                                            "диске есть место.")
                                 .arg(QDir::toNativeSeparators(folder), reason));
        }
        if (!file.commit()) {
            lastReason = file.errorString();
            continue;
        }
        const QString written = QDir::toNativeSeparators(target);
        if (!desktop.openFile(written))
            throw MergeError(QStringLiteral("Письмо записано в файл «%1», но открыть его не удалось: не найден "
                                            "текстовый редактор для файлов .docx. Откройте файл вручную.")
                                 .arg(written));
        return written;
    }
    throw MergeError(QStringLiteral("Не удалось создать письмо в папке «%1»: %2. Закройте письма, открытые в "
                                    "текстовом редакторе, и повторите.")
                         .arg(QDir::toNativeSeparators(folder), lastReason));
}

}  // namespace merge
