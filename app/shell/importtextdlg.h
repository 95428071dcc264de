#pragma once

#include "helpfile.h"

#include "WinLib/anchoredlayout.h"
#include "WinLib/backgroundwork.h"
#include "WinLib/dialog.h"
#include "WinLib/timer.h"
#include "app/files/importlayout.h"
#include "app/files/importrefusal.h"
#include "app/files/textimportreport.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

class StudyList;

// "Import Text File": the first rows of a text file as they would become items, with the encoding,
// separator, header, quoting and what each column becomes guessed, for the user to correct, and what
// the whole file gives. Every change shows its preview at once; OK is greyed while the file would be
// refused. The user may make it larger; the preview grows with it. The whole file of a large one is read
// in the background, so that the dialog answers meanwhile; its counts follow when they are ready.
class ImportTextDlg : public Dialog::ModalController {
public:
    ImportTextDlg(std::string path, HelpFile helpFile);

    void onInitDialog() override;
    bool onCommand(int controlId, int notifyCode) override;
    bool onTimer(unsigned timerId) override;
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
    void countInBackground();
    // Asks the counting of the present choices to stop; it goes once it has.
    void stopCounting();
    void showCount();
    void showReport(const TextImportReport& report);
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

    // What the background reading of the whole file found; written by its thread, read once it has ended.
    struct WholeFileCount {
        std::optional<TextImportReport> report;
        std::optional<ImportRefusal> refusal;
    };
    std::unique_ptr<Win::BackgroundWork> _counting;
    std::shared_ptr<WholeFileCount> _count;
    // Countings for earlier choices, asked to stop; each goes once it has stopped.
    std::vector<std::unique_ptr<Win::BackgroundWork>> _stopping;
    Win::Timer _countTimer;
};
