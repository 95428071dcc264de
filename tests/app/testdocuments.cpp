#include "tests/app/testdocuments.h"

#include "WinLib/io/memoryserializer.h"
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
        // Answering up to two billion times would take seconds: the item is read back from its written form
        // with the scores, which come last, in place.
        if (item.timesAsked > 0) {
            Win::IO::MemorySerializer written, scores;
            termSet.serialize(written);
            scores.writeInt(item.timesAsked);
            scores.writeInt(item.correctAnswers);
            std::string bytes = written.getBytes();
            bytes.replace(bytes.size() - scores.getBytes().size(), std::string::npos, scores.getBytes());
            Win::IO::MemoryDeSerializer read(bytes);
            termSet.deserialize(read);
        }
        termSet.setSchedule(item.schedule);
        document.addTermSet(termSet);
    }
    DocumentFileOutputMethod(document).write(path);
}

StudyList readDocument(const std::string& path) {
    return DocumentFileInputMethod().read(path);
}
