#include "importtextdlg.h"

#include "importmessages.h"

#include "WinLib/combobox.h"
#include "WinLib/dpi.h"
#include "WinLib/io/fileserializer.h"
#include "app/files/textfileinputmethod.h"
#include "app/model/lorvant.h"
#include "resources/resource.h"

#include <commctrl.h>

#include <algorithm>
#include <utility>

namespace {

// Enough rows to see the shape of the table; reading them stays quick for any file.
constexpr int PreviewRows = 50;
// Files up to this size, which the preview reads whole anyway, are counted at once at each change;
// larger ones in the background.
constexpr std::uint64_t CountedAtOnceBytes = 1024 * 1024;
// How often the dialog looks at the counting.
constexpr unsigned CountPollMilliseconds = 100;
constexpr unsigned CountTimerId = 1;

// In the order of the encoding list.
constexpr TextEncoding Encodings[] = {TextEncoding::Utf8, TextEncoding::Utf16LittleEndian,
                                      TextEncoding::Utf16BigEndian, TextEncoding::Windows1252};
// Tab, comma and semicolon; then "Other:" with the character typed beside it.
constexpr char Separators[] = {'\t', ',', ';'};
constexpr int OtherSeparator = 3;
// In the order of ColumnRole and the role list.
constexpr int RoleCount = 4;

std::uint64_t fileSize(const std::string& path) {
    return Win::IO::FileDeSerializer(path).getBytesLeft();
}

void fillList(HWND dialog, int id, int firstText, int count) {
    Win::ComboBox box(dialog, id);
    box.clear();
    for (int i = 0; i < count; ++i)
        box.addString(loadText(firstText + i).c_str());
}

} // namespace

ImportTextDlg::ImportTextDlg(std::string path, HelpFile helpFile)
    : _path(std::move(path)), _helpFile(std::move(helpFile)) {}

void ImportTextDlg::onInitDialog() {
    RECT frame{};
    ::GetWindowRect(_h, &frame);
    _smallest = {frame.right - frame.left, frame.bottom - frame.top};
    _anchors.add(_h, IDC_IMPORT_PREVIEW, Win::AnchoredLayout::GROW);
    _anchors.add(_h, IDC_IMPORT_SUMMARY, Win::AnchoredLayout::BOTTOM);
    for (int id : {IDOK, IDCANCEL, IDC_HELP_BUTTON})
        _anchors.add(_h, id, Win::AnchoredLayout::BOTTOM_RIGHT);
    ListView_SetExtendedListViewStyle(::GetDlgItem(_h, IDC_IMPORT_PREVIEW), LVS_EX_FULLROWSELECT);
    fillList(_h, IDC_IMPORT_ENCODING, IDS_IMPORT_ENCODING_FIRST, std::size(Encodings));
    fillList(_h, IDC_IMPORT_SEPARATOR, IDS_IMPORT_SEPARATOR_FIRST, OtherSeparator + 1);
    fillList(_h, IDC_IMPORT_ROLE, IDS_IMPORT_ROLE_FIRST, RoleCount);
    ::SendDlgItemMessageA(_h, IDC_IMPORT_OTHER_SEPARATOR, EM_LIMITTEXT, 1, 0);

    // The guesses become the choices shown, except the columns, which stay guessed from the whole
    // file until the user changes one. A refused file keeps the guesses made before the refusal.
    TextFileInputMethod guess;
    try {
        guess.readFirstRows(_path, PreviewRows);
    } catch (const ImportRefusal&) {
        // Shown by refresh, which meets it again.
    }
    _choices.encoding = guess.getReport().encoding;
    _choices.separator = guess.getLayout().separator;
    _choices.quoting = guess.getLayout().quoting;
    _choices.header = guess.getLayout().header;
    showChoices();
    refresh();
}

