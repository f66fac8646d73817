// Lays a parsed letter source out as a Russian business letter and writes it as .docx.
#pragma once

#include "platform/docx/document_writer.h"
#include "tools/telma_templates_source.h"

#include <string>
#include <vector>

namespace templates {

// Sender, outgoing number, addressee, heading, body, attachments and signature, in this order.
std::vector<docx::Paragraph> layOut(const LetterSource& source);

// Parses, lays out and checks a source, and returns the template's .docx bytes. Throws
// SourceError naming the file (and line) when the source is malformed or lacks a placeholder
// that identifies the contract.
std::string buildTemplate(const std::string& sourceText, const std::string& fileName);

}  // namespace templates
