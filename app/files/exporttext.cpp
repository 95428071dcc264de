#include "exporttext.h"

#include "app/model/lorvant.h"

#include "WinLib/io/legacycodepage.h"

namespace LegacyCodePage = Win::IO::LegacyCodePage;

namespace {

bool fits(const StudyList& studyList) {
    const Outline& outline = studyList.getOutline();
    if (!LegacyCodePage::fits(outline.getItemType()))
        return false;
    for (int i = 0; i < outline.getDefCount(); ++i) {
        if (!LegacyCodePage::fits(outline.getDef(i)))
            return false;
    }
    for (int idx = 0; idx < studyList.getTermSetCount(); ++idx) {
        const TermSet& termSet = studyList.getTermSet(static_cast<std::size_t>(idx));
        if (!LegacyCodePage::fits(termSet.getTerm()) || !LegacyCodePage::fits(termSet.getComment()))
            return false;
        for (int i = 0; i < outline.getDefCount(); ++i) {
            if (!LegacyCodePage::fits(termSet.getFieldView(i)))
                return false;
        }
    }
    return true;
}

} // namespace

ExportText::ExportText(const StudyList& studyList, std::initializer_list<std::string_view> others,
                       bool legacyAllowed)
    : _utf8(!legacyAllowed) {
    for (const std::string_view other : others)
        _utf8 = _utf8 || !LegacyCodePage::fits(other);
    _utf8 = _utf8 || !fits(studyList);
}

std::string ExportText::operator()(std::string_view text) const {
    if (_utf8)
        return std::string(text);
    return LegacyCodePage::fromUtf8(text).value_or(std::string());
}
