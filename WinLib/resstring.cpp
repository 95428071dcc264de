#include "resstring.h"

#include "exception.h"

namespace Win {

ResString::ResString(HINSTANCE instance, int id) {
    if (::LoadStringA(instance, id, _text, MaxLength) == 0)
        throw Exception("Unable to load string resource");
}

} // namespace Win
