#pragma once
#include "app/model/lorvant.h"

#include <string>
#include <vector>

// Documents that the end-to-end tests hand to the program, written and read with the program's own file code.
struct TestItem {
    std::string term;
    std::vector<std::string> fields; // in outline order
    std::string comment;
    int timesAsked = 0;
    int correctAnswers = 0;
    ItemSchedule schedule{}; // new unless set
};

void writeDocument(const std::string& path, const std::vector<TestItem>& items,
                   const std::vector<std::string>& fieldNames = {"Definition"},
                   const std::string& itemType = "Term");
StudyList readDocument(const std::string& path);
