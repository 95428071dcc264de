#include "memoryserializer.h"

#include "exceptions.h"

#include <cstring>

namespace Win::IO {

void MemorySerializer::write(const void* data, std::size_t size) {
    _bytes.append(static_cast<const char*>(data), size);
}

void MemoryDeSerializer::read(void* buffer, std::size_t size) {
    if (size > _bytes.size() - _pos)
        throw EOFException("Unexpected End Of File");
    if (size != 0)
        std::memcpy(buffer, _bytes.data() + _pos, size);
    _pos += size;
}

} // namespace Win::IO
