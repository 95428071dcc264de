#include "testfiles.h"

#include "app/model/lorvant.h"

#include "WinLib/io/exceptions.h"
#include "WinLib/io/memoryserializer.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

using Win::IO::DataCorruptionException;
using Win::IO::MemoryDeSerializer;
using Win::IO::MemorySerializer;

namespace {

Outline makeOutline(std::initializer_list<const char*> defs) {
    Outline outline;
    outline.removeDef(0);
    for (const char* def : defs)
        outline.addDef(def);
    return outline;
}

std::vector<std::string> defsOf(const Outline& outline) {
    std::vector<std::string> defs;
    for (int i = 0; i < outline.getDefCount(); ++i)
        defs.push_back(outline.getDef(i));
    return defs;
}

TermSet makeItem(const Outline& outline, int number, const std::string& term) {
    TermSet item(outline, number);
    item.setTerm(term);
    return item;
}

std::vector<int> numbersOf(const StudyList& list) {
    std::vector<int> numbers;
    for (int i = 0; i < list.getTermSetCount(); ++i)
        numbers.push_back(list.getTermSet(static_cast<std::size_t>(i)).getNumber());
    return numbers;
}

std::string serialized(StudyList& list) {
    MemorySerializer out;
    list.serialize(out);
    return out.getBytes();
}

} // namespace

TEST(Outline, DefaultsAndEditing) {
    Outline outline;
    EXPECT_EQ(outline.getItemType(), "Term");
    ASSERT_EQ(outline.getDefCount(), 1);
    EXPECT_EQ(outline.getDef(0), "Definition");

    outline = makeOutline({"X", "Y", "Z"});
    outline.moveDefUp(1);
    EXPECT_EQ(defsOf(outline), (std::vector<std::string>{"Y", "X", "Z"}));
    outline = makeOutline({"X", "Y", "Z"});
    outline.moveDefDown(1);
    EXPECT_EQ(defsOf(outline), (std::vector<std::string>{"X", "Z", "Y"}));
    outline.removeDef(0);
    EXPECT_EQ(defsOf(outline), (std::vector<std::string>{"Z", "Y"}));

    outline.setItemType("Word");
    outline.setDefaults();
    EXPECT_EQ(outline, Outline());
}

TEST(Outline, FieldCountLimitsWhenRead) {
    Outline wide = makeOutline({});
    for (int i = 0; i < 500; ++i)
        wide.addDef("f" + std::to_string(i));
    MemorySerializer out;
    wide.serialize(out);
    Outline read;
    MemoryDeSerializer in(out.getBytes());
    read.deserialize(in);
    EXPECT_EQ(read, wide);

    // 501 names, even with all their bytes present, are refused.
    wide.addDef("one too many");
    MemorySerializer tooWide;
    wide.serialize(tooWide);
    MemoryDeSerializer tooWideIn(tooWide.getBytes());
    EXPECT_THROW(read.deserialize(tooWideIn), DataCorruptionException);

    // A negative count, and one the remaining bytes cannot hold, are corruption too.
    for (const int count : {-1, -500, 400}) {
        MemorySerializer forged;
        forged.writeString("Term");
        forged.writeInt(count);
        forged.writeString("only one");
        MemoryDeSerializer forgedIn(forged.getBytes());
        EXPECT_THROW(read.deserialize(forgedIn), DataCorruptionException) << count;
    }
}

TEST(TermSet, FieldsAreKeyedByName) {
    Outline outline = makeOutline({"Definition", "Example"});
    TermSet item(outline, 1);
    EXPECT_EQ(item.getField(1), "");
    item.setField(0, "animal");
    item.setField(1, "the cat sat");
    EXPECT_EQ(item.getField(0), "animal");

    // Moving a field keeps its value with it.
    outline.moveDefDown(0);
    EXPECT_EQ(item.getField(0), "the cat sat");
    EXPECT_EQ(item.getField(1), "animal");

    // A removed field's value is unreachable, and returns when the name is added again.
    outline.removeDef(1);
    EXPECT_EQ(outline.getDefCount(), 1);
    outline.addDef("Definition");
    EXPECT_EQ(item.getField(1), "animal");

    // Two fields of one name share one value.
    outline.addDef("Definition");
    item.setField(2, "shared");
    EXPECT_EQ(item.getField(1), "shared");
}

