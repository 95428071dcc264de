#pragma once

#include "distinctvalues.h"
#include "qnasession.h"

#include <map>
#include <string>
#include <vector>

// A session in which the user picks the answer among choices that mix the right answer with
// other items' values of the same field, drawn from all items of the study list.
class MultipleChoiceSession : public QnaSession {
public:
    MultipleChoiceSession(StudyList& sh, bool useAll);
    ~MultipleChoiceSession() override;

    // Also ends the session when the question's field has too few distinct values for the choices.
    bool next() override;
    // The choices of the current question in the order they are offered.
    std::vector<std::string> getChoices() const { return _choices; }

private:
    // Items keep their values while a session runs, so each field's values are sorted out once.
    const DistinctValues& getDistinctValues(int fieldIdx);

    int _choicesNum;
    std::vector<std::string> _choices;
    std::map<int, DistinctValues> _distinctValues;
};
