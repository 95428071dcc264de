// The setup program as a user meets it, in a wine prefix of its own: its first page, a silent installation
// and what it gives the user, double-clicked and "Open with" files, an upgrade and a silent uninstallation.
// The tests of Installed run in order: the last one uninstalls.
#include "tests/app/lorvantprocess.h"
#include "tests/app/testdocuments.h"
#include "tests/scripteduser/screenshot.h"

#include <gtest/gtest.h>

#include <shlobj.h>
#include <tlhelp32.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <fstream>
#include <iostream>
#include <memory>
#include <optional>

namespace {

using Texts = std::vector<std::string>;

const DWORD SetupTimeoutMs = 60000;
const char* const Classes = "Software\\Classes\\";
const char* const UninstallKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Lorvant";
const char* const SettingsKey = "Software\\Tandrel\\Lorvant\\" LORVANT_VERSION;
// The program a user chose for .csv files before installing Lorvant.
const char* const UsersCsvProgram = "Spreadsheet.csv";

struct CloseHandleDeleter {
    void operator()(HANDLE handle) const { CloseHandle(handle); }
};
using Handle = std::unique_ptr<void, CloseHandleDeleter>;

struct CloseKeyDeleter {
    void operator()(HKEY key) const { RegCloseKey(key); }
};
using Key = std::unique_ptr<std::remove_pointer_t<HKEY>, CloseKeyDeleter>;

struct ReleaseDeleter {
    void operator()(IUnknown* object) const { object->Release(); }
};
template <class Interface> using Com = std::unique_ptr<Interface, ReleaseDeleter>;

std::string folderOf(const std::string& path) {
    return path.substr(0, path.rfind('\\'));
}

std::string thisFolder() {
    char path[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    return folderOf(path);
}

// The setup program that `make dist` ships, built beside the test's folder.
std::string setupProgram() {
    return folderOf(thisFolder()) + "\\dist\\" LORVANT_SETUP_NAME;
}

std::string knownFolder(int id) {
    char path[MAX_PATH] = "";
    if (FAILED(SHGetFolderPathA(nullptr, id, nullptr, SHGFP_TYPE_CURRENT, path)))
        throw std::runtime_error("the system has no folder " + std::to_string(id));
    return path;
}

std::string installFolder() {
    return knownFolder(CSIDL_LOCAL_APPDATA) + "\\Programs\\Lorvant";
}

std::string startMenuShortcut() {
    return knownFolder(CSIDL_PROGRAMS) + "\\Lorvant.lnk";
}

bool fileExists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::optional<std::string> readText(const std::string& key, const std::string& value = "") {
    char text[2048] = "";
    DWORD size = sizeof text;
    if (RegGetValueA(HKEY_CURRENT_USER, key.c_str(), value.empty() ? nullptr : value.c_str(), RRF_RT_REG_SZ,
                     nullptr, text, &size) != ERROR_SUCCESS)
        return std::nullopt;
    return std::string(text);
}

std::optional<DWORD> readNumber(const std::string& key, const std::string& value) {
    DWORD number = 0, size = sizeof number;
    if (RegGetValueA(HKEY_CURRENT_USER, key.c_str(), value.c_str(), RRF_RT_REG_DWORD, nullptr, &number,
                     &size) != ERROR_SUCCESS)
        return std::nullopt;
    return number;
}

bool keyExists(const std::string& key) {
    HKEY opened = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS)
        return false;
    RegCloseKey(opened);
    return true;
}

// The command the shell runs for a verb-less double-click on a file of that extension: the extension names a
// ProgID, the ProgID its open command. Read from HKCU\Software\Classes, which wine does not show in
// HKEY_CLASSES_ROOT.
std::string openCommandFor(const std::string& extension) {
    const auto progId = readText(Classes + extension);
    const auto command = progId ? readText(Classes + *progId + "\\shell\\open\\command") : std::nullopt;
    return command.value_or("");
}

// The command "Open with" > Lorvant runs.
std::string openWithCommand() {
    return readText(std::string(Classes) + "Applications\\Lorvant.exe\\shell\\open\\command").value_or("");
}

LorvantProcess::WholeCommandLine forFile(std::string command, const std::string& path) {
    const auto at = command.find("%1");
    if (at == std::string::npos)
        throw std::runtime_error("the command \"" + command + "\" has no place for the file");
    return {command.replace(at, 2, path)};
}

std::string versionText(const std::string& program, const std::string& name) {
    std::vector<char> info(GetFileVersionInfoSizeA(program.c_str(), nullptr));
    char* text = nullptr;
    UINT length = 0;
    if (info.empty() ||
        !GetFileVersionInfoA(program.c_str(), 0, static_cast<DWORD>(info.size()), info.data()) ||
        !VerQueryValueA(info.data(), ("\\StringFileInfo\\040904E4\\" + name).c_str(),
                        reinterpret_cast<void**>(&text), &length))
        return "";
    return text;
}

// Symbols or DWARF sections: MinGW names the long .debug_ sections "/4", "/19" and so on.
bool carriesDebugInformation(const std::string& program) {
    const std::string image = readFile(program);
    if (image.size() < 0x40)
        return false;
    const auto peAt = *reinterpret_cast<const LONG*>(image.data() + 0x3C);
    const auto& header = *reinterpret_cast<const IMAGE_FILE_HEADER*>(image.data() + peAt + 4);
    if (header.NumberOfSymbols > 0)
        return true;
    const auto* sections = reinterpret_cast<const IMAGE_SECTION_HEADER*>(
        image.data() + peAt + 4 + sizeof(IMAGE_FILE_HEADER) + header.SizeOfOptionalHeader);
    for (int i = 0; i < header.NumberOfSections; ++i)
        if (sections[i].Name[0] == '/' ||
            std::string(reinterpret_cast<const char*>(sections[i].Name), 6) == ".debug")
            return true;
    return false;
}

std::string shortcutTarget(const std::string& shortcut) {
    IShellLinkA* link = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                reinterpret_cast<void**>(&link))))
        return "";
    const Com<IShellLinkA> ownedLink(link);
    IPersistFile* file = nullptr;
    if (FAILED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file))))
        return "";
    const Com<IPersistFile> ownedFile(file);
    const std::wstring name(shortcut.begin(), shortcut.end());
    char target[MAX_PATH] = "";
    if (FAILED(file->Load(name.c_str(), STGM_READ)) || FAILED(link->GetPath(target, MAX_PATH, nullptr, 0)))
        return "";
    return target;
}

