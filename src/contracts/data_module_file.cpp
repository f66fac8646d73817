#include "contracts/data_module.h"
#include "contracts/paradox_record_store.h"

#include <QString>

#include <system_error>

namespace contracts {

namespace {

std::unique_ptr<RecordStore> openTableFile(const std::filesystem::path& file) {
    std::error_code ec;
    const std::filesystem::path absolute = std::filesystem::absolute(file, ec);
    const QString name = QString::fromStdString(file.filename().string());
    const QString folder = QString::fromStdString((ec ? file : absolute).parent_path().string());
    if (!std::filesystem::exists(file, ec))
        throw paradox::Error(paradox::ErrorKind::NotFound,
                             QStringLiteral("Не найден файл таблицы контрактов «%1» в папке «%2». "
                                            "Положите файл в эту папку или запустите программу из папки, "
                                            "где он лежит")
                                 .arg(name, folder).toStdString());
    try {
        return ParadoxRecordStore::open(file);
    } catch (const paradox::Error& e) {
        throw paradox::Error(e.kind(), QStringLiteral("Не удалось открыть таблицу контрактов «%1» в папке «%2»: %3")
                                           .arg(name, folder, QString::fromStdString(e.what()))
                                           .toStdString());
    }
}

}  // namespace

TfDM15::TfDM15(const std::filesystem::path& file) : TfDM15(openTableFile(file)) {}

}  // namespace contracts
