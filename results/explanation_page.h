#pragma once
// The explanation page of one question: the verdict, the student's answer, the
// question with its lettered answers, the explanation and book reference, then
// the question id, diagrams and the online tutor. Also the page's web link and
// the feedback address offered beside it.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "bank/question_record.h"
#include "state/quiz_state.h"

namespace qd {

// Addresses on the maker's servers the page and the feedback use.
struct ExplanationAddresses {
    std::string tutor_server = "https://media.palverapress.example/tests/";
    std::string player_download_page = "https://player.palverapress.example/download/";
    std::string feedback_form = "https://www.palverapress.example/promo/email/velqormail.asp";
    std::string author_mailbox = "authors@palverapress.example";
};

// True for the markers of diagram slot 1 that stand for an external exercise.
bool is_exercise_marker(std::string_view name);

struct ExplanationBody {
    std::string text;
    std::int16_t verdict = verdict_code::none;  // the outcome shown, or the verdict given when none is known
};

struct AnswerOutcome {
    std::string chosen_letters;                 // the student's answer as the grader recorded it
    std::int16_t verdict = verdict_code::none;  // the most recent check
    std::string answer_position;                // "bottom" puts the verdict after the reference line
};

bool is_fill_in(const QuestionRecord& record);

// Text made safe to stand in a page: & < > " written as entities.
std::string html_text(std::string_view text);

// A router-console lab's items, one line each: "hostname: expected R1, found R1 — right".
std::string lab_feedback_html(const std::vector<LabFinding>& findings);

// The body of the page before the page adds its style, id line and diagrams;
// a graded router lab also lists what it expected and found.
ExplanationBody explanation_body(const QuestionRecord& record, const AnswerOutcome& outcome, const std::string& data_folder,
                                 const std::vector<LabFinding>& lab_findings = {});

struct ExplanationPageSettings {
    int font_size = 12;  // below 1 is written as 12
    std::string font_name;
    bool embed_player = false;
    std::string exam_title;
    std::string version_text;
    std::string product_number;
    std::string data_folder;
};

// The HTML fragment of an embedded media player for an address.
using PlayerFragment = std::function<std::string(const std::string& address)>;

// The online tutor's address, or "" when the question has none.
std::string tutor_address(const QuestionRecord& record, const std::string& product_number, const ExplanationAddresses& addresses);

// The body completed with the style block, the QID line, the diagrams, the
// tutor section and the closing script.
std::string explanation_page_body(const std::string& body, const QuestionRecord& record, const ExplanationPageSettings& settings,
                                  const ExplanationAddresses& addresses, const PlayerFragment& player_fragment);

// The last "http://" address of the text (any letter case), up to the first
// blank or line end that follows it; "" when there is none.
std::string last_web_link(std::string_view text);

struct FeedbackContext {
    std::string mail_type;  // "outlook" opens the mail program; anything else the web form
    std::string student_email;
    std::string product_number;
    std::string exam_title;
    std::string version_text;
    std::string quality_mailbox;
};

// The address that opens a feedback message about the question.
std::string feedback_address(const QuestionRecord& record, const FeedbackContext& context, const ExplanationAddresses& addresses);

}  // namespace qd
