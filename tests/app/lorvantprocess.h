#pragma once
#include <windows.h>

#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

// The program as a person meets it: Lorvant.exe, started from the folder of the test executable in a process
// of its own, with a command line. The test acts on it with clicks, keys and typing, and reads what its
// windows show. A probe library hooked into the program's thread reads the menus, the list and the toolbar.
// Every action returns once the program has handled it or opened a modal window because of it; every wait has
// a time-out and then throws std::runtime_error. A program still running when the object goes is ended.
class LorvantProcess {
public:
    static constexpr DWORD TimeoutMs = 15000;

    struct MenuItem {
        int id;     // -1 for a popup or separator
        UINT state; // as GetMenuState by position
        std::string label;
        bool enabled() const { return (state & (MF_GRAYED | MF_DISABLED)) == 0; }
        bool separator() const { return (state & MF_SEPARATOR) != 0; }
    };
    struct Column {
        int width;
        std::string title;
    };
    struct Button {
        int state;  // TBSTATE_ flags
        RECT place; // on the screen
        std::string text;
    };
    using Row = std::vector<std::string>;

    // The whole command line, program included, as the shell runs a registered command: an installed
    // Lorvant, for one.
    struct WholeCommandLine {
        std::string text;
    };

    // folder: the current folder the program starts in; empty for the test's own.
    explicit LorvantProcess(const std::string& commandLine = "", const std::string& folder = "");
    explicit LorvantProcess(const WholeCommandLine& commandLine, const std::string& folder = "");
    LorvantProcess(const LorvantProcess&) = delete;
    LorvantProcess& operator=(const LorvantProcess&) = delete;
    ~LorvantProcess() { end(); }

    HWND mainWindow() const { return _mainWindow; }
    HANDLE processHandle() const { return _process.hProcess; }
    std::string title() const { return text(_mainWindow); }
    std::string statusText() const { return text(GetDlgItem(_mainWindow, 1)); }
    // The text of a further part of the status bar.
    std::string statusText(int part) { return ask("status-part " + std::to_string(part)); }

    // Menus: a popup is named by its positions from the menu bar, as these.
    static inline const std::vector<int> ProgramMenu{0}, StudySetMenu{1}, RecentMenu{1, 5}, StudyMenu{1, 9},
        ItemMenu{2}, HelpMenu{3};
    std::vector<MenuItem> menu(const std::vector<int>& popupPath);
    MenuItem menuItem(const std::vector<int>& popupPath, const std::string& label);
    // As a click on the item; a greyed item cannot be chosen.
    void chooseMenuItem(const std::vector<int>& popupPath, const std::string& label);
    // The mouse resting on an item; closeMenu ends the menu.
    void highlightMenuItem(std::vector<int> popupPath, int position);
    void closeMenu() { ask("close-menu"); }
    std::vector<MenuItem> trackedMenu(); // the context menu, once it is shown

    // The list.
    int rowCount() { return std::stoi(table("counts").at(0).at(0)); }
    int selectedCount() { return std::stoi(table("counts").at(0).at(1)); }
    std::vector<Column> columns();
    std::vector<Row> rows(int first, int count);
    std::vector<Row> rows() { return rows(0, rowCount()); }
    std::vector<int> selectedRows();
    void selectRows(const std::vector<int>& rows);
    void clickRow(int row) { mouseOnRow(row, WM_LBUTTONDOWN, 0, false); }
    void shiftClickRow(int row) { mouseOnRow(row, WM_LBUTTONDOWN, MK_SHIFT, false); }
    void ctrlClickRow(int row) { mouseOnRow(row, WM_LBUTTONDOWN, MK_CONTROL, false); }
    void doubleClickRow(int row) { mouseOnRow(row, WM_LBUTTONDOWN, 0, true); }
    void rightClickRow(int row) { mouseOnRow(row, WM_RBUTTONDOWN, 0, false); }
    void clickHeader(int column);
    void dragColumnWidth(int column, int width);

    std::vector<Button> toolbar(); // without its separators
    Button button(const std::string& text);
    void clickButton(const std::string& text);
    // Rests the mouse on the button and returns the tooltip that appears.
    std::string tooltip(const std::string& text);

    // Real keyboard input, with modifiers held, to the main window or whatever the program has open.
    void pressKey(UINT virtualKey, const std::vector<UINT>& modifiers = {});
    // Real keyboard input of a text in any script, into whatever has the keyboard focus.
    void type(const std::string& text);

