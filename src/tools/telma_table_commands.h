// The commands of telma-table; each writes its result to `out`, its errors to `err`
// (in Russian) and returns the exit status.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace telma::table_tool {

int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace telma::table_tool
