#include "bytes.h"
#include "primary_index.h"
#include "table_impl.h"

#include <cstring>

namespace paradox {

// Integrity check of a loaded table: what open does not already refuse.
std::vector<std::string> Table::check() const {
    const Impl& t = *impl_;
    std::vector<std::string> problems;
    const std::string file = t.fileName();
    for (std::size_t r = 0; r < t.rows.size(); ++r)
        for (int f = 0; f < static_cast<int>(t.fields.size()); ++f) {
            try {
                (void)t.value(r, f);
            } catch (const Error& e) {
                problems.push_back(e.what());
                if (problems.size() > 20) return problems;
            }
        }
    if (t.info.keyed) {
        for (std::size_t r = 1; r < t.rows.size(); ++r)
            if (std::memcmp(t.record(r - 1), t.record(r), static_cast<std::size_t>(t.keyBytes)) >= 0) {
                problems.push_back("Таблица «" + file + "»: записи " + std::to_string(r) + " и " +
                                   std::to_string(r + 1) + " стоят не в порядке ключа.");
                break;
            }
        if (!t.pxExists) {
            problems.push_back("У ключевой таблицы «" + file + "» нет файла первичного индекса (.px).");
        } else {
            std::vector<IndexEntry> entries;
            for (int b : t.chain) {
                const std::uint8_t* img = t.blocks.data(b);
                entries.push_back({img + 6, b, Table::Impl::blockRecords(img, t.header.recordSize)});
            }
            auto why = checkIndex(t.px, t.keyBytes, entries);
            if (!why.empty()) problems.push_back("Файл индекса «" + t.pxPath.string() + "»: " + why + ".");
        }
    }
    return problems;
}

}  // namespace paradox
