// The store under the contract table: rows of texts with field definitions. The table's
// editing rules work over this interface, so that they run on a Paradox file or in memory.
#pragma once

#include <QString>
#include <QStringList>

#include <cstddef>
#include <vector>

namespace contracts {

struct FieldDef {
    QString name;
    int length = 0;              // characters the field holds (0: no limit known)
    bool autoIncrement = false;  // an empty value on insert takes the next counter value
};

class RecordStore {
public:
    virtual ~RecordStore() = default;

    virtual const std::vector<FieldDef>& fields() const = 0;
    virtual std::size_t rowCount() const = 0;
    // One text per field; the empty text for an empty value.
    virtual QStringList rowTexts(std::size_t row) const = 0;

    // Writes return the row where the record stands afterwards. A refused write throws
    // (paradox::Error) and changes nothing.
    virtual std::size_t update(std::size_t row, const QStringList& texts) = 0;
    virtual std::size_t insert(const QStringList& texts) = 0;
    virtual void remove(std::size_t row) = 0;

    // Throws (paradox::Error naming the field) when the text cannot be stored in the field.
    virtual void checkText(int field, const QString& text) const = 0;
    // Reads the rows again, so that another program's changes appear.
    virtual void refresh() = 0;
    virtual bool readOnly() const = 0;
    // The file (or a name standing for it) for messages.
    virtual QString location() const = 0;
};

}  // namespace contracts
