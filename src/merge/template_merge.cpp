#include "merge/template_merge.h"

#include "platform/docx/error.h"
#include "platform/docx/package.h"

namespace merge {

QByteArray mergeTemplate(const QString& templatePath, const MergeFields& fields)
{
    try {
        docx::Package package = docx::Package::open(std::filesystem::path(templatePath.toStdU16String()));
        // The count is read once; each pass is a complete replace-all before the next, so a
        // later field's placeholder arriving in an earlier value is replaced, not the reverse.
        const int count = fields.fieldCount();
        for (int i = 0; i < count; ++i) {
            const QString name = fields.fieldName(i);
            const QString text = fields.fieldText(name);
            package.replaceAll(QStringLiteral("<%1>").arg(name).toStdString(), text.toStdString());
        }
        const std::string bytes = package.toBytes();
        return QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size()));
    } catch (const docx::Error& e) {
        throw MergeError(QString::fromUtf8(e.what()));
    }
}

}  // namespace merge
