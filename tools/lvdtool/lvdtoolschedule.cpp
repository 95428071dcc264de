// The lvdtool commands of the review schedule.
#include "lvdtool.h"

#include "filemessages.h"

#include "app/files/documentfileoutputmethod.h"
#include "app/model/utctime.h"
#include "app/sessions/reviewchoice.h"

#include <cstdio>
#include <ctime>
#include <fstream>
#include <map>
#include <sstream>

namespace {

struct LoggedReview {
    int number;
    UtcTime time;
    Grade grade;
};

const char* stateName(ItemSchedule::State state) {
    switch (state) {
    case ItemSchedule::NEW:
        return "new";
    case ItemSchedule::LEARNING:
        return "learning";
    case ItemSchedule::REVIEW:
        return "review";
    case ItemSchedule::RELEARNING:
        break;
    }
    return "relearning";
}

std::string fixed6(double value) {
    char text[64];
    std::snprintf(text, sizeof text, "%.6f", value);
    return text;
}

// The line's review, or the reason it is refused.
std::optional<LoggedReview> parseReview(const std::string& line, std::string& reason) {
    std::istringstream fields(line);
    std::string number, time, grade, rest;
    if (!std::getline(fields, number, '\t') || !std::getline(fields, time, '\t') ||
        !std::getline(fields, grade, '\t') || std::getline(fields, rest)) {
        reason = "expected item number, time and grade separated by tabs";
        return std::nullopt;
    }
    if (number.empty() || number.size() > 6 || number.find_first_not_of("0123456789") != std::string::npos) {
        reason = "bad item number \"" + number + "\"";
        return std::nullopt;
    }
    const auto parsedTime = parseUtc(time);
    if (!parsedTime) {
        reason = "bad time \"" + time + "\" (expected the form 2026-01-31T08:00:00Z)";
        return std::nullopt;
    }
    if (grade.size() != 1 || grade[0] < '1' || grade[0] > '4') {
        reason = "bad grade \"" + grade + "\" (expected 1 to 4)";
        return std::nullopt;
    }
    return LoggedReview{std::stoi(number), *parsedTime, static_cast<Grade>(grade[0] - '0')};
}

} // namespace

int LvdTool::runSchedule(const std::vector<std::string>& args) {
    if (args.size() == 3 && args[0] == "review")
        return review(args[1], args[2], "");
    if (args.size() == 5 && args[0] == "review" && args[3] == "--save")
        return review(args[1], args[2], args[4]);
    if (args.size() == 2 && args[0] == "due")
        return due(args[1], static_cast<UtcTime>(std::time(nullptr)));
    if (args.size() == 4 && args[0] == "due" && args[2] == "--now") {
        if (const auto now = parseUtc(args[3]))
            return due(args[1], *now);
    }
    if (args.size() == 2 && args[0] == "reviews")
        return reviews(args[1]);
    return usage();
}

int LvdTool::review(const std::string& documentPath, const std::string& logPath,
                    const std::string& savePath) {
    std::optional<StudyList> studyList = open(documentPath);
    if (!studyList)
        return Refused;
    std::ifstream in(logPath, std::ios::binary);
    if (!in)
        return refuse(FileMessages::CannotOpen, logPath);
    std::map<int, std::size_t> positions;
    for (int idx = studyList->getTermSetCount() - 1; idx >= 0; --idx)
        positions[studyList->getTermSet(static_cast<std::size_t>(idx)).getNumber()] =
            static_cast<std::size_t>(idx);

    // Every line is applied before anything is printed or saved, so a bad line leaves no trace.
    std::ostringstream printed;
    std::string line;
    for (int lineNumber = 1; std::getline(in, line); ++lineNumber) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        std::string reason;
        const std::optional<LoggedReview> logged = parseReview(line, reason);
        const auto position = logged ? positions.find(logged->number) : positions.end();
        if (logged && position == positions.end())
            reason = "no item numbered " + std::to_string(logged->number);
        else if (logged && logged->time < studyList->getTermSet(position->second).getSchedule().lastReview)
            reason = "time before the item's last review";
        if (!reason.empty()) {
            _err << logPath << ", line " << lineNumber << ": " << reason << '\n';
            return Refused;
        }
        studyList->reviewItem(position->second, logged->time, logged->grade);
        const ItemSchedule& item = studyList->getTermSet(position->second).getSchedule();
        printed << logged->number << '\t' << stateName(item.state) << '\t' << formatUtc(item.due) << '\t'
                << fixed6(item.stability) << '\t' << fixed6(item.difficulty) << '\t' << item.reviews << '\t'
                << item.lapses << '\n';
    }
    if (!savePath.empty()) {
        DocumentFileOutputMethod writer(*studyList);
        if (!save(writer, savePath))
            return Refused;
    }
    _out << printed.str();
    return Done;
}

int LvdTool::due(const std::string& documentPath, UtcTime now) {
    const std::optional<StudyList> studyList = open(documentPath);
    if (!studyList)
        return Refused;
    for (const int idx : ReviewChoice::of(*studyList, now, localDayStart(now)).items)
        _out << studyList->getTermSet(static_cast<std::size_t>(idx)).getNumber() << '\n';
    return Done;
}

int LvdTool::reviews(const std::string& documentPath) {
    const std::optional<StudyList> studyList = open(documentPath);
    if (!studyList)
        return Refused;
    for (const ReviewRecord& record : studyList->getReviewLog().getRecords())
        _out << record.item << '\t' << formatUtc(record.time) << '\t' << static_cast<int>(record.grade)
             << '\t' << record.sinceLast << '\t' << stateName(record.stateBefore) << '\n';
    return Done;
}
