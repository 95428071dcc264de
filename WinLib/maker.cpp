#include "maker.h"

#include "exception.h"
#include "pendingexception.h"

namespace Win {

Maker::Maker(const char* className, HINSTANCE instance) : _instance(instance), _className(className) {}

void Maker::setPosition(int x, int y) {
    _x = x;
    _y = y;
}

void Maker::setSize(int width, int height) {
    _width = width;
    _height = height;
}

HWND Maker::create(Controller& controller, const char* title) {
    return createWindow(title, &controller);
}

HWND Maker::createWindow(const char* title, void* creationData) {
    HWND window = ::CreateWindowExA(_exStyle, _className, title, _style, _x, _y, _width, _height, _parent,
                                    _menu, _instance, creationData);
    if (window == nullptr) {
        Exception failure("Internal error: CreateWindowEx failed.");
        PendingException::rethrowIfSet();
        throw failure;
    }
    if (PendingException::isSet()) {
        ::DestroyWindow(window);
        PendingException::rethrowIfSet();
    }
    return window;
}

ChildMaker::ChildMaker(const char* className, HWND parent, int childId)
    : Maker(className, reinterpret_cast<HINSTANCE>(::GetWindowLongPtrA(parent, GWLP_HINSTANCE))) {
    _style = WS_CHILD;
    _parent = parent;
    _menu = reinterpret_cast<HMENU>(static_cast<INT_PTR>(childId));
}

HWND ChildMaker::create(const char* title) {
    return createWindow(title, nullptr);
}

} // namespace Win
