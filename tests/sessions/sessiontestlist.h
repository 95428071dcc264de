#pragma once

#include "app/model/lorvant.h"

#include "WinLib/io/memoryserializer.h"

#include <string>
#include <vector>

// A study list from rows of texts: each row holds the term, then one value per field.
inline StudyList makeStudyList(const std::vector<std::string>& fields,
                               const std::vector<std::vector<std::string>>& rows) {
    StudyList list;
    Outline outline;
    while (outline.getDefCount() > 0)
        outline.removeDef(0);
    for (const std::string& field : fields)
        outline.addDef(field);
    list.setOutline(outline);
    for (const std::vector<std::string>& row : rows) {
        TermSet item(list.getOutline(), list.getTermSetCount() + 1);
        item.setTerm(row.at(0));
        for (std::size_t idx = 1; idx < row.size(); ++idx) {
            if (!row[idx].empty())
                item.setField(static_cast<int>(idx - 1), row[idx]);
        }
        list.addTermSet(item);
    }
    return list;
}

// Saving clears the modified flag; the bytes are not needed.
inline void markSaved(StudyList& list) {
    Win::IO::MemorySerializer out;
    list.serialize(out);
}