TEST(TermSet, RatioAndScores) {
    Outline outline;
    const struct {
        int correct, wrong, ratio;
    } cases[] = {{0, 0, 0}, {1, 2, 33}, {2, 1, 66}, {53, 47, 53}, {3, 0, 100}};
    for (const auto& c : cases) {
        TermSet item(outline, 1);
        for (int i = 0; i < c.correct + c.wrong; ++i)
            i < c.correct ? item.addCorrectAnswer() : item.addWrongAnswer();
        EXPECT_EQ(item.getTimesAsked(), c.correct + c.wrong);
        EXPECT_EQ(item.getCorrectAnswers(), c.correct);
        EXPECT_EQ(item.getRatio(), c.ratio);
        item.resetScores();
        EXPECT_EQ(item.getTimesAsked() + item.getCorrectAnswers(), 0);
    }
}

TEST(TermSet, AssignmentKeepsOutlineAndEqualityIgnoresIt) {
    Outline first;
    Outline second = makeOutline({"Meaning"});
    TermSet source = makeItem(first, 4, "cat");
    source.setField(0, "animal");
    source.setComment("pet");
    source.addCorrectAnswer();

    TermSet copy(source);
    EXPECT_EQ(&copy.getOutline(), &first);
    TermSet target(second, 1);
    target = source;
    EXPECT_EQ(&target.getOutline(), &second);
    EXPECT_EQ(target, source);
    // Values stay keyed by "Definition", which the second outline has not.
    EXPECT_EQ(target.getField(0), "");

    TermSet emptyValue = makeItem(first, 1, "x");
    TermSet noValue = makeItem(first, 1, "x");
    emptyValue.setField(0, "");
    EXPECT_EQ(emptyValue.getField(0), noValue.getField(0));
    EXPECT_FALSE(emptyValue == noValue);
}

TEST(TermSet, ReadingTakesFirstNonEmptyValueAndMendsScores) {
    Outline outline = makeOutline({"Def", "Def", "Other"});
    MemorySerializer out;
    out.writeString("term");
    out.writeString("");
    out.writeString("second wins over empty first");
    out.writeString("");
    out.writeString("comment");
    out.writeInt(-5);
    out.writeInt(3);
    TermSet item(outline, 1);
    MemoryDeSerializer in(out.getBytes());
    item.deserialize(in);
    EXPECT_EQ(item.getField(0), "second wins over empty first");
    EXPECT_EQ(item.getTimesAsked(), 0);
    EXPECT_EQ(item.getCorrectAnswers(), 0);
    EXPECT_EQ(item.getRatio(), 0);

    // More right answers than questions become all right; empty values make no entries.
    MemorySerializer more;
    more.writeString("t");
    for (int i = 0; i < 4; ++i)
        more.writeString("");
    more.writeInt(4);
    more.writeInt(9);
    MemoryDeSerializer moreIn(more.getBytes());
    item.deserialize(moreIn);
    TermSet fresh = makeItem(outline, 1, "t");
    for (int i = 0; i < 4; ++i)
        fresh.addCorrectAnswer();
    EXPECT_EQ(item, fresh);
}

TEST(Setting, FollowOutlineChanges) {
    StudyList list;
    list.setOutline(makeOutline({"A", "B", "C"}));
    list.getSettings().setFromField(2);
    list.getSettings().setToField(1);
    Outline shorter = makeOutline({"A", "B"});
    list.setOutline(shorter);
    EXPECT_TRUE(list.getSettings().isFromTerm());
    EXPECT_EQ(list.getSettings().getToField(), 1);
    shorter.removeDef(1);
    list.setOutline(shorter);
    EXPECT_TRUE(list.getSettings().isToEverythingElse());

    // Assignment adjusts to the target's own outline.
    Outline wide = makeOutline({"A", "B", "C", "D"});
    Setting other(wide);
    other.setToField(3);
    other.setFromAnything();
    list.getSettings() = other;
    EXPECT_TRUE(list.getSettings().isFromAnything());
    EXPECT_TRUE(list.getSettings().isToEverythingElse());
}

// The settings dialog marks the document changed only when the settings differ: any one change must show.
TEST(Setting, AnyOneChangeMakesSettingsDiffer) {
    const Outline outline = makeOutline({"A", "B"});
    const std::function<void(Setting&)> changes[] = {
        [](Setting& s) { s.setTimeOut(30); },      [](Setting& s) { s.setShuffle(true); },
        [](Setting& s) { s.setContinuous(true); }, [](Setting& s) { s.setCaseSensitive(true); },
        [](Setting& s) { s.setChoicesNum(5); },    [](Setting& s) { s.setFromAnything(); },
        [](Setting& s) { s.setToAnythingElse(); }, [](Setting& s) { s.setFromField(1); },
        [](Setting& s) { s.setToField(1); },
    };
    for (std::size_t i = 0; i < std::size(changes); ++i) {
        Setting changed(outline);
        changes[i](changed);
        EXPECT_FALSE(changed == Setting(outline)) << "change " << i;
    }
}

