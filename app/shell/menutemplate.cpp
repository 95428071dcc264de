#include "menutemplate.h"

namespace {

using Menu::CMD;
using Menu::END;
using Menu::POP;
using Menu::SEPARATOR;

const Menu::Item ProgramItems[] = {
    {CMD, "&About", "Program_About", nullptr},
    {SEPARATOR, nullptr, nullptr, nullptr},
    {CMD, "E&xit\tAlt+F4", "Program_Exit", nullptr},
    {END, nullptr, nullptr, nullptr},
};

const Menu::Item StudyItems[] = {
    {CMD, "Review &Due Items\tCtrl+R", "Study_Review", nullptr},
    {SEPARATOR, nullptr, nullptr, nullptr},
    {CMD, "&Presentation", "Study_Presentation", nullptr},
    {CMD, "&Multiple choice", "Study_MC", nullptr},
    {CMD, "&Questions && Answers", "Study_QA", nullptr},
    {SEPARATOR, nullptr, nullptr, nullptr},
    {CMD, "&Settings...", "StudySet_Settings", nullptr},
    {END, nullptr, nullptr, nullptr},
};

const Menu::Item StudySetItems[] = {
    {CMD, "&New...\tCtrl+N", "StudySet_New", nullptr},
    {CMD, "&Open...\tCtrl+O", "StudySet_Open", nullptr},
    {CMD, "&Save\tCtrl+S", "StudySet_Save", nullptr},
    {CMD, "Save &As...", "StudySet_SaveAs", nullptr},
    {SEPARATOR, nullptr, nullptr, nullptr},
    // The recent-documents popup is inserted here.
    {SEPARATOR, nullptr, nullptr, nullptr},
    {CMD, "C&ustomize...\tCtrl+L", "StudySet_Outline", nullptr},
    {SEPARATOR, nullptr, nullptr, nullptr},
    {POP, "S&tudy", nullptr, StudyItems},
    {SEPARATOR, nullptr, nullptr, nullptr},
    {CMD, "&Reset scores", "StudySet_ResetScores", nullptr},
    {CMD, "Stat&istics...", "StudySet_Statistics", nullptr},
    {END, nullptr, nullptr, nullptr},
};

const Menu::Item ItemItems[] = {
    {CMD, "&Add...\tIns", "Term_Add", nullptr},
    {CMD, "&Remove\tDel", "Term_Remove", nullptr},
    {CMD, "&Edit...", "Term_Edit", nullptr},
    {SEPARATOR, nullptr, nullptr, nullptr},
    {CMD, "&Find...\tCtrl+F", "Term_Find", nullptr},
    {CMD, "Find &Next\tF3", "Term_FindNext", nullptr},
    {SEPARATOR, nullptr, nullptr, nullptr},
    {CMD, "Select &All\tCtrl+A", "Term_SelectAll", nullptr},
    {CMD, "Select &Weak Items...", "Term_SelectWeak", nullptr},
    {SEPARATOR, nullptr, nullptr, nullptr},
    {CMD, "F&orget Schedule", "Term_ForgetSchedule", nullptr},
    {END, nullptr, nullptr, nullptr},
};

const Menu::Item HelpItems[] = {
    {CMD, "&Contents and Index\tF1", "HelpContents", nullptr},
    {CMD, "Getting &Started", "GetStarted", nullptr},
    {END, nullptr, nullptr, nullptr},
};

} // namespace

const Menu::Item MenuTemplate[] = {
    {POP, "&Program", "Program", ProgramItems}, {POP, "&Study Set", "Study List", StudySetItems},
    {POP, "&Item", "Item", ItemItems},          {POP, "&Help", "Help", HelpItems},
    {END, nullptr, nullptr, nullptr},
};
