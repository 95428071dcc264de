#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

// A fresh folder under the system's temporary folder, removed with everything in it afterwards.
class TempFolder {
public:
    TempFolder() {
        std::random_device random;
        _path = std::filesystem::temp_directory_path() / ("lorvant-test-" + std::to_string(random()));
        std::filesystem::create_directories(_path);
    }
    ~TempFolder() {
        std::error_code ignored;
        for (const auto& entry : std::filesystem::directory_iterator(_path, ignored))
            std::filesystem::permissions(entry.path(), std::filesystem::perms::owner_write,
                                         std::filesystem::perm_options::add, ignored);
        std::filesystem::remove_all(_path, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    std::string file(const std::string& name) const { return (_path / name).string(); }

    std::vector<std::string> list() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(_path))
            names.push_back(entry.path().filename().string());
        return names;
    }

private:
    std::filesystem::path _path;
};

inline std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void writeFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

inline void makeReadOnly(const std::string& path) {
    using std::filesystem::perms;
    std::filesystem::permissions(path, perms::owner_write | perms::group_write | perms::others_write,
                                 std::filesystem::perm_options::remove);
}

// Bytes written as a list of byte values, for comparing with encodings.
inline std::string bytes(std::initializer_list<int> values) {
    std::string result;
    for (const int value : values)
        result.push_back(static_cast<char>(value));
    return result;
}
