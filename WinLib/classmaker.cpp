#include "classmaker.h"

#include "controller.h"
#include "exception.h"

namespace Win {

ClassMaker::ClassMaker(const char* className, HINSTANCE instance) : _class{} {
    _class.cbSize = sizeof(_class);
    _class.style = 0;
    _class.lpfnWndProc = WindowProcedure;
    _class.cbClsExtra = 0;
    _class.cbWndExtra = 0;
    _class.hInstance = instance;
    _class.hIcon = ::LoadIconA(nullptr, IDI_APPLICATION);
    _class.hCursor = ::LoadCursorA(nullptr, IDC_ARROW);
    _class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    _class.lpszMenuName = nullptr;
    _class.lpszClassName = className;
    _class.hIconSm = nullptr;
}

void ClassMaker::setResIcons(int iconId) {
    auto load = [&](int width, int height) {
        return static_cast<HICON>(::LoadImageA(_class.hInstance, MAKEINTRESOURCEA(iconId), IMAGE_ICON,
                                               ::GetSystemMetrics(width), ::GetSystemMetrics(height), 0));
    };
    if (HICON large = load(SM_CXICON, SM_CYICON))
        _class.hIcon = large;
    _class.hIconSm = load(SM_CXSMICON, SM_CYSMICON);
}

void ClassMaker::Register() {
    if (::RegisterClassExA(&_class) == 0)
        throw Exception("Internal error: RegisterClassEx failed");
}

} // namespace Win