void ImportTextDlg::showChoices() {
    const TextEncoding encoding = _choices.encoding.value_or(TextEncoding::Utf8);
    Win::ComboBox(_h, IDC_IMPORT_ENCODING)
        .setSelection(static_cast<int>(std::find(std::begin(Encodings), std::end(Encodings), encoding) -
                                       std::begin(Encodings)));
    const char separator = _choices.separator.value_or('\t');
    const int separatorIdx = static_cast<int>(
        std::find(std::begin(Separators), std::end(Separators), separator) - std::begin(Separators));
    Win::ComboBox(_h, IDC_IMPORT_SEPARATOR).setSelection(separatorIdx);
    const char other[2] = {separatorIdx == OtherSeparator ? separator : '\0', '\0'};
    ::SetDlgItemTextA(_h, IDC_IMPORT_OTHER_SEPARATOR, other);
    ::EnableWindow(::GetDlgItem(_h, IDC_IMPORT_OTHER_SEPARATOR), separatorIdx == OtherSeparator);
    ::CheckDlgButton(_h, IDC_IMPORT_HEADER, _choices.header.value_or(false) ? BST_CHECKED : BST_UNCHECKED);
    ::CheckDlgButton(_h, IDC_IMPORT_QUOTES, _choices.quoting.value_or(true) ? BST_CHECKED : BST_UNCHECKED);
}

void ImportTextDlg::refresh() {
    stopCounting();
    TextFileInputMethod reader(_choices);
    StudyList rows;
    try {
        rows = reader.readFirstRows(_path, PreviewRows);
    } catch (const ImportRefusal& refusal) {
        ListView_DeleteAllItems(::GetDlgItem(_h, IDC_IMPORT_PREVIEW));
        showRefusal(refusal);
        return;
    }
    _layout = reader.getLayout();
    showColumns();
    showPreview(rows);
    ::UpdateWindow(_h);
    showWholeFile();
}

void ImportTextDlg::showColumns() {
    Win::ComboBox columns(_h, IDC_IMPORT_COLUMN);
    const int chosen = std::max(columns.getSelection(), 0);
    columns.clear();
    for (std::size_t i = 0; i < _layout.columns.size(); ++i)
        columns.addString(format(IDS_IMPORT_COLUMN, static_cast<int>(i + 1)).c_str());
    const bool any = !_layout.columns.empty();
    columns.setSelection(any ? std::min(chosen, columns.getCount() - 1) : -1);
    Win::ComboBox(_h, IDC_IMPORT_ROLE)
        .setSelection(
            any ? static_cast<int>(_layout.columns[static_cast<std::size_t>(columns.getSelection())]) : -1);
    ::EnableWindow(::GetDlgItem(_h, IDC_IMPORT_ROLE), any);
}

void ImportTextDlg::showPreview(const StudyList& rows) {
    HWND list = ::GetDlgItem(_h, IDC_IMPORT_PREVIEW);
    ::SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    ListView_DeleteAllItems(list);
    while (ListView_DeleteColumn(list, 0))
        ;
    // The headings are what each column becomes: the item type over the terms, the fields, the comment.
    const Outline& outline = rows.getOutline();
    std::vector<std::string> headings{outline.getItemType()};
    for (int i = 0; i < outline.getDefCount(); ++i)
        headings.push_back(outline.getDef(i));
    const bool comment = std::count(_layout.columns.begin(), _layout.columns.end(), ColumnRole::Comment) > 0;
    if (comment)
        headings.push_back(loadText(IDS_IMPORT_ROLE_FIRST + static_cast<int>(ColumnRole::Comment)));
    for (std::size_t i = 0; i < headings.size(); ++i) {
        LVCOLUMNA column{};
        column.mask = LVCF_TEXT;
        column.pszText = headings[i].data();
        ::SendMessageA(list, LVM_INSERTCOLUMNA, i, reinterpret_cast<LPARAM>(&column));
    }
    for (int row = 0; row < rows.getTermSetCount(); ++row) {
        const TermSet& item = rows.getTermSet(static_cast<std::size_t>(row));
        std::vector<std::string> cells{std::string(item.getTerm())};
        for (int i = 0; i < outline.getDefCount(); ++i)
            cells.push_back(item.getField(i));
        if (comment)
            cells.emplace_back(item.getComment());
        LVITEMA cell{};
        cell.mask = LVIF_TEXT;
        cell.iItem = row;
        for (std::size_t i = 0; i < cells.size(); ++i) {
            cell.iSubItem = static_cast<int>(i);
            cell.pszText = cells[i].data();
            ::SendMessageA(list, i == 0 ? LVM_INSERTITEMA : LVM_SETITEMTEXTA, static_cast<WPARAM>(row),
                           reinterpret_cast<LPARAM>(&cell));
        }
    }
    // As wide as the widest cell and the heading, with the room the control leaves around a text.
    const int margin = 2 * ::GetSystemMetrics(SM_CXEDGE) + Win::Dpi::of(list).scale(12);
    for (std::size_t i = 0; i < headings.size(); ++i) {
        const int column = static_cast<int>(i);
        ListView_SetColumnWidth(list, column, LVSCW_AUTOSIZE);
        const int heading = ListView_GetStringWidth(list, headings[i].c_str()) + margin;
        if (ListView_GetColumnWidth(list, column) < heading)
            ListView_SetColumnWidth(list, column, heading);
    }
    ::SendMessageA(list, WM_SETREDRAW, TRUE, 0);
    ::InvalidateRect(list, nullptr, TRUE);
}

