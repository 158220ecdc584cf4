#include <gtest/gtest.h>

#include <string>

#include "bank_assembly.h"
#include "bank_writer.h"
#include "temp_folder.h"

namespace {

using qd::testing::write_file;

const char* kManifest = R"(bank: PART_A
title: Part A
number: 11111
version: 1.0
chapters: a
simulators: Labs | a/simulators.qb

bank: PART_B
title: Part B
number: 22222
version: 1.0
chapters: b
simulators: Sims | b/simulators.qb

bank: FULL
title: Full
number: 33333
version: 1.0
part: PART_A | AA
part: PART_B | BB
scenarios: scenarios
simulators: All Labs
)";

const char* kChapterOne = R"(chapter: 1
title: Models
pages: 10-20

question: Which layer routes packets?
type: single_answer
ref: 12##
wrong: Transport
right: Network
explanation: The network layer moves packets between networks: each router looks at the packet's destination address, finds the best matching route and sends the packet on toward the next router, hop by hop, until it reaches the destination's own network.
  The transport layer works only in the two end hosts and never chooses a path.
)";

const char* kChapterTwo = R"(chapter: 2
title: Cables
pages: 21-30

question: Which two are copper? (Choose two.)
type: multi_answer
ref: 25##
right: UTP
right: STP
wrong: Single-mode fiber
explanation: Unshielded and shielded twisted pair both carry the signal as electricity over copper wires twisted in pairs; the twists, and in shielded cable the foil, cut the interference between the pairs and from outside.
  Single-mode fiber carries light in a glass core, so it is not copper at all.
)";

const char* kPartBChapter = R"(chapter: 10
title: WAN
pages: 40-50

question: Which encapsulation supports authentication?
type: single_answer
ref: 41##
right: PPP
wrong: HDLC
explanation: PPP negotiates the link with its Link Control Protocol, and one of the options it can negotiate is authentication: PAP sends the password in clear text, CHAP answers a challenge with a hash, so both routers prove who they are before any packet crosses the link.
  HDLC only frames packets and has no way to check who is at the other end.
)";

const char* kSimulators = R"(question: Name the router R1.
exercise: xxsim
expect: [hostname]R1
explanation: Router(config)#hostname R1
)";

const char* kScenario = R"(question: Based on the exhibit, which link is down?
type: fill_in_the_blank
chapter: b 10
ref: 45##
diagram: net.png
exhibit: net.txt
explanation: The exhibit shows Serial0/0 as down, which means the router sees no working link on that interface; the diagram shows that this serial link is the only path to the other site, so it is the link to check first, starting with the cable and the far end.
  The LAN interfaces are up and carry no fault.
accept: S0/0
accept: Serial0/0
)";

class BankSources : public ::testing::Test {
protected:
    void SetUp() override {
        write_file(sources() / "banks.txt", kManifest);
        write_file(sources() / "a/ch02.qb", kChapterTwo);  // name order differs from chapter order on purpose
        write_file(sources() / "a/ch01.qb", kChapterOne);
        write_file(sources() / "a/simulators.qb", kSimulators);
        write_file(sources() / "b/ch10.qb", kPartBChapter);
        write_file(sources() / "b/simulators.qb",
                   "question: Name the switch S1.\nexercise: xxsim\nlab: 2950\nexpect: [hostname]S1\nexplanation: "
                   "Switch(config)#hostname S1\n");
        write_file(sources() / "scenarios/s.qb", kScenario);
        write_file(sources() / "simulator_keys.txt", "# keys\nhostname | the host name | R1\n");
        write_file(data() / "net.dot", "graph { a -- b }\n");
        write_file(data() / "net.txt", "Serial0/0 is down\n");
    }
    std::filesystem::path sources() const { return folder_ / "banks"; }
    std::filesystem::path data() const { return folder_ / "data"; }
    bankc::Content load() const { return bankc::load_content(sources(), data()); }

