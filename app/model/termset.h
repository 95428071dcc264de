#pragma once

#include "fieldvalues.h"
#include "itemschedule.h"

#include <string>
#include <string_view>

class Outline;

namespace Win::IO {
class Serializer;
class DeSerializer;
} // namespace Win::IO

// One study item. Field values are keyed by field name, so they follow their field when the
// outline's fields are moved, and come back when a removed field is added again.
class TermSet {
public:
    explicit TermSet(const Outline& outline, int number = 0);
    TermSet(const TermSet& other) = default;
    TermSet(TermSet&& other) noexcept = default;
    // A copy or move of other that belongs to another study list's outline.
    TermSet(const TermSet& other, const Outline& outline);
    TermSet(TermSet&& other, const Outline& outline);
    // Assignment copies the data and keeps this item's outline.
    TermSet& operator=(const TermSet& other);
    TermSet& operator=(TermSet&& other);

    // Compares the data, not the outline; an empty stored value differs from a missing one.
    bool operator==(const TermSet& other) const;

    int getNumber() const { return _number; }
    void setNumber(int number) { _number = number; }
    const std::string& getTerm() const { return _term; }
    void setTerm(const std::string& term) { _term = term; }
    std::string getField(int idx) const;
    // The same value without a copy; valid until the item changes.
    std::string_view getFieldView(int idx) const;
    void setField(int idx, const std::string& value);
    const std::string& getComment() const { return _comment; }
    void setComment(const std::string& comment) { _comment = comment; }

    int getTimesAsked() const { return _timesAsked; }
    int getCorrectAnswers() const { return _correctAnswers; }
    int getRatio() const;
    void addCorrectAnswer();
    void addWrongAnswer();
    void resetScores();

    const ItemSchedule& getSchedule() const { return _schedule.get(); }
    void setSchedule(const ItemSchedule& schedule) { _schedule.set(schedule); }

    const Outline& getOutline() const { return *_outline; }

    // The number is written and read by the study list, not here.
    void serialize(Win::IO::Serializer& out) const;
    void deserialize(Win::IO::DeSerializer& in);

private:
    // A study list moved as a whole points its items at its own outline, and reads its items
    // with one builder.
    friend class StudyList;
    void rebind(const Outline& outline) { _outline = &outline; }
    void deserialize(Win::IO::DeSerializer& in, FieldValues::Builder& fields, FieldValues::Store* store);
    // The other item's values under this item's outline's ids for the same names.
    void copyFieldsFrom(const TermSet& other);
    bool sameFields(const TermSet& other) const;

    int _number;
    std::string _term;
    FieldValues _fields;
    std::string _comment;
    int _timesAsked = 0;
    int _correctAnswers = 0;
    ItemScheduleSlot _schedule;
    const Outline* _outline;
};
