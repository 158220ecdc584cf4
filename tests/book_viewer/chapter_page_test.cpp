#include <gtest/gtest.h>

#include "common/chapter_page.h"
#include "platform/testing/doubles.h"
#include "platform/testing/scripted_dialogs.h"
#include "temp_folder.h"

namespace qd {
namespace {

TEST(ReviewPageIndex, followsTheReferenceTagRules) {
    struct Case {
        const char* tag;
        std::optional<int> index;
    };
    const std::vector<Case> cases{
        {"46##", 45},
        {"108##", 107},
        {"1##", 0},
        {"0##", 0},
        {"-5##", 0},
        {" 7##", 6},
        {"2.5##", 1},
        {"3.5##", 3},
        {"ab##", 0},
        {"4 a##", 0},
        {"1234##", 0},
        {"46##x##", 45},
        {"##", std::nullopt},
        {"##46", std::nullopt},
        {"46", std::nullopt},
        {"", std::nullopt},
        {"46#", std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.tag);
        EXPECT_EQ(review_page_index(c.tag), c.index);
    }
}

using RecordingReader = testing::RecordingPdfReader;

TEST(ReviewChapter, missingBook_saysCouldNotFindWithItsPath) {
    testing::TempFolder temp;
    testing::ScriptedDialogs dialogs;
    RecordingReader reader;
    const std::string book = (temp / "ZI_ZE.pdf").string();
    dialogs.expect_message("Could not find " + book, "quizdeck");
    review_chapter("46##", book, "quizdeck", reader, dialogs);
    EXPECT_TRUE(reader.opened.empty());
}

TEST(ReviewChapter, presentBook_opensThePageAndTellsWhatWentWrong) {
    testing::TempFolder temp;
    const std::string book = (temp / "ZI_ZE.pdf").string();
    testing::write_file(book, "%PDF-1.4");
    struct Case {
        PdfOpenOutcome outcome;
        std::string message;
    };
    const std::vector<Case> cases{
        {{PdfOpenResult::shown, 660}, ""},
        {{PdfOpenResult::shown_at_last_page, 40},
         "Page 46 is beyond the end of the book, which has 40 pages. The book is shown at its last page."},
        {{PdfOpenResult::damaged, 0},
         "The book " + book + " cannot be read; the file is damaged. Reinstall the program to restore it."},
        {{PdfOpenResult::no_reader, 0},
         "A PDF reader could not be found, please ensure that you have installed one correctly and try again."},
        {{PdfOpenResult::no_answer, 0}, "Your PDF reader failed to respond in a timely fashion.  Please try again."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        testing::ScriptedDialogs dialogs;
        RecordingReader reader;
        reader.outcome = c.outcome;
        if (!c.message.empty()) dialogs.expect_message(c.message, "quizdeck");
        review_chapter("46##", book, "quizdeck", reader, dialogs);
        ASSERT_EQ(reader.opened.size(), 1u);
        EXPECT_EQ(reader.opened[0], std::make_pair(book, 45));
    }
    // A tag that names no page does nothing at all.
    testing::ScriptedDialogs dialogs;
    RecordingReader reader;
    review_chapter("##", book, "quizdeck", reader, dialogs);
    EXPECT_TRUE(reader.opened.empty());
}

}  // namespace
}  // namespace qd
