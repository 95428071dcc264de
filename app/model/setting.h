#pragma once

class Outline;

namespace Win::IO {
class Serializer;
class DeSerializer;
} // namespace Win::IO

// The options of study sessions, stored at the end of the document file.
class Setting {
public:
    // Kinds of the From side (TERM, FIELD, ANYTHING) and of the to side
    // (TERM, FIELD, ANYTHING_ELSE, EVERYTHING_ELSE); 2 means ANYTHING or ANYTHING_ELSE by side.
    enum Direction { TERM = 0, FIELD = 1, ANYTHING = 2, ANYTHING_ELSE = 2, EVERYTHING_ELSE = 3 };

    static constexpr int TimeOutMin = 2;
    static constexpr int TimeOutMax = 99;
    static constexpr int ChoicesNumMin = 2;
    static constexpr int ChoicesNumMax = 6;

    explicit Setting(const Outline& outline);
    Setting(const Setting& other) = default;
    // Copies the values, keeps this record's outline, then brings them into range for it.
    Setting& operator=(const Setting& other);

    // Compares the nine stored values.
    bool operator==(const Setting& other) const;

    int getTimeOut() const { return _timeOut; }
    bool isShuffle() const { return _shuffle; }
    bool isContinuous() const { return _continuous; }
    bool isCaseSensitive() const { return _caseSensitive; }
    int getChoicesNum() const { return _choicesNum; }

    void setTimeOut(int timeOut);
    void setShuffle(bool shuffle) { _shuffle = shuffle; }
    void setContinuous(bool continuous) { _continuous = continuous; }
    void setCaseSensitive(bool caseSensitive) { _caseSensitive = caseSensitive; }
    void setChoicesNum(int choicesNum) { _choicesNum = choicesNum; }

    bool isFromTerm() const { return _fromDir == TERM; }
    bool isFromField() const { return _fromDir == FIELD; }
    bool isFromAnything() const { return _fromDir == ANYTHING; }
    void setFromTerm() { _fromDir = TERM; }
    void setFromAnything() { _fromDir = ANYTHING; }
    void setFromField(int idx);
    int getFromField() const;

    bool isToTerm() const { return _toDir == TERM; }
    bool isToField() const { return _toDir == FIELD; }
    bool isToAnythingElse() const { return _toDir == ANYTHING_ELSE; }
    bool isToEverythingElse() const { return _toDir == EVERYTHING_ELSE; }
    void setToTerm() { _toDir = TERM; }
    void setToAnythingElse() { _toDir = ANYTHING_ELSE; }
    void setToEverythingElse() { _toDir = EVERYTHING_ELSE; }
    void setToField(int idx);
    int getToField() const;

    // Resets a FIELD direction whose index the outline no longer has.
    void adjustToOutline();

    void serialize(Win::IO::Serializer& out) const;
    void deserialize(Win::IO::DeSerializer& in);

private:
    void bringIntoRange();

    int _timeOut = 0;
    bool _shuffle = false;
    bool _continuous = false;
    bool _caseSensitive = false;
    int _choicesNum = 3;
    int _fromDir = TERM;
    int _toDir = EVERYTHING_ELSE;
    int _fromField = 0;
    int _toField = 0;
    const Outline& _outline;
};
