#include "setting.h"

#include "outline.h"

#include "WinLib/io/serializer.h"

#include <cassert>
#include <climits>

Setting::Setting(const Outline& outline) : _outline(outline) {}

Setting& Setting::operator=(const Setting& other) {
    _timeOut = other._timeOut;
    _shuffle = other._shuffle;
    _continuous = other._continuous;
    _caseSensitive = other._caseSensitive;
    _choicesNum = other._choicesNum;
    _fromDir = other._fromDir;
    _toDir = other._toDir;
    _fromField = other._fromField;
    _toField = other._toField;
    adjustToOutline();
    bringIntoRange();
    return *this;
}

bool Setting::operator==(const Setting& other) const {
    return _timeOut == other._timeOut && _shuffle == other._shuffle && _continuous == other._continuous &&
           _caseSensitive == other._caseSensitive && _choicesNum == other._choicesNum &&
           _fromDir == other._fromDir && _toDir == other._toDir && _fromField == other._fromField &&
           _toField == other._toField;
}

void Setting::setTimeOut(int timeOut) {
    assert((timeOut >= TimeOutMin && timeOut <= TimeOutMax) || timeOut == 0);
    _timeOut = timeOut;
}

void Setting::setFromField(int idx) {
    assert(static_cast<unsigned>(idx) <= INT_MAX);
    _fromDir = FIELD;
    _fromField = idx;
}

int Setting::getFromField() const {
    assert(_fromDir == FIELD);
    return _fromField;
}

void Setting::setToField(int idx) {
    assert(static_cast<unsigned>(idx) <= INT_MAX);
    _toDir = FIELD;
    _toField = idx;
}

int Setting::getToField() const {
    assert(_toDir == FIELD);
    return _toField;
}

void Setting::adjustToOutline() {
    // A negative index, possible only from a damaged file, names no field either.
    if (_fromDir == FIELD && (_fromField < 0 || _fromField >= _outline.getDefCount()))
        _fromDir = TERM;
    if (_toDir == FIELD && (_toField < 0 || _toField >= _outline.getDefCount()))
        _toDir = EVERYTHING_ELSE;
}

// A damaged file can hold values that no dialog produces and that sessions cannot work with;
// valid values, stale field indices under another kind included, are left as they are.
void Setting::bringIntoRange() {
    if (_choicesNum < ChoicesNumMin || _choicesNum > ChoicesNumMax)
        _choicesNum = 3;
    if (_timeOut < 0)
        _timeOut = 0;
    else if (_timeOut > 0 && _timeOut < TimeOutMin)
        _timeOut = TimeOutMin;
    else if (_timeOut > TimeOutMax)
        _timeOut = TimeOutMax;
    if (_fromDir < TERM || _fromDir > ANYTHING)
        _fromDir = TERM;
    if (_toDir < TERM || _toDir > EVERYTHING_ELSE)
        _toDir = EVERYTHING_ELSE;
}

void Setting::serialize(Win::IO::Serializer& out) const {
    out.writeInt(_timeOut);
    out.writeBool(_shuffle);
    out.writeBool(_continuous);
    out.writeBool(_caseSensitive);
    out.writeInt(_choicesNum);
    out.writeInt(_fromDir);
    out.writeInt(_toDir);
    out.writeInt(_fromField);
    out.writeInt(_toField);
}

void Setting::deserialize(Win::IO::DeSerializer& in) {
    _timeOut = in.readInt();
    _shuffle = in.readBool();
    _continuous = in.readBool();
    _caseSensitive = in.readBool();
    _choicesNum = in.readInt();
    _fromDir = in.readInt();
    _toDir = in.readInt();
    _fromField = in.readInt();
    _toField = in.readInt();
}
