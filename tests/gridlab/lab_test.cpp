// The forty router and switch labs of the banks: the commands of each lab's
// explanation, typed at the console from the lab's starting configuration,
// leave a result file that the quiz's own grader grades right; the same
// commands with one expectation changed grade wrong, and the starting
// configuration alone meets none of the lab's expectations.
#include <gtest/gtest.h>

#include <cctype>
#include <cstdio>
#include <sstream>

#include "bank/bank_loader.h"
#include "common/module1.h"
#include "gridlab/batch_run.h"
#include "gridlab/console_session.h"
#include "gridlab/start_config.h"
#include "gridlab/task_text.h"
#include "lab_transcript.h"
#include "platform/text_forms.h"
#include "runner/router_console_grading.h"
#include "temp_folder.h"

namespace qd::gridlab {
namespace {

DeviceModel model_of(const QuestionRecord& lab) {
    return lab.exhibit_files[2] == "2950" ? DeviceModel::access_switch : DeviceModel::router;
}

std::vector<QuestionRecord> all_labs() {
    std::vector<QuestionRecord> labs;
    for (const BankData* bank : {&banks::pv_flash_intro, &banks::pv_flash_orlin}) {
        QuestionTable table;
        BankState state;
        load_questions(*bank, table, state);
        for (int i = 1; i <= state.question_count; ++i)
            if (table.at(i).diagram_files[1] == "xxsim") labs.push_back(table.at(i));
    }
    return labs;
}

// The lab's starting configuration where the quiz leaves it for the console.
void leave_start_file(const QuestionRecord& lab, const std::filesystem::path& folder) {
    testing::write_file(folder / kStartFileName, lab.lab_start + "\r\n");
}

// Types the commands through batch mode, then grades the lab from out.ini as the quiz does.
bool graded_right(const QuestionRecord& lab, const std::vector<std::string>& commands, const std::filesystem::path& folder) {
    leave_start_file(lab, folder);
    std::string input;
    for (const auto& command : commands) input += command + "\n";
    std::istringstream in(input);
    std::ostringstream out, errors;
    EXPECT_EQ(run_batch(model_of(lab), in, out, errors, folder), 0) << errors.str();
    const auto read = [&](const std::string& key) { return read_out_ini(folder.string(), "general", key); };
    return router_console_expectations_met(lab, read);
}

// Changes the first character of the last word of the first command that ends
// with an expectation's value: "hostname Branch1" becomes "hostname Cranch1",
// "network 10.0.0.0" becomes "network 20.0.0.0".
bool change_one_value(const QuestionRecord& lab, std::vector<std::string>& commands) {
    for (int slot = 1; slot <= 6; ++slot) {
        const std::string& answer = lab.answers[slot];
        const auto close = answer.find(']');
        if (close == std::string::npos) continue;
        const std::string value = to_lower_ascii(answer.substr(close + 1));
        for (auto& command : commands) {
            if (!to_lower_ascii(command).ends_with(" " + value)) continue;
            char& first = command[command.rfind(' ') + 1];
            if (std::isdigit(static_cast<unsigned char>(first))) first = first == '9' ? '8' : static_cast<char>(first + 1);
            else first = first == 'z' || first == 'Z' ? 'a' : static_cast<char>(first + 1);
            return true;
        }
    }
    return false;
}

class Labs : public ::testing::Test {
protected:
    static void SetUpTestSuite() { labs_ = new std::vector<QuestionRecord>(all_labs()); }
    static void TearDownTestSuite() { delete labs_; }
    static const std::vector<QuestionRecord>& labs() { return *labs_; }
    testing::TempFolder folder;

private:
    static std::vector<QuestionRecord>* labs_;
};
std::vector<QuestionRecord>* Labs::labs_ = nullptr;

TEST_F(Labs, theBanksHoldTheFortyLabs) { EXPECT_EQ(labs().size(), 40u); }

TEST_F(Labs, eachExplanationGradesRightAndEachPromptMatchesTheTranscript) {
    for (const auto& lab : labs()) {
        SCOPED_TRACE(lab.question_text.substr(0, 70));
        const auto transcript = transcript_of(lab);
        ASSERT_FALSE(transcript.empty());
        leave_start_file(lab, folder.path());
        ConsoleSession session(model_of(lab), start_configuration(model_of(lab), folder.path()));
        for (const auto& line : transcript) {
            EXPECT_EQ(session.prompt(), line.prompt) << "before " << line.command;
            const std::string answer = session.enter(line.command);
            EXPECT_EQ(answer.find("% "), std::string::npos) << line.command << "\n" << answer;
        }
        EXPECT_TRUE(graded_right(lab, commands_of(transcript), folder.path()));
    }
}

TEST_F(Labs, eachLabWithOneExpectationChangedGradesWrong) {
    for (const auto& lab : labs()) {
        SCOPED_TRACE(lab.question_text.substr(0, 70));
        const auto commands = commands_of(transcript_of(lab));
        auto changed = commands;
        ASSERT_TRUE(change_one_value(lab, changed));
        EXPECT_FALSE(graded_right(lab, changed, folder.path()));

        bool wants_enabled_interface = false;
        for (const auto& answer : lab.answers) wants_enabled_interface |= answer.ends_with(" state]up");
        if (!wants_enabled_interface) continue;
        auto not_enabled = commands;
        std::erase(not_enabled, "no shutdown");
        EXPECT_FALSE(graded_right(lab, not_enabled, folder.path())) << "without no shutdown";
    }
}

// Each part of each task needs a command: no expectation holds before the student types.
TEST_F(Labs, theStartingConfigurationAloneMeetsNoneOfTheLabsExpectations) {
    for (const auto& lab : labs()) {
        SCOPED_TRACE(lab.question_text.substr(0, 70));
        leave_start_file(lab, folder.path());
        ConsoleSession console(model_of(lab));
        console.enter("enable");
        console.enter("configure terminal");
        for (const auto& command : read_start_commands(folder.path()))
            EXPECT_EQ(console.enter(command).find("% "), std::string::npos) << "the console refuses " << command;
        for (int slot = 1; slot <= 6; ++slot) {
            if (lab.answers[slot].empty()) continue;
            QuestionRecord one_part = lab;
            for (int other = 1; other <= 6; ++other)
                if (other != slot) one_part.answers[other].clear();
            EXPECT_FALSE(graded_right(one_part, {}, folder.path())) << "already met at start: " << lab.answers[slot];
        }
    }
}

TEST_F(Labs, aLabLeftUnfinishedGradesWrong) {
    ASSERT_FALSE(labs().empty());
    const auto& lab = labs().front();
    const auto commands = commands_of(transcript_of(lab));
    ASSERT_GE(commands.size(), 3u);
    EXPECT_FALSE(graded_right(lab, {commands.begin(), commands.begin() + 2}, folder.path()));
}

#ifdef GRIDLAB_PROGRAM
// The program as the quiz starts it: "gridlab 2950" for a switch lab, here in batch mode.
TEST_F(Labs, theProgramInBatchModeLeavesOutIniInItsWorkingFolder) {
    const QuestionRecord* switch_lab = nullptr;
    for (const auto& lab : labs())
        if (model_of(lab) == DeviceModel::access_switch) switch_lab = &lab;
    ASSERT_NE(switch_lab, nullptr);
    std::string input;
    for (const auto& command : commands_of(transcript_of(*switch_lab))) input += command + "\n";
    testing::write_file(folder / "commands.txt", input);
    leave_start_file(*switch_lab, folder.path());
    const std::string command = "cd '" + folder.path().string() +
                                "' && '" GRIDLAB_PROGRAM "' --batch 2950 < commands.txt > console.txt";
    ASSERT_EQ(std::system(command.c_str()), 0);
    EXPECT_NE(testing::read_file(folder / "console.txt").find("Switch(config)#"), std::string::npos);
    const auto read = [&](const std::string& key) { return read_out_ini(folder.path().string(), "general", key); };
    EXPECT_TRUE(router_console_expectations_met(*switch_lab, read));
}
#endif

}  // namespace
}  // namespace qd::gridlab
