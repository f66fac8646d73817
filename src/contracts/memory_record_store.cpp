#include "contracts/memory_record_store.h"

#include "platform/paradox/table.h"

namespace contracts {

MemoryRecordStore::MemoryRecordStore(std::vector<FieldDef> fields, std::vector<QStringList> rows,
                                     QString location)
    : fields_(std::move(fields)), rows_(std::move(rows)), location_(std::move(location)) {
    for (auto& r : rows_) r = normalised(r);
    for (std::size_t f = 0; f < fields_.size(); ++f)
        if (fields_[f].autoIncrement)
            for (const auto& r : rows_) counter_ = std::max(counter_, r[static_cast<int>(f)].toLongLong());
}

QStringList MemoryRecordStore::normalised(const QStringList& texts) const {
    QStringList out = texts.mid(0, static_cast<int>(fields_.size()));
    while (out.size() < static_cast<int>(fields_.size())) out.append(QString());
    return out;
}

QStringList MemoryRecordStore::rowTexts(std::size_t row) const {
    return row < rows_.size() ? rows_[row] : QStringList();
}

void MemoryRecordStore::checkText(int field, const QString& text) const {
    const FieldDef& f = fields_.at(static_cast<std::size_t>(field));
    if (f.length > 0 && text.size() > f.length)
        throw paradox::Error(paradox::ErrorKind::TooLong,
                             QStringLiteral("Таблица «%1», поле «%2»: текст длиннее %3 знаков. Сократите его.")
                                 .arg(location_, f.name).arg(f.length).toStdString());
}

std::size_t MemoryRecordStore::update(std::size_t row, const QStringList& texts) {
    if (hook_) hook_("update");
    if (readOnly_)
        throw paradox::Error(paradox::ErrorKind::ReadOnly,
                             QStringLiteral("Таблица «%1» только для чтения.").arg(location_).toStdString());
    const QStringList t = normalised(texts);
    for (int i = 0; i < t.size(); ++i) checkText(i, t[i]);
    rows_.at(row) = t;
    return row;
}

std::size_t MemoryRecordStore::insert(const QStringList& texts) {
    if (hook_) hook_("insert");
    if (readOnly_)
        throw paradox::Error(paradox::ErrorKind::ReadOnly,
                             QStringLiteral("Таблица «%1» только для чтения.").arg(location_).toStdString());
    QStringList t = normalised(texts);
    for (int i = 0; i < t.size(); ++i) checkText(i, t[i]);
    for (std::size_t f = 0; f < fields_.size(); ++f)
        if (fields_[f].autoIncrement && t[static_cast<int>(f)].isEmpty())
            t[static_cast<int>(f)] = QString::number(++counter_);
    rows_.push_back(t);
    return rows_.size() - 1;
}

void MemoryRecordStore::remove(std::size_t row) {
    if (hook_) hook_("remove");
    if (readOnly_)
        throw paradox::Error(paradox::ErrorKind::ReadOnly,
                             QStringLiteral("Таблица «%1» только для чтения.").arg(location_).toStdString());
    rows_.erase(rows_.begin() + static_cast<std::ptrdiff_t>(row));
}

}  // namespace contracts
