#pragma once

#include "WinLib/checkbox.h"
#include "WinLib/combobox.h"
#include "WinLib/dialog.h"
#include "WinLib/dlgcontrol.h"
#include "WinLib/updown.h"
#include "app/model/reviewsettings.h"
#include "app/model/setting.h"
#include "app/shell/helpfile.h"

#include <optional>

class Outline;

// The "Study Settings" dialog: question direction, number of choices, time-out, the session switches and the
// review schedule's retention and daily limits.
// It edits a copy, which the caller assigns back when the dialog ends with OK.
class SettingsDlgCtrl : public Dialog::ModalController {
public:
    SettingsDlgCtrl(const Setting& setting, const Outline& outline, const ReviewSettings& review = {});

    const Setting& getSetting() const { return _setting; }
    const ReviewSettings& getReviewSettings() const { return _review; }

    void onInitDialog() override;
    bool onCommand(int controlId, int notifyCode) override;

private:
    void fillDirectionLists();
    void selectDirections();
    void onOk();
    void storeDirections(int from, int to);
    void storeNumbers();

    Win::ComboBox _fromList;
    Win::ComboBox _toList;
    Win::UpDown _choicesArrows;
    Win::DlgControl _timeOutBox;
    Win::UpDown _timeOutArrows;
    Win::CheckBox _timeOutCheck;
    Win::CheckBox _shuffleCheck;
    Win::CheckBox _continuousCheck;
    Win::CheckBox _caseSensitiveCheck;
    Win::UpDown _retentionArrows;
    Win::UpDown _newPerDayArrows;
    Win::UpDown _maxReviewsArrows;
    int _fromAnythingPos = 0;
    int _toAnythingElsePos = 0;
    int _toEverythingElsePos = 0;
    const Outline& _outline;
    Setting _setting;
    ReviewSettings _review;
    std::optional<HelpFile> _helpFile;
};
