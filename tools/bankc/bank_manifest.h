#pragma once
// banks.txt: which files make up each bank, and the bank's constants.
#include <string>
#include <vector>

#include "source_question.h"

namespace bankc {

struct PartReference {
    std::string module;  // a part-exam bank listed earlier
    std::string prefix;  // word before the chapter number in category names ("VIZIZ")
};

struct BankManifest {
    int line = 0;
    std::string module;
    std::string title;
    std::string number;
    std::string version;
    std::string description;
    std::string chapters_folder;       // part exams: folder of the chapter files
    std::string simulator_category;    // name of the last category
    std::string simulator_file;        // part exams: the simulator questions
    std::vector<PartReference> parts;  // full exam: the part exams it combines
    std::string scenarios_folder;      // full exam: folder of the scenario files
};

std::vector<BankManifest> parse_manifest(const std::string& text, const std::string& display_path,
                                         std::vector<Diagnostic>& diagnostics);

}  // namespace bankc
