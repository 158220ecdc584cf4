#include "runner/question_page.h"

#include <array>
#include <sstream>

#include "platform/failure.h"
#include "platform/text_file.h"
#include "platform/text_forms.h"

namespace qd {
namespace {

constexpr const char* kCrLf = "\r\n";
// The page's closing lines are a few hundred bytes; more is not read.
constexpr std::size_t kLargestPageEnd = 64 * 1024;
constexpr const char* kScrollHint = "<br><center><b>Please Scroll Down to See Exhibits and/or Diagrams";

const std::array<const char*, 13> kTabImages = {"",
                                                "Question.gif",
                                                "Diagram_1.gif",
                                                "Diagram_2.gif",
                                                "Diagram_3.gif",
                                                "Exhibit_1.gif",
                                                "Exhibit_2.gif",
                                                "Exhibit_3.gif",
                                                "explanation.gif",
                                                "Web_Link_1.gif",
                                                "Web_Link_2.gif",
                                                "Onlinetutor.gif",
                                                "clue.gif"};

bool is_exercise_or_lab_marker(const std::string& name) {
    for (const char* marker : {"1900", "2950", "xxsim", "xxxdnd", "xxxmssim", "xxxmssim2"})
        if (name == marker) return true;
    return false;
}


// The answer-kind line the page's own scripts were written for.
std::string kind_script(const std::string& count, const char* kind) {
    return std::string("<SCRIPT LANGUAGE=VBScript>") + kCrLf + "varcount=" + count + kCrLf + " questiontype=\"" + kind +
           "\" </SCRIPT>" + kCrLf;
}

std::string access_key(const std::string& answer_letter) {
    for (char c : answer_letter)
        if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')) return to_lower_ascii(std::string(1, c));
    return {};
}

std::string without_quotes(const std::string& text) {
    std::string kept;
    for (char c : text)
        if (c != '"' && c != '\'') kept += c;
    return kept;
}

std::string tutor_address(const std::string& product_number, const std::string& tutor_link) {
    std::string address = std::string(tutor::kServer) + "tests/" + product_number + "/" + tutor_link;
    const std::string upper = to_upper_ascii(tutor_link);
    if (upper.find(".WMV") == std::string::npos && upper.find(".WAV") == std::string::npos &&
        upper.find(".MP3") == std::string::npos)
        address += ".wmv";
    return address;
}

}  // namespace

std::int16_t page_font_size(std::int16_t stored) { return stored < 1 ? std::int16_t{12} : stored; }

std::string manage_tabs(int active, const std::string& data_folder) {
    constexpr int kEnabledTabs = 1;  // only the question tab is offered
    std::string images;
    for (int tab = 1; tab <= kEnabledTabs; ++tab) {
        std::string image = kTabImages[tab];
        if (tab == active) image.replace(image.size() - 4, 4, "_active.gif");
        images += "<img  align=top onclick=\"tabclick(" + std::to_string(tab) + ")\" src=\"" + data_folder + image + "\">";
    }
    return "<tr><td align=top height=2>" + images + "</td></tr>";
}

std::string no_right_click_head() {
    const char* const lines[] = {
        "<script language=JavaScript>",
        "<!--",
        "",
        "//Disable right mouse click Script",
        "",
        "var message='Function Disabled!';",
        "",
        "///////////////////////////////////",
        "function clickIE4(){",
        "if (event.button==2){",
        "return false;",
        "}",
        "}",
        "",
        "function clickNS4(e){",
        "if (document.layers||document.getElementById&&!document.all){",
        "if (e.which==2||e.which==3){",
        "return false;",
        "}",
        "}",
        "}",
        "",
        "function ErrHandler(){",
        "return true;",
        "}",
        "window.onerror = ErrHandler;",
        "",
        "if (document.layers){",
        "document.captureEvents(Event.MOUSEDOWN);",
        "document.onmousedown=clickNS4;",
        "}",
        "else if (document.all&&!document.getElementById){",
        "document.onmousedown=clickIE4;",
        "}",
        "",
        "document.oncontextmenu=new Function('return false')",
        "// document.oncontextmenu=new Function(\"alert(message);return false\")",
        "",
        "// -->",
        "</script>",
        "",
        "<script language='JavaScript1.2'>",
        "",
        "//Disable select-text script (IE4+, NS6+)",
        "",
        "function disableselect(e){",
        "return false",
        "}",
        "",
        "function reEnable(){",
        "return true",
        "}",
        "",
        "//if IE4+",
        "document.onselectstart=new Function ('return false')",
        "",
        "//if NS6",
        "if (window.sidebar){",
        "document.onmousedown = disableselect",
        "document.onclick = reEnable",
        "}",
        "</script>",
        "",
    };
    std::string head;
    for (const char* line : lines) head += std::string(line) + kCrLf;
    return head;
}

std::string media_player_html(const std::string& address) {
    return std::string("<center>") + kCrLf + "<object classid=\"clsid:22D6F312-B0F6-11D0-94AB-0080C74C7E95\" id=\"MediaPlayer1\">" +
           kCrLf + "  <param name=\"AutoStart\" value=\"0\">" + kCrLf + "  <param name=\"Filename\" value=\"" + address + "\">" +
           kCrLf + "</object>" + kCrLf + "</center>" + kCrLf;
}

std::string q_bottom(const std::string& program_folder) {
    const auto bytes = read_regular_file(program_folder + "q_bottom.ini", kLargestPageEnd);
    if (!bytes) throw Failure(FailureCode::file_not_found, "File not found: q_bottom.ini");
    std::istringstream file(bytes->bytes);
    std::string text, line;
    while (std::getline(file, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        text += kCrLf + line;
    }
    return text;
}

std::string pvhtml_question(const QuizState& quiz, const PageSettings& settings) {
    const QuestionRecord& question = quiz.current_question;
    const std::string& folder = settings.data_folder;
    const std::string crlf = kCrLf;

    std::string page = page_style(page_font_size(settings.font_size), settings.font_name);
    page += "<table border=0 cellpadding=0 cellspacing=0 width=100% height=100% >";
    page += manage_tabs(1, folder);
    page += "<tr><td valign=top>";
    page += blank_led_number(quiz.quiz_position) + ".) " + with_picture_folder(question.question_text, folder) + "<p>";

    std::string instruction;
    const auto answer_text = [&](int i) { return with_picture_folder(question.answers[i], folder); };
    if (quiz.input_kind == InputKind::radio_button) {
        instruction = settings.show_answer_count ? "Select the 1 Best Answer." : "Select the correct answer.";
        page += kind_script(std::to_string(quiz.answer_count), "radio");
        for (int i = 1; i <= quiz.answer_count && i <= 6; ++i) {
            page += crlf + "<input " + (question.user_choice[i] == 1 ? "checked" : "") + " type=radio accesskey=\"" +
                    access_key(quiz.answer_letters[i]) + "\"  name=\"radio1\" value=V" + std::to_string(i) + ">" +
                    quiz.answer_letters[i] + answer_text(i) + "</option><br>";
        }
    } else if (quiz.input_kind == InputKind::check_box) {
        instruction = settings.show_answer_count ? "Select the " + std::to_string(quiz.correct_count) + " Best Answers."
                                                 : "Select the correct answers.";
        page += kind_script(std::to_string(quiz.answer_count), "multiple");
        for (int i = 1; i <= quiz.answer_count && i <= 6; ++i) {
            page += "<input type=checkbox accesskey=\"" + access_key(quiz.answer_letters[i]) + "\" " +
                    (question.user_choice[i] == 1 ? "checked" : "") + " name=ans" + std::to_string(i) +
                    " value=" + std::to_string(i) + ">" + quiz.answer_letters[i] + answer_text(i) + "</option><br>" + crlf;
        }
    } else if (quiz.input_kind == InputKind::fill_in) {
        instruction = "Type the answer into the box";
        page += kind_script("1 ", "fill");
        page += "<p>&nbsp;</p>";
        page += "<p align=center><input type=text name=txt_fill size=40 value=\"" + without_quotes(question.user_text) +
                "\"></p onblur=alert(\"hi\")>";
        page += "<p align=center><b>Please Type Answer In Box Above</b></p>";
        page += "<br>";
    } else if (quiz.input_kind == InputKind::drag_drop) {
        instruction = "Click the Next button when finished";
    } else {
        instruction = "Complete the Task Using the Simulator";
    }
    page += "</td></tr>";

    std::string hint, attachments;
    const std::string exhibit = std::string(trim_blanks(question.exhibit_files[1]));
    if (!exhibit.empty() && to_upper_ascii(exhibit).find(".TXT") != std::string::npos) {
        hint = kScrollHint;
        attachments += "<hr><a href=\"javascript:; void(' ');\"id=\"Exhibit1\"onclick=myfunction()>Exhibit # " +
                       blank_led_number(1) + " Click Here</a><br>";
    }
    for (int i = 1; i <= 3; ++i) {
        const std::string name = std::string(trim_blanks(question.diagram_files[i]));
        if (name.empty() || is_exercise_or_lab_marker(name)) continue;
        hint = kScrollHint;
        attachments += "<hr>Diagram " + blank_led_number(i) + "<br><img src=\"" + folder + question.diagram_files[i] + "\"><p>";
    }
    if (!trim_blanks(question.tutor_link).empty()) {
        hint += "<br><center><b>Please Scroll Down to See Online Tutor";
        const std::string address = tutor_address(settings.product_number, question.tutor_link);
        if (settings.embed_media_player) {
            attachments += "<hr>Click the Play Button to Start the Online Tutor<br><br>" + crlf + media_player_html(address) +
                           crlf + "<br><p align=\"center\">" + crlf + "<a target=\"_blank\" href=\"" + tutor::kPlayerDownloadPage +
                           "\">" + crlf + "Click Here</a> If You Cannot See the Online Tutor</p>" + crlf;
        } else {
            attachments += "<hr>" + crlf + "<a target=\"_blank\" href=\"" + address + "\"> " + crlf +
                           "Click Here to View the Online Tutor</a>" + crlf;
        }
    }

    page += "<tr><td ><p align=center>" + instruction + hint + "<zzexplanation></td></tr></td></tr></table>" + crlf;
    page += "<script language=vbscript>";
    for (const char* line :
         {"On Error Resume Next", "dim myDoc", "myDoc = document.frm.elements(0).type", "if myDoc = \"button\" then ",
          "document.frm.NEXT.focus", "else", "document.frm.elements(0).focus", "end if"})
        page += std::string(line) + crlf;
    page += "</script>";
    page += "<script language=javascript>" + crlf + "Function myfunction()" + crlf + "{" + crlf + "return 0;" + crlf + "};" + crlf +
            "</script>" + crlf + crlf;
    page += attachments + "</BODY>";
    return page;
}

std::string question_document(const std::string& page_head, const std::string& body) { return page_head + body + "</body></html>"; }

}  // namespace qd
