// Field values in a record: from the stored bytes to a typed value and text, and
// from a typed text back to the stored bytes, refusing what the field cannot hold.
#pragma once

#include "code_page.h"
#include "table.h"

#include <cstdint>
#include <string>

namespace paradox::codec {

bool allZero(const std::uint8_t* p, int n);

// Value of a field that is not a memo or blob (those need the .mb file).
Value decode(FieldType type, int length, const std::uint8_t* raw, int size, const CodePage& cp);
// The text of a value as telma-table dump shows it ("" for a null).
std::string format(const Value& value, FieldType type);

std::string formatDate(std::int32_t days);
std::string formatTime(std::int32_t ms);
std::string formatTimestamp(double ms);

// Writes `text` (UTF-8, not empty) as the stored bytes of the field into out[0..size).
// Throws Error (TooLong, Unrepresentable, BadValue, Unsupported) naming the field.
void encode(const FieldDef& field, int size, const std::string& text, const CodePage& cp,
            std::uint8_t* out);

// The message prefix that names a field: «Поле "KNomer"».
std::string fieldLabel(const FieldDef& field);

}  // namespace paradox::codec
