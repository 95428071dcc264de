#pragma once

#include <filesystem>
#include <string>
#include <unistd.h>

// A folder of the benchmark's own under the system's temporary folder, removed at exit.
class BenchFolder {
public:
    BenchFolder()
        : _path(std::filesystem::temp_directory_path() / ("lorvant-bench-" + std::to_string(::getpid()))) {
        std::filesystem::create_directories(_path);
    }
    ~BenchFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(_path, ignored);
    }
    BenchFolder(const BenchFolder&) = delete;
    BenchFolder& operator=(const BenchFolder&) = delete;

    std::string file(const std::string& name) const { return (_path / name).string(); }

private:
    std::filesystem::path _path;
};