// "path,-id" or "path,index", as DefaultIcon and DisplayIcon name an icon.
bool iconLoads(const std::string& location) {
    const auto comma = location.rfind(',');
    if (comma == std::string::npos)
        return false;
    HICON icon = nullptr;
    if (ExtractIconExA(location.substr(0, comma).c_str(), std::stoi(location.substr(comma + 1)), &icon,
                       nullptr, 1) != 1 ||
        icon == nullptr)
        return false;
    DestroyIcon(icon);
    return true;
}

struct Finished {
    DWORD exitCode;
    double seconds;
};

// Runs a command line to its end, and that of the programs it starts: the uninstaller hands over to a copy of
// itself in the temporary folder, so that it can remove its own file.
Finished runToTheEnd(const std::string& commandLine) {
    const auto start = std::chrono::steady_clock::now();
    std::string line = commandLine;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process))
        throw std::runtime_error("could not start " + commandLine);
    const Handle ownedProcess(process.hProcess), thread(process.hThread);
    std::vector<Handle> children;
    DWORD exitCode = 0;
    if (WaitForSingleObject(process.hProcess, SetupTimeoutMs) != WAIT_OBJECT_0)
        throw std::runtime_error(commandLine + " did not end");
    GetExitCodeProcess(process.hProcess, &exitCode);
    const Handle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32First(snapshot.get(), &entry); more;
         more = Process32Next(snapshot.get(), &entry))
        if (entry.th32ParentProcessID == process.dwProcessId)
            if (HANDLE child =
                    OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, entry.th32ProcessID))
                children.emplace_back(child);
    for (const Handle& child : children) {
        if (WaitForSingleObject(child.get(), SetupTimeoutMs) != WAIT_OBJECT_0)
            throw std::runtime_error("what " + commandLine + " started did not end");
        GetExitCodeProcess(child.get(), &exitCode);
    }
    return {exitCode, std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count()};
}

Finished installSilently() {
    return runToTheEnd("\"" + setupProgram() + "\" /S");
}

