#include "messageformat.h"

void MessageArg::appendTo(std::string& text) const {
    if (_isNumber)
        text += std::to_string(_number);
    else
        text += _text;
}

std::string formatMessage(std::string_view format, std::initializer_list<MessageArg> args) {
    std::string text;
    auto arg = args.begin();
    std::size_t pos = 0;
    while (pos < format.size()) {
        const std::size_t percent = format.find('%', pos);
        if (percent == std::string_view::npos || percent + 1 == format.size()) {
            text += format.substr(pos);
            break;
        }
        text += format.substr(pos, percent - pos);
        const char kind = format[percent + 1];
        pos = percent + 2;
        if (kind == '%')
            text += '%';
        else if ((kind == 's' || kind == 'i' || kind == 'd') && arg != args.end())
            (arg++)->appendTo(text);
        else
            text += format.substr(percent, 2);
    }
    return text;
}
