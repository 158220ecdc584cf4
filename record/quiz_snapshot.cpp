#include "record/quiz_snapshot.h"

#include <algorithm>
#include <charconv>
#include <map>
#include <optional>
#include <sstream>
#include <vector>

namespace qd {

namespace {

constexpr std::string_view kHeader = "quizdeck quiz in progress 1";

// A text field as one word: a leading ' (so that an empty text is a word too),
// then the text with blanks, control characters and % written as %XX.
std::string word_of(const std::string& text) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string word = "'";
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte <= 0x20 || byte == 0x7F || c == '%') {
            word += '%';
            word += kHex[byte >> 4];
            word += kHex[byte & 0xF];
        } else {
            word += c;
        }
    }
    return word;
}

std::optional<std::string> text_of(std::string_view word) {
    if (word.empty() || word.front() != '\'') return std::nullopt;
    std::string text;
    for (std::size_t i = 1; i < word.size(); ++i) {
        if (word[i] != '%') {
            text += word[i];
            continue;
        }
        unsigned value = 0;
        if (i + 2 >= word.size()) return std::nullopt;
        const auto [end, error] = std::from_chars(word.data() + i + 1, word.data() + i + 3, value, 16);
        if (error != std::errc() || end != word.data() + i + 3) return std::nullopt;
        text += static_cast<char>(value);
        i += 2;
    }
    return text;
}

std::string flag(bool on) { return on ? "1" : "0"; }

// The lines of a snapshot, each split into its key and its words.
using SnapshotLines = std::multimap<std::string, std::vector<std::string>>;

SnapshotLines lines_of(std::string_view text) {
    SnapshotLines lines;
    std::istringstream in{std::string(text)};
    for (std::string line; std::getline(in, line);) {
        std::istringstream words(line);
        std::string key;
        if (!(words >> key)) continue;
        std::vector<std::string> rest;
        for (std::string word; words >> word;) rest.push_back(word);
        lines.emplace(key, std::move(rest));
    }
    return lines;
}

// Reading stops at the first fault; each read names what it wanted.
class SnapshotReader {
public:
    explicit SnapshotReader(SnapshotLines lines) : lines_(std::move(lines)) {}

    // The words of the line; a missing or short line is a fault, and its
    // words are made up to the count as empty ones, which read as faults too.
    std::vector<std::string> line(const std::string& key, std::size_t words) {
        const auto found = lines_.find(key);
        std::vector<std::string> line = found == lines_.end() ? std::vector<std::string>{} : found->second;
        if (found == lines_.end() || line.size() < words) {
            fail("no " + key + " line");
            line.resize(words);
        }
        return line;
    }
    auto all(const std::string& key) { return lines_.equal_range(key); }

    std::int64_t number(const std::string& word, std::int64_t low, std::int64_t high, const char* what) {
        std::int64_t value = 0;
        const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
        if (error != std::errc() || end != word.data() + word.size() || value < low || value > high) {
            fail(std::string("bad ") + what + " '" + word + "'");
            return low;
        }
        return value;
    }
    std::int16_t small(const std::string& word, int low, int high, const char* what) {
        return static_cast<std::int16_t>(number(word, low, high, what));
    }
    std::string text(const std::string& word, const char* what) {
        std::optional<std::string> text = text_of(word);
        if (!text) fail(std::string("bad ") + what);
        return text.value_or("");
    }

    void fail(std::string why) {
        if (fault_.empty()) fault_ = std::move(why);
    }
    const std::string& fault() const { return fault_; }

private:
    SnapshotLines lines_;
    std::string fault_;
};

constexpr int kSmallest = -32768;
constexpr std::int64_t kLongestQuizSeconds = 32767LL * 60;  // the longest time limit, in minutes
constexpr int kLargest = 32767;

}  // namespace

