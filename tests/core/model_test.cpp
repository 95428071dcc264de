#include "testlists.h"

#include "WinLib/io/exceptions.h"

#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <memory>

using Win::IO::DataCorruptionException;
using Win::IO::MemoryDeSerializer;
using Win::IO::MemorySerializer;
using Names = std::vector<std::string>;

namespace {

Outline makeOutline(const Names& fields) {
    return makeStudyList(fields, {}).getOutline();
}

template <class Object> void read(Object& object, const std::string& bytes) {
    MemoryDeSerializer in(bytes);
    object.deserialize(in);
}

std::string serialized(StudyList& list) {
    MemorySerializer out;
    list.serialize(out);
    return out.getBytes();
}

} // namespace

TEST(Outline, EditingAndDefaults) {
    EXPECT_EQ(namesOf(Outline()), (Names{"Term", "Definition"}));
    Outline outline = makeOutline({"X", "Y", "Z"});
    outline.moveDefUp(1);
    EXPECT_EQ(namesOf(outline), (Names{"Term", "Y", "X", "Z"}));
    outline.moveDefDown(1);
    outline.removeDef(0);
    EXPECT_EQ(namesOf(outline), (Names{"Term", "Z", "X"}));
    outline.setItemType("Word");
    outline.setDefaults();
    EXPECT_EQ(outline, Outline());
    // A new item type alone makes another outline.
    outline.setItemType("Word");
    EXPECT_FALSE(outline == Outline());
    // So does another name of any field, the first as the last.
    EXPECT_FALSE(makeOutline({"Meaning", "Example"}) == makeOutline({"Definition", "Example"}));
    EXPECT_FALSE(makeOutline({"Definition", "Usage"}) == makeOutline({"Definition", "Example"}));
}

// Counts read from a file are checked against their limits and against the bytes that remain, before
// anything is allocated for them.
TEST(StudyList, ForgedCountsAreRefusedWhenRead) {
    // An outline claiming fieldCount fields of which names are present, then itemCount items of which
    // items are present, then the settings.
    const auto document = [](std::int32_t fieldCount, int names, std::int32_t itemCount, int items) {
        MemorySerializer out;
        out.writeString("Term");
        out.writeInt(fieldCount);
        for (int i = 0; i < names; ++i)
            out.writeString("f" + std::to_string(i));
        out.writeInt(itemCount);
        for (int n = 1; n <= items; ++n) {
            out.writeInt(n);
            for (int i = 0; i < names + 2; ++i)
                out.writeString("");
            out.writeInt(0);
            out.writeInt(0);
        }
        StudyList().getSettings().serialize(out);
        return out.getBytes();
    };
    StudyList list;
    read(list, document(500, 500, 2, 2));
    EXPECT_EQ(list.getOutline().getDefCount(), 500);
    EXPECT_EQ(list.getTermSetCount(), 2);
    const int forged[][4] = {{501, 501, 0, 0},   {-1, 1, 0, 0},      {-500, 1, 0, 0},
                             {400, 1, 0, 0},     {0, 0, 1000000, 1}, {0, 0, -1, 1},
                             {0, 0, INT_MIN, 1}, {0, 0, 999999, 1},  {0, 0, 2, 1}};
    for (const auto& f : forged)
        EXPECT_THROW(read(list, document(f[0], f[1], f[2], f[3])), DataCorruptionException)
            << f[0] << " " << f[2];
}

TEST(TermSet, FieldsAreKeyedByName) {
    Outline outline = makeOutline({"Definition", "Example"});
    TermSet item(outline, 1);
    item.setField(0, "animal");
    item.setField(1, "the cat sat");
    outline.moveDefDown(0);
    EXPECT_EQ(item.getField(0), "the cat sat");
    EXPECT_EQ(item.getField(1), "animal");

    // A removed field's value is out of sight, and returns when the name is added again.
    outline.removeDef(1);
    EXPECT_EQ(outline.getDefCount(), 1);
    outline.addDef("Definition");
    EXPECT_EQ(item.getField(1), "animal");
    // Two fields of one name share one value.
    outline.addDef("Definition");
    item.setField(2, "shared");
    EXPECT_EQ(item.getField(1), "shared");
}

TEST(TermSet, AssignmentKeepsOutlineAndEqualityIgnoresIt) {
    Outline first;
    Outline second = makeOutline({"Meaning"});
    TermSet source(first, 4);
    source.setTerm("cat");
    source.setField(0, "animal");
    source.setComment("pet");
    source.addCorrectAnswer();

    EXPECT_EQ(&TermSet(source).getOutline(), &first);
    TermSet target(second, 1);
    target = source;
    EXPECT_EQ(&target.getOutline(), &second);
    EXPECT_EQ(target, source);
    // Values stay keyed by "Definition", which the second outline has not.
    EXPECT_EQ(target.getField(0), "");

    // An empty value is a value, also when copied to another outline.
    TermSet emptyValue(first, 1);
    emptyValue.setField(0, "");
    EXPECT_FALSE(emptyValue == TermSet(first, 1));
    EXPECT_FALSE(TermSet(emptyValue, second) == TermSet(second, 1));
}

