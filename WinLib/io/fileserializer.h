#pragma once

#include "serializer.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace Win::IO {

// Writes to a binary file, created or truncated on construction. Data is buffered: the owner
// calls flush() and close() after the last write so that late write errors surface as
// IOException ("File write failed"); destruction alone closes the file silently.
class FileSerializer : public Serializer {
public:
    explicit FileSerializer(const std::string& path,
                            const char* openFailure = "Couldn't open file for writing");
    ~FileSerializer() override;

    void write(const void* data, std::size_t size) override;
    void flush();
    // flush, then has the system put the whole file on the disk, so that it survives a crash.
    void commit();
    void close();

private:
    void writeBuffer();

    std::FILE* _file;
    std::vector<char> _buffer; // its free part lies between _next and _end
};

// Reads a binary file through its own buffer; short reads throw EOFException.
class FileDeSerializer : public DeSerializer {
public:
    explicit FileDeSerializer(const std::string& path);
    ~FileDeSerializer() override;

    void read(void* buffer, std::size_t size) override;
    std::uint64_t getBytesLeft() const override;

private:
    void readFile(char* destination, std::size_t size);

    std::FILE* _file;
    std::uint64_t _unread;     // bytes of the file not yet taken into the buffer
    std::vector<char> _buffer; // its unread part lies between _next and _end
};

} // namespace Win::IO
