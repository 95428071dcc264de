#pragma once

#include "serializer.h"

#include <string>
#include <string_view>

namespace Win::IO {

// Collects the written bytes in memory.
class MemorySerializer : public Serializer {
public:
    void write(const void* data, std::size_t size) override;
    const std::string& getBytes() const { return _bytes; }

private:
    std::string _bytes;
};

// Reads from bytes the caller keeps alive for the reader's lifetime.
class MemoryDeSerializer : public DeSerializer {
public:
    explicit MemoryDeSerializer(std::string_view bytes);

    void read(void* buffer, std::size_t size) override;
    std::uint64_t getBytesLeft() const override { return static_cast<std::uint64_t>(_end - _next); }
};

} // namespace Win::IO
