#include "tests/core/testlists.h"

#include "app/sessions/presentationsession.h"
#include "app/sessions/qnasession.h"
#include "app/sessions/random.h"

#include <gtest/gtest.h>

#include <functional>
#include <set>

using Texts = std::vector<std::string>;

namespace {

// What a session dialog shows for one question: "term: From name=text -> to name=text #item counter".
std::string shown(const StudySession& session) {
    return std::string(session.getCurrentItem().getTerm()) + ": " + session.getFromName() + "=" +
           session.getFromText() + " -> " + session.getToName() + "=" + session.getToText() + " #" +
           std::to_string(session.getItemCounter());
}

// Every question of a session that ends by itself, at most limit of them, as shown or as their terms.
Texts walk(StudySession& session, int limit = 1000) {
    Texts questions;
    while (static_cast<int>(questions.size()) < limit && session.next())
        questions.push_back(shown(session));
    return questions;
}
Texts terms(StudySession& session, int limit = 1000) {
    Texts questions;
    while (static_cast<int>(questions.size()) < limit && session.next())
        questions.emplace_back(session.getCurrentItem().getTerm());
    return questions;
}

} // namespace

TEST(StudySession, AsksEveryFilledFieldOfEachItemInTheDirectionChosen) {
    StudyList list = makeStudyList(
        {"A", "B", "C"},
        {{"t1", "a1", "", "c1"}, {"t2", "", "", ""}, {"t3", "a3", "b3", "c3"}, {"", "a4", "b4", ""}});
    Setting& settings = list.getSettings();
    const struct {
        std::function<void()> choose;
        Texts questions;
    } cases[] = {
        {[] {},
         {"t1: Term=t1 -> A=a1 #1", "t1: Term=t1 -> C=c1 #1", "t3: Term=t3 -> A=a3 #2",
          "t3: Term=t3 -> B=b3 #2", "t3: Term=t3 -> C=c3 #2"}},
        // From a field to everything else: the term and the other filled fields.
        {[&] { settings.setFromField(1); },
         {"t3: B=b3 -> Term=t3 #2", "t3: B=b3 -> A=a3 #2", "t3: B=b3 -> C=c3 #2", ": B=b4 -> A=a4 #3"}},
        {[&] {
             settings.setFromField(2);
             settings.setToField(0);
         },
         {"t1: C=c1 -> A=a1 #1", "t3: C=c3 -> A=a3 #2"}},
        // Questions with nothing to show or nothing to ask are skipped; an item without any value is not
        // visited at all.
        {[&] {
             settings.setFromField(1);
             settings.setToTerm();
         },
         {"t3: B=b3 -> Term=t3 #2"}},
    };
    for (const auto& c : cases) {
        c.choose();
        QnaSession session(list, true);
        EXPECT_EQ(walk(session), c.questions);
        // Once over, a session stays over.
        EXPECT_FALSE(session.next());
    }
    EXPECT_EQ(QnaSession(list, true).getQuestionsCount(), 4);
}

TEST(StudySession, VisitsItemsInListOrderOrTheSelectionInAscendingOrder) {
    StudyList list =
        makeStudyList({"Definition"}, {{"t0", "d"}, {"t1", "d"}, {"t2", "d"}, {"t3", "d"}, {"t4", "d"}});
    QnaSession all(list, true);
    EXPECT_EQ(terms(all), (Texts{"t0", "t1", "t2", "t3", "t4"}));
    list.select(3);
    list.select(1);
    QnaSession selected(list, false);
    EXPECT_EQ(selected.getQuestionsCount(), 2);
    EXPECT_EQ(terms(selected), (Texts{"t1", "t3"}));

    // Shuffled, every item still comes exactly once.
    list.getSettings().setShuffle(true);
    QnaSession shuffled(list, true);
    const Texts order = terms(shuffled);
    EXPECT_EQ(std::multiset<std::string>(order.begin(), order.end()),
              (std::multiset<std::string>{"t0", "t1", "t2", "t3", "t4"}));

    // Continuous: round again, each pass shuffling the order of the pass before with the generator as it
    // stands then.
    list.getSettings().setContinuous(true);
    QnaSession continuous(list, true);
    EXPECT_EQ(continuous.getQuestionsCount(), -1);
    const Texts expected = terms(continuous, 5);
    std::vector<int> positions{0, 1, 2, 3, 4};
    Random::seed(12345);
    Random::shuffle(positions);
    Random::seed(12345);
    const Texts next = terms(continuous, 5);
    for (std::size_t i = 0; i < 5; ++i)
        EXPECT_EQ(next[i], expected[static_cast<std::size_t>(positions[i])]);
    list.getSettings().setShuffle(false);
    QnaSession inOrder(list, true);
    EXPECT_EQ(walk(inOrder, 10).back(), "t4: Term=t4 -> Definition=d #10");
}

TEST(StudySession, SessionsWithoutAPossibleQuestionEndAtOnce) {
    StudyList empty = makeStudyList({"A"}, {{"t1", ""}, {"t2", ""}});
    StudyList same = makeStudyList({"A", "B"}, {{"t1", "a1", "b1"}, {"t2", "a2", "b2"}});
    same.getSettings().setFromField(0);
    same.getSettings().setToField(0);
    StudyList noItems = makeStudyList({"A"}, {});
    // Nothing can be asked of an item with one filled value when both sides are drawn at random.
    StudyList single = makeStudyList({"A", "B"}, {{"", "a1", ""}, {"", "", "b3"}});
    single.getSettings().setFromAnything();
    single.getSettings().setToAnythingElse();
    for (StudyList* hopeless : {&empty, &same, &noItems, &single}) {
        for (const bool continuous : {false, true}) {
            hopeless->getSettings().setContinuous(continuous);
            QnaSession none(*hopeless, true);
            EXPECT_FALSE(none.next()) << "continuous " << continuous;
        }
    }
}

