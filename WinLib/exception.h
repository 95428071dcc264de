#pragma once

#include <windows.h>

#include <exception>
#include <string>

namespace Win {

// A failed system call: a fixed message and the system's error code from right after the call.
class Exception : public std::exception {
public:
    // Takes GetLastError before anything else can overwrite it.
    explicit Exception(const char* message) : _error(::GetLastError()), _message(message) {}
    // For calls that return their error code instead of setting the last error (the registry's).
    Exception(const char* message, DWORD error) : _error(error), _message(message) {}

    const char* getMessage() const { return _message.c_str(); }
    DWORD getError() const { return _error; }
    const char* what() const noexcept override { return _message.c_str(); }

private:
    DWORD _error;
    std::string _message;
};

} // namespace Win