std::string quiz_snapshot_text(const ProgramState& state, const WorkingSettings& working, int position,
                               std::int64_t elapsed_seconds) {
    const QuizState& quiz = state.quiz;
    const SetupState& setup = state.setup;
    std::ostringstream out;
    out << kHeader << '\n';
    out << "product " << word_of(state.bank.product_number) << '\n';
    out << "student " << word_of(working.student_name) << '\n';
    out << "setup " << setup.quiz_choice << ' ' << setup.total_questions << ' ' << setup.wrong_only << ' ' << setup.category_quiz
        << ' ' << setup.retake_in_progress << '\n';
    out << "options " << working.timed_state << ' ' << working.time_limit << ' ' << working.shuffle_questions << ' '
        << working.shuffle_answers << ' ' << working.show_answer_count << ' ' << working.embed_media_player << ' '
        << working.back_button << ' ' << working.live_scoring << ' ' << working.radio_buttons << ' ' << working.practice_mode << ' '
        << working.show_answer_when_wrong << ' ' << working.show_answer_when_right << '\n';
    out << "elapsed " << elapsed_seconds << '\n';
    out << "quiz " << quiz.quiz_length << ' ' << quiz.order_base << ' ' << quiz.order_stride << ' ' << position << ' '
        << quiz.right_count << '\n';
    const int length = std::clamp<int>(quiz.quiz_length, 0, kQuizSlots - 1);
    out << "order";
    for (int p = 1; p <= length; ++p) out << ' ' << quiz.question_order[static_cast<std::size_t>(p)];
    out << "\nids";
    for (int p = 1; p <= length; ++p) {
        const int index = quiz.table_index_at(p);
        out << ' ' << (index >= 1 && index <= QuestionTable::kLastIndex ? state.table.at(index).question_id : -1);
    }
    out << "\nqueued " << std::clamp(quiz.order_stride * length, 0, QuestionTable::kLastIndex) << '\n';
    for (int p = 1; p <= length; ++p) {
        const int index = quiz.table_index_at(p);
        if (index < 1 || index > QuestionTable::kLastIndex) continue;
        const QuestionRecord& record = state.table.at(index);
        out << "answer " << p << ' ' << record.result;
        for (int slot = 1; slot <= 6; ++slot) out << ' ' << record.user_choice[static_cast<std::size_t>(slot)];
        out << ' ' << word_of(quiz.chosen_letters[static_cast<std::size_t>(index)]) << ' ' << word_of(record.user_text);
        // A shuffled question keeps its order: the choices above are slots of it.
        if (record.shuffled != 0) {
            out << " shuffled";
            for (std::size_t slot = 1; slot <= 6; ++slot) out << ' ' << record.correct[slot];
            for (std::size_t slot = 1; slot <= 6; ++slot) out << ' ' << word_of(record.answers[slot]);
        }
        out << '\n';
    }
    out << "flagged";
    for (int p = 1; p <= length; ++p)
        if (quiz.flagged_at(p)) out << ' ' << p;
    out << "\nmissed";
    for (int id = 0; id < kQuizSlots; ++id)
        if (!quiz.missed_flags[static_cast<std::size_t>(id)].empty())
            out << ' ' << id << ' ' << word_of(quiz.missed_flags[static_cast<std::size_t>(id)]);
    out << "\ncategories";
    for (int c = 0; c < kCategorySlots; ++c)
        if (quiz.cat_asked[static_cast<std::size_t>(c)] || quiz.cat_right[static_cast<std::size_t>(c)])
            out << ' ' << c << ' ' << quiz.cat_asked[static_cast<std::size_t>(c)] << ' '
                << quiz.cat_right[static_cast<std::size_t>(c)];
    out << '\n';
    for (const auto& [index, findings] : quiz.lab_findings)
        for (const LabFinding& finding : findings)
            out << "lab " << index << ' ' << word_of(finding.key) << ' ' << word_of(finding.expected) << ' '
                << word_of(finding.found) << ' ' << flag(finding.present) << ' ' << flag(finding.right) << '\n';
    return out.str();
}

std::string snapshot_product_number(std::string_view text) {
    const SnapshotLines lines = lines_of(text);
    const auto found = lines.find("product");
    if (found == lines.end() || found->second.empty()) return {};
    return text_of(found->second.front()).value_or("");
}

