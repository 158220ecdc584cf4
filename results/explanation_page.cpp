#include "results/explanation_page.h"

#include <array>

#include "common/page_parts.h"
#include "platform/text_forms.h"

namespace qd {

namespace {

constexpr const char* kLineEnd = "\r\n";
constexpr std::array<std::string_view, 4> kExerciseMarkers{"xxsim", "xxxdnd", "xxxmssim", "xxxmssim2"};
constexpr char kLetters[] = " ABCDEF";  // letter of answer slot 1 to 6

std::string replace_all(std::string text, std::string_view from, std::string_view to) {
    for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

std::string tutor_section(const std::string& address, bool embed_player, const ExplanationAddresses& addresses,
                          const PlayerFragment& player_fragment) {
    if (!embed_player)
        return std::string("<hr>") + kLineEnd + "<a target=\"_blank\" href=\"" + address + "\"> " + kLineEnd +
               "Click Here to View the Online Tutor</a>" + kLineEnd;
    return std::string(kLineEnd) + "<hr>Click the Play Button to Start the Online Tutor<br><br>" + kLineEnd +
           player_fragment(address) + kLineEnd + "<br><p align=\"center\">" + kLineEnd + "<a target=\"_blank\" href=\"" +
           addresses.player_download_page + "\">" + kLineEnd + "Click Here</a> If You Cannot See the Online Tutor</p>" + kLineEnd;
}

}  // namespace

bool is_fill_in(const QuestionRecord& record) { return to_upper_ascii(record.question_type.substr(0, 4)) == "FILL"; }

std::string html_text(std::string_view text) {
    std::string safe;
    safe.reserve(text.size());
    for (const char c : text) {
        switch (c) {
            case '&': safe += "&amp;"; break;
            case '<': safe += "&lt;"; break;
            case '>': safe += "&gt;"; break;
            case '"': safe += "&quot;"; break;
            default: safe += c;
        }
    }
    return safe;
}

std::string lab_feedback_html(const std::vector<LabFinding>& findings) {
    if (findings.empty()) return {};
    std::string html =
        "<p><b>What the lab expected, and what the console's configuration held:</b></p>\n<ul class=\"lab_feedback\">\n";
    for (const LabFinding& finding : findings) {
        const char* outcome = finding.right ? "right" : (!finding.present || finding.found.empty()) ? "missing" : "wrong";
        const std::string found = finding.present && !finding.found.empty() ? html_text(finding.found) : "nothing";
        html += "<li>" + html_text(finding.key) + ": expected " + html_text(finding.expected) + ", found " + found +
                " \xE2\x80\x94 " + outcome + "</li>\n";
    }
    return html + "</ul>\n";
}

bool is_exercise_marker(std::string_view name) {
    for (std::string_view marker : kExerciseMarkers)
        if (name == marker) return true;
    return false;
}

ExplanationBody explanation_body(const QuestionRecord& record, const AnswerOutcome& outcome, const std::string& data_folder,
                                 const std::vector<LabFinding>& lab_findings) {
    const std::string question = with_picture_folder(record.question_text, data_folder);
    const std::string explanation = with_picture_folder(record.explanation, data_folder);
    std::array<std::string, 7> answers;
    for (int slot = 1; slot <= 6; ++slot) answers[slot] = with_picture_folder(record.answers[slot], data_folder);

    ExplanationBody body;
    body.verdict = outcome.verdict;
    if (record.result == result_code::right) body.verdict = verdict_code::right;
    if (record.result == result_code::wrong) body.verdict = verdict_code::wrong;

    // An answer never checked has no verdict; its correct answers are shown all the same.
    std::string verdict_text;
    if (body.verdict == verdict_code::right) verdict_text = "Correct.<br>The answer(s): ";
    if (body.verdict == verdict_code::wrong)
        verdict_text = "Incorrect.  Your answer was: " + outcome.chosen_letters + "<br>The correct answer(s): ";

    const bool fill_in = is_fill_in(record);
    std::string listing = "<br><br>" + question;
    if (fill_in) {
        verdict_text += answers[1];
    } else {
        for (int slot = 1; slot <= 6; ++slot) {
            if (record.correct[slot] == 1) verdict_text += std::string(" ") + kLetters[slot];
            if (!trim_blanks(answers[slot]).empty()) listing += std::string("<br>") + kLetters[slot] + ".)  " + answers[slot];
        }
    }

    const std::string reference = "Palvera Press Book Reference: Page - " + replace_all(record.ref_tag, "##", "<br>");
    body.text = listing + "<br><br><br>" + explanation + "<br><br>" + reference;
    if (outcome.answer_position == "bottom") body.text += "<br><br><br>" + verdict_text;
    else body.text = verdict_text + body.text;

    // An exercise question shows only its explanation and the reference as stored.
    if (is_exercise_marker(record.diagram_files[1])) body.text = explanation + "<br><br>" + record.ref_tag;
    // A router lab also says item by item what was missed, above its solution
    // transcript, which keeps the console's fixed-width columns.
    if (record.diagram_files[1] == "xxsim")
        body.text = lab_feedback_html(lab_findings) +
                    "<div class=\"transcript\" style=\"font-family: 'Liberation Mono', 'Courier New', monospace\">" + explanation +
                    "</div><br><br>" + record.ref_tag;
    return body;
}

std::string tutor_address(const QuestionRecord& record, const std::string& product_number, const ExplanationAddresses& addresses) {
    if (trim_blanks(record.tutor_link).empty()) return {};
    std::string address = addresses.tutor_server + product_number + "/" + record.tutor_link;
    const std::string link = to_upper_ascii(record.tutor_link);
    if (link.find(".WMV") == std::string::npos && link.find(".WAV") == std::string::npos) address += ".wmv";
    return address;
}

std::string explanation_page_body(const std::string& body, const QuestionRecord& record, const ExplanationPageSettings& settings,
                                  const ExplanationAddresses& addresses, const PlayerFragment& player_fragment) {
    const int font_size = settings.font_size < 1 ? 12 : settings.font_size;
    std::string page = page_style(font_size, settings.font_name) + body;
    page += "<br><br> QID: " + std::to_string(record.question_id) + " " + settings.exam_title + " v" + settings.version_text;
    for (int slot = 1; slot <= 3; ++slot) {
        const std::string& name = record.diagram_files[slot];
        if (trim_blanks(name).empty() || is_exercise_marker(name)) continue;
        page += std::string(kLineEnd) + "<hr>Diagram " + blank_led_number(slot) + "<br>" + kLineEnd + "<img src=\"" +
                settings.data_folder + name + "\"><p>";
    }
    const std::string tutor = tutor_address(record, settings.product_number, addresses);
    if (!tutor.empty()) page += tutor_section(tutor, settings.embed_player, addresses, player_fragment);
    for (const char* line : {"<script language=javascript>", "Function myfunction()", "{", "return 0;", "};", "</script>"})
        page += std::string(line) + kLineEnd;
    return page;
}

std::string last_web_link(std::string_view text) {
    const std::string upper = to_upper_ascii(text);
    const std::size_t start = upper.rfind("HTTP://");
    if (start == std::string::npos) return {};
    const std::size_t end = text.find_first_of("\r\n ", start);
    return std::string(trim_blanks(text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start)));
}

std::string feedback_address(const QuestionRecord& record, const FeedbackContext& context, const ExplanationAddresses& addresses) {
    const std::string subject = context.product_number + " " + context.exam_title +
                                " QuestionID=" + std::to_string(record.question_id) + "  (v" + context.version_text + ") ";
    if (context.mail_type == "outlook")
        return "mailto:" + addresses.author_mailbox + "?subject=" + subject + "&cc=" + context.quality_mailbox +
               "&BODY=Remember that answers are listed in random order.";
    return replace_all(addresses.feedback_form + "?author=" + addresses.author_mailbox + "&email=" + context.student_email +
                           "&subj=" + subject,
                       "#", "_");
}

}  // namespace qd
