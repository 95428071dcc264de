#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

// One argument of formatMessage: a text or a whole number.
class MessageArg {
public:
    MessageArg(std::string_view text) : _text(text) {}
    MessageArg(const std::string& text) : _text(text) {}
    MessageArg(const char* text) : _text(text) {}
    MessageArg(int number) : _number(number), _isNumber(true) {}

    void appendTo(std::string& text) const;

private:
    std::string_view _text;
    int _number = 0;
    bool _isNumber = false;
};

// Fills a message format from the string table, of any length: each %s or %i (also %d) takes
// the next argument, %% gives a percent sign. A text argument under %i and a number under %s are
// shown as they are; a placeholder left without an argument, an unknown sequence and a lone %
// at the end stay in the text as written; arguments left over are ignored.
std::string formatMessage(std::string_view format, std::initializer_list<MessageArg> args);
