#include "contracts/paradox_record_store.h"

namespace contracts {

namespace {
constexpr qsizetype kCacheRows = 4096;  // a few screens of every grid at once
}

ParadoxRecordStore::ParadoxRecordStore(paradox::Table table) : table_(std::move(table)) {
    for (const paradox::FieldDef& f : table_.fields()) {
        FieldDef d;
        d.name = QString::fromStdString(f.name);
        d.autoIncrement = f.type == paradox::FieldType::AutoIncrement;
        d.length = f.type == paradox::FieldType::Alpha ? f.length : 0;
        fields_.push_back(d);
    }
}

std::unique_ptr<ParadoxRecordStore> ParadoxRecordStore::open(const std::filesystem::path& path) {
    try {
        return std::make_unique<ParadoxRecordStore>(paradox::Table::open(path));
    } catch (const paradox::Error& e) {
        if (e.kind() != paradox::ErrorKind::ReadOnly) throw;
    }
    paradox::OpenOptions options;
    options.readOnly = true;
    return std::make_unique<ParadoxRecordStore>(paradox::Table::open(path, options));
}

QStringList ParadoxRecordStore::rowTexts(std::size_t row) const {
    const auto key = static_cast<qsizetype>(row);
    auto it = cache_.constFind(key);
    if (it != cache_.constEnd()) return *it;
    const auto texts = table_.rowTexts(row);
    QStringList out;
    out.reserve(static_cast<qsizetype>(texts.size()));
    for (const auto& t : texts) out.append(t ? QString::fromStdString(*t) : QString());
    if (cache_.size() >= kCacheRows) cache_.clear();
    cache_.insert(key, out);
    return out;
}

std::vector<std::optional<std::string>> ParadoxRecordStore::toStore(const QStringList& texts,
                                                                    std::size_t n) {
    std::vector<std::optional<std::string>> out(n);
    for (std::size_t i = 0; i < n && i < static_cast<std::size_t>(texts.size()); ++i) {
        const QString& t = texts[static_cast<qsizetype>(i)];
        if (!t.isEmpty()) out[i] = t.toStdString();
    }
    return out;
}

std::size_t ParadoxRecordStore::update(std::size_t row, const QStringList& texts) {
    cache_.clear();
    return table_.update(row, toStore(texts, fields_.size()));
}

std::size_t ParadoxRecordStore::insert(const QStringList& texts) {
    cache_.clear();
    return table_.insert(toStore(texts, fields_.size()));
}

void ParadoxRecordStore::remove(std::size_t row) {
    cache_.clear();
    table_.remove(row);
}

void ParadoxRecordStore::checkText(int field, const QString& text) const {
    table_.checkText(field, text.toStdString());
}

void ParadoxRecordStore::refresh() {
    cache_.clear();
    table_.refresh();
}

QString ParadoxRecordStore::location() const {
    return QString::fromStdString(table_.path().string());
}

}  // namespace contracts
