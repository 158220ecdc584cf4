#pragma once
// The student's options in the per-user settings store (three applications,
// each key with its default), and the working values a running quiz reads.
#include <cstdint>
#include <functional>
#include <string>

#include "bank/state_codes.h"
#include "platform/failure.h"
#include "platform/settings_store.h"

namespace qd {

inline constexpr const char* kTestApplication = "velqortest";            // options and the e-mail address
inline constexpr const char* kProductApplication = "velqor";             // one section per exam
inline constexpr const char* kDrillApplication = "velqor_drill_screen";  // the drill screen

struct SettingKey {
    const char* application;
    std::string section;
    const char* key;
    const char* default_value;
};

namespace setting {
inline const SettingKey savesettings{kTestApplication, "stuff", "savesettings", ""};
inline const SettingKey answer_when_wrong{kTestApplication, "stuff", "answerwhenwrong", ""};
inline const SettingKey answer_when_right{kTestApplication, "stuff", "answerwhenright", ""};
inline const SettingKey timed_test{kTestApplication, "stuff", "timedtest", ""};
inline const SettingKey timed_minutes{kTestApplication, "stuff", "timedminutes", ""};
inline const SettingKey random_answers{kTestApplication, "stuff", "randomanswers1", ""};
inline const SettingKey random_questions{kTestApplication, "stuff", "randomquestions1", ""};
inline const SettingKey score_graph{kTestApplication, "stuff", "scoregraph1", ""};
inline const SettingKey back_button{kTestApplication, "stuff", "backb", ""};
inline const SettingKey show_answer_count{kTestApplication, "stuff", "show#answers", ""};
inline const SettingKey embed_media_player{kTestApplication, "stuff", "EmbedWM", "0"};
inline const SettingKey radio{kTestApplication, "stuff", "radio", "1"};
inline const SettingKey saved_font{kTestApplication, "stuff", "savedfont", "12"};
inline const SettingKey saved_font_name{kTestApplication, "stuff", "savedfontname", "Times New Roman"};
inline const SettingKey colour_scheme{kTestApplication, "stuff", "colourscheme", "system"};
inline const SettingKey put_answer{kTestApplication, "stuff", "putanswer", "top"};
inline const SettingKey mail_type{kTestApplication, "stuff", "mailtype", "outlook"};
inline const SettingKey student_name{kTestApplication, "stuff", "studentname", "STUDENT"};
inline const SettingKey email{kTestApplication, "order", "email", ""};
inline const SettingKey answer_speed{kDrillApplication, "settings", "aspeed", "3"};
inline const SettingKey highlight_speed{kDrillApplication, "settings", "cspeed", "6"};
inline const SettingKey random_drill_questions{kDrillApplication, "settings", "RandQuestions", "0"};

// Keys of the section named by an exam's product number.
inline SettingKey survey_done(const std::string& product_number) {
    return {kProductApplication, product_number, "survey_done", "no"};
}
inline SettingKey num_times(const std::string& product_number) { return {kProductApplication, product_number, "num_times", "0"}; }
// The count of quizzes taken stops here rather than overflowing.
inline constexpr long long kMostQuizzesCounted = 2147483647;
}  // namespace setting

// Values in memory that the quiz window and its companions read while a quiz runs.
struct WorkingSettings {
    std::string student_name;
    std::int16_t show_answer_when_wrong = 0;
    std::int16_t show_answer_when_right = 0;
    std::int16_t timed_state = timed_code::untimed;
    std::int16_t time_limit = 0;
    std::int16_t shuffle_questions = 0;
    std::int16_t shuffle_answers = 0;
    std::int16_t show_answer_count = 0;
    std::int16_t embed_media_player = 0;
    std::int16_t back_button = 0;
    std::int16_t live_scoring = 0;
    std::int16_t radio_buttons = flag_code::clear;
    std::int16_t practice_mode = flag_code::set;
    std::string answer_position;
    std::int16_t font_size = 0;
    std::string font_name;
};

class UserSettings {
public:
    explicit UserSettings(SettingsStore& store) : store_(store) {}

    std::string get(const std::string& application, const std::string& section, const std::string& key,
                    const std::string& default_value) const {
        return store_.get(application, section, key, default_value);
    }
    // Throws a file-access Failure when the store cannot keep the value.
    void put(const std::string& application, const std::string& section, const std::string& key, const std::string& value) {
        if (!store_.put(application, section, key, value))
            throw Failure(FailureCode::file_access_error, "The setting " + key + " could not be saved");
    }

    // Stores what `change` makes of the stored value, as one step (see SettingsStore::change).
    void change(const SettingKey& key, const std::function<std::string(const std::string&)>& change) {
        if (!store_.change(key.application, key.section, key.key, key.default_value, change))
            throw Failure(FailureCode::file_access_error, "The setting " + std::string(key.key) + " could not be saved");
    }

    std::string get(const SettingKey& key) const { return get(key.application, key.section, key.key, key.default_value); }
    void put(const SettingKey& key, const std::string& value) { put(key.application, key.section, key.key, value); }

    WorkingSettings working;

private:
    SettingsStore& store_;
};

}  // namespace qd