    qd::testing::TempFolder folder_;
};

std::string all_messages(const bankc::Content& content) {
    std::string text;
    for (const auto& d : content.diagnostics) text += d.file + ":" + std::to_string(d.line) + ": " + d.message + "\n";
    return text;
}

TEST_F(BankSources, fullExamCombinesPartsInOrderWithRemappedCategories) {
    bankc::Content content = load();
    ASSERT_EQ(all_messages(content), "");
    ASSERT_EQ(content.banks.size(), 3u);

    const auto& a = content.banks[0];
    EXPECT_EQ(a.category_names, (std::vector<std::string>{"1 - Models", "2 - Cables", "Labs"}));
    ASSERT_EQ(a.questions.size(), 3u);
    EXPECT_EQ(a.questions[2].category, 3);

    const auto& full = content.banks[2];
    EXPECT_EQ(full.category_names, (std::vector<std::string>{"AA 1-Models", "AA 2-Cables", "BB 10-WAN", "All Labs"}));
    std::vector<std::pair<std::string, int>> layout;
    for (const auto& q : full.questions) layout.emplace_back(q.source->text.substr(0, 14), q.category);
    EXPECT_EQ(layout, (std::vector<std::pair<std::string, int>>{{"Which layer ro", 1},
                                                                {"Which two are ", 2},
                                                                {"Name the route", 4},
                                                                {"Which encapsul", 3},
                                                                {"Name the switc", 4},
                                                                {"Based on the e", 3}}));
    // The full exam shares the part exams' records rather than copies of them.
    EXPECT_EQ(full.questions[0].source, a.questions[0].source);

    EXPECT_EQ(bankc::write_stats({content.banks[0]}), "PART_A 3\n   1    1  1 - Models\n   2    1  2 - Cables\n   3    1  Labs\n");
}

struct BadSource {
    const char* name;
    const char* file;
    const char* text;
    int line;
    const char* message;
};

class BadSources : public BankSources, public ::testing::WithParamInterface<BadSource> {};

const char* kHeader = "chapter: 1\ntitle: Models\npages: 10-20\n\n";

std::string chapter(const std::string& body) { return kHeader + body; }

TEST_P(BadSources, problemIsReportedWithFileAndLine) {
    const BadSource& bad = GetParam();
    std::string text = std::string(bad.file) == "a/ch01.qb" ? chapter(bad.text) : bad.text;
    write_file(sources() / bad.file, text);
    bankc::Content content = load();
    std::string messages = all_messages(content);
    std::string expected = std::string(bad.file) + ":" + std::to_string(bad.line) + ": ";
    EXPECT_NE(messages.find(expected), std::string::npos) << messages;
    EXPECT_NE(messages.find(bad.message), std::string::npos) << messages;
}

