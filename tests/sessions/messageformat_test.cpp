#include "tests/core/testlists.h"

#include "app/sessions/messageformat.h"
#include "app/sessions/qnasession.h"
#include "app/sessions/sessiontexts.h"

#include <gtest/gtest.h>

TEST(SessionTexts, WrongAnswerAndSummaryShowEveryCharacterAndCount) {
    const char* const wrongAnswer = "\"%s\" is wrong.\nThe correct answer is:\n\"%s\".";
    const std::string given(100000, 'g');
    const std::string right = std::string(70000, 'r') + "\xE9nd";
    EXPECT_EQ(wrongAnswerText(wrongAnswer, given, right),
              "\"" + given + "\" is wrong.\nThe correct answer is:\n\"" + right + "\".");
    EXPECT_EQ(wrongAnswerText(wrongAnswer, "%s%n%%", ""),
              "\"%s%n%%\" is wrong.\nThe correct answer is:\n\"\".");

    // The question on screen when the user stops is not counted.
    const char* const summary = "Total questions:\t\t%i\nCorrectly answered:\t\t%i\nResult:\t\t\t%i%%";
    StudyList list = makeStudyList({"D"}, {{"a", "1"}, {"b", "2"}, {"c", "3"}, {"d", "4"}, {"e", "5"}});
    QnaSession session(list, true);
    EXPECT_EQ(summaryText(summary, session),
              "Total questions:\t\t0\nCorrectly answered:\t\t0\nResult:\t\t\t0%");
    for (const char* answer : std::initializer_list<const char*>{"1", "2", "x", "4", nullptr}) {
        ASSERT_TRUE(session.next());
        if (answer != nullptr)
            session.answer(answer);
    }
    EXPECT_EQ(summaryText(summary, session),
              "Total questions:\t\t4\nCorrectly answered:\t\t3\nResult:\t\t\t75%");
}

TEST(MessageFormat, FormatsThatDoNotMatchTheirArgumentsStaySafe) {
    EXPECT_EQ(formatMessage("%s and %s and %s", {"one", "two"}), "one and two and %s");
    EXPECT_EQ(formatMessage("%s", {"one", "two"}), "one");
    EXPECT_EQ(formatMessage("%i items, %s", {"text", -42}), "text items, -42");
    EXPECT_EQ(formatMessage("%d%%", {2147483647}), "2147483647%");
    EXPECT_EQ(formatMessage("50% %x %", {"unused"}), "50% %x %");
    EXPECT_EQ(formatMessage("", {"unused"}), "");
}
