#pragma once

#include "assertion.h"

#include <map>
#include <string>

namespace Cmd {

// What a command's test says: whether its menu item, accelerator and button are available.
enum Status { DISABLED = 0, ENABLED = 1, CHECKED = 2 };

// One row of a command table: the command's name, the commander's member functions that execute and
// test it, and its help text. A table ends with a row whose _exec is absent; a row's index is the
// command id.
template <class Commander> struct Item {
    const char* _name;
    void (Commander::*_exec)();
    Status (Commander::*_test)() const;
    const char* _help;
};

// Command names to ids, and commands run on the commander by id. Menus, accelerators and toolbar buttons
// refer to commands by name through it.
class Vector {
public:
    Vector() = default;
    Vector(const Vector&) = delete;
    Vector& operator=(const Vector&) = delete;
    virtual ~Vector() = default;

    virtual void execute(int cmdId) = 0;
    virtual Status test(const char* name) const = 0;
    virtual Status test(int cmdId) const = 0;
    virtual const char* getHelp(int cmdId) const = 0;

    // -1 when there is no command of that name.
    int cmdToId(const char* name) const {
        auto found = _ids.find(name);
        return found == _ids.end() ? -1 : found->second;
    }

protected:
    void addName(const char* name, int cmdId) { _ids.emplace(name, cmdId); }

private:
    std::map<std::string, int, std::less<>> _ids;
};

template <class Commander> class VectorExec : public Vector {
public:
    VectorExec(const Item<Commander>* cmd, Commander* commander) : _commander(commander), _cmd(cmd) {
        while (_cmd[_count]._exec != nullptr) {
            addName(_cmd[_count]._name, _count);
            ++_count;
        }
    }

    void execute(int cmdId) override {
        WIN_ASSERT(_commander != nullptr, "_commander!=0");
        checkId(cmdId);
        WIN_ASSERT(_cmd[cmdId]._exec != nullptr, "_cmd [cmdId]._exec != 0");
        (_commander->*_cmd[cmdId]._exec)();
    }

    Status test(const char* name) const override { return test(cmdToId(name)); }

    Status test(int cmdId) const override {
        WIN_ASSERT(_commander != nullptr, "_commander!=0");
        checkId(cmdId);
        WIN_ASSERT(_cmd[cmdId]._test != nullptr, "_cmd[cmdId]._test!=0");
        return (_commander->*_cmd[cmdId]._test)();
    }

    const char* getHelp(int cmdId) const override {
        checkId(cmdId);
        WIN_ASSERT(_cmd[cmdId]._help != nullptr, "_cmd[cmdId]._help != 0");
        return _cmd[cmdId]._help;
    }

private:
    void checkId(int cmdId) const {
        WIN_ASSERT(cmdId != -1, "cmdId!=-1");
        WIN_ASSERT(cmdId >= 0 && cmdId < _count, "cmdId<_count");
    }

    Commander* _commander;
    const Item<Commander>* _cmd;
    int _count = 0;
};

} // namespace Cmd
