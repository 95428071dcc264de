#pragma once

#include "dlgcontrol.h"

#include <string>

namespace Win {

// A single-selection list box. Indices passed in must name existing lines.
class ListBox : public DlgControl {
public:
    using DlgControl::DlgControl;

    int getCount() const;
    std::string getItemText(int idx) const;
    void addString(const char* text);
    void insertString(int idx, const char* text);
    void deleteString(int idx);
    bool isSelection() const;
    int getSelection() const;
    void setSelection(int idx);
};

} // namespace Win
