#include "setup/quiz_resume.h"

#include <chrono>
#include <variant>

#include "common/guarded_steps.h"
#include "common/window_names.h"
#include "common/window_operations.h"
#include "record/quiz_snapshot.h"

namespace qd {

namespace {

// Loads the exam of the product number, if it is not the one loaded.
void load_exam_of(const std::string& product, QuizWorld& world) {
    for (int option = 1; option <= 3 && world.bank.product_number != product; ++option)
        silent_step([&] { load_exam_bank(option, world.table, world.bank); });
}

}  // namespace

std::optional<ResumeRefusal> resume_kept_quiz(std::int64_t id, const std::string& progress, QuizWorld& world,
                                              StudyRecorder& recorder) {
    const std::string product = snapshot_product_number(progress);
    if (product.empty()) return ResumeRefusal{"what was kept of it is damaged", true};
    // The exam the quiz was taken in; the one loaded comes back if the quiz cannot.
    const std::string loaded = world.bank.product_number;
    auto refuse = [&](ResumeRefusal refusal) {
        load_exam_of(loaded, world);
        return refusal;
    };
    load_exam_of(product, world);
    if (world.bank.product_number != product) return refuse({"its exam (" + product + ") is not installed"});

    auto read = read_quiz_snapshot(progress, world.table);
    if (const auto* fault = std::get_if<SnapshotFault>(&read)) return refuse({fault->why, true});
    const QuizSnapshot& snapshot = std::get<QuizSnapshot>(read);
    if (!recorder.resume_quiz(id)) return refuse({"the study record no longer holds it"});

    // The options go in before the quiz window loads, since it shows them as
    // it loads; it keeps the flags of a quiz put back.
    WorkingSettings& working = world.settings.working;
    restore_quiz_snapshot(snapshot, world.quiz, world.setup, world.table, working);
    world.setup.time_started = world.clock.now() - std::chrono::seconds(snapshot.elapsed_seconds);
    world.quiz.resumed = true;
    silent_step([&] { world.windows.show(kQuizWindow); });
    if (!world.windows.is_loaded(kQuizWindow)) {
        world.quiz.resumed = false;
        return ResumeRefusal{"the quiz window did not open"};
    }
    silent_step([&] { world.windows.get<QuizWindowOperations>(kQuizWindow).show_quest(); });
    silent_step([&] {
        if (world.windows.is_loaded(kQuizWindow)) world.windows.hide(kMainMenu);
    });
    return std::nullopt;
}

std::string left_quiz_words(const OpenQuiz& quiz) {
    return "the quiz you left at question " + std::to_string(quiz.position) + " of " + std::to_string(quiz.length);
}

bool may_put_aside_open_quiz(StudyRecorder* recorder, const std::string& student, const std::string& product_number,
                             Dialogs& dialogs) {
    if (!recorder) return true;
    const std::optional<OpenQuiz> open = recorder->open_quiz(student, product_number);
    if (!open) return true;
    const std::string question = "You have not finished " + left_quiz_words(*open) +
                                 ". A new quiz puts it aside for good; its answers so far stay in your study record.\n\n"
                                 "Start a new quiz?";
    if (dialogs.message(question, "Start a New Quiz", DialogButtons::yes_no, DialogIcon::question) != DialogAnswer::yes)
        return false;
    recorder->discard_quiz(open->id);
    return true;
}

}  // namespace qd
