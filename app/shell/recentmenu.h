#pragma once

#include "WinLib/menu.h"

class StudyList;

namespace Cmd {
class Vector;
}

// The "Open Recent" popup of the "&Study Set" menu: "Clear Recent", then the document's recent files, most
// recent first. Its items are made anew each time it opens.
class RecentMenu : public Menu::DynamicMaker {
public:
    RecentMenu(const StudyList& studyList, Menu::BarMaker& menuBar, const Cmd::Vector& cmdVector);

    void refresh(HMENU menu) override;

private:
    void fill();

    const StudyList& _studyList;
    const Cmd::Vector& _cmdVector;
};

// The recent files are kept for the user in the registry, under
// HKEY_CURRENT_USER\Software\Tandrel\Lorvant\1.21\MRU, values "1" (most recent) to "10". Neither reports
// failures: without the registry the program only forgets its recent files.
void loadRecentDocs(StudyList& studyList);
void saveRecentDocs(const StudyList& studyList);