HWND shownWindowOf(DWORD process) {
    std::pair<DWORD, HWND> search{process, nullptr};
    EnumWindows(
        [](HWND window, LPARAM param) {
            auto& [process, found] = *reinterpret_cast<std::pair<DWORD, HWND>*>(param);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner != process || !IsWindowVisible(window) || GetWindow(window, GW_OWNER) != nullptr)
                return TRUE;
            found = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.second;
}

std::string lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

bool mentionsLorvant(const std::string& text) {
    return lower(text).find("lorvant") != std::string::npos;
}

struct FindCloseDeleter {
    void operator()(HANDLE search) const { FindClose(search); }
};

// The paths in folder, and in its subfolders as deep as depth, that name Lorvant or lie in a folder that
// does, folders before their contents. Kept shallow where wine links the user's folders (Desktop, Templates
// and the like) to the home folder on Linux.
void findLorvantFiles(const std::string& folder, int depth, Texts& found, bool inLorvantFolder = false) {
    WIN32_FIND_DATAA entry;
    const HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE)
        return;
    const std::unique_ptr<void, FindCloseDeleter> ownedSearch(search);
    do {
        const std::string name = entry.cFileName, path = folder + "\\" + name;
        if (name == "." || name == "..")
            continue;
        const bool lorvants = inLorvantFolder || mentionsLorvant(name);
        if (lorvants)
            found.push_back(path);
        if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && depth > 0)
            findLorvantFiles(path, depth - 1, found, lorvants);
    } while (FindNextFileA(search, &entry));
}

// The keys and values below HKEY_CURRENT_USER\path whose names or texts name Lorvant.
void findLorvantKeys(const std::string& path, Texts& found) {
    HKEY opened = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS)
        return;
    const Key key(opened);
    for (DWORD i = 0;; ++i) {
        char name[1024] = "";
        BYTE data[8192] = {};
        DWORD nameSize = sizeof name, dataSize = sizeof data, type = 0;
        const LONG result = RegEnumValueA(key.get(), i, name, &nameSize, nullptr, &type, data, &dataSize);
        if (result == ERROR_NO_MORE_ITEMS)
            break;
        const bool isText =
            result == ERROR_SUCCESS && (type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ);
        if (mentionsLorvant(name) ||
            (isText && mentionsLorvant(std::string(reinterpret_cast<char*>(data), dataSize))))
            found.push_back("HKCU\\" + path + " [" + name + "]");
    }
    for (DWORD i = 0;; ++i) {
        char name[1024] = "";
        DWORD nameSize = sizeof name;
        if (RegEnumKeyExA(key.get(), i, name, &nameSize, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        const std::string subkey = path.empty() ? name : path + "\\" + name;
        if (mentionsLorvant(name))
            found.push_back("HKCU\\" + subkey);
        else
            findLorvantKeys(subkey, found);
    }
}

std::string joined(const Texts& texts) {
    std::string result;
    for (const std::string& text : texts)
        result += "\n  " + text;
    return result;
}

// Each row's term and first field.
Texts itemsShown(LorvantProcess& lorvant) {
    Texts result;
    for (const LorvantProcess::Row& row : lorvant.rows())
        result.push_back(row.at(1) + " " + row.at(2));
    return result;
}

const std::vector<TestItem> Animals{{"cow", {"Kuh"}, "", 0, 0}, {"dog", {"Hund"}, "", 0, 0}};

} // namespace

// Before anything is installed: the first page, shown on the screen, and a cancelled setup.
TEST(SetupProgram, ShowsItsFirstPageAndInstallsNothingWhenCancelled) {
    HANDLE setupFile = CreateFileA(setupProgram().c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                   OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(setupFile, INVALID_HANDLE_VALUE) << "no setup program at " << setupProgram();
    std::cout << "setup program: " << GetFileSize(Handle(setupFile).get(), nullptr) << " bytes\n";

    std::string line = "\"" + setupProgram() + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    ASSERT_TRUE(CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                               &process));
    const Handle ownedProcess(process.hProcess), thread(process.hThread);
    HWND setup = nullptr;
    for (DWORD waited = 0; !(setup = shownWindowOf(process.dwProcessId)) && waited < SetupTimeoutMs;
         waited += 50)
        Sleep(50);
    ASSERT_NE(setup, nullptr) << "the setup program showed no window";
    Sleep(1000); // lets the page finish drawing
    EXPECT_EQ(LorvantProcess::text(setup), "Lorvant " LORVANT_VERSION " Setup");
    std::cout << "first page: " << saveScreenshot(setup, "setup-first-page") << "\n";
    PostMessageA(GetDlgItem(setup, IDCANCEL), BM_CLICK, 0, 0);
    ASSERT_EQ(WaitForSingleObject(process.hProcess, SetupTimeoutMs), WAIT_OBJECT_0)
        << "Cancel did not end setup";
    EXPECT_FALSE(keyExists(UninstallKey));
    EXPECT_FALSE(fileExists(installFolder()));
}

