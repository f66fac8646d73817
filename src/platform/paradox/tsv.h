// The text form of a table: a first line "#name/0xTYPE/length" per field, then one
// line per record, tab-separated; \N is a null, and tab, line feed and carriage
// return inside a value are written \t, \n, \r.
#pragma once

#include "table.h"

#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace paradox::tsv {

std::string headerLine(const std::vector<FieldDef>& fields);
std::string escape(const std::string& value);
std::string unescape(const std::string& text);
void dump(const Table& table, std::ostream& out);

// One line split at tabs, values unescaped; "\N" (and an empty value) is a null.
std::vector<std::optional<std::string>> splitRow(const std::string& line);
// Field names of a first line, in "#name/0xTYPE/length" or bare form.
std::vector<std::string> headerNames(const std::string& line);

}  // namespace paradox::tsv
