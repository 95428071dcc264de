#pragma once

#include <malloc.h>
#include <stdlib.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

// The most memory the action held at once beyond what the process held before, in MB: free memory is
// given back first, then the kernel's peak resident size is reset to the present size and read after.
template <class Action> double peakMemoryMB(const Action& action) {
    const auto statusKB = [](const std::string& field) {
        std::ifstream status("/proc/self/status");
        std::string line;
        while (std::getline(status, line)) {
            if (line.rfind(field + ":", 0) == 0)
                return std::stol(line.substr(field.size() + 1));
        }
        return 0L;
    };
    ::malloc_trim(0);
    std::ofstream("/proc/self/clear_refs") << "5";
    const long before = statusKB("VmRSS");
    action();
    return static_cast<double>(statusKB("VmHWM") - before) / 1024.0;
}

// A process that has run large actions before holds more at a peak than the action needs: once it has
// freed a large block, glibc raises its threshold for mapping blocks of their own and serves blocks up to
// 32 MB from its heap, which gives memory back only at its top, so freed blocks stay resident beside the
// new ones. A program that imports once holds what a fresh process holds; so the peak is measured in a
// fresh run of the benchmark, which gets the argument through this variable and prints one number.
constexpr const char* FreshRunVariable = "LORVANT_BENCH_FRESH_RUN";

// In a fresh run, the argument it was started with; empty in the benchmark itself.
inline std::string freshRunArgument() {
    const char* argument = std::getenv(FreshRunVariable);
    return argument ? argument : "";
}

// Starts this program afresh with the argument and reads the number it prints; -1 when it prints none.
inline double numberFromFreshRun(const std::string& argument) {
    const std::string self = std::filesystem::read_symlink("/proc/self/exe").string();
    ::setenv(FreshRunVariable, argument.c_str(), 1);
    FILE* child = ::popen(("'" + self + "'").c_str(), "r");
    ::unsetenv(FreshRunVariable);
    double number = -1;
    if (child != nullptr) {
        if (std::fscanf(child, "%lf", &number) != 1)
            number = -1;
        ::pclose(child);
    }
    return number;
}
