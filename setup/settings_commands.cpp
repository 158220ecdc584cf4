#include "setup/settings_commands.h"

#include <cmath>
#include <limits>
#include <optional>

#include "common/program_title.h"
#include "platform/failure.h"
#include "platform/text_forms.h"

namespace qd {
namespace {

// A box value in the store's short-number form: " 1" or " 0".
std::string box_value(bool ticked) { return blank_led_number(ticked ? 1 : 0); }

bool ticked_by(const std::string& stored) { return lenient_number(stored) != 0; }

// The whole text as a decimal number ("75", " 7.5"); anything else is no number.
std::optional<double> number_in(std::string_view text) {
    text = trim_blanks(text);
    std::size_t i = (!text.empty() && (text[0] == '+' || text[0] == '-')) ? 1 : 0;
    bool digit = false, point = false;
    for (; i < text.size(); ++i) {
        if (text[i] >= '0' && text[i] <= '9') digit = true;
        else if (text[i] == '.' && !point) point = true;
        else return std::nullopt;
    }
    if (!digit) return std::nullopt;
    return lenient_number(text);
}

int strict_setting(const UserSettings& settings, const SettingKey& key) {
    const std::string text = settings.get(key);
    if (auto value = strict_integer(text)) return *value;
    throw Failure(FailureCode::type_mismatch, "The setting " + std::string(key.key) + " holds \"" + text + "\", not a whole number");
}

}  // namespace

std::int16_t to_int16(double value) {
    const long long whole = round_half_even(value);
    if (!std::isfinite(value) || whole < std::numeric_limits<std::int16_t>::min() ||
        whole > std::numeric_limits<std::int16_t>::max())
        throw Failure(FailureCode::type_mismatch, "The number is outside the range of a short whole number");
    return static_cast<std::int16_t>(whole);
}

bool load_user_settings(UserSettings& settings, MenuChoices& boxes, const GuardedProcedure& load) {
    WorkingSettings& working = settings.working;
    bool saved = false;
    load.step([&] {
        working.student_name = settings.get(setting::student_name);
        boxes.name_text = working.student_name;
    });
    load.step([&] { saved = settings.get(setting::savesettings) == "saved"; });
    load.step([&] { working.show_answer_when_wrong = to_int16(lenient_number(settings.get(setting::answer_when_wrong))); });
    load.step([&] { working.show_answer_when_right = to_int16(lenient_number(settings.get(setting::answer_when_right))); });
    load.step([&] { working.answer_position = settings.get(setting::put_answer); });
    load.step([&] { boxes.show_answer_count = strict_setting(settings, setting::show_answer_count) != 0; });
    load.step([&] { working.embed_media_player = to_int16(strict_setting(settings, setting::embed_media_player)); });
    load.step([&] {
        boxes.radio_buttons = trim_blanks(settings.get(setting::radio)) == "1";
        working.radio_buttons = boxes.radio_buttons ? flag_code::set : flag_code::clear;
    });
    return saved;
}

void load_saved_options(const UserSettings& settings, MenuChoices& boxes, const GuardedProcedure& load, bool saved) {
    if (!saved) return;
    const WorkingSettings& working = settings.working;
    load.step([&] { boxes.time_text = settings.get(setting::timed_minutes); });
    load.step([&] { boxes.timed_quiz = ticked_by(settings.get(setting::timed_test)); });
    load.step([&] { boxes.answer_when_wrong = working.show_answer_when_wrong != 0; });
    load.step([&] { boxes.answer_when_right = working.show_answer_when_right != 0; });
    load.step([&] { boxes.random_questions = ticked_by(settings.get(setting::random_questions)); });
    load.step([&] { boxes.random_answers = ticked_by(settings.get(setting::random_answers)); });
    load.step([&] { boxes.back_button = ticked_by(settings.get(setting::back_button)); });
    load.step([&] { boxes.live_scoring = ticked_by(settings.get(setting::score_graph)); });
    load.step([&] { boxes.embed_media_player = working.embed_media_player != 0; });
}

void savesettings_Click(const MenuChoices& boxes, UserSettings& settings, Dialogs& dialogs) {
    silent_step([&] { settings.put(setting::savesettings, "saved"); });
    silent_step([&] { settings.put(setting::answer_when_wrong, box_value(boxes.answer_when_wrong)); });
    silent_step([&] { settings.put(setting::answer_when_right, box_value(boxes.answer_when_right)); });
    silent_step([&] { settings.put(setting::timed_test, box_value(boxes.timed_quiz)); });
    silent_step([&] {
        auto minutes = number_in(boxes.time_text);
        if (!minutes) throw Failure(FailureCode::type_mismatch, "The time box holds no number");
        settings.put(setting::timed_minutes, blank_led_number(to_int16(*minutes)));
    });
    silent_step([&] { settings.put(setting::random_answers, box_value(boxes.random_answers)); });
    silent_step([&] { settings.put(setting::random_questions, box_value(boxes.random_questions)); });
    silent_step([&] { settings.put(setting::score_graph, box_value(boxes.live_scoring)); });
    silent_step([&] { settings.put(setting::back_button, box_value(boxes.back_button)); });
    silent_step([&] { settings.put(setting::show_answer_count, box_value(boxes.show_answer_count)); });
    silent_step([&] { settings.put(setting::radio, box_value(boxes.radio_buttons)); });
    silent_step([&] { settings.put(setting::embed_media_player, boxes.embed_media_player ? "1" : "0"); });
    silent_step([&] {
        WorkingSettings& working = settings.working;
        silent_step([&] { working.font_size = to_int16(strict_setting(settings, setting::saved_font)); });
        settings.put(setting::saved_font, working.font_size > 0 ? std::to_string(working.font_size) : "12");
    });
    silent_step([&] { dialogs.message(kSettingsSavedMessage, kProgramTitle, DialogButtons::ok, DialogIcon::information); });
}

void restore_defaults_Click(MenuChoices& boxes, WorkingSettings& working) {
    boxes.time_text = "75";
    boxes.timed_quiz = false;
    boxes.answer_when_wrong = true;
    boxes.answer_when_right = false;
    boxes.random_questions = true;
    boxes.random_answers = true;
    boxes.live_scoring = true;
    boxes.back_button = true;
    working.practice_mode = flag_code::set;
}

void Command2_Click(MenuChoices& boxes, WorkingSettings& working) {
    boxes.time_text = "75";
    boxes.timed_quiz = true;
    boxes.answer_when_wrong = false;
    boxes.answer_when_right = false;
    boxes.random_questions = true;
    boxes.random_answers = true;
    boxes.back_button = false;
    boxes.live_scoring = false;
    working.practice_mode = flag_code::clear;
}

}  // namespace qd