std::variant<QuizSnapshot, SnapshotFault> read_quiz_snapshot(std::string_view text, const QuestionTable& table) {
    if (text.substr(0, text.find('\n')) != kHeader) return SnapshotFault{"not a quiz in progress"};
    SnapshotReader read(lines_of(text));
    QuizSnapshot snapshot;
    snapshot.product_number = read.text(read.line("product", 1)[0], "product number");
    snapshot.student = read.text(read.line("student", 1)[0], "student name");

    const auto setup = read.line("setup", 5);
    snapshot.setup.quiz_choice = read.small(setup[0], 1, 6, "exam option");
    snapshot.setup.total_questions = read.small(setup[1], 0, QuestionTable::kLastIndex, "question count");
    snapshot.setup.wrong_only = read.small(setup[2], kSmallest, kLargest, "repeat choice");
    snapshot.setup.category_quiz = read.small(setup[3], kSmallest, kLargest, "category choice");
    snapshot.setup.retake_in_progress = read.small(setup[4], kSmallest, kLargest, "retake mark");

    const auto options = read.line("options", 12);
    WorkingSettings& working = snapshot.options;
    std::int16_t* const fields[] = {&working.timed_state,
                                    &working.time_limit,
                                    &working.shuffle_questions,
                                    &working.shuffle_answers,
                                    &working.show_answer_count,
                                    &working.embed_media_player,
                                    &working.back_button,
                                    &working.live_scoring,
                                    &working.radio_buttons,
                                    &working.practice_mode,
                                    &working.show_answer_when_wrong,
                                    &working.show_answer_when_right};
    for (std::size_t i = 0; i < std::size(fields); ++i) *fields[i] = read.small(options[i], kSmallest, kLargest, "option");
    working.student_name = snapshot.student;
    snapshot.elapsed_seconds = read.number(read.line("elapsed", 1)[0], 0, kLongestQuizSeconds, "time used");

    QuizState& quiz = snapshot.quiz;
    const auto shape = read.line("quiz", 5);
    quiz.quiz_length = read.small(shape[0], 1, kQuizSlots - 1, "quiz length");
    quiz.order_base = read.small(shape[1], 1, 6, "first record");
    quiz.order_stride = read.small(shape[2], 1, 4, "record step");
    snapshot.position = read.small(shape[3], 1, quiz.quiz_length, "position");
    quiz.right_count = read.small(shape[4], 0, kLargest, "right count");
    if (!read.fault().empty()) return SnapshotFault{read.fault()};

    const auto length = static_cast<std::size_t>(quiz.quiz_length);
    const auto order = read.line("order", length);
    const auto ids = read.line("ids", length);
    for (std::size_t p = 1; p <= length && read.fault().empty(); ++p) {
        quiz.question_order[p] = read.small(order[p - 1], 1, QuestionTable::kLastIndex, "question number");
        const int index = quiz.table_index_at(static_cast<int>(p));
        if (index < 1 || index > QuestionTable::kLastIndex) read.fail("question " + std::to_string(p) + " lies outside the bank");
        else if (std::to_string(table.at(index).question_id) != ids[p - 1])
            read.fail("the exam's question " + std::to_string(p) + " has changed");
    }
    snapshot.last_queued = static_cast<int>(read.number(read.line("queued", 1)[0], 0, QuestionTable::kLastIndex, "queued count"));
    if (!read.fault().empty()) return SnapshotFault{read.fault()};

    for (auto [at, end] = read.all("answer"); at != end; ++at) {
        const auto& words = at->second;
        if (words.size() < 10) {
            read.fail("a short answer line");
            break;
        }
        const int p = read.small(words[0], 1, quiz.quiz_length, "answer position");
        QuestionRecord run;
        run.result = read.small(words[1], kSmallest, kLargest, "result");
        for (std::size_t slot = 1; slot <= 6; ++slot)
            run.user_choice[slot] = read.small(words[1 + slot], kSmallest, kLargest, "choice");
        const int index = quiz.table_index_at(p);
        quiz.chosen_letters[static_cast<std::size_t>(index)] = read.text(words[8], "chosen letters");
        run.user_text = read.text(words[9], "typed answer");
        if (words.size() >= 23 && words[10] == "shuffled") {
            run.shuffled = 1;
            for (std::size_t slot = 1; slot <= 6; ++slot) {
                run.correct[slot] = read.small(words[10 + slot], 0, 1, "right answer mark");
                run.answers[slot] = read.text(words[16 + slot], "answer");
            }
            // The order must be one of the loaded question's own answers.
            auto shuffled = run.answers;
            auto loaded = table.at(index).answers;
            std::sort(shuffled.begin() + 1, shuffled.end());
            std::sort(loaded.begin() + 1, loaded.end());
            if (shuffled != loaded) read.fail("the exam's question " + std::to_string(p) + " has changed");
        }
        snapshot.answered.emplace_back(index, std::move(run));
    }
    for (const std::string& word : read.line("flagged", 0))
        quiz.flagged[static_cast<std::size_t>(read.small(word, 1, quiz.quiz_length, "flagged position"))] = true;
    const auto missed = read.line("missed", 0);
    for (std::size_t i = 0; i + 1 < missed.size(); i += 2)
        quiz.missed_flags[static_cast<std::size_t>(read.small(missed[i], 0, kQuizSlots - 1, "question id"))] = read.text(
            missed[i + 1], "missed flag");
    const auto categories = read.line("categories", 0);
    for (std::size_t i = 0; i + 2 < categories.size(); i += 3) {
        const auto c = static_cast<std::size_t>(read.small(categories[i], 0, kCategorySlots - 1, "category"));
        quiz.cat_asked[c] = read.small(categories[i + 1], 0, kLargest, "category count");
        quiz.cat_right[c] = read.small(categories[i + 2], 0, kLargest, "category count");
    }
    for (auto [at, end] = read.all("lab"); at != end; ++at) {
        const auto& words = at->second;
        if (words.size() < 6) {
            read.fail("a short lab line");
            break;
        }
        LabFinding finding{read.text(words[1], "lab key"), read.text(words[2], "lab expectation"),
                           read.text(words[3], "lab finding"), words[4] == "1", words[5] == "1"};
        quiz.lab_findings[read.small(words[0], 1, QuestionTable::kLastIndex, "lab question")].push_back(std::move(finding));
    }
    if (!read.fault().empty()) return SnapshotFault{read.fault()};
    return snapshot;
}

