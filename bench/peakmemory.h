#pragma once

#include <malloc.h>

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
