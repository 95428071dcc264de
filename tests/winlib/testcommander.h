#pragma once
#include "WinLib/command.h"

#include <map>
#include <string>

// A commander whose commands record their runs and whose tests answer what the test sets.
class TestCommander {
public:
    void open() { ran += "open;"; }
    void save() { ran += "save;"; }
    void check() { ran += "check;"; }
    void exit() { ran += "exit;"; }
    Cmd::Status testOpen() const { return status("Open"); }
    Cmd::Status testSave() const { return status("Save"); }
    Cmd::Status testCheck() const { return status("Check"); }
    Cmd::Status testExit() const { return status("Exit"); }

    Cmd::Status status(const std::string& name) const {
        auto found = statuses.find(name);
        return found == statuses.end() ? Cmd::ENABLED : found->second;
    }

    std::string ran;
    std::map<std::string, Cmd::Status> statuses;
};

inline const Cmd::Item<TestCommander> testCommands[] = {
    {"Open", &TestCommander::open, &TestCommander::testOpen, "Open a file"},
    {"Save", &TestCommander::save, &TestCommander::testSave, "Save the file"},
    {"Check", &TestCommander::check, &TestCommander::testCheck, "Check or uncheck"},
    {"Exit", &TestCommander::exit, &TestCommander::testExit, "Quit"},
    {nullptr, nullptr, nullptr, nullptr}};
