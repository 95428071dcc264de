#include "spreadsheetcsvexporter.h"

#include "spreadsheetcell.h"

#include "app/model/lorvant.h"

void SpreadsheetCSVExporter::exportTo(std::ostream& out) const {
    const Outline& outline = _studyList.getOutline();
    std::string row = "\xEF\xBB\xBF";
    appendSpreadsheetCell(row, outline.getItemType());
    for (int i = 0; i < outline.getDefCount(); ++i) {
        row.push_back(',');
        appendSpreadsheetCell(row, outline.getDef(i));
    }
    row += ",Comment\r\n";
    out << row;
    for (int idx = 0; idx < _studyList.getTermSetCount(); ++idx) {
        const TermSet& termSet = _studyList.getTermSet(static_cast<std::size_t>(idx));
        row.clear();
        appendSpreadsheetCell(row, termSet.getTerm());
        for (int i = 0; i < outline.getDefCount(); ++i) {
            row.push_back(',');
            appendSpreadsheetCell(row, termSet.getFieldView(i));
        }
        row.push_back(',');
        appendSpreadsheetCell(row, termSet.getComment());
        row += "\r\n";
        out << row;
    }
}
