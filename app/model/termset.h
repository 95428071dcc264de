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
    // Valid until the item changes, as the field views are.
    std::string_view getTerm() const { return getText(TermText); }
    void setTerm(std::string_view term) { _texts.set(TermText, term); }
    std::string getField(int idx) const;
    // The same value without a copy; valid until the item changes.
    std::string_view getFieldView(int idx) const;
    void setField(int idx, const std::string& value);
    std::string_view getComment() const { return getText(CommentText); }
    void setComment(std::string_view comment) { _texts.set(CommentText, comment); }

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
    void deserialize(Win::IO::DeSerializer& in, FieldValues::Builder& fields, FieldValues::Builder& texts,
                     FieldValues::Store* store);
    // The other item's values under this item's outline's ids for the same names.
    void copyFieldsFrom(const TermSet& other);
    bool sameFields(const TermSet& other) const;

    // The term and the comment share a block as the field values do: an item costs a third of the memory
    // two strings of its own would take, which counts in a list of a million items.
    enum TextId : FieldId { TermText = 0, CommentText = 1 };
    std::string_view getText(TextId id) const { return _texts.find(id).value_or(std::string_view()); }

    int _number;
    FieldValues _texts;
    FieldValues _fields;
    int _timesAsked = 0;
    int _correctAnswers = 0;
    ItemScheduleSlot _schedule;
    const Outline* _outline;
};
