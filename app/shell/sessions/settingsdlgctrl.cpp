#include "settingsdlgctrl.h"

#include "WinLib/resstring.h"
#include "app/model/outline.h"
#include "resources/resource.h"

namespace {

HINSTANCE programInstance() {
    return ::GetModuleHandleA(nullptr);
}

} // namespace

// The copy is assigned rather than copied so that it refers to this outline and names only its fields.
SettingsDlgCtrl::SettingsDlgCtrl(const Setting& setting, const Outline& outline, const ReviewSettings& review)
    : _outline(outline), _setting(outline), _review(review) {
    _setting = setting;
}

void SettingsDlgCtrl::onInitDialog() {
    _helpFile.emplace(_h, HelpFile::programHelpPath());
    _fromList = Win::ComboBox(_h, IDC_FROM_LIST);
    _toList = Win::ComboBox(_h, IDC_TO_LIST);
    _choicesArrows = Win::UpDown(_h, IDC_CHOICES_ARROWS);
    _timeOutBox = Win::DlgControl(_h, IDC_TIME_OUT);
    _timeOutArrows = Win::UpDown(_h, IDC_TIME_OUT_ARROWS);
    _timeOutCheck = Win::CheckBox(_h, IDC_TIME_OUT_CHECK);
    _shuffleCheck = Win::CheckBox(_h, IDC_SHUFFLE);
    _continuousCheck = Win::CheckBox(_h, IDC_CONTINUOUS);
    _caseSensitiveCheck = Win::CheckBox(_h, IDC_CASE_SENSITIVE);
    _retentionArrows = Win::UpDown(_h, IDC_RETENTION_ARROWS);
    _newPerDayArrows = Win::UpDown(_h, IDC_NEW_PER_DAY_ARROWS);
    _maxReviewsArrows = Win::UpDown(_h, IDC_MAX_REVIEWS_ARROWS);
    _retentionArrows.setRange(ReviewSettings::MinRetention, ReviewSettings::MaxRetention);
    _retentionArrows.setPos(_review.desiredRetention);
    _newPerDayArrows.setRange(0, ReviewSettings::MaxNewPerDay);
    _newPerDayArrows.setPos(_review.newPerDay);
    _maxReviewsArrows.setRange(0, ReviewSettings::MaxReviewsLimit);
    _maxReviewsArrows.setPos(_review.maxReviewsPerDay);

    fillDirectionLists();
    selectDirections();

    _choicesArrows.setRange(Setting::ChoicesNumMin, Setting::ChoicesNumMax);
    _choicesArrows.setPos(_setting.getChoicesNum());
    _timeOutArrows.setRange(Setting::TimeOutMin, Setting::TimeOutMax);
    if (_setting.getTimeOut() > 0) {
        _timeOutCheck.check();
        _timeOutArrows.setPos(_setting.getTimeOut());
    } else {
        _timeOutCheck.uncheck();
        _timeOutBox.disable();
        _timeOutArrows.setPos(Setting::TimeOutMin);
    }
    _shuffleCheck.check(_setting.isShuffle());
    _continuousCheck.check(_setting.isContinuous());
    _caseSensitiveCheck.check(_setting.isCaseSensitive());
}

bool SettingsDlgCtrl::onCommand(int controlId, int) {
    switch (controlId) {
    case IDC_TIME_OUT_CHECK:
        _timeOutBox.enable(_timeOutCheck.isChecked());
        return true;
    case IDC_HELP_BUTTON:
        _helpFile->showTopic("specifyingstudysessionsettings.htm");
        return true;
    case IDCANCEL:
        endCancel();
        return true;
    case IDOK:
        onOk();
        return true;
    default:
        return false;
    }
}

// Both lists start with the item type and the fields, so that position i + 1 is field i on either side.
void SettingsDlgCtrl::fillDirectionLists() {
    _fromList.clear();
    _toList.clear();
    for (Win::ComboBox* list : {&_fromList, &_toList}) {
        list->addString(_outline.getItemType().c_str());
        for (int i = 0; i < _outline.getDefCount(); ++i)
            list->addString(_outline.getDef(i).c_str());
    }
    _fromAnythingPos = _outline.getDefCount() + 1;
    _fromList.addString(Win::ResString(programInstance(), IDS_FROM_ANYTHING));
    _toAnythingElsePos = _outline.getDefCount() + 1;
    _toList.addString(Win::ResString(programInstance(), IDS_TO_ANYTHING_ELSE));
    _toEverythingElsePos = _outline.getDefCount() + 2;
    _toList.addString(Win::ResString(programInstance(), IDS_TO_EVERYTHING_ELSE));
}

void SettingsDlgCtrl::selectDirections() {
    if (_setting.isFromTerm())
        _fromList.setSelection(0);
    else if (_setting.isFromAnything())
        _fromList.setSelection(_fromAnythingPos);
    else
        _fromList.setSelection(_setting.getFromField() + 1);

    if (_setting.isToTerm())
        _toList.setSelection(0);
    else if (_setting.isToAnythingElse())
        _toList.setSelection(_toAnythingElsePos);
    else if (_setting.isToEverythingElse())
        _toList.setSelection(_toEverythingElsePos);
    else
        _toList.setSelection(_setting.getToField() + 1);
}

void SettingsDlgCtrl::onOk() {
    int from = _fromList.getSelection();
    int to = _toList.getSelection();
    // "Anything" and "Anything else" share a position and may go together.
    if (from == to && from != _fromAnythingPos) {
        ::MessageBoxA(_h, Win::ResString(programInstance(), IDS_SAME_FROM_AND_TO),
                      Win::ResString(programInstance(), IDS_SETTINGS_CAPTION), MB_OK | MB_ICONSTOP);
        return;
    }
    storeDirections(from, to);
    storeNumbers();
    _setting.setShuffle(_shuffleCheck.isChecked());
    _setting.setContinuous(_continuousCheck.isChecked());
    _setting.setCaseSensitive(_caseSensitiveCheck.isChecked());
    endOk();
}

void SettingsDlgCtrl::storeDirections(int from, int to) {
    if (from == 0)
        _setting.setFromTerm();
    else if (from == _fromAnythingPos)
        _setting.setFromAnything();
    else if (from > 0)
        _setting.setFromField(from - 1);

    if (to == 0)
        _setting.setToTerm();
    else if (to == _toEverythingElsePos)
        _setting.setToEverythingElse();
    else if (to == _toAnythingElsePos)
        _setting.setToAnythingElse();
    else if (to > 0)
        _setting.setToField(to - 1);
}

// A number that is not one, or lies outside the arrows' range, leaves the stored value as it was.
void SettingsDlgCtrl::storeNumbers() {
    if (std::optional<int> choices = _choicesArrows.getPos())
        _setting.setChoicesNum(*choices);
    if (std::optional<int> retention = _retentionArrows.getPos())
        _review.desiredRetention = *retention;
    if (std::optional<int> newPerDay = _newPerDayArrows.getPos())
        _review.newPerDay = *newPerDay;
    if (std::optional<int> maxReviews = _maxReviewsArrows.getPos())
        _review.maxReviewsPerDay = *maxReviews;
    if (!_timeOutCheck.isChecked()) {
        _setting.setTimeOut(0);
        return;
    }
    if (std::optional<int> timeOut = _timeOutArrows.getPos())
        _setting.setTimeOut(*timeOut);
}
