#pragma once

#include <windows.h>

namespace Cmd {
class Vector;
}

namespace Win {

// One entry of an accelerator template: modifier flags (FCONTROL, FALT, FSHIFT or none), virtual key and
// command name. A template ends at the first entry with no command name or with key 0.
struct AcceleratorItem {
    BYTE flags;
    WORD key;
    const char* cmdName;
};

// The keyboard accelerators of a template, every key a virtual key, raising the named commands.
class AcceleratorTable {
public:
    AcceleratorTable(const AcceleratorItem* accelTemplate, const Cmd::Vector& cmdVector);
    AcceleratorTable(const AcceleratorTable&) = delete;
    AcceleratorTable& operator=(const AcceleratorTable&) = delete;
    AcceleratorTable(AcceleratorTable&& other) noexcept;
    AcceleratorTable& operator=(AcceleratorTable&& other) noexcept;
    ~AcceleratorTable();

    // No table (nullptr) for an empty template: there is nothing to translate.
    HACCEL getHandle() const { return _table; }

private:
    HACCEL _table = nullptr;
};

} // namespace Win
