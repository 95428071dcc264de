#include "sessiontestlist.h"

#include "app/sessions/presentationsession.h"
#include "app/sessions/qnasession.h"
#include "app/sessions/random.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

namespace {

// What a session dialog shows for one question.
struct Shown {
    std::string term;
    std::string fromName, fromText, toName, toText;
    int item;
    bool operator==(const Shown&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Shown& shown) {
    return out << shown.term << ": " << shown.fromName << "=" << shown.fromText << " -> " << shown.toName
               << "=" << shown.toText << " (item " << shown.item << ")";
}

Shown shown(const StudySession& session) {
    return {session.getCurrentItem().getTerm(),
            session.getFromName(),
            session.getFromText(),
            session.getToName(),
            session.getToText(),
            session.getItemCounter()};
}

// Every question of a session that ends by itself, at most limit of them.
std::vector<Shown> walk(StudySession& session, int limit = 1000) {
    std::vector<Shown> questions;
    while (static_cast<int>(questions.size()) < limit && session.next())
        questions.push_back(shown(session));
    return questions;
}

std::vector<std::string> terms(const std::vector<Shown>& questions) {
    std::vector<std::string> result;
    for (const Shown& question : questions)
        result.push_back(question.term);
    return result;
}

} // namespace

TEST(StudySession, DefaultDirectionAsksEveryFilledFieldOfEachItemOnce) {
    StudyList list = makeStudyList({"A", "B", "C"},
                                   {{"t1", "a1", "", "c1"}, {"t2", "", "", ""}, {"t3", "a3", "b3", "c3"}});
    QnaSession session(list, true);
    EXPECT_EQ(session.getQuestionsCount(), 3);
    EXPECT_EQ(session.getItemCounter(), 0);

    const std::vector<Shown> expected{
        {"t1", "Term", "t1", "A", "a1", 1}, {"t1", "Term", "t1", "C", "c1", 1},
        {"t3", "Term", "t3", "A", "a3", 2}, {"t3", "Term", "t3", "B", "b3", 2},
        {"t3", "Term", "t3", "C", "c3", 2},
    };
    EXPECT_EQ(walk(session), expected);
    // Once over, a session stays over.
    EXPECT_FALSE(session.next());
}

TEST(StudySession, VisitsItemsInListOrderOrTheSelectionInAscendingOrder) {
    StudyList list =
        makeStudyList({"Definition"}, {{"t0", "d"}, {"t1", "d"}, {"t2", "d"}, {"t3", "d"}, {"t4", "d"}});
    QnaSession all(list, true);
    EXPECT_EQ(terms(walk(all)), (std::vector<std::string>{"t0", "t1", "t2", "t3", "t4"}));

    list.select(3);
    list.select(1);
    QnaSession selected(list, false);
    EXPECT_EQ(selected.getQuestionsCount(), 2);
    EXPECT_EQ(terms(walk(selected)), (std::vector<std::string>{"t1", "t3"}));

    // Shuffled, every item still comes exactly once.
    list.getSettings().setShuffle(true);
    QnaSession shuffled(list, true);
    const std::vector<std::string> order = terms(walk(shuffled));
    EXPECT_EQ(std::set<std::string>(order.begin(), order.end()),
              (std::set<std::string>{"t0", "t1", "t2", "t3", "t4"}));
    EXPECT_EQ(order.size(), 5u);
}

TEST(StudySession, SkipsQuestionsWithAnEmptySideAndEndsWhenNoneIsLeft) {
    StudyList list = makeStudyList({"A", "B"}, {{"", "a1", ""}, {"t2", "", "b2"}, {"t3", "a3", ""}});
    list.getSettings().setFromField(0);
    list.getSettings().setToTerm();
    QnaSession session(list, true);
    // Item 1 has no term to ask for, item 2 nothing to show; both visits still count.
    EXPECT_EQ(walk(session), (std::vector<Shown>{{"t3", "A", "a3", "Term", "t3", 3}}));

    // Lists without any possible question end at once.
    StudyList empty = makeStudyList({"A"}, {{"t1", ""}, {"t2", ""}});
    StudyList same = makeStudyList({"A", "B"}, {{"t1", "a1", "b1"}, {"t2", "a2", "b2"}});
    same.getSettings().setFromField(0);
    same.getSettings().setToField(0);
    StudyList noItems = makeStudyList({"A"}, {});
    for (StudyList* hopeless : {&empty, &same, &noItems}) {
        for (const bool continuous : {false, true}) {
            hopeless->getSettings().setContinuous(continuous);
            QnaSession none(*hopeless, true);
            EXPECT_FALSE(none.next()) << "continuous " << continuous;
        }
    }
}

TEST(StudySession, FieldDirections) {
    StudyList list = makeStudyList({"A", "B", "C"}, {{"t1", "a1", "b1", "c1"}, {"t2", "a2", "", "c2"}});
    Setting& settings = list.getSettings();

    // From a field to everything else walks the term and the other filled fields.
    settings.setFromField(1);
    QnaSession fromB(list, true);
    EXPECT_EQ(walk(fromB), (std::vector<Shown>{{"t1", "B", "b1", "Term", "t1", 1},
                                               {"t1", "B", "b1", "A", "a1", 1},
                                               {"t1", "B", "b1", "C", "c1", 1}}));

    settings.setFromField(2);
    settings.setToField(0);
    QnaSession fieldToField(list, true);
    EXPECT_EQ(walk(fieldToField),
              (std::vector<Shown>{{"t1", "C", "c1", "A", "a1", 1}, {"t2", "C", "c2", "A", "a2", 2}}));

    // Random sides: over many questions From and to differ, are never empty, and take every
    // admissible field.
    settings.setFromAnything();
    settings.setToAnythingElse();
    settings.setContinuous(true);
    QnaSession anything(list, true);
    Random::seed(3);
    std::set<std::pair<std::string, std::string>> pairs;
    for (const Shown& question : walk(anything, 400)) {
        EXPECT_NE(question.fromName, question.toName);
        EXPECT_FALSE(question.fromText.empty());
        EXPECT_FALSE(question.toText.empty());
        if (question.term == "t1")
            pairs.emplace(question.fromName, question.toName);
    }
    EXPECT_EQ(pairs.size(), 12u); // four filled fields of t1, each with the three others

    // Anything to the term never shows the term; anything to a field never shows that field.
    settings.setToTerm();
    QnaSession toTerm(list, true);
    Random::seed(4);
    std::set<std::string> fromNames;
    for (const Shown& question : walk(toTerm, 200))
        fromNames.insert(question.fromName);
    EXPECT_EQ(fromNames, (std::set<std::string>{"A", "B", "C"}));

    settings.setToField(0);
    QnaSession toA(list, true);
    Random::seed(5);
    fromNames.clear();
    for (const Shown& question : walk(toA, 200)) {
        EXPECT_EQ(question.toName, "A");
        fromNames.insert(question.fromName);
    }
    EXPECT_EQ(fromNames, (std::set<std::string>{"Term", "B", "C"}));
}

TEST(StudySession, RandomSidesSkipItemsWithASingleValue) {
    // Nothing can be asked of an item with one filled value: such items are passed over, and a
    // continuous session of nothing else ends instead of drawing for ever.
    StudyList list = makeStudyList({"A", "B"}, {{"", "a1", ""}, {"t2", "a2", ""}, {"", "", "b3"}});
    Setting& settings = list.getSettings();
    settings.setFromAnything();
    settings.setToAnythingElse();
    settings.setContinuous(true);
    QnaSession session(list, true);
    const std::vector<Shown> questions = walk(session, 50);
    EXPECT_EQ(questions.size(), 50u);
    for (const Shown& question : questions)
        EXPECT_EQ(question.term, "t2");

    StudyList single = makeStudyList({"A", "B"}, {{"", "a1", ""}, {"", "", "b3"}});
    single.getSettings() = settings;
    QnaSession nothing(single, true);
    EXPECT_FALSE(nothing.next());

    // A shuffled continuous session keeps finding the only askable item.
    StudyList one = makeStudyList({"D"}, {{"t0", ""}, {"t1", ""}, {"t2", "d2"}});
    one.getSettings().setContinuous(true);
    one.getSettings().setShuffle(true);
    QnaSession onlyOne(one, true);
    EXPECT_EQ(terms(walk(onlyOne, 20)), std::vector<std::string>(20, "t2"));
}

TEST(StudySession, JudgesExactlyOrIgnoringTheCaseOfAToZOnly) {
    StudyList list =
        makeStudyList({"Capital"}, {{"France", "paris"}, {"Accent", "\xE9t\xE9"}, {"Bracket", "["}});
    // An accented capital is not the small letter, but the plain letters around it still fold; bytes 32
    // apart outside A to Z are different characters.
    const struct {
        int item;
        bool caseSensitive;
        const char* given;
        bool right;
    } cases[] = {{0, false, "PARIS", true},     {0, true, "Paris", false}, {0, true, "paris", true},
                 {0, false, "paris ", false},   {0, false, "", false},     {1, false, "\xC9t\xE9", false},
                 {1, false, "\xE9T\xE9", true}, {2, false, "{", false}};
    for (const auto& c : cases) {
        list.getSettings().setCaseSensitive(c.caseSensitive);
        QnaSession session(list, true);
        for (int i = 0; i <= c.item; ++i)
            ASSERT_TRUE(session.next());
        EXPECT_EQ(session.answer(c.given), c.right) << c.given;
    }
}

TEST(StudySession, AnswersUpdateScoresCountersAndTheModifiedFlag) {
    StudyList list =
        makeStudyList({"Capital"}, {{"France", "Paris"}, {"Italy", "Rome"}, {"Spain", "Madrid"}});
    markSaved(list);
    QnaSession session(list, true);
    EXPECT_EQ(session.getResult(), 0);

    ASSERT_TRUE(session.next());
    EXPECT_TRUE(session.answer("paris"));
    EXPECT_TRUE(list.isModified());
    ASSERT_TRUE(session.next());
    EXPECT_FALSE(session.answer("Milan"));
    ASSERT_TRUE(session.next());
    EXPECT_FALSE(session.answer(""));
    EXPECT_FALSE(session.next());

    EXPECT_EQ(session.getQuestionsAskedCnt(), 3);
    EXPECT_EQ(session.getCorrectAnswersCnt(), 1);
    EXPECT_EQ(session.getResult(), 33);
    EXPECT_EQ(list.getTermSet(0).getTimesAsked(), 1);
    EXPECT_EQ(list.getTermSet(0).getCorrectAnswers(), 1);
    EXPECT_EQ(list.getTermSet(1).getTimesAsked(), 1);
    EXPECT_EQ(list.getTermSet(1).getCorrectAnswers(), 0);
    EXPECT_EQ(list.getTermSet(2).getTimesAsked(), 1);
}

TEST(StudySession, PresentationLeavesScoresAndModifiedFlagAlone) {
    StudyList list = makeStudyList({"A", "B"}, {{"t1", "a1", "b1"}, {"t2", "", "b2"}, {"t3", "a3", ""}});
    markSaved(list);
    PresentationSession session(list, true);
    EXPECT_EQ(walk(session).size(), 4u);
    EXPECT_FALSE(list.isModified());
    EXPECT_EQ(session.getQuestionsAskedCnt(), 0);
    for (int idx = 0; idx < list.getTermSetCount(); ++idx)
        EXPECT_EQ(list.getTermSet(static_cast<std::size_t>(idx)).getTimesAsked(), 0);
}

TEST(StudySession, ContinuousSessionGoesRoundAndReshuffles) {
    StudyList list = makeStudyList({"D"}, {{"t0", "d"}, {"t1", "d"}, {"t2", "d"}, {"t3", "d"}, {"t4", "d"}});
    list.getSettings().setContinuous(true);
    QnaSession inOrder(list, true);
    EXPECT_EQ(inOrder.getQuestionsCount(), -1);
    const std::vector<Shown> twice = walk(inOrder, 10);
    EXPECT_EQ(terms(twice),
              (std::vector<std::string>{"t0", "t1", "t2", "t3", "t4", "t0", "t1", "t2", "t3", "t4"}));
    EXPECT_EQ(twice.back().item, 10);

    list.getSettings().setShuffle(true);
    QnaSession shuffled(list, true);
    std::vector<int> order;
    for (const Shown& question : walk(shuffled, 5))
        order.push_back(question.term[1] - '0');
    // The next pass shuffles the order of the pass before, with the generator as it stands then.
    Random::seed(12345);
    std::vector<int> expected = order;
    Random::shuffle(expected);
    Random::seed(12345);
    std::vector<int> next;
    for (const Shown& question : walk(shuffled, 5))
        next.push_back(question.term[1] - '0');
    EXPECT_EQ(next, expected);
}

TEST(StudySession, LongRunOfSkippedQuestionsBeforeTheOnlyQuestion) {
    // Every item but the last has no term: each of its questions is skipped, two per item.
    const int count = StudyList::MaxTermSetCount;
    StudyList list = makeStudyList({"Definition"}, {{"", "d"}});
    for (int number = 2; number < count; ++number)
        list.addTermSet(list.getTermSet(0));
    TermSet last(list.getOutline(), count);
    last.setTerm("last");
    last.setField(0, "d");
    list.addTermSet(last);

    QnaSession session(list, true);
    ASSERT_TRUE(session.next());
    EXPECT_EQ(session.getCurrentItem().getTerm(), "last");
    EXPECT_EQ(session.getItemCounter(), count);
    EXPECT_FALSE(session.next());
}