class Installed : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
        if (keyExists(UninstallKey))
            return;
        RegSetKeyValueA(HKEY_CURRENT_USER, (std::string(Classes) + ".csv").c_str(), nullptr, REG_SZ,
                        UsersCsvProgram, static_cast<DWORD>(std::strlen(UsersCsvProgram) + 1));
        const Finished run = installSilently();
        installExitCode = run.exitCode;
        std::cout << "silent installation: " << run.seconds << " s\n";
    }
    static void TearDownTestSuite() { CoUninitialize(); }

    static inline DWORD installExitCode = 0;
    const std::string _program = installFolder() + "\\Lorvant.exe";
    const std::string _openCommand = "\"" + _program + "\" \"%1\"";
    const std::string _uninstaller = installFolder() + "\\Uninstall.exe";
};

// One check of everything the package gives a user, each named by what the user would miss without it.
TEST_F(Installed, GivesAUserEverythingTheyLookFor) {
    Texts missing;
    const auto expect = [&](bool given, const std::string& whatAUserWouldMiss) {
        if (!given)
            missing.push_back(whatAUserWouldMiss);
    };
    const std::string progId = readText(std::string(Classes) + ".lvd").value_or("");
    expect(installExitCode == 0, "a silent installation that reports success");
    expect(fileExists(_program), "the program, in " + installFolder());
    expect(fileExists(installFolder() + "\\Lorvant.chm"), "the help that F1 opens");
    expect(fileExists(_program) && !carriesDebugInformation(_program),
           "a small program: the installed one carries debug information");
    expect(versionText(_program, "ProductName") == "Lorvant" &&
               versionText(_program, "ProductVersion") == LORVANT_VERSION &&
               !versionText(_program, "FileDescription").empty(),
           "the product name, version " LORVANT_VERSION " and description in the program's properties");
    expect(lower(shortcutTarget(startMenuShortcut())) == lower(_program), "Lorvant in the Start menu");
    expect(openCommandFor(".lvd") == _openCommand, "study lists that open in Lorvant with a double-click");
    expect(iconLoads(readText(Classes + progId + "\\DefaultIcon").value_or("")),
           "the study list icon in Explorer");
    expect(openWithCommand() == _openCommand, "Lorvant under \"Open with\"");
    for (const std::string extension : {".csv", ".tsv", ".txt"})
        expect(keyExists(Classes + extension + "\\OpenWithList\\Lorvant.exe") &&
                   readText(std::string(Classes) + "Applications\\Lorvant.exe\\SupportedTypes", extension),
               "Lorvant under \"Open with\" for " + extension + " files");
    expect(readText(std::string(Classes) + ".csv") == UsersCsvProgram,
           "the program they chose for .csv files, which Lorvant took over");
    expect(readText(UninstallKey, "DisplayName") == "Lorvant" &&
               readText(UninstallKey, "DisplayVersion") == LORVANT_VERSION &&
               readText(UninstallKey, "Publisher") == "Tandrel",
           "Lorvant, its version and its publisher in Settings > Apps");
    expect(iconLoads(readText(UninstallKey, "DisplayIcon").value_or("")),
           "Lorvant's icon in Settings > Apps");
    const std::string program = readFile(_program);
    expect(readNumber(UninstallKey, "EstimatedSize").value_or(0) >= program.size() / 1024,
           "the size in Settings > Apps");
    expect(fileExists(_uninstaller) &&
               readText(UninstallKey, "UninstallString") == "\"" + _uninstaller + "\"",
           "the Uninstall button in Settings > Apps");
    expect(readText(UninstallKey, "QuietUninstallString") == "\"" + _uninstaller + "\" /S",
           "a silent uninstallation for administrators");
    EXPECT_TRUE(missing.empty()) << "A user of the installed Lorvant would miss:" << joined(missing);
}

