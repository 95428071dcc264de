#pragma once

#include "WinLib/dialog.h"

// The "About Lorvant" box. OK and Escape both end it with 1; its two buttons open the product's web site
// and a new support e-mail and leave the box open.
class AboutCtrl : public Dialog::ModalController {
public:
    bool onCommand(int controlId, int notifyCode) override;

private:
    void open(int addressId);
};
