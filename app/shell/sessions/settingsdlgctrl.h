#pragma once

#include "WinLib/checkbox.h"
#include "WinLib/combobox.h"
#include "WinLib/dialog.h"
#include "WinLib/dlgcontrol.h"
#include "WinLib/updown.h"
#include "app/model/setting.h"
#include "app/shell/helpfile.h"

#include <optional>

class Outline;

// The "Study Settings" dialog: question direction, number of choices, time-out and the session switches.
// It edits a copy, which the caller assigns back when the dialog ends with OK.
class SettingsDlgCtrl : public Dialog::ModalController {
public:
    SettingsDlgCtrl(const Setting& setting, const Outline& outline);

    const Setting& getSetting() const { return _setting; }

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
    int _fromAnythingPos = 0;
    int _toAnythingElsePos = 0;
    int _toEverythingElsePos = 0;
    const Outline& _outline;
    Setting _setting;
    std::optional<HelpFile> _helpFile;
};