    // The program's other top-level windows, found by caption.
    HWND waitForWindow(const std::string& caption);
    // The captions of the program's visible top-level windows other than the main window.
    std::vector<std::string> otherWindows();
    void waitUntilGone(HWND window);
    static std::string text(HWND window);
    static std::string text(HWND dialog, int id) { return text(GetDlgItem(dialog, id)); }
    static std::string messageBoxText(HWND box) { return text(box, 0xFFFF); }
    void click(HWND dialog, int id);                            // a button, as a mouse click
    void closeDialog(HWND dialog, int id);                      // clicks and waits until it is gone
    void setText(HWND dialog, int id, const std::string& text); // an edit control, as pasting
    // Waits for the message box, clicks the button (IDYES, IDNO, IDCANCEL, IDOK), returns the box's text.
    std::string answerMessageBox(const std::string& caption, int buttonId);
    // In the Open or Save As dialog: the path and file type typeIndex (1-based; 0 keeps it), then OK.
    void chooseFile(const std::string& caption, const std::string& path, int typeIndex = 0);

    void sync(); // returns once the program has handled everything done to it so far
    // Returns once the main window takes input again: work done in the background, such as an import,
    // holds it while it runs and the program goes on answering.
    void waitUntilWorkDone();
    // Has the program draw, in its own thread, whatever of its windows still waits to be drawn.
    void finishDrawing() {
        sync();
        ask("draw");
    }
    // The main window moved from a screen of fromDpi dots per inch to one of toDpi, as the system tells it.
    void changeDpi(int fromDpi, int toDpi) {
        ask("dpi-changed " + std::to_string(fromDpi) + " " + std::to_string(toDpi));
        sync();
    }
    void close() { post(_mainWindow, WM_CLOSE, 0, 0); } // as the close box
    bool waitForExit(DWORD timeoutMs = TimeoutMs);
    DWORD exitCode();
    // A picture of a window of the program, by default the main window, as name.png in the folder named by
    // LORVANT_SCREENSHOT_DIR (else "screenshots"). Returns its path.
    std::string screenshot(const std::string& name, HWND window = nullptr);
    // Whether a part of a window (client coordinates) shows a single colour on the screen now: nothing is
    // drawn there. Asked after a screenshot, which lets the program and the display finish drawing.
    bool showsOneColour(HWND window, const RECT& clientArea);

private:
    void end(); // ends the program if it still runs and lets go of it
    std::string ask(const std::string& request);
    std::vector<Row> table(const std::string& request); // the reply's lines, each split into its fields
    void mouse(HWND window, const RECT& onScreen, UINT down, WPARAM keys, bool twice);
    void mouseOnRow(int row, UINT down, WPARAM keys, bool twice);
    HWND header() const; // of the list
    void post(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void press(HWND dialog, int id); // click without waiting for the program
    // Polls until done, failing with what once the time is up or the program has ended.
    void waitUntil(const std::function<bool()>& done, const std::string& what);
    [[noreturn]] void fail(const std::string& what) const { throw std::runtime_error(what); }

    PROCESS_INFORMATION _process{};
    HWND _mainWindow = nullptr;
    DWORD _thread = 0;
    HANDLE _memory = nullptr;
    void* _buffers = nullptr;
    HANDLE _answered = nullptr;
    HHOOK _hook = nullptr;
};

// Where a test keeps its documents: a fresh folder under the system's temporary folder, removed with its
// files.
class TestFolder {
public:
    TestFolder();
    TestFolder(const TestFolder&) = delete;
    TestFolder& operator=(const TestFolder&) = delete;
    ~TestFolder();
    std::string path(const std::string& name) const { return _path + "\\" + name; }
    std::vector<std::string> files() const; // the names of the files in it

private:
    std::string _path;
};

std::string readFile(const std::string& path);

// Where the program keeps its window's place from one run to the next.
inline constexpr const char* WindowPlacementKey = "Software\\Tandrel\\Lorvant\\1.21\\Window";

// The recent documents in the registry, values "1" to "10" (missing values as empty texts).
void deleteRecentDocsKey();
std::vector<std::string> readRecentDocsKey();
void writeRecentDocsKey(const std::vector<std::string>& values);
