#include "tools/telma_templates_layout.h"

namespace templates {
namespace {

// A4 with margins of 30 mm left, 15 mm right, 20 mm top and bottom.
constexpr docx::PageSetup kPage{};
constexpr int kTextWidth = kPage.width - kPage.left - kPage.right;
constexpr int kFirstLine = 709;  // 1.25 cm
constexpr int kAddresseeLeft = kTextWidth / 2;

const char* const kOutgoingNumber = "Исх. № ____ от «___» __________ 20__ г.";

docx::Paragraph line(const std::string& text, docx::Align align = docx::Align::Left, int left = 0)
{
    docx::Paragraph p;
    p.align = align;
    p.left = left;
    p.runs = {{text, false, false}};
    return p;
}

std::vector<docx::Run> runsOf(const std::vector<Span>& spans)
{
    std::vector<docx::Run> runs;
    for (const Span& s : spans)
        runs.push_back({s.text, s.bold, s.blank});
    return runs;
}

const std::vector<std::string> kRequired = {"<KWVS>", "<KNomer>", "<KDate>", "<KZakaz>", "<KPodr>", "<KFPodr>"};

}  // namespace

std::vector<docx::Paragraph> layOut(const LetterSource& source)
{
    std::vector<docx::Paragraph> out;
    const std::vector<std::string> from = source.from.empty() ? std::vector<std::string>{"<KPodr>"} : source.from;
    for (const std::string& text : from)
        out.push_back(line(text));
    if (!source.noAddressee) {
        docx::Paragraph number = line(kOutgoingNumber);
        number.spaceBefore = 240;
        out.push_back(number);
        const std::vector<std::string> to = source.to.empty()
                                                ? std::vector<std::string>{"<KDZakaz>", "<KZakaz>", "<KFZakaz>"}
                                                : source.to;
        bool first = true;
        for (const std::string& text : to) {
            docx::Paragraph p = line(text, docx::Align::Left, kAddresseeLeft);
            if (first)
                p.spaceBefore = 240;
            first = false;
            out.push_back(p);
        }
    }

    bool firstHeading = true;
    BlockKind previous = BlockKind::Body;
    for (const Block& block : source.blocks) {
        docx::Paragraph p;
        p.runs = runsOf(block.spans);
        switch (block.kind) {
        case BlockKind::Heading:
            p.align = docx::Align::Center;
            p.keepNext = true;
            for (docx::Run& r : p.runs)
                r.bold = true;
            if (firstHeading || previous != BlockKind::Heading)
                p.spaceBefore = firstHeading ? 480 : 240;
            firstHeading = false;
            break;
        case BlockKind::Body:
            p.firstLine = kFirstLine;
            break;
        case BlockKind::Plain:
            break;
        case BlockKind::ListItem:
            // The dash stands at the paragraph indent; wrapped lines return to the margin.
            p.firstLine = kFirstLine;
            p.runs.insert(p.runs.begin(), docx::Run{"– ", false, false});
            break;
        }
        if (block.kind != BlockKind::Heading && previous == BlockKind::Heading)
            p.spaceBefore = 240;
        previous = block.kind;
        out.push_back(p);
    }

    if (!source.attachments.empty()) {
        docx::Paragraph title = line("Приложение:", docx::Align::Left);
        title.spaceBefore = 240;
        title.keepNext = true;
        out.push_back(title);
        int n = 0;
        for (const std::vector<Span>& item : source.attachments) {
            docx::Paragraph p;
            p.align = docx::Align::Justify;
            p.left = kFirstLine;
            p.runs = runsOf(item);
            p.runs.insert(p.runs.begin(), docx::Run{std::to_string(++n) + ". ", false, false});
            out.push_back(p);
        }
    }

    // The signature never stands alone on a page of its own.
    if (!out.empty())
        out.back().keepNext = true;
    const std::vector<std::string> sign = source.sign.empty() ? std::vector<std::string>{"<KDPodr>"} : source.sign;
    for (std::size_t i = 0; i < sign.size(); ++i) {
        docx::Paragraph p = line(sign[i]);
        if (i == 0)
            p.spaceBefore = 720;
        if (i + 1 == sign.size()) {
            p.runs.front().text += "\t_______________ <KFPodr>";
            p.rightTabs = {kTextWidth};
        } else {
            p.keepNext = true;
        }
        out.push_back(p);
    }
    return out;
}

std::string buildTemplate(const std::string& sourceText, const std::string& fileName)
{
    const LetterSource source = parseSource(sourceText, fileName);
    const std::vector<docx::Paragraph> paragraphs = layOut(source);
    std::string all;
    for (const docx::Paragraph& p : paragraphs)
        for (const docx::Run& r : p.runs)
            all += r.text + "\n";
    std::string missing;
    for (const std::string& placeholder : kRequired)
        if (all.find(placeholder) == std::string::npos)
            missing += (missing.empty() ? "" : ", ") + placeholder;
    if (!missing.empty())
        throw SourceError(fileName + ":1: в письме нет полей, которые называют контракт: " + missing +
                          "; вставьте их в текст письма");
    return docx::writeDocument(paragraphs, kPage);
}

}  // namespace templates