TEST(StudySession, RandomSidesTakeEveryAdmissibleField) {
    StudyList list = makeStudyList({"A", "B", "C"}, {{"t1", "a1", "b1", "c1"}, {"t2", "a2", "", "c2"}});
    Setting& settings = list.getSettings();
    settings.setFromAnything();
    settings.setToAnythingElse();
    settings.setContinuous(true);
    // Over many questions From and to differ, are never empty, and take every pair of t1's four values.
    QnaSession anything(list, true);
    Random::seed(3);
    std::set<std::string> pairs;
    for (int question = 0; question < 400 && anything.next(); ++question) {
        EXPECT_NE(anything.getFromName(), anything.getToName());
        EXPECT_FALSE(anything.getFromText().empty());
        EXPECT_FALSE(anything.getToText().empty());
        if (anything.getCurrentItem().getTerm() == "t1")
            pairs.insert(anything.getFromName() + anything.getToName());
    }
    EXPECT_EQ(pairs.size(), 12u);

    // Anything to the term never shows the term; anything to a field never shows that field.
    const struct {
        std::function<void()> choose;
        std::set<std::string> from;
    } cases[] = {{[&] { settings.setToTerm(); }, {"A", "B", "C"}},
                 {[&] { settings.setToField(0); }, {"Term", "B", "C"}}};
    for (const auto& c : cases) {
        c.choose();
        QnaSession session(list, true);
        std::set<std::string> fromNames;
        for (int question = 0; question < 200 && session.next(); ++question)
            fromNames.insert(session.getFromName());
        EXPECT_EQ(fromNames, c.from);
    }

    // Items with a single value are passed over; a shuffled continuous session keeps finding the only
    // askable item.
    StudyList one = makeStudyList({"A", "B"}, {{"", "a1", ""}, {"t2", "a2", ""}, {"", "", "b3"}});
    one.getSettings() = settings;
    one.getSettings().setToAnythingElse();
    one.getSettings().setShuffle(true);
    QnaSession onlyOne(one, true);
    EXPECT_EQ(terms(onlyOne, 50), Texts(50, "t2"));
}

TEST(StudySession, JudgesExactlyOrIgnoringTheCaseOfEveryScript) {
    StudyList list =
        makeStudyList({"Capital"}, {{"France", "paris"}, {"Accent", "\xC3\xA9t\xC3\xA9"}, {"Bracket", "["}});
    // Accented capitals fold like plain ones, an accent is no case; bytes 32 apart outside the letters are
    // different characters.
    const struct {
        int item;
        bool caseSensitive;
        const char* given;
        bool right;
    } cases[] = {{0, false, "PARIS", true},
                 {0, true, "Paris", false},
                 {0, true, "paris", true},
                 {0, false, "paris ", false},
                 {0, false, "", false},
                 {1, false, "\xC3\x89T\xC3\xA9", true},
                 {1, true, "\xC3\x89t\xC3\xA9", false},
                 {1, false, "ete", false},
                 {2, false, "{", false}};
    for (const auto& c : cases) {
        list.getSettings().setCaseSensitive(c.caseSensitive);
        QnaSession session(list, true);
        for (int i = 0; i <= c.item; ++i)
            ASSERT_TRUE(session.next());
        EXPECT_EQ(session.answer(c.given), c.right) << c.given;
    }
}

TEST(StudySession, AnswersUpdateScoresAndTheModifiedFlagButPresentationsDoNot) {
    StudyList list =
        makeStudyList({"Capital"}, {{"France", "Paris"}, {"Italy", "Rome"}, {"Spain", "Madrid"}});
    markSaved(list);
    PresentationSession presentation(list, true);
    EXPECT_EQ(walk(presentation).size(), 3u);
    EXPECT_FALSE(list.isModified());
    EXPECT_EQ(presentation.getQuestionsAskedCnt(), 0);

    QnaSession session(list, true);
    EXPECT_EQ(session.getResult(), 0);
    for (const char* given : {"paris", "Milan", ""}) {
        ASSERT_TRUE(session.next());
        session.answer(given);
        EXPECT_TRUE(list.isModified());
    }
    EXPECT_FALSE(session.next());
    EXPECT_EQ(session.getQuestionsAskedCnt(), 3);
    EXPECT_EQ(session.getCorrectAnswersCnt(), 1);
    EXPECT_EQ(session.getResult(), 33);
    const int scores[][2] = {{1, 1}, {1, 0}, {1, 0}};
    for (std::size_t idx = 0; idx < 3; ++idx) {
        EXPECT_EQ(list.getTermSet(idx).getTimesAsked(), scores[idx][0]);
        EXPECT_EQ(list.getTermSet(idx).getCorrectAnswers(), scores[idx][1]);
    }
}

TEST(StudySession, LongRunOfSkippedQuestionsBeforeTheOnlyQuestion) {
    // Every item but the last has no term: each of its questions is skipped, two per item.
    const int count = StudyList::MaxTermSetCount;
    StudyList list = makeStudyList({"Definition"}, {{"", "d"}});
    for (int number = 2; number < count; ++number)
        list.addTermSet(list.getTermSet(0));
    list.addTermSet(makeStudyList({"Definition"}, {{"last", "d"}}).getTermSet(0));

    QnaSession session(list, true);
    ASSERT_TRUE(session.next());
    EXPECT_EQ(session.getCurrentItem().getTerm(), "last");
    EXPECT_EQ(session.getItemCounter(), count);
    EXPECT_FALSE(session.next());
}
