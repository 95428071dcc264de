#include "lvdtool.h"

#include "filemessages.h"
#include "studylistgenerator.h"

#include "app/files/csvfileoutputmethod.h"
#include "app/files/documentfileinputmethod.h"
#include "app/files/documentfileoutputmethod.h"
#include "app/files/htmlfileoutputmethod.h"
#include "app/files/spreadsheetcsvfileoutputmethod.h"
#include "app/files/textfileinputmethod.h"

#include "WinLib/io/exceptions.h"

#include <algorithm>
#include <cctype>
#include <exception>
#include <memory>
#include <utility>

namespace {

constexpr const char* UsageText =
    "usage: lvdtool import [OPTION...] IN.txt OUT.lvd\n"
    "         --encoding=utf-8|utf-16le|utf-16be|legacy\n"
    "         --separator=tab|comma|semicolon|C   (C: any one character)\n"
    "         --header=yes|no     the first row holds column names\n"
    "         --quotes=yes|no     cells may be in double quotes\n"
    "         --columns=term,field,comment,skip,...   what each column becomes\n"
    "       lvdtool export IN.lvd OUT.txt|OUT.csv|OUT.html\n"
    "       lvdtool check FILE.lvd\n"
    "       lvdtool gen N OUT.lvd    (N from 0 to 999999)\n"
    "       lvdtool review DOC.lvd LOG.tsv [--save OUT.lvd]\n"
    "       lvdtool due DOC.lvd [--now 2026-01-31T08:00:00Z]\n"
    "       lvdtool reviews DOC.lvd\n";

bool endsWithNoCase(const std::string& text, std::string_view suffix) {
    return text.size() >= suffix.size() &&
           std::equal(suffix.begin(), suffix.end(), text.end() - static_cast<std::ptrdiff_t>(suffix.size()),
                      [](char a, char b) {
                          return std::tolower(static_cast<unsigned char>(a)) ==
                                 std::tolower(static_cast<unsigned char>(b));
                      });
}

std::optional<int> parseCount(const std::string& text) {
    if (text.empty() || text.size() > 6 ||
        !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    return std::stoi(text);
}

std::optional<bool> parseYesNo(std::string_view value) {
    if (value == "yes")
        return true;
    if (value == "no")
        return false;
    return std::nullopt;
}

// Exactly one term, at most one comment.
std::optional<std::vector<ColumnRole>> parseColumns(std::string_view value) {
    std::vector<ColumnRole> columns;
    for (std::size_t start = 0;;) {
        const std::size_t end = std::min(value.find(',', start), value.size());
        const std::string_view name = value.substr(start, end - start);
        if (name == "term")
            columns.push_back(ColumnRole::Term);
        else if (name == "field")
            columns.push_back(ColumnRole::Field);
        else if (name == "comment")
            columns.push_back(ColumnRole::Comment);
        else if (name == "skip")
            columns.push_back(ColumnRole::Skip);
        else
            return std::nullopt;
        if (end == value.size())
            break;
        start = end + 1;
    }
    if (std::count(columns.begin(), columns.end(), ColumnRole::Term) != 1 ||
        std::count(columns.begin(), columns.end(), ColumnRole::Comment) > 1)
        return std::nullopt;
    return columns;
}

// Sets the choice one option names; false when it names none.
bool parseImportOption(std::string_view option, ImportChoices& choices) {
    const std::size_t equals = option.find('=');
    if (!option.starts_with("--") || equals == std::string_view::npos)
        return false;
    const std::string_view name = option.substr(2, equals - 2);
    const std::string_view value = option.substr(equals + 1);
    if (name == "encoding") {
        const std::pair<std::string_view, TextEncoding> encodings[] = {
            {"utf-8", TextEncoding::Utf8},
            {"utf-16le", TextEncoding::Utf16LittleEndian},
            {"utf-16be", TextEncoding::Utf16BigEndian},
            {"legacy", TextEncoding::Windows1252}};
        for (const auto& [text, encoding] : encodings) {
            if (value == text)
                choices.encoding = encoding;
        }
        return choices.encoding.has_value();
    }
    if (name == "separator") {
        if (value == "tab")
            choices.separator = '\t';
        else if (value == "comma")
            choices.separator = ',';
        else if (value == "semicolon")
            choices.separator = ';';
        else if (value.size() == 1 && value != "\"" && value != "\r" && value != "\n")
            choices.separator = value.front();
        return choices.separator.has_value();
    }
    if (name == "header")
        return (choices.header = parseYesNo(value)).has_value();
    if (name == "quotes")
        return (choices.quoting = parseYesNo(value)).has_value();
    if (name == "columns")
        return (choices.columns = parseColumns(value)).has_value();
    return false;
}

const char* describe(TextEncoding encoding) {
    switch (encoding) {
    case TextEncoding::Utf8:
        return "UTF-8";
    case TextEncoding::Utf16LittleEndian:
        return "UTF-16 LE";
    case TextEncoding::Utf16BigEndian:
        return "UTF-16 BE";
    case TextEncoding::Windows1252:
        break;
    }
    return "windows-1252";
}

std::string describeSeparator(char separator) {
    return separator == ','    ? "comma"
           : separator == ';'  ? "semicolon"
           : separator == '\t' ? "tab"
                               : std::string(1, separator);
}

void printTally(std::ostream& out, const char* what, const LineTally& tally) {
    if (tally.count > 0)
        out << "  " << what << ": " << tally.count << " (first on line " << tally.firstLine << ")\n";
}

std::string countOf(int count, const char* noun) {
    return std::to_string(count) + ' ' + noun + (count == 1 ? "" : "s");
}

} // namespace

int LvdTool::run(const std::vector<std::string>& args) {
    if (args.size() >= 3 && args[0] == "import") {
        ImportChoices choices;
        for (std::size_t i = 1; i + 2 < args.size(); ++i) {
            if (!parseImportOption(args[i], choices))
                return usage();
        }
        return importText(args[args.size() - 2], args.back(), choices);
    }
    if (args.size() == 3 && args[0] == "export")
        return exportDocument(args[1], args[2]);
    if (args.size() == 2 && args[0] == "check")
        return check(args[1]);
    if (args.size() == 3 && args[0] == "gen") {
        if (const auto count = parseCount(args[1]))
            return generate(*count, args[2]);
    }
    return runSchedule(args);
}

int LvdTool::usage() {
    _err << UsageText;
    return BadArguments;
}

int LvdTool::refuse(const char* message, const std::string& path) {
    _err << message << '\n' << path << '\n';
    return Refused;
}

std::optional<StudyList> LvdTool::open(const std::string& path) {
    try {
        return DocumentFileInputMethod().read(path);
    } catch (const Win::IO::FileOpenException&) {
        refuse(FileMessages::CannotOpen, path);
    } catch (const Win::SimpleException&) {
        refuse(FileMessages::NotADocument, path);
    } catch (const std::exception&) {
        refuse(FileMessages::NotADocument, path);
    }
    return std::nullopt;
}

bool LvdTool::save(FileOutputMethod& method, const std::string& path) {
    try {
        method.write(path);
        return true;
    } catch (const Win::IO::FileOpenException&) {
        refuse(FileMessages::CannotSave, path);
    } catch (const Win::SimpleException&) {
        refuse(FileMessages::SaveFailed, path);
    } catch (const std::exception&) {
        refuse(FileMessages::SaveFailed, path);
    }
    return false;
}

int LvdTool::importText(const std::string& textPath, const std::string& documentPath,
                        const ImportChoices& choices) {
    TextFileInputMethod reader(choices);
    std::optional<StudyList> studyList;
    try {
        studyList.emplace(reader.read(textPath));
    } catch (const TextImporter::Error& e) {
        _err << textPath;
        if (e.getLine() > 0)
            _err << ", line " << e.getLine();
        _err << ": " << e.what() << '\n';
        return Refused;
    } catch (const Win::SimpleException&) {
        return refuse(FileMessages::CannotOpen, textPath);
    } catch (const std::exception&) {
        return refuse(FileMessages::CannotOpen, textPath);
    }
    DocumentFileOutputMethod writer(*studyList);
    if (!save(writer, documentPath))
        return Refused;
    const TextImportReport& report = reader.getReport();
    _out << textPath << ": " << countOf(report.itemCount, "item") << ", " << describe(report.encoding) << ", "
         << describeSeparator(report.separator) << "-separated, "
         << (report.hasHeader ? "header line" : "no header line") << ", "
         << (report.quoting ? "quoted cells read" : "quotes kept as written") << '\n';
    printTally(_out, "rows without a term, skipped", report.rowsWithoutTerm);
    printTally(_out, "characters replaced by \"?\"", report.replacedCharacters);
    printTally(_out, "items repeating an earlier term", report.repeatedTerms);
    return Done;
}

int LvdTool::exportDocument(const std::string& documentPath, const std::string& outPath) {
    std::optional<StudyList> studyList = open(documentPath);
    if (!studyList)
        return Refused;
    std::unique_ptr<FileOutputMethod> writer;
    if (endsWithNoCase(outPath, ".html") || endsWithNoCase(outPath, ".htm"))
        writer = std::make_unique<HtmlFileOutputMethod>(*studyList);
    else if (endsWithNoCase(outPath, ".csv"))
        writer = std::make_unique<SpreadsheetCSVFileOutputMethod>(*studyList);
    else
        writer = std::make_unique<CSVFileOutputMethod>(*studyList);
    return save(*writer, outPath) ? Done : Refused;
}

int LvdTool::check(const std::string& documentPath) {
    const std::optional<StudyList> studyList = open(documentPath);
    if (!studyList)
        return Refused;
    _out << documentPath << ": " << countOf(studyList->getTermSetCount(), "item") << ", "
         << countOf(studyList->getOutline().getDefCount(), "field") << '\n';
    return Done;
}

int LvdTool::generate(int count, const std::string& documentPath) {
    StudyList studyList = StudyListGenerator().make(count);
    DocumentFileOutputMethod writer(studyList);
    return save(writer, documentPath) ? Done : Refused;
}
