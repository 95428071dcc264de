#include "termset.h"

#include "outline.h"

#include "WinLib/io/serializer.h"

#include <cassert>
#include <climits>
#include <utility>

TermSet::TermSet(const Outline& outline, int number) : _number(number), _outline(&outline) {}

TermSet::TermSet(const TermSet& other, const Outline& outline)
    : _number(other._number), _texts(other._texts), _timesAsked(other._timesAsked),
      _correctAnswers(other._correctAnswers), _schedule(other._schedule), _outline(&outline) {
    copyFieldsFrom(other);
}

TermSet::TermSet(TermSet&& other, const Outline& outline)
    : _number(other._number), _texts(std::move(other._texts)), _timesAsked(other._timesAsked),
      _correctAnswers(other._correctAnswers), _schedule(other._schedule), _outline(&outline) {
    if (other._outline == _outline)
        _fields = std::move(other._fields);
    else
        copyFieldsFrom(other);
}

TermSet& TermSet::operator=(const TermSet& other) {
    if (this != &other) {
        _number = other._number;
        _texts = other._texts;
        copyFieldsFrom(other);
        _timesAsked = other._timesAsked;
        _correctAnswers = other._correctAnswers;
        _schedule = other._schedule;
    }
    return *this;
}

TermSet& TermSet::operator=(TermSet&& other) {
    if (this != &other) {
        _number = other._number;
        _texts = std::move(other._texts);
        if (_outline == other._outline)
            _fields = std::move(other._fields);
        else
            copyFieldsFrom(other);
        _timesAsked = other._timesAsked;
        _correctAnswers = other._correctAnswers;
        _schedule = other._schedule;
    }
    return *this;
}

bool TermSet::operator==(const TermSet& other) const {
    // A text set empty is no different from one never set.
    return _number == other._number && getTerm() == other.getTerm() && getComment() == other.getComment() &&
           _timesAsked == other._timesAsked && _correctAnswers == other._correctAnswers &&
           _schedule == other._schedule && sameFields(other);
}

// Ids belong to an outline: between two outlines the values are matched by name.
void TermSet::copyFieldsFrom(const TermSet& other) {
    if (_outline == other._outline) {
        _fields = other._fields;
        return;
    }
    FieldValues::Builder fields;
    for (std::size_t pos = 0; pos < other._fields.getCount(); ++pos)
        fields.add(_outline->internName(other._outline->getName(other._fields.getId(pos))),
                   other._fields.getValue(pos));
    _fields = fields.build();
}

bool TermSet::sameFields(const TermSet& other) const {
    if (_outline == other._outline)
        return _fields == other._fields;
    if (_fields.getCount() != other._fields.getCount())
        return false;
    for (std::size_t pos = 0; pos < _fields.getCount(); ++pos) {
        const auto otherId = other._outline->findName(_outline->getName(_fields.getId(pos)));
        if (!otherId || other._fields.find(*otherId) != _fields.getValue(pos))
            return false;
    }
    return true;
}

std::string TermSet::getField(int idx) const {
    return std::string(getFieldView(idx));
}

std::string_view TermSet::getFieldView(int idx) const {
    return _fields.find(_outline->getDefId(idx)).value_or(std::string_view());
}

void TermSet::setField(int idx, const std::string& value) {
    _fields.set(_outline->getDefId(idx), value);
}

int TermSet::getRatio() const {
    assert(_correctAnswers <= _timesAsked);
    if (_timesAsked == 0)
        return 0;
    return static_cast<int>(100LL * _correctAnswers / _timesAsked);
}

// Scores stop at the largest integer rather than overflow.
void TermSet::addCorrectAnswer() {
    if (_timesAsked == INT_MAX)
        return;
    ++_timesAsked;
    ++_correctAnswers;
}

void TermSet::addWrongAnswer() {
    if (_timesAsked == INT_MAX)
        return;
    ++_timesAsked;
}

void TermSet::resetScores() {
    _timesAsked = 0;
    _correctAnswers = 0;
}

void TermSet::serialize(Win::IO::Serializer& out) const {
    out.writeString(getTerm());
    for (int i = 0; i < _outline->getDefCount(); ++i)
        out.writeString(getFieldView(i));
    out.writeString(getComment());
    out.writeInt(_timesAsked);
    out.writeInt(_correctAnswers);
}

void TermSet::deserialize(Win::IO::DeSerializer& in) {
    FieldValues::Builder fields;
    FieldValues::Builder texts;
    deserialize(in, fields, texts, nullptr);
}

void TermSet::deserialize(Win::IO::DeSerializer& in, FieldValues::Builder& fields,
                          FieldValues::Builder& texts, FieldValues::Store* store) {
    const auto read = [&](std::string& text) { in.appendString(text); };
    texts.addRead(TermText, read);
    // With a repeated field name the first non-empty value stays.
    for (int i = 0; i < _outline->getDefCount(); ++i)
        fields.addRead(_outline->getDefId(i), read);
    _fields = fields.build(store);
    texts.addRead(CommentText, read);
    _texts = texts.build(store);
    _timesAsked = in.readInt();
    _correctAnswers = in.readInt();
    // Scores no session can produce are corrected rather than refused: the item's texts are worth keeping.
    if (_timesAsked < 0)
        _timesAsked = 0;
    if (_correctAnswers < 0)
        _correctAnswers = 0;
    if (_correctAnswers > _timesAsked)
        _correctAnswers = _timesAsked;
}
