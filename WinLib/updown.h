#pragma once

#include "dlgcontrol.h"

#include <optional>

namespace Win {

// Up-down arrows that set the number in their buddy edit box.
class UpDown : public DlgControl {
public:
    using DlgControl::DlgControl;

    void setRange(int low, int high);
    void setPos(int pos);
    // The number in the buddy box, or nothing when it is not a number within the range.
    std::optional<int> getPos() const;
};

} // namespace Win
