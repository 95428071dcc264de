// Arbitrary bytes as a text file to import. The import refuses with TextImporter::Error or makes a
// study list; anything else escaping, a sanitizer report, a leak, a hang or a huge allocation is a
// fault. A list that was made must hold items as the editor makes them, numbered in order, and must
// come back the same through the export for spreadsheets, read with the layout that export writes (its
// guess may go another way for texts that read as tables both ways; the user sees and sets it).

#include "app/files/spreadsheetcsvexporter.h"
#include "app/files/textimporter.h"

#include <cstdint>
#include <optional>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace {

std::optional<StudyList> import(std::string bytes, ImportChoices choices = {}) {
    try {
        return TextImporter(std::move(choices)).read(std::move(bytes));
    } catch (const TextImporter::Error&) {
    }
    return std::nullopt;
}

bool sameItems(const StudyList& a, const StudyList& b) {
    if (!(a.getOutline() == b.getOutline()) || a.getTermSetCount() != b.getTermSetCount())
        return false;
    for (std::size_t idx = 0; idx < static_cast<std::size_t>(a.getTermSetCount()); ++idx) {
        const TermSet& x = a.getTermSet(idx);
        const TermSet& y = b.getTermSet(idx);
        if (x.getTerm() != y.getTerm() || x.getComment() != y.getComment())
            return false;
        for (int i = 0; i < a.getOutline().getDefCount(); ++i) {
            if (x.getFieldView(i) != y.getFieldView(i))
                return false;
        }
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::optional<StudyList> imported = import(std::string(reinterpret_cast<const char*>(data), size));
    if (!imported)
        return 0;
    for (std::size_t idx = 0; idx < static_cast<std::size_t>(imported->getTermSetCount()); ++idx) {
        const TermSet& termSet = imported->getTermSet(idx);
        if (termSet.getTerm().empty() || termSet.getNumber() != static_cast<int>(idx) + 1)
            __builtin_trap();
    }

    // Without a header the comments are empty and the export adds one; the items stay the same.
    std::ostringstream exported;
    SpreadsheetCSVExporter(*imported).exportTo(exported);
    std::vector<ColumnRole> columns(static_cast<std::size_t>(imported->getOutline().getDefCount()) + 2,
                                    ColumnRole::Field);
    columns.front() = ColumnRole::Term;
    columns.back() = ColumnRole::Comment;
    const std::optional<StudyList> reimported =
        import(exported.str(), {TextEncoding::Utf8, ',', true, true, std::move(columns)});
    if (!reimported || !sameItems(*imported, *reimported))
        __builtin_trap();
    return 0;
}