INSTANTIATE_TEST_SUITE_P(
    Rules, BadSources,
    ::testing::Values(
        BadSource{"noRightAnswer", "a/ch01.qb", "question: Q?\ntype: single_answer\nref: 12##\nwrong: x\nwrong: y\n", 5,
                  "without a right answer"},
        BadSource{"sevenAnswers", "a/ch01.qb",
                  "question: Q?\ntype: single_answer\nref: 12##\nright: 1\nwrong: 2\nwrong: 3\nwrong: 4\nwrong: 5\nwrong: "
                  "6\nwrong: 7\n",
                  14, "more than six answers"},
        BadSource{"gapInAnswers", "a/ch01.qb", "question: Q?\ntype: single_answer\nref: 12##\nright: 1\nwrong:\nwrong: 3\n", 9,
                  "packed from slot 1"},
        BadSource{"twoRightInSingle", "a/ch01.qb", "question: Q?\ntype: single_answer\nref: 12##\nright: 1\nright: 2\n", 5,
                  "single_answer with 2 right answers"},
        BadSource{"chooseCountMismatch", "a/ch01.qb",
                  "question: Pick. (Choose three.)\ntype: multi_answer\nref: 12##\nright: 1\nright: 2\nwrong: 3\n", 5,
                  "asks to choose 3 but 2"},
        BadSource{"malformedTag", "a/ch01.qb", "question: Q?\ntype: single_answer\nref: 12#\nright: 1\nwrong: 2\n", 7,
                  "digits followed by ##"},
        BadSource{"pageOutsideChapter", "a/ch01.qb", "question: Q?\ntype: single_answer\nref: 21##\nright: 1\nwrong: 2\n", 7,
                  "outside its chapter's pages 10-20"},
        BadSource{"rawAngleBracket", "a/ch01.qb", "question: Type at Router>\ntype: single_answer\nref: 12##\nright: 1\nwrong: 2\n",
                  5, "write &gt;"},
        BadSource{"unknownKey", "a/ch01.qb", "question: Q?\ntype: single_answer\nref: 12##\nright: 1\nwrong: 2\nhint: no\n", 10,
                  "unknown key \"hint\""},
        BadSource{"missingExhibit", "a/ch01.qb",
                  "question: Q?\ntype: single_answer\nref: 12##\nexhibit: gone.txt\nright: 1\nwrong: 2\n", 8,
                  "exhibit \"gone.txt\" is not in the data folder"},
        BadSource{"duplicateDiffersOnlyInCaseAndSpacing", "a/simulators.qb",
                  "question: Which layer  ROUTES packets?\nexercise: xxsim\nexpect: [hostname]R1\nexplanation: x\n", 1,
                  "duplicated question: the same text is at a/ch01.qb:5"},
        BadSource{"fillInOutsideScenarios", "a/ch01.qb", "question: Q?\ntype: fill_in_the_blank\nref: 12##\naccept: x\n", 6,
                  "scenario files only"},
        BadSource{"expectationWithoutBracket", "a/simulators.qb",
                  "question: Lab\nexercise: xxsim\nexpect: [hostname R1\nexplanation: x\n", 3, "with \"]\" after the key"},
        BadSource{"keyOutsideVocabulary", "a/simulators.qb",
                  "question: Lab\nexercise: xxsim\nexpect: [host name]R1\nexplanation: x\n", 3,
                  "\"host name\" is not in simulator_keys.txt"},
        BadSource{"noExplanation", "a/ch01.qb", "question: Q?\ntype: single_answer\nref: 12##\nright: 1\nwrong: 2\n", 5,
                  "a question without an explanation"},
        BadSource{"shortExplanation", "a/ch01.qb",
                  "question: Q?\ntype: single_answer\nref: 12##\nright: 1\nwrong: 2\nexplanation: Because the<br>mask says so.\n  "
                  "The other is wrong.\n",
                  10, "explanation of 9 words; it needs at least 40"},
        BadSource{"shortScenarioExplanation", "scenarios/s.qb",
                  "question: S?\ntype: single_answer\nchapter: b 10\nref: 45##\ndiagram: net.png\nexhibit: net.txt\nexplanation: "
                  "Too short.\nright: 1\nwrong: 2\n",
                  7, "explanation of 2 words"},
        BadSource{"scenarioCategoryOutsideBank", "scenarios/s.qb",
                  "question: S?\ntype: single_answer\nchapter: b 3\nref: 45##\ndiagram: net.png\nexhibit: net.txt\nexplanation: "
                  "e\nright: 1\nwrong: 2\n",
                  3, "\"b 3\" is not a chapter of this bank"}),
    [](const auto& test) { return std::string(test.param.name); });

TEST(CppLiteral, escapesQuotesBackslashesAndControlCharacters) {
    EXPECT_EQ(bankc::cpp_string_literal("a\"b\\c\r\n"), "\"a\\\"b\\\\c\\015\\012\"");
    EXPECT_EQ(bankc::cpp_string_literal("caf\xc3\xa9"), "\"caf\xc3\xa9\"");
}

}  // namespace
