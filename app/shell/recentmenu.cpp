#include "recentmenu.h"

#include "menutemplate.h"
#include "programkey.h"

#include "WinLib/command.h"
#include "WinLib/exception.h"
#include "app/model/lorvant.h"

#include <string>
#include <vector>

namespace {

const char* const KeyName = "MRU";

// A menu shows "&" as the mark of the next letter; a path shows it as itself.
std::string menuLabel(const std::string& path) {
    std::string label;
    for (char c : path) {
        if (c == '&')
            label += '&';
        label += c;
    }
    return label;
}

} // namespace

RecentMenu::RecentMenu(const StudyList& studyList, Menu::BarMaker& menuBar, const Cmd::Vector& cmdVector)
    : _studyList(studyList), _cmdVector(cmdVector) {
    fill();
    menuBar.insertDynamic(*this, "Open Recent", StudySetPopupIndex, RecentMenuPosition);
}

void RecentMenu::refresh(HMENU) {
    removeAllItems();
    fill();
}

void RecentMenu::fill() {
    addItem(_cmdVector.cmdToId("StudySet_ClearRecent"), "Clear Recent");
    addSeparator();
    const std::vector<std::string> recentDocs = _studyList.getRecentDocs();
    for (std::size_t n = 1; n <= recentDocs.size(); ++n)
        addItem(_cmdVector.cmdToId(("OpenRecent" + std::to_string(n)).c_str()),
                menuLabel(recentDocs[n - 1]).c_str());
}

void loadRecentDocs(StudyList& studyList) {
    try {
        const WinReg::Key key = openProgramSubKey(KeyName);
        // addRecentDoc puts each path in front, so the oldest goes in first.
        for (int n = StudyList::MaxRecentDocs; n >= 1; --n) {
            try {
                const std::string path = key.getStringValue(std::to_string(n).c_str());
                if (!path.empty())
                    studyList.addRecentDoc(path);
            } catch (const Win::Exception&) {
                // A missing or unreadable value is no entry.
            }
        }
    } catch (const Win::Exception&) {
        // No key yet: nothing was remembered.
    }
}

void saveRecentDocs(const StudyList& studyList) {
    try {
        WinReg::Key key = createProgramSubKey(KeyName);
        const std::vector<std::string> recentDocs = studyList.getRecentDocs();
        for (std::size_t n = 1; n <= StudyList::MaxRecentDocs; ++n)
            key.setStringValue(std::to_string(n).c_str(), n <= recentDocs.size() ? recentDocs[n - 1] : "");
    } catch (const Win::Exception&) {
        // Values written so far stay; the rest keep what they had.
    }
}
