#pragma once

#include "helpfile.h"

#include "WinLib/anchoredlayout.h"
#include "WinLib/dialog.h"
#include "app/files/importlayout.h"
#include "app/files/importrefusal.h"

#include <string>

class StudyList;

// "Import Text File": the first rows of a text file as they would become items, with the encoding,
// separator, header, quoting and what each column becomes guessed, for the user to correct, and what
// the whole file gives. Every change shows its preview at once; OK is greyed while the file would be
// refused. The user may make it larger; the preview grows with it.
class ImportTextDlg : public Dialog::ModalController {
public:
    ImportTextDlg(std::string path, HelpFile helpFile);

    void onInitDialog() override;
    bool onCommand(int controlId, int notifyCode) override;
    bool onNotify(NMHDR& header) override;
    bool onSize(int width, int height) override;
    bool onGetMinMaxInfo(MINMAXINFO& info) override;

    // After OK: the layout to import with. Columns the user left alone are guessed from the whole file.
    const ImportChoices& getChoices() const { return _choices; }

private:
    void showChoices();
    void showColumns();
    // Reads the first rows with the present choices and shows them, then what the whole file gives.
    void refresh();
    void showPreview(const StudyList& rows);
    void showWholeFile();
    void showRefusal(const ImportRefusal& refusal);
    void chooseSeparator();
    void chooseRole();
    void chooseListColumn(int listColumn);

    std::string _path;
    HelpFile _helpFile;
    ImportChoices _choices;
    ImportLayout _layout;
    Win::AnchoredLayout _anchors;
    SIZE _smallest{};
};
