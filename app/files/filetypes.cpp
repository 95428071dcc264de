#include "filetypes.h"

#include "csvfileoutputmethod.h"
#include "documentfileoutputmethod.h"
#include "htmlfileoutputmethod.h"
#include "spreadsheetcsvfileoutputmethod.h"

#include <algorithm>
#include <cctype>

namespace {

template <class Method> std::unique_ptr<FileOutputMethod> make(StudyList& studyList) {
    return std::make_unique<Method>(studyList);
}

} // namespace

const std::array<FileType, 5> SaveAsFileTypes = {{
    {"Lorvant Documents (*.lvd)", "*.lvd", make<DocumentFileOutputMethod>},
    {"HTML Files (*.html;*.htm)", "*.html;*.htm", make<HtmlFileOutputMethod>},
    {"Tab-Delimeted Text Files (*.txt;*.csv)", "*.txt;*.csv", make<CSVFileOutputMethod>},
    {"CSV for spreadsheets (*.csv)", "*.csv", make<SpreadsheetCSVFileOutputMethod>},
    {"All Files (*.*)", "*.*", make<DocumentFileOutputMethod>},
}};

const std::array<FileType, 3> OpenFileTypes = {{
    {"Lorvant Documents (*.lvd)", "*.lvd", nullptr},
    {"Text files (*.txt;*.csv;*.tsv)", "*.txt;*.csv;*.tsv", nullptr},
    {"All Files (*.*)", "*.*", nullptr},
}};

bool hasTextFileExtension(const std::string& path) {
    const auto dot = path.find_last_of(".\\/");
    if (dot == std::string::npos || path[dot] != '.')
        return false;
    std::string extension = path.substr(dot + 1);
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension == "txt" || extension == "csv" || extension == "tsv";
}
