// Field definitions and a current record held in memory, standing in for the contract table.
#pragma once

#include "merge/merge_fields.h"

#include <QMap>
#include <QStringList>

namespace merge_test {

class FakeFields : public merge::MergeFields {
public:
    FakeFields(QStringList names, QMap<QString, QString> values) : names_(std::move(names)), values_(std::move(values)) {}
    int fieldCount() const override { return static_cast<int>(names_.size()); }
    QString fieldName(int position) const override
    {
        ++passes;
        return names_.at(position);
    }
    QString fieldText(const QString& name) const override
    {
        if (!names_.contains(name) && !lookupOnly.contains(name))
            throw merge::MergeError(QStringLiteral("Нет поля «%1» в таблице").arg(name));
        return values_.value(name);
    }
    QStringList lookupOnly;
    mutable int passes = 0;

private:
    QStringList names_;
    QMap<QString, QString> values_;
};

// The seventeen contract fields in table order.
inline QStringList contractFieldNames()
{
    return {"KKK",   "KNomer",  "KPredmet", "KObjekt", "KZakaz", "KSumma", "KMetka", "KDate",  "KPodr",
            "KDZakaz", "KFZakaz", "KDPodr", "KFPodr",  "KInfo",  "KDWork", "KDHidden", "KWVS"};
}

}  // namespace merge_test
