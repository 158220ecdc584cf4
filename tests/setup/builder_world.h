#pragma once
// The program state the quiz builder works on, with the first part exam
// loaded and numbered as at start-up, a quiz window double that records
// show_quest, and a main menu double, in a fresh temporary folder.
#include <memory>
#include <string>
#include <vector>

#include "../common/fake_window.h"
#include "bank/bank_loader.h"
#include "common/window_names.h"
#include "common/window_operations.h"
#include "platform/settings_store.h"
#include "platform/testing/doubles.h"
#include "platform/testing/scripted_dialogs.h"
#include "setup/quiz_builder.h"
#include "temp_folder.h"

namespace qd::testing {

class QuizWindowDouble : public FakeWindow, public QuizWindowOperations {
public:
    explicit QuizWindowDouble(std::vector<std::string>& events) : FakeWindow(kQuizWindow, events), events_(events) {}
    void show_quest() override { events_.push_back("show_quest"); }
    void end_the_test() override { events_.push_back("end_the_test"); }
    void set_answer_check_enabled(bool) override {}

private:
    std::vector<std::string>& events_;
};

struct BuilderWorld {
    BuilderWorld() {
        ProductPaths paths;
        paths.program_folder = folder.path().string() + "/";
        init_product(paths, table, bank);
        number_questions(table);
        setup.total_questions = bank.question_count;
        windows.define(kQuizWindow, [this] { return std::make_unique<QuizWindowDouble>(events); });
        windows.define(kMainMenu, [this] { return std::make_unique<FakeWindow>(kMainMenu, events); });
        windows.show(kMainMenu);
        events.clear();
    }

    void build(const MenuChoices& boxes) { start_the_quiz_from_command1(boxes, world); }
    std::vector<int> asked_indices() const {
        std::vector<int> indices;
        for (int p = 1; p <= quiz.quiz_length; ++p) indices.push_back(quiz.table_index_at(p));
        return indices;
    }

    TempFolder folder;
    IniSettingsStore store{folder / "config"};
    UserSettings settings{store};
    QuestionTable table;
    BankState bank;
    QuizState quiz;
    SetupState setup;
    RetakeHandover retake;
    ScriptedDialogs dialogs;
    ScriptedRandom random;
    FixedClock clock;
    WindowRegistry windows;
    FixedScreen screen;
    std::vector<std::string> events;
    std::vector<bool> busy_pointer;
    QuizWorld world{table,   bank,   quiz,  setup,   retake, settings,
                    dialogs, random, clock, windows, screen, [this](bool busy) { busy_pointer.push_back(busy); }};
};

}  // namespace qd::testing
