#pragma once
// The main menu's option boxes and texts as the settings commands and the
// quiz builder see them. The defaults are the boxes as designed, which are the
// Practice Mode states.
#include <string>

namespace qd {

struct MenuChoices {
    bool answer_when_wrong = true;
    bool answer_when_right = false;
    bool timed_quiz = false;
    bool random_questions = true;
    bool random_answers = true;
    bool live_scoring = true;
    bool back_button = true;
    bool show_answer_count = true;
    bool embed_media_player = false;  // a hidden box
    bool radio_buttons = true;
    bool ask_wrong = false;  // hidden; ticked only for a retake
    std::string time_text = "75";
    std::string name_text = "STUDENT";
    std::string question_count_text;  // the hidden question-count label
    std::string total_text;           // "Total Questions:"
    int exam_option = 1;              // the selected `which_quiz` option, 1 to 6

    bool operator==(const MenuChoices&) const = default;
};

}  // namespace qd