void ImportTextDlg::showWholeFile() {
    if (fileSize(_path) > CountedAtOnceBytes) {
        countInBackground();
        return;
    }
    TextFileInputMethod reader(_choices);
    try {
        reader.read(_path);
    } catch (const ImportRefusal& refusal) {
        showRefusal(refusal);
        return;
    }
    showReport(reader.getReport());
}

void ImportTextDlg::countInBackground() {
    // OK stays available meanwhile: the import itself tells what the counting would.
    ::SetDlgItemTextA(_h, IDC_IMPORT_SUMMARY, format(IDS_IMPORT_COUNTING, 0).c_str());
    ::EnableWindow(::GetDlgItem(_h, IDOK), TRUE);
    _count = std::make_shared<WholeFileCount>();
    _counting = std::make_unique<Win::BackgroundWork>(
        [count = _count, path = _path, choices = _choices](Win::WorkProgress& progress) {
            TextFileInputMethod reader(choices);
            try {
                reader.read(path, [&progress](std::uint64_t done, std::uint64_t total) {
                    return progress.report(done, total);
                });
                count->report = reader.getReport();
            } catch (const ImportRefusal& refusal) {
                count->refusal = refusal;
            }
        });
    _countTimer.create(_h, CountPollMilliseconds, CountTimerId);
}

void ImportTextDlg::stopCounting() {
    if (!_counting)
        return;
    _counting->getProgress().cancel();
    _stopping.push_back(std::move(_counting));
}

bool ImportTextDlg::onTimer(unsigned) {
    std::erase_if(_stopping,
                  [](const std::unique_ptr<Win::BackgroundWork>& work) { return work->hasEnded(); });
    if (_counting && _counting->hasEnded())
        showCount();
    else if (_counting)
        ::SetDlgItemTextA(_h, IDC_IMPORT_SUMMARY,
                          format(IDS_IMPORT_COUNTING,
                                 100 * _counting->getProgress().getPartsDone() / Win::WorkProgress::Parts)
                              .c_str());
    if (!_counting && _stopping.empty())
        _countTimer.kill();
    return true;
}

void ImportTextDlg::showCount() {
    const std::unique_ptr<Win::BackgroundWork> counted = std::move(_counting);
    try {
        counted->finish();
    } catch (...) {
        // Reading failed, or memory ran short: the import on OK meets it again and says so.
        ::SetDlgItemTextA(_h, IDC_IMPORT_SUMMARY, loadText(IDS_IMPORT_SUMMARY_LARGE).c_str());
        return;
    }
    if (_count->refusal)
        showRefusal(*_count->refusal);
    else
        showReport(*_count->report);
}

void ImportTextDlg::showReport(const TextImportReport& report) {
    std::string text = format(IDS_IMPORT_SUMMARY, report.itemCount) + describeTallies(report);
    ::SetDlgItemTextA(_h, IDC_IMPORT_SUMMARY, text.c_str());
    ::EnableWindow(::GetDlgItem(_h, IDOK), TRUE);
}

void ImportTextDlg::showRefusal(const ImportRefusal& refusal) {
    ::SetDlgItemTextA(_h, IDC_IMPORT_SUMMARY,
                      (loadText(IDS_IMPORT_REFUSED) + "\n" + describeRefusal(refusal)).c_str());
    ::EnableWindow(::GetDlgItem(_h, IDOK), FALSE);
}

void ImportTextDlg::chooseSeparator() {
    const int chosen = Win::ComboBox(_h, IDC_IMPORT_SEPARATOR).getSelection();
    ::EnableWindow(::GetDlgItem(_h, IDC_IMPORT_OTHER_SEPARATOR), chosen == OtherSeparator);
    char other[4] = "";
    ::GetDlgItemTextA(_h, IDC_IMPORT_OTHER_SEPARATOR, other, sizeof other);
    if (chosen >= 0 && chosen < OtherSeparator)
        _choices.separator = Separators[chosen];
    else if (other[0] != '\0' && other[0] != '"' && other[0] != '\r' && other[0] != '\n')
        _choices.separator = other[0];
    else
        return;
    // Another separator makes other columns; they are guessed anew.
    _choices.columns.reset();
    refresh();
}

