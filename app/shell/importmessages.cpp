#include "importmessages.h"

#include "app/model/lorvant.h"
#include "resources/resource.h"

#include <utility>

std::string describeRefusal(const ImportRefusal& refusal) {
    switch (refusal.getRefusal()) {
    case ImportRefusal::Reason::NoRows:
        return loadText(IDS_IMPORT_NO_ROWS);
    case ImportRefusal::Reason::TooManyCells:
        return format(IDS_IMPORT_TOO_MANY_CELLS, refusal.getLine());
    case ImportRefusal::Reason::NotText:
        return format(IDS_IMPORT_NOT_TEXT, refusal.getLine());
    case ImportRefusal::Reason::TooManyFields:
        return format(IDS_IMPORT_TOO_MANY_FIELDS, refusal.getLine(), Outline::MaxDefCount);
    case ImportRefusal::Reason::TooManyItems:
        return format(IDS_IMPORT_TOO_MANY_ITEMS, StudyList::MaxTermSetCount, refusal.getLine());
    case ImportRefusal::Reason::RepeatedFieldDiffers:
        break;
    }
    return format(IDS_IMPORT_REPEATED_FIELD, refusal.getLine(), refusal.getFieldName().c_str());
}

std::string describeTallies(const TextImportReport& report) {
    const std::pair<int, const LineTally*> tallies[] = {
        {IDS_IMPORT_ROWS_WITHOUT_TERM, &report.rowsWithoutTerm},
        {IDS_IMPORT_REPLACED, &report.replacedCharacters},
        {IDS_IMPORT_REPEATED_TERMS, &report.repeatedTerms},
    };
    std::string text;
    for (const auto& [id, tally] : tallies) {
        if (tally->count > 0) {
            text += '\n';
            text += format(id, tally->count, tally->firstLine);
        }
    }
    return text;
}
