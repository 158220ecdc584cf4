#include <gtest/gtest.h>

#include "runner/question_page.h"
#include "temp_folder.h"

namespace qd {
namespace {

const std::string kFolder = "/pv/";
const std::string kCrLf = "\r\n";

QuizState quiz_on(InputKind input_kind, QuestionRecord question) {
    QuizState quiz;
    quiz.quiz_position = 3;
    quiz.input_kind = input_kind;
    quiz.current_question = std::move(question);
    quiz.answer_letters = {"", "A.\t", "B.\t", "C.\t", "D.\t", "E.\t", "F.\t"};
    return quiz;
}

TEST(QuestionPage, wholePage_ofAOneAnswerQuestion) {
    QuestionRecord question;
    question.question_text = "Which?";
    question.answers[1] = "One";
    question.answers[2] = "Two";
    question.user_choice[2] = 1;
    QuizState quiz = quiz_on(InputKind::radio_button, question);
    quiz.answer_count = 2;
    const PageSettings settings{0, "Arial", false, false, kFolder, "41517"};

    const std::string expected =
        kCrLf + "<style>" + kCrLf + "BODY{font-size: 12 pt}" + kCrLf + "TABLE{font-size: 12 pt}" + kCrLf +
        "BODY{font-family:Arial}" + kCrLf + "</style>" + kCrLf +
        "<table border=0 cellpadding=0 cellspacing=0 width=100% height=100% >"
        "<tr><td align=top height=2><img  align=top onclick=\"tabclick(1)\" src=\"/pv/Question_active.gif\"></td></tr>"
        "<tr><td valign=top> 3.) Which?<p>"
        "<SCRIPT LANGUAGE=VBScript>" +
        kCrLf + "varcount=2" + kCrLf + " questiontype=\"radio\" </SCRIPT>" + kCrLf + kCrLf +
        "<input  type=radio accesskey=\"a\"  name=\"radio1\" value=V1>A.\tOne</option><br>" + kCrLf +
        "<input checked type=radio accesskey=\"b\"  name=\"radio1\" value=V2>B.\tTwo</option><br>"
        "</td></tr>"
        "<tr><td ><p align=center>Select the correct answer.<zzexplanation></td></tr></td></tr></table>" +
        kCrLf + "<script language=vbscript>On Error Resume Next" + kCrLf + "dim myDoc" + kCrLf +
        "myDoc = document.frm.elements(0).type" + kCrLf + "if myDoc = \"button\" then " + kCrLf + "document.frm.NEXT.focus" +
        kCrLf + "else" + kCrLf + "document.frm.elements(0).focus" + kCrLf + "end if" + kCrLf +
        "</script><script language=javascript>" + kCrLf + "Function myfunction()" + kCrLf + "{" + kCrLf + "return 0;" + kCrLf +
        "};" + kCrLf + "</script>" + kCrLf + kCrLf + "</BODY>";
    EXPECT_EQ(pvhtml_question(quiz, settings), expected);
}

struct PartCase {
    const char* name;
    InputKind input_kind;
    QuestionRecord question;
    bool show_answer_count;
    bool embed_player;
    std::string expected_part;
};

QuestionRecord with(std::function<void(QuestionRecord&)> fill) {
    QuestionRecord question;
    question.question_text = "Q";
    fill(question);
    return question;
}

TEST(QuestionPage, partsByKindAndAttachment) {
    const std::string hint = "<br><center><b>Please Scroll Down to See Exhibits and/or Diagrams";
    const std::vector<PartCase> cases = {
        {"check boxes with the count", InputKind::check_box, with([](auto& q) {
             q.answers = {"", "a", "b"};
             q.user_choice[1] = 1;
         }),
         true, false,
         "<SCRIPT LANGUAGE=VBScript>" + kCrLf + "varcount=2" + kCrLf + " questiontype=\"multiple\" </SCRIPT>" + kCrLf +
             "<input type=checkbox accesskey=\"a\" checked name=ans1 value=1>A.\ta</option><br>" + kCrLf +
             "<input type=checkbox accesskey=\"b\"  name=ans2 value=2>B.\tb</option><br>" + kCrLf +
             "</td></tr>"
             "<tr><td ><p align=center>Select the 3 Best Answers.<zzexplanation>"},
        {"fill-in keeps typed text without quotes", InputKind::fill_in, with([](auto& q) { q.user_text = "say \"it's\""; }), false,
         false,
         "<SCRIPT LANGUAGE=VBScript>" + kCrLf + "varcount=1 " + kCrLf + " questiontype=\"fill\" </SCRIPT>" + kCrLf +
             "<p>&nbsp;</p><p align=center><input type=text name=txt_fill size=40 value=\"say its\"></p onblur=alert(\"hi\")>"
             "<p align=center><b>Please Type Answer In Box Above</b></p><br></td></tr>"
             "<tr><td ><p align=center>Type the answer into the box<zzexplanation>"},
        {"drag and drop", InputKind::drag_drop, with([](auto&) {}), false, false,
         "<p></td></tr><tr><td ><p align=center>Click the Next button when finished<zzexplanation>"},
        {"simulator", InputKind::sim, with([](auto& q) {
             q.diagram_files[1] = "xxsim";
             q.exhibit_files[2] = "2950";
         }),
         false, false, "<p></td></tr><tr><td ><p align=center>Complete the Task Using the Simulator<zzexplanation>"},
        {"lower-case exhibit is linked", InputKind::drag_drop, with([](auto& q) { q.exhibit_files[1] = " r1.txt "; }), false, false,
         "Click the Next button when finished" + hint + "<zzexplanation>"},
        {"exhibit link", InputKind::drag_drop, with([](auto& q) { q.exhibit_files[1] = "r1.txt"; }), false, false,
         "</script>" + kCrLf + kCrLf +
             "<hr><a href=\"javascript:; void(' ');\"id=\"Exhibit1\"onclick=myfunction()>Exhibit #  1 Click Here</a><br></BODY>"},
        {"diagrams skip lab models", InputKind::drag_drop, with([](auto& q) {
             q.diagram_files = {"", "d1.gif", "2950", "d3.gif"};
         }),
         false, false,
         "</script>" + kCrLf + kCrLf +
             "<hr>Diagram  1<br><img src=\"/pv/d1.gif\"><p><hr>Diagram  3<br><img src=\"/pv/d3.gif\"><p></BODY>"},
        {"tutor link", InputKind::drag_drop, with([](auto& q) { q.tutor_link = "t5"; }), false, false,
         "finished<br><center><b>Please Scroll Down to See Online Tutor<zzexplanation>"},
        {"tutor link target", InputKind::drag_drop, with([](auto& q) { q.tutor_link = "t5.MP3"; }), false, false,
         "<hr>" + kCrLf + "<a target=\"_blank\" href=\"https://tutor.palverapress.example/tests/41517/t5.MP3\"> " + kCrLf +
             "Click Here to View the Online Tutor</a>" + kCrLf + "</BODY>"},
        {"embedded tutor", InputKind::drag_drop, with([](auto& q) { q.tutor_link = "t5"; }), false, true,
         "<hr>Click the Play Button to Start the Online Tutor<br><br>" + kCrLf + "<center>" + kCrLf +
             "<object classid=\"clsid:22D6F312-B0F6-11D0-94AB-0080C74C7E95\" id=\"MediaPlayer1\">" + kCrLf +
             "  <param name=\"AutoStart\" value=\"0\">" + kCrLf +
             "  <param name=\"Filename\" value=\"https://tutor.palverapress.example/tests/41517/t5.wmv\">" + kCrLf},
        {"first picture only", InputKind::drag_drop,
         with([](auto& q) { q.question_text = "<img src=\"a.gif\"><img src=\"b.gif\">"; }), false, false,
         " 3.) <img src=\"/pv/a.gif\"><img src=\"b.gif\"><p>"},
    };
    for (const PartCase& c : cases) {
        SCOPED_TRACE(c.name);
        QuizState quiz = quiz_on(c.input_kind, c.question);
        quiz.answer_count = 2;
        quiz.correct_count = 3;
        const std::string page = pvhtml_question(quiz,
                                                 PageSettings{14, "Arial", c.show_answer_count, c.embed_player, kFolder, "41517"});
        EXPECT_NE(page.find(c.expected_part), std::string::npos) << page;
    }
}

TEST(QuestionPage, noExhibitLinkWithoutTxt_andNoHintWithoutAttachments) {
    QuizState quiz = quiz_on(InputKind::drag_drop, with([](auto& q) { q.exhibit_files[1] = "r1.doc"; }));
    const std::string page = pvhtml_question(quiz, PageSettings{12, "Arial", false, false, kFolder, "1"});
    EXPECT_EQ(page.find("Exhibit1"), std::string::npos);
    EXPECT_EQ(page.find("Please Scroll"), std::string::npos);
}

TEST(QuestionPage, qBottomPutsEveryLineAfterCrLf_andAMissingFileFails) {
    testing::TempFolder folder;
    testing::write_file(folder / "q_bottom.ini", "<body>\r\n<form name=frm>\n");
    EXPECT_EQ(q_bottom(folder.path().string() + "/"), "\r\n<body>\r\n<form name=frm>");
    EXPECT_THROW(q_bottom(folder.path().string() + "/missing/"), std::exception);
}

}  // namespace
}  // namespace qd
