#include "serializerstreambuf.h"

namespace Win::IO {

SerializerStreamBuf::int_type SerializerStreamBuf::overflow(int_type character) {
    if (traits_type::eq_int_type(character, traits_type::eof()))
        return traits_type::not_eof(character);
    const char byte = traits_type::to_char_type(character);
    _out.write(&byte, 1);
    return character;
}

std::streamsize SerializerStreamBuf::xsputn(const char* data, std::streamsize count) {
    if (count > 0)
        _out.write(data, static_cast<std::size_t>(count));
    return count;
}

} // namespace Win::IO
