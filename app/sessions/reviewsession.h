#pragma once

#include "studysession.h"

#include "app/model/itemschedule.h"

#include <array>
#include <optional>
#include <vector>

// A review on the schedule: asks the items of a review choice as a question-and-answer session
// does, and after each answer applies the grade the user picks to the item's schedule. An item
// still in learning or relearning after its grade comes back in the same review once its step
// has passed, or sooner, when nothing else is left and its step ends within LearnAhead seconds.
class ReviewSession : public StudySession {
public:
    static constexpr UtcTime LearnAhead = 20 * 60;

    ReviewSession(StudyList& list, std::vector<int> items);

    // The next question at now; false when nothing is left.
    bool next(UtcTime now);
    // The judged answer's grade: Good when right, Again when wrong.
    Grade suggestedGrade() const { return _lastRight ? Grade::GOOD : Grade::AGAIN; }
    bool answer(std::string_view given) override;
    // When the current item would come back after each grade, Again to Easy.
    std::array<UtcTime, 4> dueTimes(UtcTime now) const;
    void grade(Grade grade, UtcTime now);

    int getReviewedCount() const { return _reviewed; }
    // The items still to come, the current one and those in learning included.
    int getItemsLeft() const { return 1 + itemsAfterCurrent() + static_cast<int>(_waiting.size()); }
    // The earliest due time of a scheduled item in the list; nothing when no item is scheduled.
    std::optional<UtcTime> nextDue() const;

private:
    using StudySession::next;

    struct Waiting {
        UtcTime due;
        int idx;
    };
    // Moves the first waiting item due by the time into the questions; false when none is.
    bool bringBack(UtcTime by);

    std::vector<Waiting> _waiting;
    int _reviewed = 0;
    bool _lastRight = false;
};

// How long until a due time, as the grade buttons show it: "1 min", "10 min", "5 h", "3 d",
// "2 mo", "1.5 y".
std::string intervalText(UtcTime from, UtcTime due);
