// The one error type of the document library: its message names the document and what is wrong.
#pragma once

#include <stdexcept>
#include <string>

namespace docx {

class Error : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

}  // namespace docx
