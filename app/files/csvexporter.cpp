#include "csvexporter.h"

#include "app/model/lorvant.h"

void CSVExporter::exportTo(std::ostream& out) const {
    const Outline& outline = _studyList.getOutline();
    out << outline.getItemType() << '\t';
    for (int i = 0; i < outline.getDefCount(); ++i)
        out << outline.getDef(i) << '\t';
    out << "Comment";
    for (int idx = 0; idx < _studyList.getTermSetCount(); ++idx) {
        const TermSet& termSet = _studyList.getTermSet(static_cast<std::size_t>(idx));
        out << "\r\n" << termSet.getTerm() << '\t';
        for (int i = 0; i < outline.getDefCount(); ++i)
            out << termSet.getFieldView(i) << '\t';
        out << termSet.getComment();
    }
}
