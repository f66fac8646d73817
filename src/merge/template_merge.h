// The merge itself, without files or windows: a template's bytes in, the letter's bytes out.
#pragma once

#include "merge/merge_fields.h"

#include <QByteArray>
#include <QString>

namespace merge {

// Reads the template at `templatePath` and replaces, one pass per field definition in field
// order, every "<name>" with the field's text. Throws MergeError naming the template.
QByteArray mergeTemplate(const QString& templatePath, const MergeFields& fields);

}  // namespace merge
