#include <gtest/gtest.h>

#include "results/review_page.h"

namespace qd {
namespace {

// The section of the page for one quiz position.
std::string section_of(const std::string& html, int position) {
    const std::string start = "aria-labelledby=\"h" + std::to_string(position) + "\"";
    const std::size_t from = html.find(start);
    if (from == std::string::npos) return {};
    return html.substr(from, html.find("</section>", from) - from);
}

const std::string kRight = "\xE2\x9C\x93";
const std::string kWrong = "\xE2\x9C\x97";

class ReviewPage : public ::testing::Test {
protected:
    ReviewPage() {
        quiz.quiz_length = 5;
        for (int p = 1; p <= 5; ++p) quiz.question_order[static_cast<std::size_t>(p)] = static_cast<std::int16_t>(p + 20);
        // 1: right; 2: wrong, A chosen where A and C are right; 3: a fill-in typed wrong;
        // 4: never answered, flagged; 5: a lab graded wrong.
        choice(21, {"Hub", "Switch"}, {0, 1}, {0, 1}, result_code::right, " B");
        choice(22, {"RIP", "Telnet", "OSPF"}, {1, 0, 1}, {1, 0, 0}, result_code::wrong, " A");
        QuestionRecord& fill = table.at(23);
        fill.question_text = "Name the protocol.";
        fill.question_type = "fill_in_the_blank";
        fill.answers[1] = "ARP";
        fill.result = result_code::wrong;
        quiz.chosen_letters[23] = "<b>rarp</b>";
        choice(24, {"Yes", "No"}, {1, 0}, {0, 0}, result_code::queued, "");
        quiz.flagged[4] = true;
        QuestionRecord& lab = table.at(25);
        lab.question_text = "Name the router R1.";
        lab.diagram_files[1] = "xxsim";
        lab.answers[1] = "[hostname]R1";
        lab.result = result_code::wrong;
        for (int index = 21; index <= 25; ++index) {
            table.at(index).question_id = static_cast<std::int16_t>(index + 100);
            table.at(index).explanation = "Because of rule " + std::to_string(index) + ".";
        }
        table.at(21).ref_tag = "12##";
    }

    void choice(int index, std::vector<std::string> answers, std::vector<std::int16_t> correct, std::vector<std::int16_t> chosen,
                std::int16_t result, const std::string& letters) {
        QuestionRecord& record = table.at(index);
        record.question_text = "Question at " + std::to_string(index);
        for (std::size_t i = 0; i < answers.size(); ++i) {
            record.answers[i + 1] = answers[i];
            record.correct[i + 1] = correct[i];
            record.user_choice[i + 1] = chosen[i];
        }
        record.result = result;
        quiz.chosen_letters[static_cast<std::size_t>(index)] = letters;
    }

    std::string page() { return review_page_html(quiz, table, ReviewPageSettings{"Exam <One>", 14, "Arial"}); }

    QuestionTable table;
    QuizState quiz;
};

TEST_F(ReviewPage, everyQuestionInQuizOrderWithItsStatusMarksExplanationAndFlag) {
    const std::string html = page();
    EXPECT_NE(html.find("<title>Review Answers: Exam &lt;One&gt;</title>"), std::string::npos);
    EXPECT_NE(html.find("font-size: 14pt"), std::string::npos);
    for (int position = 1; position < 5; ++position)
        EXPECT_LT(html.find("id=\"h" + std::to_string(position) + "\""), html.find("id=\"h" + std::to_string(position + 1) + "\""));

    const std::string right = section_of(html, 1);
    EXPECT_NE(right.find("Question 1 of 5 (QID 121)"), std::string::npos);
    EXPECT_NE(right.find(kRight + " Right</p>"), std::string::npos);
    EXPECT_NE(right.find("<li>A. Hub</li>"), std::string::npos);
    EXPECT_NE(right.find("<li>B. Switch <span class=\"marks\">" + kRight + " right answer, your answer</span></li>"),
              std::string::npos);
    EXPECT_NE(right.find("Because of rule 21."), std::string::npos);
    EXPECT_NE(right.find("<a href=\"" + book_link_address(1) + "\">Study guide, page 12</a>"), std::string::npos);
    EXPECT_EQ(right.find("Flagged"), std::string::npos);

    const std::string wrong = section_of(html, 2);
    EXPECT_NE(wrong.find(kWrong + " Wrong</p>"), std::string::npos);
    EXPECT_NE(wrong.find("A. RIP <span class=\"marks\">" + kRight + " right answer, your answer</span>"), std::string::npos);
    EXPECT_NE(wrong.find("<li>B. Telnet</li>"), std::string::npos);
    EXPECT_NE(wrong.find("C. OSPF <span class=\"marks\">" + kRight + " right answer</span>"), std::string::npos);
    EXPECT_EQ(wrong.find("Study guide"), std::string::npos);  // no reference, no link

    // What the student typed is shown as text, never as markup.
    const std::string typed = section_of(html, 3);
    EXPECT_NE(typed.find("Your answer: <b>&lt;b&gt;rarp&lt;/b&gt;</b>"), std::string::npos);
    EXPECT_NE(typed.find(kRight + " Right answer: <b>ARP</b>"), std::string::npos);

    // An answer never given marks nothing as the student's, even where the record holds a choice.
    table.at(24).user_choice[1] = 1;
    const std::string again = page();
    EXPECT_NE(again.find("<section class=\"unanswered flagged\" aria-labelledby=\"h4\">"), std::string::npos);
    const std::string open = section_of(again, 4);
    EXPECT_NE(open.find("\xE2\x80\x93 Not answered</p>"), std::string::npos);
    EXPECT_NE(open.find("\xE2\x9A\x91 Flagged for review"), std::string::npos);
    EXPECT_EQ(open.find("your answer"), std::string::npos);

    const std::string lab = section_of(html, 5);
    EXPECT_NE(lab.find(kWrong + " Wrong"), std::string::npos);
    EXPECT_EQ(lab.find("[hostname]"), std::string::npos);
}

TEST_F(ReviewPage, filtersCountTheirQuestionsAndSayWhenNoneIsLeft) {
    std::string html = page();
    for (const char* label : {">All questions (5)</label>", ">Wrong (3)</label>", ">Flagged (1)</label>", ">Unanswered (1)</label>"})
        EXPECT_NE(html.find(label), std::string::npos) << label;
    EXPECT_NE(html.find("id=\"show_all\" checked"), std::string::npos);
    EXPECT_NE(html.find("#show_wrong:checked ~ main section:not(.wrong) { display: none; }"), std::string::npos);
    EXPECT_EQ(html.find("<p class=\"none"), std::string::npos);

    quiz.flagged[4] = false;
    html = page();
    EXPECT_NE(html.find(">Flagged (0)</label>"), std::string::npos);
    EXPECT_NE(html.find("<p class=\"none show_flagged\">No question was flagged for review.</p>"), std::string::npos);
}

TEST(ReviewPageLinks, aBookLinkNamesItsPosition) {
    EXPECT_EQ(book_link_position(book_link_address(17)), 17);
    EXPECT_EQ(book_link_position("https://example.com/17"), std::nullopt);
    EXPECT_EQ(book_link_position(book_link_address(3) + "x"), std::nullopt);
}

}  // namespace
}  // namespace qd