// As Explorer does on a double-click: the command registered for the extension, the path put for %1.
TEST_F(Installed, OpensADoubleClickedStudyList) {
    TestFolder folder;
    const std::string path = folder.path("animal words.lvd");
    writeDocument(path, Animals);
    LorvantProcess lorvant(forFile(openCommandFor(".lvd"), path));
    EXPECT_EQ(lorvant.title(), "Lorvant - " + path);
    EXPECT_EQ(itemsShown(lorvant), (Texts{"cow Kuh", "dog Hund"}));
    lorvant.close();
    EXPECT_TRUE(lorvant.waitForExit());
}

TEST_F(Installed, ImportsAWordListOpenedWithLorvant) {
    TestFolder folder;
    const std::string path = folder.path("words.csv");
    std::ofstream(path, std::ios::binary) << "cow,Kuh\r\ndog,Hund\r\n";
    LorvantProcess lorvant(forFile(openWithCommand(), path));
    lorvant.closeDialog(lorvant.waitForWindow("Import Text File"), IDOK);
    lorvant.waitUntilWorkDone();
    EXPECT_EQ(lorvant.otherWindows(), Texts{}) << "a message instead of the list";
    EXPECT_EQ(itemsShown(lorvant), (Texts{"cow Kuh", "dog Hund"}));
    lorvant.close();
    lorvant.answerMessageBox("Lorvant", IDNO); // the imported list is not saved yet
    EXPECT_TRUE(lorvant.waitForExit());
}

TEST_F(Installed, UpgradeKeepsTheUsersSettings) {
    TestFolder folder;
    const std::string path = folder.path("kept.lvd");
    writeDocument(path, Animals);
    {
        LorvantProcess lorvant(forFile(openCommandFor(".lvd"), path));
        lorvant.close();
        ASSERT_TRUE(lorvant.waitForExit());
    }
    const std::string recent = std::string(SettingsKey) + "\\MRU",
                      window = std::string(SettingsKey) + "\\Window";
    ASSERT_EQ(readText(recent, "1"), path);
    const auto width = readNumber(window, "Width");
    ASSERT_TRUE(width) << "the program kept no window placement";

    const Finished run = installSilently();
    std::cout << "silent upgrade: " << run.seconds << " s\n";
    EXPECT_EQ(run.exitCode, 0u);
    EXPECT_EQ(readText(recent, "1"), path) << "the recent documents";
    EXPECT_EQ(readNumber(window, "Width"), width) << "the window placement";
    EXPECT_TRUE(fileExists(_program));
}

// Last: it uninstalls. A study list the user saved in the program's folder keeps that folder.
TEST_F(Installed, UninstallLeavesNothingButTheUsersDocuments) {
    TestFolder folder;
    const std::string elsewhere = folder.path("animals.lvd"),
                      inProgramFolder = installFolder() + "\\mine.lvd";
    writeDocument(elsewhere, Animals);
    writeDocument(inProgramFolder, Animals);
    const auto command = readText(UninstallKey, "QuietUninstallString");
    ASSERT_TRUE(command) << "no silent uninstallation registered";

    const Finished run = runToTheEnd(*command);
    std::cout << "silent uninstallation: " << run.seconds << " s\n";
    EXPECT_EQ(run.exitCode, 0u);
    EXPECT_TRUE(fileExists(elsewhere));
    Texts files;
    for (const int place : {CSIDL_LOCAL_APPDATA, CSIDL_APPDATA})
        findLorvantFiles(knownFolder(place), 0, files);
    findLorvantFiles(folderOf(installFolder()), 8, files);
    findLorvantFiles(knownFolder(CSIDL_PROGRAMS), 8, files);
    EXPECT_EQ(files, (Texts{installFolder(), inProgramFolder})) << "files left:" << joined(files);
    Texts keys;
    findLorvantKeys("", keys);
    EXPECT_EQ(keys, Texts{}) << "registry entries left:" << joined(keys);
    EXPECT_EQ(readText(std::string(Classes) + ".csv"), UsersCsvProgram);
    for (const std::string extension : {".lvd", ".tsv", ".txt"})
        EXPECT_FALSE(keyExists(Classes + extension)) << "an empty key left for " << extension;

    DeleteFileA(inProgramFolder.c_str());
    RemoveDirectoryA(installFolder().c_str());
}
