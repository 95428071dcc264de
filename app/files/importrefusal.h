#pragma once

#include <stdexcept>
#include <string>

// A text the import cannot make into a study list without losing data; nothing was made.
class ImportRefusal : public std::runtime_error {
public:
    enum class Reason { NoRows, NotText, TooManyCells, TooManyFields, TooManyItems, RepeatedFieldDiffers };

    ImportRefusal(Reason reason, int line, const std::string& message, const std::string& fieldName = "")
        : std::runtime_error(message), _reason(reason), _line(line), _fieldName(fieldName) {}
    Reason getRefusal() const { return _reason; }
    // The line the refused row begins on; 0 when no one line is to blame.
    int getLine() const { return _line; }
    const std::string& getFieldName() const { return _fieldName; }

private:
    Reason _reason;
    int _line;
    std::string _fieldName;
};