TEST(Setting, ImpossibleValuesReadFromFilesAreBroughtIntoRangeOnAssignment) {
    Outline outline = makeOutline({"A", "B"});
    const auto assignRead = [&](int timeOut, int choices, int fromDir, int toDir, int fromField,
                                int toField) {
        MemorySerializer out;
        out.writeInt(timeOut);
        out.writeBool(true);
        out.writeBool(false);
        out.writeBool(true);
        out.writeInt(choices);
        out.writeInt(fromDir);
        out.writeInt(toDir);
        out.writeInt(fromField);
        out.writeInt(toField);
        Setting read(outline);
        MemoryDeSerializer in(out.getBytes());
        read.deserialize(in);
        Setting assigned(outline);
        assigned = read;
        return assigned;
    };

    Setting mended = assignRead(150, 9, 7, -1, 0, 0);
    EXPECT_EQ(mended.getTimeOut(), Setting::TimeOutMax);
    EXPECT_EQ(mended.getChoicesNum(), 3);
    EXPECT_TRUE(mended.isFromTerm());
    EXPECT_TRUE(mended.isToEverythingElse());
    EXPECT_TRUE(mended.isShuffle());
    EXPECT_TRUE(mended.isCaseSensitive());

    EXPECT_EQ(assignRead(-4, 1, 0, 0, 0, 0).getTimeOut(), 0);
    EXPECT_EQ(assignRead(1, 7, 0, 0, 0, 0).getTimeOut(), Setting::TimeOutMin);
    Setting negativeFields = assignRead(0, 3, Setting::FIELD, Setting::FIELD, -1, -2);
    EXPECT_TRUE(negativeFields.isFromTerm());
    EXPECT_TRUE(negativeFields.isToEverythingElse());

    // Every value a dialog can produce passes unchanged.
    Setting valid = assignRead(99, 6, Setting::FIELD, Setting::FIELD, 1, 0);
    EXPECT_EQ(valid.getTimeOut(), 99);
    EXPECT_EQ(valid.getChoicesNum(), 6);
    EXPECT_EQ(valid.getFromField(), 1);
    EXPECT_EQ(valid.getToField(), 0);
    EXPECT_TRUE(assignRead(2, 2, Setting::ANYTHING, Setting::ANYTHING_ELSE, 5, 7).isToAnythingElse());
}

