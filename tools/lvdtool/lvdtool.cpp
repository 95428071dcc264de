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

namespace {

constexpr const char* UsageText = "usage: lvdtool import [--separator=tab|comma|semicolon] IN.txt OUT.lvd\n"
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

std::optional<char> parseSeparator(const std::string& option) {
    if (option == "--separator=tab")
        return '\t';
    if (option == "--separator=comma")
        return ',';
    if (option == "--separator=semicolon")
        return ';';
    return std::nullopt;
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

const char* describeSeparator(char separator) {
    return separator == ',' ? "comma" : separator == ';' ? "semicolon" : "tab";
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
    if (args.size() == 3 && args[0] == "import")
        return importText(args[1], args[2]);
    if (args.size() == 4 && args[0] == "import") {
        if (const auto separator = parseSeparator(args[1]))
            return importText(args[2], args[3], *separator);
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

int LvdTool::importText(const std::string& textPath, const std::string& documentPath, char separator) {
    TextFileInputMethod reader(separator);
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
         << (report.hasHeader ? "header line" : "no header line") << '\n';
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
