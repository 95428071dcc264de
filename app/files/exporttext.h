#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

class StudyList;

// The code an export writes its text in: the legacy code page, byte for byte as before, when every
// text of the list (and the few others given) fits it and the export may use it; UTF-8 otherwise.
class ExportText {
public:
    explicit ExportText(const StudyList& studyList, std::initializer_list<std::string_view> others = {},
                        bool legacyAllowed = true);

    bool isUtf8() const { return _utf8; }
    // A text of the program as the export writes it.
    std::string operator()(std::string_view text) const;

private:
    bool _utf8 = false;
};
