#include "contracts/data_module.h"

namespace contracts {

TfDM15::TfDM15(std::unique_ptr<RecordStore> store) : tbl1(std::move(store)), ds1(tbl1) {
    for (const char* name : kUnwrittenFields)
        if (Field* f = tbl1.FindField(QString::fromLatin1(name))) f->setReadOnly(true);
    ds1.setAutoEdit(true);
}

}  // namespace contracts
