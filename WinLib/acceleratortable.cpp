#include "acceleratortable.h"

#include "assertion.h"
#include "command.h"
#include "exception.h"

#include <utility>
#include <vector>

namespace Win {

AcceleratorTable::AcceleratorTable(const AcceleratorItem* accelTemplate, const Cmd::Vector& cmdVector) {
    std::vector<ACCEL> accels;
    for (const AcceleratorItem* item = accelTemplate; item->cmdName != nullptr && item->key != 0; ++item) {
        int cmdId = cmdVector.cmdToId(item->cmdName);
        WIN_ASSERT(cmdId != -1, "cmdId!=-1");
        accels.push_back(
            ACCEL{static_cast<BYTE>(item->flags | FVIRTKEY), item->key, static_cast<WORD>(cmdId)});
    }
    if (accels.empty())
        return;
    _table = ::CreateAcceleratorTableA(accels.data(), static_cast<int>(accels.size()));
    if (_table == nullptr)
        throw Exception("Internal error: Creation of accelerator table failed.");
}

AcceleratorTable::AcceleratorTable(AcceleratorTable&& other) noexcept
    : _table(std::exchange(other._table, nullptr)) {}

AcceleratorTable& AcceleratorTable::operator=(AcceleratorTable&& other) noexcept {
    if (this != &other) {
        if (_table != nullptr)
            ::DestroyAcceleratorTable(_table);
        _table = std::exchange(other._table, nullptr);
    }
    return *this;
}

AcceleratorTable::~AcceleratorTable() {
    if (_table != nullptr)
        ::DestroyAcceleratorTable(_table);
}

} // namespace Win
