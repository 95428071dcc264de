#include "termset.h"

#include "outline.h"

#include "WinLib/io/serializer.h"

#include <cassert>
#include <climits>
#include <utility>

TermSet::TermSet(const Outline& outline, int number) : _number(number), _outline(&outline) {}

TermSet::TermSet(const TermSet& other, const Outline& outline) : TermSet(other) {
    _outline = &outline;
}

TermSet::TermSet(TermSet&& other, const Outline& outline) noexcept : TermSet(std::move(other)) {
    _outline = &outline;
}

TermSet& TermSet::operator=(const TermSet& other) {
    if (this != &other) {
        _number = other._number;
        _term = other._term;
        _fields = other._fields;
        _comment = other._comment;
        _timesAsked = other._timesAsked;
        _correctAnswers = other._correctAnswers;
    }
    return *this;
}

TermSet& TermSet::operator=(TermSet&& other) noexcept {
    if (this != &other) {
        _number = other._number;
        _term = std::move(other._term);
        _fields = std::move(other._fields);
        _comment = std::move(other._comment);
        _timesAsked = other._timesAsked;
        _correctAnswers = other._correctAnswers;
    }
    return *this;
}

bool TermSet::operator==(const TermSet& other) const {
    return _number == other._number && _term == other._term && _comment == other._comment &&
           _timesAsked == other._timesAsked && _correctAnswers == other._correctAnswers &&
           _fields == other._fields;
}

std::string TermSet::getField(int idx) const {
    return std::string(getFieldView(idx));
}

std::string_view TermSet::getFieldView(int idx) const {
    const auto found = _fields.find(_outline->getDef(idx));
    return found == _fields.end() ? std::string_view() : std::string_view(found->second);
}

void TermSet::setField(int idx, const std::string& value) {
    _fields[_outline->getDef(idx)] = value;
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
    out.writeString(_term);
    for (int i = 0; i < _outline->getDefCount(); ++i)
        out.writeString(getFieldView(i));
    out.writeString(_comment);
    out.writeInt(_timesAsked);
    out.writeInt(_correctAnswers);
}

void TermSet::deserialize(Win::IO::DeSerializer& in) {
    _term = in.readString();
    _fields.clear();
    for (int i = 0; i < _outline->getDefCount(); ++i) {
        std::string value = in.readString();
        // With a repeated field name the first non-empty value stays.
        if (!value.empty())
            _fields.emplace(_outline->getDef(i), std::move(value));
    }
    _comment = in.readString();
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
