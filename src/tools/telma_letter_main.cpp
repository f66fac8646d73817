// telma-letter --table FILE --record N --template FILE --out FILE
// The letter merge for one contract record without a window, for batch use.
#include "merge/template_merge.h"
#include "platform/paradox/table.h"
#include "tools/telma_letter_fields.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringList>

#include <iostream>

namespace {

const char* const kUsage =
    "использование: telma-letter --table ТАБЛИЦА.db --record N --template ШАБЛОН.docx --out ПИСЬМО.docx\n"
    "  N — номер записи в порядке таблицы, начиная с 1\n";

int fail(const QString& message)
{
    std::cerr << "telma-letter: " << message.toStdString() << "\n";
    return 1;
}

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    QString table, record, templatePath, out;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        if (a == QStringLiteral("--help") || a == QStringLiteral("-h")) {
            std::cout << kUsage;
            return 0;
        }
        QString* slot = a == QStringLiteral("--table")      ? &table
                        : a == QStringLiteral("--record")   ? &record
                        : a == QStringLiteral("--template") ? &templatePath
                        : a == QStringLiteral("--out")      ? &out
                                                            : nullptr;
        if (slot == nullptr)
            return fail(QStringLiteral("неизвестный параметр «%1»\n").arg(a) + QString::fromUtf8(kUsage));
        if (i + 1 >= args.size() || args[i + 1].isEmpty())
            return fail(QStringLiteral("у параметра «%1» нет значения").arg(a));
        if (!slot->isEmpty())
            return fail(QStringLiteral("параметр «%1» задан дважды").arg(a));
        *slot = args[++i];
    }
    if (table.isEmpty() || record.isEmpty() || templatePath.isEmpty() || out.isEmpty())
        return fail(QStringLiteral("нужны все четыре параметра\n") + QString::fromUtf8(kUsage));
    bool ok = false;
    const qlonglong n = record.toLongLong(&ok);
    if (!ok || n < 1)
        return fail(QStringLiteral("номер записи «%1» должен быть целым числом от 1").arg(record));
    if (!QFileInfo(templatePath).isFile())
        return fail(QStringLiteral("нет шаблона «%1»").arg(templatePath));

    try {
        paradox::OpenOptions options;
        options.readOnly = true;
        const paradox::Table contracts = paradox::Table::open(table.toStdString(), options);
        if (static_cast<std::size_t>(n) > contracts.recordCount())
            return fail(QStringLiteral("в таблице «%1» нет записи %2: записей %3")
                            .arg(table)
                            .arg(n)
                            .arg(contracts.recordCount()));
        const telma_letter::TableRecordFields fields(contracts, static_cast<std::size_t>(n - 1));
        const QByteArray letter = merge::mergeTemplate(templatePath, fields);
        QSaveFile file(out);
        if (!file.open(QIODevice::WriteOnly) || file.write(letter) != letter.size() || !file.commit())
            return fail(QStringLiteral("не удалось записать «%1»: %2").arg(out, file.errorString()));
    } catch (const std::exception& e) {
        return fail(QString::fromUtf8(e.what()));
    }
    return 0;
}