void restore_quiz_snapshot(const QuizSnapshot& snapshot, QuizState& quiz, SetupState& setup, QuestionTable& table,
                           WorkingSettings& working) {
    const std::string font_name = working.font_name;
    const std::string answer_position = working.answer_position;
    const std::int16_t font_size = working.font_size;
    working = snapshot.options;
    working.font_name = font_name;  // the student's font stays as chosen now
    working.answer_position = answer_position;
    working.font_size = font_size;

    // The time started is the caller's; the categories chosen belong to the main menu.
    const SetupState before = setup;
    setup = snapshot.setup;
    setup.time_started = before.time_started;
    setup.category_selected = before.category_selected;

    table.reset_run_fields();
    for (int i = 1; i <= snapshot.last_queued; ++i) table.at(i).result = result_code::queued;
    for (const auto& [index, run] : snapshot.answered) {
        QuestionRecord& record = table.at(index);
        record.result = run.result;
        record.user_choice = run.user_choice;
        record.user_text = run.user_text;
        if (run.shuffled != 0) {
            record.answers = run.answers;
            record.correct = run.correct;
            record.shuffled = 1;
        }
    }
    quiz = snapshot.quiz;
    quiz.quiz_position = static_cast<std::int16_t>(snapshot.position - 1);
    quiz.current_index = 0;
    quiz.verdict = verdict_code::none;
}

}  // namespace qd
