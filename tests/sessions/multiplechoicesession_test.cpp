#include "tests/core/testlists.h"

#include "app/sessions/multiplechoicesession.h"
#include "app/sessions/random.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace {

std::multiset<std::string> asSet(const std::vector<std::string>& texts) {
    return std::multiset<std::string>(texts.begin(), texts.end());
}

} // namespace

TEST(MultipleChoiceSession, OffersTheRightAnswerAmongTheOtherItemsAnswersAtVaryingPlaces) {
    StudyList list =
        makeStudyList({"Capital"}, {{"France", "Paris"}, {"Italy", "Rome"}, {"Spain", "Madrid"}});
    list.getSettings().setContinuous(true);
    MultipleChoiceSession session(list, true);
    Random::seed(11);
    std::set<std::size_t> rightPlaces;
    for (int question = 0; question < 300; ++question) {
        ASSERT_TRUE(session.next());
        const std::vector<std::string> choices = session.getChoices();
        ASSERT_EQ(asSet(choices), (std::multiset<std::string>{"Paris", "Rome", "Madrid"}));
        rightPlaces.insert(static_cast<std::size_t>(
            std::find(choices.begin(), choices.end(), session.getToText()) - choices.begin()));
    }
    EXPECT_EQ(rightPlaces, (std::set<std::size_t>{0, 1, 2}));
}

// The wrong answers are the other items' distinct values: one empty value counts, exact duplicates do not,
// and a question needs as many as the choices ask for.
TEST(MultipleChoiceSession, TooFewDistinctAnswersOrImpossibleCountsGiveNoQuestion) {
    const Rows capitals{{"France", "Paris"}, {"Texas", "paris"}, {"x", ""},
                        {"y", ""},           {"Italy", "Rome"},  {"z", "Rome"}};
    const struct {
        std::size_t items;
        int choices;
        bool asked;
    } cases[] = {{2, 3, false}, {3, 3, true},  {2, 2, true},   {6, 4, true},  {6, 5, false},
                 {3, 1, false}, {3, 0, false}, {3, -5, false}, {3, 4, false}, {3, 1000000, false}};
    for (const auto& c : cases) {
        StudyList list = makeStudyList({"Capital"}, Rows(capitals.begin(), capitals.begin() + c.items));
        list.getSettings().setChoicesNum(c.choices);
        MultipleChoiceSession session(list, true);
        EXPECT_EQ(session.next(), c.asked) << c.items << " items, " << c.choices << " choices";
    }

    // Items without the value are never asked, but their empty answer is a candidate once; "paris"
    // differs from "Paris" and stays, the second "Rome" goes.
    StudyList list = makeStudyList({"Capital"}, capitals);
    list.select(0);
    list.getSettings().setChoicesNum(4);
    MultipleChoiceSession session(list, false);
    ASSERT_TRUE(session.next());
    EXPECT_EQ(asSet(session.getChoices()), (std::multiset<std::string>{"Paris", "paris", "", "Rome"}));
    // Picking the choice that differs only in case is right when the session ignores case.
    EXPECT_TRUE(session.answer("paris"));
    EXPECT_FALSE(session.next());
}
