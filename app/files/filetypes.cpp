#include "filetypes.h"

#include "csvfileoutputmethod.h"
#include "documentfileoutputmethod.h"
#include "htmlfileoutputmethod.h"

namespace {

template <class Method> std::unique_ptr<FileOutputMethod> make(StudyList& studyList) {
    return std::make_unique<Method>(studyList);
}

} // namespace

const std::array<FileType, 4> SaveAsFileTypes = {{
    {"Lorvant Documents (*.lvd)", "*.lvd", make<DocumentFileOutputMethod>},
    {"HTML Files (*.html;*.htm)", "*.html;*.htm", make<HtmlFileOutputMethod>},
    {"Tab-Delimeted Text Files (*.txt;*.csv)", "*.txt;*.csv", make<CSVFileOutputMethod>},
    {"All Files (*.*)", "*.*", make<DocumentFileOutputMethod>},
}};

const std::array<FileType, 2> OpenFileTypes = {{
    {"Lorvant Documents (*.lvd)", "*.lvd", nullptr},
    {"All Files (*.*)", "*.*", nullptr},
}};
