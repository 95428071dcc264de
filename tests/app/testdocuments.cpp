#include "tests/app/testdocuments.h"

#include "app/files/documentfileinputmethod.h"
#include "app/files/documentfileoutputmethod.h"

void writeDocument(const std::string& path, const std::vector<TestItem>& items,
                   const std::vector<std::string>& fieldNames, const std::string& itemType) {
    StudyList document;
    Outline outline;
    outline.setItemType(itemType);
    while (outline.getDefCount() > 0)
        outline.removeDef(0);
    for (const std::string& name : fieldNames)
        outline.addDef(name);
    document.setOutline(outline);
    int number = 0;
    for (const TestItem& item : items) {
        TermSet termSet(document.getOutline(), ++number);
        termSet.setTerm(item.term);
        for (std::size_t i = 0; i < item.fields.size(); ++i)
            termSet.setField(static_cast<int>(i), item.fields[i]);
        termSet.setComment(item.comment);
        for (int asked = 0; asked < item.timesAsked; ++asked) {
            if (asked < item.correctAnswers)
                termSet.addCorrectAnswer();
            else
                termSet.addWrongAnswer();
        }
        document.addTermSet(termSet);
    }
    DocumentFileOutputMethod(document).write(path);
}

StudyList readDocument(const std::string& path) {
    return DocumentFileInputMethod().read(path);
}
