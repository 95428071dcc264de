#include "csvexporter.h"

#include "exporttext.h"

#include "app/model/lorvant.h"

void CSVExporter::exportTo(std::ostream& out) const {
    const Outline& outline = _studyList.getOutline();
    const ExportText text(_studyList);
    // The mark tells the import, and other programs, that the text is UTF-8.
    if (text.isUtf8())
        out << "\xEF\xBB\xBF";
    out << text(outline.getItemType()) << '\t';
    for (int i = 0; i < outline.getDefCount(); ++i)
        out << text(outline.getDef(i)) << '\t';
    out << "Comment";
    for (int idx = 0; idx < _studyList.getTermSetCount(); ++idx) {
        const TermSet& termSet = _studyList.getTermSet(static_cast<std::size_t>(idx));
        out << "\r\n" << text(termSet.getTerm()) << '\t';
        for (int i = 0; i < outline.getDefCount(); ++i)
            out << text(termSet.getFieldView(i)) << '\t';
        out << text(termSet.getComment());
    }
}
