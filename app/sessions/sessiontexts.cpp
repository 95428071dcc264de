#include "sessiontexts.h"

#include "messageformat.h"
#include "studysession.h"

std::string wrongAnswerText(std::string_view format, std::string_view given, std::string_view rightAnswer) {
    return formatMessage(format, {given, rightAnswer});
}

std::string summaryText(std::string_view format, const StudySession& session) {
    return formatMessage(
        format, {session.getQuestionsAskedCnt(), session.getCorrectAnswersCnt(), session.getResult()});
}
