#include <gtest/gtest.h>

#include "results/explanation_page.h"

namespace qd {
namespace {

const std::string kData = "/opt/qd/pv_navra/";
const std::string kReference = "<br><br>Palvera Press Book Reference: Page - ";

QuestionRecord three_answers() {
    QuestionRecord record;
    record.question_text = "Which are routed?";
    record.answers[1] = "IP";
    record.answers[2] = "NetBEUI";
    record.answers[3] = "IPX";
    record.answers[4] = "   ";  // blank slots are not listed
    record.correct[1] = 1;
    record.correct[3] = 1;
    record.explanation = "Both carry a network address.";
    record.ref_tag = "112##Table 4";
    record.question_id = 42;
    return record;
}

QuestionRecord fill_in() {
    QuestionRecord record;
    record.question_type = "fill_in_the_blank";
    record.question_text = "Name the protocol.";
    record.answers[1] = "EIGRP";
    record.explanation = "It is EIGRP.";
    record.ref_tag = "7";
    return record;
}

const std::string kListing =
    "<br><br>Which are routed?<br>A.)  IP<br>B.)  NetBEUI<br>C.)  IPX<br><br><br>Both carry a network address." + kReference +
    "112<br>Table 4";

TEST(ExplanationPage, bodyFollowsTheOutcomeAndTheAnswerPosition) {
    struct Case {
        const char* name;
        QuestionRecord record;
        std::int16_t result;
        AnswerOutcome outcome;
        std::string body;
        std::int16_t verdict;
    };
    QuestionRecord exercise = three_answers();
    exercise.diagram_files[1] = "xxxdnd";
    const std::vector<Case> cases = {
        {"right, two correct answers", three_answers(), 1, {" B", 99, "top"}, "Correct.<br>The answer(s):  A C" + kListing, 1},
        {"wrong, stored position bottom",
         three_answers(),
         2,
         {" B", 1, "bottom"},
         kListing + "<br><br><br>Incorrect.  Your answer was:  B<br>The correct answer(s):  A C",
         99},
        {"any other position leads with the verdict",
         three_answers(),
         1,
         {"", 0, "Bottom"},
         "Correct.<br>The answer(s):  A C" + kListing,
         1},
        {"fill-in answered wrong",
         fill_in(),
         2,
         {"OSPF", 0, "top"},
         "Incorrect.  Your answer was: OSPF<br>The correct answer(s): EIGRP<br><br>Name the protocol.<br><br><br>It is EIGRP." +
             kReference + "7",
         99},
        {"ungraded shows the most recent check",
         three_answers(),
         0,
         {" C", 99, "top"},
         "Incorrect.  Your answer was:  C<br>The correct answer(s):  A C" + kListing,
         99},
        {"never checked has no verdict label", three_answers(), 3, {"", 0, "top"}, " A C" + kListing, 0},
        {"an exercise shows its explanation and raw reference",
         exercise,
         2,
         {" A", 0, "top"},
         "Both carry a network address.<br><br>112##Table 4",
         99},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QuestionRecord record = c.record;
        record.result = c.result;
        const ExplanationBody body = explanation_body(record, c.outcome, kData);
        EXPECT_EQ(body.text, c.body);
        EXPECT_EQ(body.verdict, c.verdict);
    }
}

TEST(ExplanationPage, aRouterLabListsWhatItExpectedAndFoundAboveItsTranscript) {
    QuestionRecord exercise = three_answers();
    QuestionRecord router_lab = exercise;
    router_lab.diagram_files[1] = "xxsim";
    const std::vector<LabFinding> findings{{"hostname", "R1", "r1", true, true},
                                           {"line vty 0 4 password", "quartz", "", false, false},
                                           {"banner motd", "Hi", "<script>", true, false}};
    const std::string transcript_start =
        "<div class=\"transcript\" style=\"font-family: 'Liberation Mono', 'Courier New', monospace\">";
    const std::string lines =
        "<p><b>What the lab expected, and what the console's configuration held:</b></p>\n<ul class=\"lab_feedback\">\n"
        "<li>hostname: expected R1, found r1 \xE2\x80\x94 right</li>\n"
        "<li>line vty 0 4 password: expected quartz, found nothing \xE2\x80\x94 missing</li>\n"
        "<li>banner motd: expected Hi, found &lt;script&gt; \xE2\x80\x94 wrong</li>\n</ul>\n";
    const std::string transcript = transcript_start + "Both carry a network address.</div><br><br>112##Table 4";
    router_lab.result = result_code::wrong;
    EXPECT_EQ(explanation_body(router_lab, {"", 0, "top"}, kData, findings).text, lines + transcript);
    // Never graded: nothing was found, so only the transcript.
    router_lab.result = result_code::not_graded;
    EXPECT_EQ(explanation_body(router_lab, {"", 0, "top"}, kData).text, transcript);
}

TEST(ExplanationPage, onlyTheFirstPictureOfEachTextGetsTheDataFolder) {
    QuestionRecord record = three_answers();
    record.question_text = "a<img src=\"r1.gif\"> b<img src=\"r2.gif\">";
    record.answers[2] = "<img src=\"b.gif\">";
    record.explanation = "<img src=r1.gif> and <IMG SRC=\"r1.gif\">";
    record.result = 1;
    const std::string body = explanation_body(record, {}, kData).text;
    EXPECT_NE(body.find("<br><br>a<img src=\"/opt/qd/pv_navra/r1.gif\"> b<img src=\"r2.gif\"><br>A.)"), std::string::npos);
    EXPECT_NE(body.find("<br>B.)  <img src=\"/opt/qd/pv_navra/b.gif\">"), std::string::npos);
    // The first double quote after "<img src" is taken wherever it stands, here in a later tag.
    EXPECT_NE(body.find("<br><br><br><img src=r1.gif> and <IMG SRC=\"/opt"), std::string::npos);
}

TEST(ExplanationPage, pageAddsStyleIdDiagramsTutorAndScript) {
    const std::string script = "<script language=javascript>\r\nFunction myfunction()\r\n{\r\nreturn 0;\r\n};\r\n</script>\r\n";
    ExplanationPageSettings settings{0, "Arial", false, "First Part Exam", "5.56", "41517", kData};
    ExplanationAddresses addresses;
    addresses.tutor_server = "https://tutor.test/tests/";
    addresses.player_download_page = "https://player.test/get";
    const PlayerFragment player = [](const std::string& address) { return "[player " + address + "]"; };

    QuestionRecord record = three_answers();
    record.diagram_files = {"", "r1.gif", "  ", "xxsim"};
    EXPECT_EQ(explanation_page_body("BODY", record, settings, addresses, player),
              "\r\n<style>\r\nBODY{font-size: 12 pt}\r\nTABLE{font-size: 12 pt}\r\nBODY{font-family:Arial}\r\n</style>\r\n"
              "BODY<br><br> QID: 42 First Part Exam v5.56\r\n<hr>Diagram  1<br>\r\n<img src=\"/opt/qd/pv_navra/r1.gif\"><p>" +
                  script);

    settings.font_size = 14;
    record.diagram_files = {};
    record.tutor_link = "vlan";
    EXPECT_EQ(
        explanation_page_body("B", record, settings, addresses, player),
        "\r\n<style>\r\nBODY{font-size: 14 pt}\r\nTABLE{font-size: 14 pt}\r\nBODY{font-family:Arial}\r\n</style>\r\n"
        "B<br><br> QID: 42 First Part Exam v5.56<hr>\r\n<a target=\"_blank\" href=\"https://tutor.test/tests/41517/vlan.wmv\"> "
        "\r\nClick Here to View the Online Tutor</a>\r\n" +
            script);

    settings.embed_player = true;
    record.tutor_link = "stp.WAV";
    const std::string page = explanation_page_body("B", record, settings, addresses, player);
    EXPECT_NE(page.find("v5.56\r\n<hr>Click the Play Button to Start the Online Tutor<br><br>\r\n"
                        "[player https://tutor.test/tests/41517/stp.WAV]\r\n<br><p align=\"center\">\r\n"
                        "<a target=\"_blank\" href=\"https://player.test/get\">\r\n"
                        "Click Here</a> If You Cannot See the Online Tutor</p>\r\n<script"),
              std::string::npos);

    for (auto [link, address] : {std::pair{"a.wmv", "a.wmv"}, {"b.Wav", "b.Wav"}, {"c.mp3", "c.mp3.wmv"}, {" ", ""}}) {
        record.tutor_link = link;
        EXPECT_EQ(tutor_address(record, "41517", addresses),
                  address[0] ? "https://tutor.test/tests/41517/" + std::string(address) : "");
    }
}

TEST(ExplanationPage, webLinkIsTheLastAddressUpToABlankOrLineEnd) {
    EXPECT_EQ(last_web_link("see http://a.example/x and HTTP://B.example/Y\r\nmore"), "HTTP://B.example/Y");
    EXPECT_EQ(last_web_link("ends at http://c.example/z"), "http://c.example/z");
    EXPECT_EQ(last_web_link("one http://d.example/\nnext"), "http://d.example/");
    EXPECT_EQ(last_web_link("no address, only https://e.example/"), "");
}

TEST(ExplanationPage, feedbackGoesToTheMailProgramOrTheWebForm) {
    ExplanationAddresses addresses;
    addresses.author_mailbox = "authors@maker.test";
    addresses.feedback_form = "https://maker.test/promo/email/velqormail.asp";
    QuestionRecord record;
    record.question_id = 7;
    FeedbackContext context{"outlook", "me#1@home.test", "41517", "Exam #1", "5.56", "qc_pv_navra@maker.test"};
    EXPECT_EQ(feedback_address(record, context, addresses),
              "mailto:authors@maker.test?subject=41517 Exam #1 QuestionID=7  (v5.56) &cc=qc_pv_navra@maker.test"
              "&BODY=Remember that answers are listed in random order.");
    context.mail_type = "web";
    EXPECT_EQ(feedback_address(record, context, addresses),
              "https://maker.test/promo/email/velqormail.asp?author=authors@maker.test&email=me_1@home.test"
              "&subj=41517 Exam _1 QuestionID=7  (v5.56) ");
}

}  // namespace
}  // namespace qd