TEST(TermSet, ReadingTakesFirstNonEmptyValueAndMendsScores) {
    Outline outline = makeOutline({"Def", "Def", "Other"});
    const auto itemRead = [&](const Names& texts, int asked, int right) {
        MemorySerializer out;
        for (const std::string& text : texts)
            out.writeString(text);
        out.writeInt(asked);
        out.writeInt(right);
        TermSet item(outline, 1);
        read(item, out.getBytes());
        return item;
    };
    const TermSet negative = itemRead({"term", "", "second wins over empty first", "", "comment"}, -5, 3);
    EXPECT_EQ(negative.getField(0), "second wins over empty first");
    EXPECT_EQ(negative.getTimesAsked() + negative.getCorrectAnswers() + negative.getRatio(), 0);

    // More right answers than questions become all right; empty values make no entries.
    TermSet fresh(outline, 1);
    fresh.setTerm("t");
    addScores(fresh, 4, 0);
    EXPECT_EQ(itemRead({"t", "", "", "", ""}, 4, 9), fresh);
}

TEST(Setting, FollowOutlineChanges) {
    StudyList list = makeStudyList({"A", "B", "C"}, {});
    list.getSettings().setFromField(2);
    list.getSettings().setToField(1);
    list.setOutline(makeOutline({"A", "B"}));
    EXPECT_TRUE(list.getSettings().isFromTerm());
    EXPECT_EQ(list.getSettings().getToField(), 1);
    list.setOutline(makeOutline({"A"}));
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

// Values a file can hold but no dialog can produce are brought into range when the settings are taken;
// stale field indices stay.
TEST(Setting, ImpossibleValuesReadFromFilesAreBroughtIntoRange) {
    const Outline outline = makeOutline({"A", "B"});
    // Time-out, choices, From kind, to kind, From field, to field.
    const auto settingRead = [&](const std::vector<int>& values) {
        MemorySerializer out;
        out.writeInt(values[0]);
        out.writeBool(true);
        out.writeBool(false);
        out.writeBool(true);
        for (std::size_t i = 1; i < values.size(); ++i)
            out.writeInt(values[i]);
        Setting setting(outline);
        read(setting, out.getBytes());
        return setting;
    };
    const int Field = Setting::FIELD;
    const struct {
        std::vector<int> read, taken;
    } cases[] = {
        {{150, 9, 7, -1, 0, 0}, {Setting::TimeOutMax, 3, Setting::TERM, Setting::EVERYTHING_ELSE, 0, 0}},
        {{-4, 1, 0, 0, 0, 0}, {0, 3, 0, 0, 0, 0}},
        {{1, 7, 0, 0, 0, 0}, {Setting::TimeOutMin, 3, 0, 0, 0, 0}},
        {{0, 3, Field, Field, -1, -2}, {0, 3, Setting::TERM, Setting::EVERYTHING_ELSE, -1, -2}},
        {{0, 3, Field, Field, 2, 2}, {0, 3, Setting::TERM, Setting::EVERYTHING_ELSE, 2, 2}},
        // Every value a dialog can produce passes unchanged.
        {{99, 6, Field, Field, 1, 0}, {99, 6, Field, Field, 1, 0}},
        {{2, 2, Setting::ANYTHING, Setting::ANYTHING_ELSE, 5, 7}, {2, 2, 2, 2, 5, 7}},
    };
    for (const auto& c : cases) {
        Setting taken(outline);
        taken = settingRead(c.read);
        EXPECT_TRUE(taken == settingRead(c.taken)) << testing::PrintToString(c.read);
    }
}

TEST(StudyList, RemoveSelectedRenumbersDensely) {
    StudyList list = makeStudyList({}, {{"d"}, {"b"}, {"e"}, {"a"}, {"c"}});
    markSaved(list);
    list.select(1);
    list.setSelectedTermSet(TermSet(Outline(), 2));
    EXPECT_TRUE(list.isModified());
    EXPECT_EQ(&list.getTermSet(1).getOutline(), &list.getOutline());
    list.getTermSet(1).setTerm("b");

    list.selectAll();
    list.deselect(0);
    list.deselect(3);
    list.deselect(3);
    EXPECT_EQ(list.getSelection(), (std::vector<int>{1, 2, 4}));
    // The list asks row by row when the program holds a large selection.
    for (int idx = -1; idx <= 5; ++idx)
        EXPECT_EQ(list.isSelected(idx), idx == 1 || idx == 2 || idx == 4) << idx;
    EXPECT_EQ(list.getSelectedTermSet().getTerm(), "b");
    list.clearSelection();

    // After a sort, the rows shown selected go, and the rest are numbered 1 up in their old relative order.
    list.sort(Sorter(Sorter::byTerm)); // a4 b2 c5 d1 e3
    list.select(1);
    list.select(3);
    EXPECT_EQ(list.getSelectionCount(), 2);
    list.removeSelected();
    EXPECT_EQ(numbersOf(list), (std::vector<int>{2, 3, 1}));
    EXPECT_EQ(itemsOf(list), (Rows{{"a", ""}, {"c", ""}, {"e", ""}}));
    EXPECT_FALSE(list.hasSelection());
}

TEST(StudyList, RecentDocsAndWhatClearKeeps) {
    StudyList list;
    for (const char* doc : {"X", "W", "V", "X"})
        list.addRecentDoc(doc);
    EXPECT_EQ(list.getRecentDocs(), (Names{"X", "V", "W"}));
    list.addRecentDoc("x");
    EXPECT_EQ(list.getRecentDocs().size(), 4u);
    for (int i = 1; i <= 10; ++i)
        list.addRecentDoc(std::to_string(i));
    list.addRecentDoc("new");
    const Names docs = list.getRecentDocs();
    ASSERT_EQ(docs.size(), static_cast<std::size_t>(StudyList::MaxRecentDocs));
    EXPECT_EQ(docs.front(), "new");
    EXPECT_EQ(docs.back(), "2");

    list.setOutline(makeOutline({"A", "B"}));
    list.addTermSet(TermSet(list.getOutline(), 1));
    list.setFileName("C:\\doc.lvd");
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
    EXPECT_EQ(list.getRecentDocs(), docs);
    EXPECT_TRUE(list.getSettings().isShuffle());
    EXPECT_EQ(list.getSettings().getFromField(), 0);
    EXPECT_TRUE(list.getSettings().isToEverythingElse());
}

TEST(StudyList, AssignmentTakesTheDocumentButNotRecentDocs) {
    StudyList source = makeStudyList({"Meaning", "Example"}, {{"cat", "", "the cat sat"}});
    source.setFileName("source.lvd");
    source.getSettings().setChoicesNum(5);
    source.addRecentDoc("source-recent");

    StudyList target = makeStudyList({}, {{"old"}});
    target.addRecentDoc("target-recent");
    target.select(0);
    target = source;
    EXPECT_FALSE(target.hasSelection());
    EXPECT_EQ(target.getOutline(), source.getOutline());
    EXPECT_EQ(itemsOf(target), itemsOf(source));
    EXPECT_EQ(&target.getTermSet(0).getOutline(), &target.getOutline());
    EXPECT_EQ(target.getSettings().getChoicesNum(), 5);
    EXPECT_TRUE(target.isModified());
    EXPECT_EQ(target.getFileName(), "source.lvd");
    EXPECT_EQ(target.getRecentDocs(), Names{"target-recent"});

    // The items follow the target's outline from now on, not the source's.
    target.setOutline(makeOutline({"Example", "Meaning"}));
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
    EXPECT_EQ(assignedByMove.getRecentDocs(), Names{"kept"});
}

// Items read from a file keep their values apart from items made in memory; editing, copying,
// sorting, removing and replacing the list must not mix them up or leave a copy without its values.
TEST(StudyList, ItemsReadFromAFileSurviveEditsCopiesAndTheirListsEnd) {
    StudyList list = makeStudyList({"Meaning", "Example"}, {{"term 4", "meaning 1", ""},
                                                            {"term 3", "meaning 2", "example"},
                                                            {"term 2", "meaning 3", ""},
                                                            {"term 1", "meaning 4", "example"}});
    auto fromFile = std::make_unique<StudyList>();
    read(*fromFile, serialized(list));

    const Outline outline = makeOutline({"Meaning", "Example"});
    const TermSet copy(fromFile->getTermSet(1), outline);
    fromFile->getTermSet(0).setField(1, "edited");
    EXPECT_EQ(fromFile->getTermSet(0).getField(0), "meaning 1");
    EXPECT_FALSE(fromFile->getTermSet(0) == list.getTermSet(0));
    EXPECT_EQ(fromFile->getTermSet(1), list.getTermSet(1));
    fromFile->sort(Sorter(Sorter::byTerm));
    fromFile->select(0);
    fromFile->removeSelected(); // the item numbered 4
    StudyList moved = std::move(*fromFile);
    const StudyList copied = moved;
    fromFile.reset();
    moved.clear();

    // Copies on one outline compare their values as stored.
    EXPECT_EQ(copy, TermSet(list.getTermSet(1), outline));
    EXPECT_EQ(itemsOf(copied), (Rows{{"term 2", "meaning 3", "", ""},
                                     {"term 3", "meaning 2", "example", ""},
                                     {"term 4", "meaning 1", "edited", ""}}));
}
