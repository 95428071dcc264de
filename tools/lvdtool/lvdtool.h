#pragma once

#include "app/files/importlayout.h"
#include "app/model/lorvant.h"

#include <optional>
#include <ostream>
#include <string>
#include <vector>

class FileOutputMethod;

// The commands of the lvdtool console program: importing text tables, exporting documents as
// text or HTML, checking that the program would open a file, and making synthetic
// documents. Each returns the process exit code: 0 done, 1 refused (the reason on the error
// stream), 2 bad arguments (the usage text on the error stream).
class LvdTool {
public:
    static constexpr int Done = 0;
    static constexpr int Refused = 1;
    static constexpr int BadArguments = 2;

    LvdTool(std::ostream& out, std::ostream& err) : _out(out), _err(err) {}

    // args are the command line without the program name.
    int run(const std::vector<std::string>& args);

    // What the choices leave open is guessed from the text.
    int importText(const std::string& textPath, const std::string& documentPath,
                   const ImportChoices& choices = {});
    int exportDocument(const std::string& documentPath, const std::string& outPath);
    int check(const std::string& documentPath);
    int generate(int count, const std::string& documentPath);
    // Applies reviews ("item number<TAB>time<TAB>grade" a line) in order and prints each item's
    // schedule after its review; saves the result to savePath when it is not empty.
    int review(const std::string& documentPath, const std::string& logPath, const std::string& savePath);
    // The item numbers a review would take at now, in order.
    int due(const std::string& documentPath, UtcTime now);
    // The review log as tab-separated text.
    int reviews(const std::string& documentPath);

private:
    int usage();
    int runSchedule(const std::vector<std::string>& args);
    // Reads as the program's open procedure does; a failure is reported and gives nothing.
    std::optional<StudyList> open(const std::string& path);
    // Writes as the program's save procedure does; a failure is reported and gives false.
    bool save(FileOutputMethod& method, const std::string& path);
    // The file error box's text, a line break and the path, as the program shows them.
    int refuse(const char* message, const std::string& path);

    std::ostream& _out;
    std::ostream& _err;
};
