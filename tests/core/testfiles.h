#pragma once

#include "WinLib/io/exceptions.h"

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

inline std::vector<std::string> filesIn(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    return names;
}

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
    std::vector<std::string> list() const { return filesIn(_path); }

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

#ifdef _WIN32
// The same file through drive Y:, which tools/wine-run makes a second name of drive C:, as a mapped or
// substituted drive is in an office.
inline std::string onSecondDrive(const std::string& path) {
    if (path.rfind("C:\\", 0) != 0)
        throw std::invalid_argument("not on drive C: " + path);
    return "Y" + path.substr(1);
}
#endif

// Bytes written as a list of byte values, for comparing with encodings.
inline std::string bytes(std::initializer_list<int> values) {
    std::string result;
    for (const int value : values)
        result.push_back(static_cast<char>(value));
    return result;
}

// What the action threw, as the kind of file error (which decides the message the user sees) and its
// message; empty when it threw nothing.
inline std::string failureOf(const std::function<void()>& action) {
    using namespace Win::IO;
    try {
        action();
    } catch (const FileOpenException& e) {
        return std::string("open: ") + e.getMessage();
    } catch (const DataCorruptionException& e) {
        return std::string("corrupt: ") + e.getMessage();
    } catch (const EOFException& e) {
        return std::string("end: ") + e.getMessage();
    } catch (const IOException& e) {
        return std::string("write: ") + e.getMessage();
    }
    return "";
}
