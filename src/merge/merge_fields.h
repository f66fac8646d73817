// What the merge needs from the contract table: its field definitions in field order and the
// text of a field in the current record. The contract table satisfies it through an adapter.
#pragma once

#include <QString>

#include <stdexcept>

namespace merge {

class MergeFields {
public:
    virtual ~MergeFields() = default;
    virtual int fieldCount() const = 0;
    // The name of the field definition at `position` (from 0, in field order).
    virtual QString fieldName(int position) const = 0;
    // The text form of the field's value in the current record; the empty text for an empty
    // value or an empty table. Throws when the table has no field of that name.
    virtual QString fieldText(const QString& name) const = 0;
};

// An error of the merge; the message (UTF-8) names the file or folder and what to do.
class MergeError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
    explicit MergeError(const QString& message) : std::runtime_error(message.toStdString()) {}
};

}  // namespace merge
