#include "textfileinputmethod.h"

#include "WinLib/io/fileserializer.h"

#include <new>
#include <utility>

StudyList TextFileInputMethod::read(const std::string& path) {
    std::string bytes;
    {
        Win::IO::FileDeSerializer in(path);
        const std::uint64_t size = in.getBytesLeft();
        if (size > bytes.max_size())
            throw std::bad_alloc();
        bytes.resize(static_cast<std::size_t>(size));
        in.read(bytes.data(), bytes.size());
    }
    return _importer.read(std::move(bytes));
}
