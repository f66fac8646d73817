#include "telma_table_commands.h"

#include "contract_schema.h"
#include "platform/paradox/table.h"
#include "platform/paradox/tsv.h"

#include <fstream>
#include <map>
#include <optional>
#include <set>

namespace telma::table_tool {
namespace {

using Texts = std::vector<std::optional<std::string>>;

const char* kUsage =
    "Использование:\n"
    "  telma-table create ФАЙЛ        новая пустая таблица контрактов\n"
    "  telma-table info ФАЙЛ          версия, тип, поля, число записей, кодовая страница, индексы\n"
    "  telma-table dump ФАЙЛ          все записи в текстовом виде (TSV)\n"
    "  telma-table check ФАЙЛ         проверка целостности\n"
    "  telma-table import ФАЙЛ TSV    добавить записи из TSV\n";

const char* typeName(paradox::FieldType t) {
    using paradox::FieldType;
    switch (t) {
        case FieldType::Alpha: return "Alpha";
        case FieldType::Date: return "Date";
        case FieldType::Short: return "Short";
        case FieldType::Long: return "Long";
        case FieldType::Money: return "Money";
        case FieldType::Number: return "Number";
        case FieldType::Logical: return "Logical";
        case FieldType::Memo: return "Memo";
        case FieldType::Blob: return "Blob";
        case FieldType::FormattedMemo: return "FormattedMemo";
        case FieldType::Ole: return "OLE";
        case FieldType::Graphic: return "Graphic";
        case FieldType::Time: return "Time";
        case FieldType::Timestamp: return "Timestamp";
        case FieldType::AutoIncrement: return "AutoIncrement";
        case FieldType::Bcd: return "BCD";
        case FieldType::Bytes: return "Bytes";
    }
    return "?";
}

std::string versionText(int v) { return std::to_string(v / 10) + "." + (v % 10 == 0 ? "x" : std::to_string(v % 10)); }

int create(const std::string& file, std::ostream& out) {
    auto t = paradox::Table::create(file, contractFields(), kContractKeyFields);
    out << "Создана таблица «" << file << "»: полей " << t.fields().size() << ".\n";
    return 0;
}

int info(const std::string& file, std::ostream& out) {
    auto t = paradox::Table::open(file, {.readOnly = true});
    const auto& i = t.info();
    out << "Файл: " << file << "\n";
    out << "Имя таблицы: " << i.tableName << "\n";
    out << "Версия: " << versionText(i.version) << "\n";
    out << "Тип: " << (i.keyed ? "ключевая, ключевых полей " + std::to_string(i.keyFieldCount) : std::string("без ключа"))
        << "\n";
    out << "Записей: " << t.recordCount() << "\n";
    out << "Блок: " << i.blockSize << " байт, блоков: " << i.blockCount << "\n";
    out << "Кодовая страница: " << i.effectiveCodePage << " (в заголовке " << i.codePage << ")\n";
    out << "Счётчик автоинкремента: " << i.autoIncrement << "\n";
    out << "Порядок сортировки: " << (i.sortOrderName.empty() ? std::string("не указан") : i.sortOrderName) << " ("
        << i.sortOrder << ")\n";
    out << "Индексы:";
    if (i.indexFiles.empty()) out << " нет";
    for (const auto& f : i.indexFiles) out << " " << f;
    out << "\n";
    paradox::Table writable = paradox::Table::open(file);
    out << "Запись: " << (writable.readOnly() ? "нельзя — " + writable.readOnlyReason() : std::string("можно")) << "\n";
    out << "Поля:\n";
    int n = 0;
    for (const auto& f : t.fields())
        out << "  " << ++n << ". " << f.name << "\t" << typeName(f.type) << "\t" << f.length << "\n";
    return 0;
}

int dump(const std::string& file, std::ostream& out) {
    auto t = paradox::Table::open(file, {.readOnly = true});
    paradox::tsv::dump(t, out);
    return 0;
}

int check(const std::string& file, std::ostream& out, std::ostream& err) {
    auto t = paradox::Table::open(file, {.readOnly = true});
    auto problems = t.check();
    if (!problems.empty()) {
        for (const auto& p : problems) err << p << "\n";
        return 1;
    }
    out << "Таблица «" << file << "» исправна: записей " << t.recordCount() << ", блоков " << t.info().blockCount << ".\n";
    return 0;
}

int import(const std::string& file, const std::string& tsvFile, std::ostream& out, std::ostream& err) {
    std::ifstream in(tsvFile, std::ios::binary);
    if (!in) {
        err << "Файл «" << tsvFile << "» не удалось открыть для чтения.\n";
        return 1;
    }
    auto t = paradox::Table::open(file);
    if (t.readOnly()) {
        err << "Таблицу «" << file << "» нельзя изменить: " << t.readOnlyReason() << ".\n";
        return 1;
    }
    std::string line;
    if (!std::getline(in, line)) {
        err << "Файл «" << tsvFile << "» пуст: в первой строке должны быть имена полей.\n";
        return 1;
    }
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const auto names = paradox::tsv::headerNames(line);
    std::vector<int> target;
    std::set<int> seen;
    for (const auto& name : names) {
        int f = t.fieldIndex(name);
        if (f < 0) {
            err << "Файл «" << tsvFile << "», строка 1: в таблице «" << file << "» нет поля \"" << name << "\".\n";
            return 1;
        }
        if (!seen.insert(f).second) {
            err << "Файл «" << tsvFile << "», строка 1: поле \"" << name << "\" названо дважды.\n";
            return 1;
        }
        target.push_back(f);
    }
    // Every row is read and checked before the first is written.
    std::vector<Texts> rows;
    std::set<std::vector<std::string>> keys;
    const auto& info = t.info();
    auto keyOf = [&](const Texts& texts) -> std::optional<std::vector<std::string>> {
        std::vector<std::string> k;
        for (int i = 0; i < info.keyFieldCount; ++i) {
            if (!texts[static_cast<std::size_t>(i)]) return std::nullopt;
            k.push_back(*texts[static_cast<std::size_t>(i)]);
        }
        return k;
    };
    if (info.keyed)
        for (std::size_t r = 0; r < t.recordCount(); ++r)
            if (auto k = keyOf(t.rowTexts(r))) keys.insert(*k);
    int lineNo = 1;
    while (std::getline(in, line)) {
        ++lineNo;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty()) continue;
        auto values = paradox::tsv::splitRow(line);
        if (values.size() != target.size()) {
            err << "Файл «" << tsvFile << "», строка " << lineNo << ": значений " << values.size() << ", а полей "
                << target.size() << ". Ничего не добавлено.\n";
            return 1;
        }
        Texts texts(t.fields().size());
        for (std::size_t i = 0; i < values.size(); ++i) {
            texts[static_cast<std::size_t>(target[i])] = values[i];
            if (!values[i]) continue;
            try {
                t.checkText(target[i], *values[i]);
            } catch (const paradox::Error& e) {
                err << "Файл «" << tsvFile << "», строка " << lineNo << ": " << e.what() << " Ничего не добавлено.\n";
                return 1;
            }
        }
        if (info.keyed)
            if (auto k = keyOf(texts); k && !keys.insert(*k).second) {
                err << "Файл «" << tsvFile << "», строка " << lineNo
                    << ": запись с таким ключом уже есть. Ничего не добавлено.\n";
                return 1;
            }
        rows.push_back(std::move(texts));
    }
    for (const auto& row : rows) t.insert(row);
    out << "Добавлено записей: " << rows.size() << ".\n";
    return 0;
}

}  // namespace

int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.empty() || args[0] == "-h" || args[0] == "--help") {
        (args.empty() ? err : out) << kUsage;
        return args.empty() ? 1 : 0;
    }
    const std::string& command = args[0];
    const std::map<std::string, std::size_t> arity{{"create", 2}, {"info", 2}, {"dump", 2}, {"check", 2}, {"import", 3}};
    auto it = arity.find(command);
    if (it == arity.end()) {
        err << "Неизвестная команда «" << command << "».\n" << kUsage;
        return 1;
    }
    if (args.size() != it->second) {
        err << "Команде «" << command << "» нужно аргументов: " << it->second - 1 << ".\n" << kUsage;
        return 1;
    }
    try {
        if (command == "create") return create(args[1], out);
        if (command == "info") return info(args[1], out);
        if (command == "dump") return dump(args[1], out);
        if (command == "check") return check(args[1], out, err);
        return import(args[1], args[2], out, err);
    } catch (const paradox::Error& e) {
        err << e.what() << "\n";
        return 1;
    } catch (const std::exception& e) {
        err << "Ошибка: " << e.what() << "\n";
        return 1;
    }
}

}  // namespace telma::table_tool
