#pragma once

#include <string>
#include <string_view>

class StudySession;

// The texts the question dialogs show, made from the formats they load from the string table.

// Tells the user that the given answer is wrong and what the right one is; the format takes the
// given answer first.
std::string wrongAnswerText(std::string_view format, std::string_view given, std::string_view rightAnswer);
// The totals at the end of a session: questions asked, correct answers and the result in percent.
std::string summaryText(std::string_view format, const StudySession& session);
