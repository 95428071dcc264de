#pragma once

#include "app/model/lorvant.h"

#include "WinLib/io/memoryserializer.h"

#include <string>
#include <vector>

using Rows = std::vector<std::vector<std::string>>;

// The schedule of an item reviewed once: in state, due then.
inline ItemSchedule scheduled(ItemSchedule::State state, UtcTime due) {
    ItemSchedule schedule;
    schedule.state = state;
    schedule.due = due;
    schedule.stability = 1;
    schedule.difficulty = 5;
    schedule.reviews = 1;
    return schedule;
}

// A study list from rows of texts: each row holds the term, then one value per field (an empty text sets
// no value), then, if there is one more, the comment.
inline StudyList makeStudyList(const std::vector<std::string>& fields, const Rows& rows) {
    StudyList list;
    Outline outline;
    outline.removeDef(0);
    for (const std::string& field : fields)
        outline.addDef(field);
    list.setOutline(outline);
    for (const std::vector<std::string>& row : rows) {
        TermSet item(list.getOutline(), list.getTermSetCount() + 1);
        item.setTerm(row.at(0));
        for (std::size_t idx = 1; idx < row.size() && idx <= fields.size(); ++idx) {
            if (!row[idx].empty())
                item.setField(static_cast<int>(idx - 1), row[idx]);
        }
        if (row.size() > fields.size() + 1)
            item.setComment(row.back());
        list.addTermSet(item);
    }
    return list;
}

// Each item as its term, its field values in outline order and, last, its comment.
inline Rows itemsOf(const StudyList& list) {
    Rows items;
    for (int idx = 0; idx < list.getTermSetCount(); ++idx) {
        const TermSet& item = list.getTermSet(static_cast<std::size_t>(idx));
        items.push_back({std::string(item.getTerm())});
        for (int i = 0; i < list.getOutline().getDefCount(); ++i)
            items.back().push_back(item.getField(i));
        items.back().emplace_back(item.getComment());
    }
    return items;
}

// The item type, then the field names.
inline std::vector<std::string> namesOf(const Outline& outline) {
    std::vector<std::string> names{outline.getItemType()};
    for (int i = 0; i < outline.getDefCount(); ++i)
        names.push_back(outline.getDef(i));
    return names;
}

inline std::vector<int> numbersOf(const StudyList& list) {
    std::vector<int> numbers;
    for (int idx = 0; idx < list.getTermSetCount(); ++idx)
        numbers.push_back(list.getTermSet(static_cast<std::size_t>(idx)).getNumber());
    return numbers;
}

inline void addScores(TermSet& item, int right, int wrong) {
    for (int i = 0; i < right; ++i)
        item.addCorrectAnswer();
    for (int i = 0; i < wrong; ++i)
        item.addWrongAnswer();
}

// Saving clears the modified flag; the bytes are not needed.
inline void markSaved(StudyList& list) {
    Win::IO::MemorySerializer out;
    list.serialize(out);
}
