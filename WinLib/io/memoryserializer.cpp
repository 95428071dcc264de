#include "memoryserializer.h"

#include "exceptions.h"

#include <cstring>

namespace Win::IO {

void MemorySerializer::write(const void* data, std::size_t size) {
    _bytes.append(static_cast<const char*>(data), size);
}

MemoryDeSerializer::MemoryDeSerializer(std::string_view bytes) {
    _next = bytes.data();
    _end = bytes.data() + bytes.size();
}

void MemoryDeSerializer::read(void* buffer, std::size_t size) {
    if (size > static_cast<std::size_t>(_end - _next))
        throw EOFException("Unexpected End Of File");
    if (size != 0)
        std::memcpy(buffer, _next, size);
    _next += size;
}

} // namespace Win::IO