TEST(StudyList, RemoveSelectedRenumbersDensely) {
    StudyList list;
    for (int n = 1; n <= 5; ++n)
        list.addTermSet(makeItem(list.getOutline(), n, std::string(1, static_cast<char>('a' + n - 1))));
    list.select(1);
    list.select(3);
    list.removeSelected();
    EXPECT_EQ(numbersOf(list), (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(list.getTermSet(1).getTerm(), "c");
    EXPECT_FALSE(list.hasSelection());

    // After a sort, the rows shown selected go, and the rest keep their old relative numbering.
    StudyList sorted;
    const char* terms[] = {"d", "b", "e", "a", "c"};
    for (int n = 1; n <= 5; ++n)
        sorted.addTermSet(makeItem(sorted.getOutline(), n, terms[n - 1]));
    sorted.sort(Sorter(Sorter::byTerm)); // a4 b2 c5 d1 e3
    sorted.select(0);
    sorted.select(2);
    sorted.removeSelected(); // b2 d1 e3 remain
    EXPECT_EQ(numbersOf(sorted), (std::vector<int>{2, 1, 3}));
    EXPECT_EQ(sorted.getTermSet(0).getTerm(), "b");
}

TEST(StudyList, SelectionEditAndRemove) {
    StudyList list;
    for (int n = 1; n <= 5; ++n)
        list.addTermSet(makeItem(list.getOutline(), n, "t" + std::to_string(n)));
    serialized(list);
    EXPECT_FALSE(list.isModified());
    list.select(1);
    Outline foreign;
    list.setSelectedTermSet(makeItem(foreign, 2, "edited"));
    EXPECT_TRUE(list.isModified());
    EXPECT_EQ(list.getTermSet(1).getTerm(), "edited");
    EXPECT_EQ(&list.getTermSet(1).getOutline(), &list.getOutline());
    list.getTermSet(1).setTerm("t2");

    list.selectAll();
    EXPECT_EQ(list.getSelectionCount(), 5);
    list.deselect(0);
    list.deselect(3);
    list.deselect(3);
    list.select(4);
    EXPECT_EQ(list.getSelectionCount(), 3);
    EXPECT_EQ(list.getSelection(), (std::vector<int>{1, 2, 4}));
    EXPECT_EQ(list.getSelectedTermSet().getTerm(), "t2");
    list.removeSelected();
    ASSERT_EQ(list.getTermSetCount(), 2);
    EXPECT_EQ(list.getTermSet(0).getTerm(), "t1");
    EXPECT_EQ(list.getTermSet(1).getTerm(), "t4");
    EXPECT_EQ(list.getTermSet(1).getNumber(), 2);
    EXPECT_FALSE(list.hasSelection());
}

TEST(StudyList, RecentDocsAndWhatClearKeeps) {
    StudyList list;
    list.addRecentDoc("X");
    list.addRecentDoc("W");
    list.addRecentDoc("V");
    list.addRecentDoc("X");
    EXPECT_EQ(list.getRecentDocs(), (std::vector<std::string>{"X", "V", "W"}));
    list.addRecentDoc("x");
    EXPECT_EQ(list.getRecentDocs().size(), 4u);

    for (int i = 1; i <= 10; ++i)
        list.addRecentDoc(std::to_string(i));
    list.addRecentDoc("new");
    const auto docs = list.getRecentDocs();
    ASSERT_EQ(docs.size(), static_cast<std::size_t>(StudyList::MaxRecentDocs));
    EXPECT_EQ(docs.front(), "new");
    EXPECT_EQ(docs.back(), "2");

    list.clearRecentDocs();
    list.setOutline(makeOutline({"A", "B"}));
    list.addTermSet(makeItem(list.getOutline(), 1, "x"));
    list.setFileName("C:\\doc.lvd");
    list.addRecentDoc("C:\\doc.lvd");
    list.getSettings().setShuffle(true);
    list.getSettings().setFromField(0);
    list.getSettings().setToField(1);
    list.select(0);

    list.clear();
    EXPECT_EQ(list.getTermSetCount(), 0);
    EXPECT_EQ(list.getOutline(), Outline());
    EXPECT_EQ(list.getFileName(), "");
    EXPECT_FALSE(list.isModified());
    EXPECT_FALSE(list.hasSelection());
    EXPECT_EQ(list.getRecentDocs(), (std::vector<std::string>{"C:\\doc.lvd"}));
    EXPECT_TRUE(list.getSettings().isShuffle());
    EXPECT_EQ(list.getSettings().getFromField(), 0);
    EXPECT_TRUE(list.getSettings().isToEverythingElse());
}

TEST(StudyList, AssignmentTakesTheDocumentButNotRecentDocs) {
    StudyList source;
    source.setOutline(makeOutline({"Meaning", "Example"}));
    TermSet item = makeItem(source.getOutline(), 1, "cat");
    item.setField(1, "the cat sat");
    source.addTermSet(item);
    source.setFileName("source.lvd");
    source.getSettings().setChoicesNum(5);
    source.addRecentDoc("source-recent");

    StudyList target;
    target.addRecentDoc("target-recent");
    target.addTermSet(makeItem(target.getOutline(), 1, "old"));
    target.select(0);
    target = source;
    EXPECT_FALSE(target.hasSelection());
    EXPECT_EQ(target.getOutline(), source.getOutline());
    ASSERT_EQ(target.getTermSetCount(), 1);
    EXPECT_EQ(target.getTermSet(0), source.getTermSet(0));
    EXPECT_EQ(&target.getTermSet(0).getOutline(), &target.getOutline());
    EXPECT_EQ(target.getSettings().getChoicesNum(), 5);
    EXPECT_TRUE(target.isModified());
    EXPECT_EQ(target.getFileName(), "source.lvd");
    EXPECT_EQ(target.getRecentDocs(), (std::vector<std::string>{"target-recent"}));

    // The items follow the target's outline from now on, not the source's.
    Outline swapped = makeOutline({"Example", "Meaning"});
    target.setOutline(swapped);
    EXPECT_EQ(target.getTermSet(0).getField(0), "the cat sat");
    EXPECT_EQ(source.getTermSet(0).getField(0), "");

    StudyList copied(target);
    EXPECT_EQ(&copied.getTermSet(0).getOutline(), &copied.getOutline());
    EXPECT_TRUE(copied.getRecentDocs().empty());
    StudyList assignedByMove;
    assignedByMove.addRecentDoc("kept");
    assignedByMove = std::move(copied);
    EXPECT_EQ(assignedByMove.getTermSet(0).getField(0), "the cat sat");
    EXPECT_EQ(&assignedByMove.getTermSet(0).getOutline(), &assignedByMove.getOutline());
    EXPECT_EQ(assignedByMove.getRecentDocs(), (std::vector<std::string>{"kept"}));
}

// Items read from a file keep their values apart from items made in memory; editing, copying,
// sorting, removing and replacing the list must not mix them up or leave a copy without its values.
TEST(StudyList, ItemsReadFromAFileSurviveEditsCopiesAndTheirListsEnd) {
    StudyList list;
    list.setOutline(makeOutline({"Meaning", "Example"}));
    for (int n = 1; n <= 4; ++n) {
        TermSet item = makeItem(list.getOutline(), n, "term " + std::to_string(5 - n));
        item.setField(0, "meaning " + std::to_string(n));
        item.setField(1, n % 2 ? "" : "example");
        list.addTermSet(item);
    }
    const std::string bytes = serialized(list);
    auto read = std::make_unique<StudyList>();
    MemoryDeSerializer in(bytes);
    read->deserialize(in);

    const Outline outline = makeOutline({"Meaning", "Example"});
    const TermSet copy(read->getTermSet(1), outline);
    read->getTermSet(0).setField(1, "edited");
    EXPECT_EQ(read->getTermSet(0).getField(0), "meaning 1");
    EXPECT_EQ(read->getTermSet(0).getField(1), "edited");
    EXPECT_FALSE(read->getTermSet(0) == list.getTermSet(0));
    EXPECT_EQ(read->getTermSet(1), list.getTermSet(1));
    read->sort(Sorter(Sorter::byTerm));
    read->select(0);
    read->removeSelected(); // the item numbered 4
    StudyList moved = std::move(*read);
    const StudyList copied = moved;
    read.reset();
    moved.clear();

    TermSet expected = makeItem(outline, 2, "term 3");
    expected.setField(0, "meaning 2");
    expected.setField(1, "example");
    EXPECT_EQ(copy, expected);
    ASSERT_EQ(copied.getTermSetCount(), 3);
    EXPECT_EQ(copied.getTermSet(1), expected);
    EXPECT_EQ(copied.getTermSet(2).getField(1), "edited");

    // An empty value stays a value when its item is copied to another outline.
    TermSet emptyValue(list.getOutline(), 1);
    emptyValue.setField(0, "");
    EXPECT_FALSE(TermSet(emptyValue, outline) == TermSet(outline, 1));
}

TEST(StudyList, ItemCountLimits) {
    // An outline without fields, then count items of which the first are present, then settings.
    const auto document = [](std::int32_t count, int items) {
        MemorySerializer head;
        head.writeString("Term");
        head.writeInt(0);
        head.writeInt(count);
        MemorySerializer item;
        item.writeInt(0);
        item.writeString("");
        item.writeString("");
        item.writeInt(0);
        item.writeInt(0);
        MemorySerializer settings;
        StudyList().getSettings().serialize(settings);

        std::string bytes = head.getBytes();
        bytes.reserve(bytes.size() + item.getBytes().size() * static_cast<std::size_t>(items) + 36);
        for (int n = 1; n <= items; ++n) {
            std::string record = item.getBytes();
            for (int b = 0; b < 4; ++b)
                record[static_cast<std::size_t>(b)] = static_cast<char>(n >> (8 * b));
            bytes += record;
        }
        return bytes + settings.getBytes();
    };

    const std::string full = document(999999, 999999);
    StudyList list;
    MemoryDeSerializer in(full);
    list.deserialize(in);
    EXPECT_EQ(list.getTermSetCount(), 999999);
    EXPECT_EQ(list.getTermSet(999998).getNumber(), 999999);

    for (const std::int32_t count : {1000000, -1, INT_MIN, 999999, 2}) {
        const std::string forged = document(count, 1);
        MemoryDeSerializer forgedIn(forged);
        EXPECT_THROW(list.deserialize(forgedIn), DataCorruptionException) << count;
    }
}
