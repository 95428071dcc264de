#pragma once

#include <stdexcept>
#include <string>

// Broken preconditions are programming errors: no user input or file content can reach them. They throw,
// so that the window procedures end the program through the entry point's error box instead of running on
// with bad state, and so that tests can check them.
namespace Win {

class AssertionFailure : public std::logic_error {
public:
    using std::logic_error::logic_error;
};

[[noreturn]] inline void assertionFailed(const char* condition, const char* file, int line) {
    throw AssertionFailure(std::string("Assertion failed: ") + condition + ", file " + file + ", line " +
                           std::to_string(line));
}

} // namespace Win

// The condition is also given as text, so that the report names it exactly as written here.
#define WIN_ASSERT(condition, text) ((condition) ? void(0) : ::Win::assertionFailed(text, __FILE__, __LINE__))
