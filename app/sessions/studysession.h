#pragma once

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

class Setting;
class StudyList;
class TermSet;

// The engine of every study session: which items are asked and in what order, which field of an
// item is shown (From) and which is asked for (to), judging answers and recording the scores.
// Field index -1 is the item-type field, 0 and up the outline's fields.
class StudySession {
public:
    // Covers every item when useAll is set, else the selected ones (the list must have a selection).
    StudySession(StudyList& sh, bool useAll);
    StudySession(const StudySession&) = delete;
    StudySession& operator=(const StudySession&) = delete;
    virtual ~StudySession();

    // Judges the answer to the current question, records it in the item's scores and marks the
    // study list modified. Returns the verdict.
    virtual bool answer(std::string_view given);
    // Moves to the next question; false when the session has none left.
    virtual bool next();

    const std::string& getFromName() const { return fieldName(_fromIdx); }
    const std::string& getToName() const { return fieldName(_toIdx); }
    std::string getFromText() const { return std::string(fieldText(_fromIdx)); }
    // The right answer.
    std::string getToText() const { return std::string(fieldText(_toIdx)); }
    const TermSet& getCurrentItem() const;
    // -1 for a continuous session, which has no end.
    int getQuestionsCount() const;
    int getItemCounter() const { return _itemCounter; }
    int getQuestionsAskedCnt() const { return _questionsAskedCnt; }
    int getCorrectAnswersCnt() const { return _correctAnswersCnt; }
    // Whole percentage of correct answers, rounded down; 0 when nothing was asked.
    int getResult() const;

    // The item's value of a field: its term for -1.
    static std::string_view fieldValue(const TermSet& item, int idx);

protected:
    // Asks the given items in the given order, once each, whatever the settings say about
    // shuffling and continuous sessions.
    StudySession(StudyList& sh, std::vector<int> questions);
    // Asks the item next, after the current question.
    void askNext(int idx);
    // How many items wait to be asked after the current one.
    int itemsAfterCurrent() const {
        return static_cast<int>(_questions.size()) - std::max(_currItemIdx + 1, 0);
    }
    StudyList& getStudyList() { return _sh; }
    const StudyList& getStudyList() const { return _sh; }
    // Index of the current item in the study list.
    int getCurrentItemIdx() const;
    int getToIdx() const { return _toIdx; }

private:
    const std::string& fieldName(int idx) const;
    std::string_view fieldText(int idx) const { return fieldValue(getCurrentItem(), idx); }
    bool isAskable(const TermSet& item) const;
    // Steps to the next askable item, wrapping round in a continuous session; false at the end.
    // wraps counts the wrap-rounds of this call of next: two mean a whole pass found no question.
    bool nextItem(int& wraps);
    // Choose the From and to fields of a newly visited item; false when no admissible choice exists.
    bool chooseFrom();
    bool chooseTo();
    // A random field among those admissible for the current item, or NoField when there is none.
    template <class Admissible> int pickField(Admissible admissible) const;

    int _questionsAskedCnt = 0;
    int _correctAnswersCnt = 0;
    StudyList& _sh;
    const Setting& _settings;
    std::vector<int> _questions;
    int _currItemIdx = -1;
    int _fromIdx = -1;
    int _toIdx = -1;
    int _itemCounter = 0;
    bool _continuous;
};
