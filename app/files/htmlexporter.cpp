#include "htmlexporter.h"

#include "exporttext.h"

#include "app/model/lorvant.h"

#include "WinLib/io/legacycodepage.h"

#include <string_view>

namespace {

void writeEscaped(std::ostream& out, std::string_view text) {
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char* entity = nullptr;
        switch (text[i]) {
        case '&':
            entity = "&amp;";
            break;
        case '<':
            entity = "&lt;";
            break;
        case '>':
            entity = "&gt;";
            break;
        case '"':
            entity = "&quot;";
            break;
        case '\'':
            entity = "&#39;";
            break;
        default:
            continue;
        }
        out << text.substr(start, i - start) << entity;
        start = i + 1;
    }
    out << text.substr(start);
}

void writeCell(std::ostream& out, const char* tag, const std::string& text) {
    out << '<' << tag << '>';
    writeEscaped(out, text);
    out << "</" << tag << '>';
}

std::string_view getTitle(const StudyList& studyList) {
    const std::string& fileName = studyList.getFileName();
    if (fileName.empty())
        return "new Study List";
    const auto separator = fileName.find_last_of("\\/");
    return std::string_view(fileName).substr(separator == std::string::npos ? 0 : separator + 1);
}

} // namespace

void HtmlExporter::exportTo(std::ostream& out) const {
    const Outline& outline = _studyList.getOutline();
    const char* legacyCharset = Win::IO::LegacyCodePage::charsetName();
    // A code page without a name a browser knows is never written.
    const ExportText text(_studyList, {getTitle(_studyList)}, legacyCharset != nullptr);
    out << "<!DOCTYPE html>\r\n<html>\r\n<head>\r\n<meta charset=\""
        << (text.isUtf8() ? "utf-8" : legacyCharset) << "\">\r\n<title>";
    writeEscaped(out, text(getTitle(_studyList)));
    out << "</title>\r\n"
           "<style>\r\n"
           "table { border-collapse: collapse; }\r\n"
           "th, td { border: 1px solid #808080; padding: 2px 6px; text-align: left; vertical-align: top; "
           "white-space: pre-wrap; }\r\n"
           "</style>\r\n"
           "</head>\r\n<body>\r\n<table>\r\n<thead>\r\n<tr>";
    writeCell(out, "th", text(outline.getItemType()));
    for (int i = 0; i < outline.getDefCount(); ++i)
        writeCell(out, "th", text(outline.getDef(i)));
    writeCell(out, "th", std::string("Comment"));
    out << "</tr>\r\n</thead>\r\n<tbody>\r\n";
    for (int idx = 0; idx < _studyList.getTermSetCount(); ++idx) {
        const TermSet& termSet = _studyList.getTermSet(static_cast<std::size_t>(idx));
        out << "<tr>";
        writeCell(out, "td", text(termSet.getTerm()));
        for (int i = 0; i < outline.getDefCount(); ++i)
            writeCell(out, "td", text(termSet.getFieldView(i)));
        writeCell(out, "td", text(termSet.getComment()));
        out << "</tr>\r\n";
    }
    out << "</tbody>\r\n</table>\r\n</body>\r\n</html>\r\n";
}
