// A letter template source (templates/<name>.txt): parsed into blocks, checked line by line.
#pragma once

#include <stdexcept>
#include <string>
#include <vector>

namespace templates {

// A malformed source: the message reads "<file>:<line>: <what is wrong>".
class SourceError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct Span {
    std::string text;
    bool bold = false;
    bool blank = false;  // a [[hint]] the user fills in
};

enum class BlockKind { Heading, Body, Plain, ListItem };

struct Block {
    BlockKind kind;
    std::vector<Span> spans;
    int line;  // where it starts in the source
};

struct LetterSource {
    std::vector<std::string> to;    // addressee lines; empty: the usual ones
    std::vector<std::string> from;  // sender lines; empty: the usual one
    std::vector<std::string> sign;  // left part of the signature; empty: the usual one
    bool noAddressee = false;
    std::string step, description, task1, task2, note;
    std::vector<Block> blocks;
    std::vector<std::vector<Span>> attachments;
};

// The names a placeholder may carry: the fields of the contract table, in table order.
const std::vector<std::string>& contractFields();

// Parses `text`; `fileName` names the source in errors. Throws SourceError.
LetterSource parseSource(const std::string& text, const std::string& fileName);

// Splits inline markup ([[hint]], **bold**) of one text and checks its placeholders.
std::vector<Span> parseInline(const std::string& text, const std::string& fileName, int line);

}  // namespace templates
