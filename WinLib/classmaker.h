#pragma once

#include <windows.h>

namespace Win {

// A window class whose windows are run by controllers through WindowProcedure.
class ClassMaker {
public:
    ClassMaker(const char* className, HINSTANCE instance);

    // The class's large and small icons from the icon resource iconId; when a size cannot be loaded the
    // class keeps the system's icon for it.
    void setResIcons(int iconId);
    // RegisterClassEx ("register" itself is a keyword).
    void Register();

private:
    WNDCLASSEXA _class;
};

} // namespace Win