void ImportTextDlg::chooseRole() {
    const int column = Win::ComboBox(_h, IDC_IMPORT_COLUMN).getSelection();
    const int role = Win::ComboBox(_h, IDC_IMPORT_ROLE).getSelection();
    if (column < 0 || role < 0)
        return;
    std::vector<ColumnRole> columns = _layout.columns;
    const ColumnRole chosen = static_cast<ColumnRole>(role);
    // One column is the term and one the comment: the one that was becomes a field.
    if (chosen == ColumnRole::Term || chosen == ColumnRole::Comment)
        std::replace(columns.begin(), columns.end(), chosen, ColumnRole::Field);
    columns[static_cast<std::size_t>(column)] = chosen;
    _choices.columns = std::move(columns);
    refresh();
}

// A click on a heading picks the file's column under it.
void ImportTextDlg::chooseListColumn(int listColumn) {
    const auto nth = [this](ColumnRole role, int n) {
        for (std::size_t i = 0; i < _layout.columns.size(); ++i)
            if (_layout.columns[i] == role && n-- == 0)
                return static_cast<int>(i);
        return -1;
    };
    int column = listColumn == 0 ? nth(ColumnRole::Term, 0) : nth(ColumnRole::Field, listColumn - 1);
    if (column < 0)
        column = nth(ColumnRole::Comment, 0);
    if (column < 0)
        return;
    Win::ComboBox(_h, IDC_IMPORT_COLUMN).setSelection(column);
    Win::ComboBox(_h, IDC_IMPORT_ROLE)
        .setSelection(static_cast<int>(_layout.columns[static_cast<std::size_t>(column)]));
}

bool ImportTextDlg::onCommand(int controlId, int notifyCode) {
    switch (controlId) {
    case IDC_IMPORT_ENCODING:
        if (notifyCode == CBN_SELCHANGE) {
            const int chosen = Win::ComboBox(_h, IDC_IMPORT_ENCODING).getSelection();
            _choices.encoding = Encodings[std::max(chosen, 0)];
            _choices.columns.reset();
            refresh();
        }
        return true;
    case IDC_IMPORT_SEPARATOR:
        if (notifyCode == CBN_SELCHANGE)
            chooseSeparator();
        return true;
    case IDC_IMPORT_OTHER_SEPARATOR:
        if (notifyCode == EN_CHANGE && ::IsWindowEnabled(::GetDlgItem(_h, controlId)))
            chooseSeparator();
        return true;
    case IDC_IMPORT_HEADER:
    case IDC_IMPORT_QUOTES:
        if (notifyCode == BN_CLICKED) {
            const bool checked = ::IsDlgButtonChecked(_h, controlId) == BST_CHECKED;
            (controlId == IDC_IMPORT_HEADER ? _choices.header : _choices.quoting) = checked;
            if (controlId == IDC_IMPORT_QUOTES)
                _choices.columns.reset();
            refresh();
        }
        return true;
    case IDC_IMPORT_COLUMN:
        if (notifyCode == CBN_SELCHANGE)
            showColumns();
        return true;
    case IDC_IMPORT_ROLE:
        if (notifyCode == CBN_SELCHANGE)
            chooseRole();
        return true;
    case IDC_HELP_BUTTON:
        _helpFile.showTopic("importtextfile.htm");
        return true;
    case IDOK:
        // Enter reaches the default button even while it is disabled.
        if (::IsWindowEnabled(::GetDlgItem(_h, IDOK))) {
            // The import reads the file itself; the counting would only hold its memory meanwhile.
            stopCounting();
            _stopping.clear();
            endOk();
        }
        return true;
    case IDCANCEL:
        endCancel();
        return true;
    default:
        return false;
    }
}

bool ImportTextDlg::onNotify(NMHDR& header) {
    if (header.idFrom != IDC_IMPORT_PREVIEW || header.code != LVN_COLUMNCLICK)
        return false;
    chooseListColumn(reinterpret_cast<NMLISTVIEW&>(header).iSubItem);
    return true;
}

bool ImportTextDlg::onSize(int width, int height) {
    _anchors.resize(width, height);
    return true;
}

bool ImportTextDlg::onGetMinMaxInfo(MINMAXINFO& info) {
    info.ptMinTrackSize = {_smallest.cx, _smallest.cy};
    return true;
}
