#pragma once
// The question page: the HTML the quiz window writes into its browser for the
// question on screen. The form controls it holds ("radio1", "ans1" to "ans6",
// "txt_fill") are what the answer capture reads back.
#include <cstdint>
#include <string>

#include "bank/question_record.h"
#include "common/page_parts.h"
#include "state/quiz_state.h"

namespace qd {

// What the page builder needs besides the question and the quiz state.
struct PageSettings {
    std::int16_t font_size = 12;
    std::string font_name = "Times New Roman";
    bool show_answer_count = false;
    bool embed_media_player = false;
    std::string data_folder;  // ends in "/"
    std::string product_number;
};

// Where the online tutor's videos and the media player's download page are.
namespace tutor {
inline constexpr const char* kServer = "https://tutor.palverapress.example/";
inline constexpr const char* kPlayerDownloadPage = "https://www.palverapress.example/player/download.htm";
}  // namespace tutor

// The font size a page uses: a size below 1 means 12 points.
std::int16_t page_font_size(std::int16_t stored);

// The tab row with tab `active` drawn active; only the question tab is offered.
std::string manage_tabs(int active, const std::string& data_folder);

// The head written before every page: no context menu, no text selection,
// script errors swallowed.
std::string no_right_click_head();

// An embedded player for the address.
std::string media_player_html(const std::string& address);

// The page-top text: every line of "q_bottom.ini", each after CR LF.
// Throws a Failure when the file cannot be read.
std::string q_bottom(const std::string& program_folder);

// The page body for the question on screen (`quiz.current_question`).
std::string pvhtml_question(const QuizState& quiz, const PageSettings& settings);

// The whole document written into the browser.
std::string question_document(const std::string& page_head, const std::string& body);

}  // namespace qd
