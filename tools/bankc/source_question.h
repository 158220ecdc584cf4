#pragma once
// What the question-bank sources say, before the banks are assembled.
#include <string>
#include <vector>

namespace bankc {

struct SourceAnswer {
    std::string text;
    bool right = false;
    int line = 0;
};

struct SourceQuestion {
    std::string file;
    int line = 0;  // the line of its "question:" key
    std::string text;
    std::string type;                   // as written; empty for simulator questions
    std::vector<SourceAnswer> answers;  // right:/wrong:/accept:/expect: in order
    std::string explanation;
    std::string ref_tag;
    std::string diagram;
    std::string exhibit;
    std::string exercise;  // "xxsim" for a router-simulator question
    std::string lab;       // lab model of a simulator question ("2950")
    std::string start;     // a simulator question's starting configuration commands, <br> between them
    std::string chapter;   // scenario questions: "intro 4"
    int type_line = 0, ref_line = 0, diagram_line = 0, exhibit_line = 0, chapter_line = 0, explanation_line = 0;
    bool has_accept = false, has_choice = false, has_expect = false;
};

// One .qb file: a chapter file carries a header, simulator and scenario files do not.
struct SourceFile {
    std::string path;  // relative to the sources folder, for messages
    bool has_header = false;
    int chapter = 0;
    std::string title;
    int first_page = 0, last_page = 0;
    std::vector<SourceQuestion> questions;
};

struct Diagnostic {
    std::string file;
    int line = 0;
    std::string message;
};

}  // namespace bankc
