#include "question_checks.h"

#include <algorithm>
#include <array>
#include <cctype>

#include "platform/text_forms.h"

namespace bankc {
namespace {

bool is_reference_tag(const std::string& tag) {
    auto hashes = tag.find("##");
    if (hashes == std::string::npos || hashes == 0 || hashes + 2 != tag.size()) return false;
    for (std::size_t i = 0; i < hashes; ++i)
        if (!std::isdigit(static_cast<unsigned char>(tag[i]))) return false;
    return true;
}

const std::array<const char*, 11> kCountWords = {"zero", "one",   "two",   "three", "four", "five",
                                                 "six",  "seven", "eight", "nine",  "ten"};

}  // namespace

int explanation_words(const std::string& html) {
    int words = 0;
    bool in_word = false, in_tag = false;
    for (char c : html) {
        if (c == '<') in_tag = true;
        const bool blank = in_tag || std::isspace(static_cast<unsigned char>(c));
        if (c == '>') in_tag = false;
        if (!blank && !in_word) ++words;
        in_word = !blank;
    }
    return words;
}

int choose_count(const std::string& text) {
    std::string lower = qd::to_lower_ascii(text);
    auto at = lower.find("choose ");
    if (at == std::string::npos) return 0;
    std::string rest = lower.substr(at + 7);
    for (std::size_t n = 2; n < kCountWords.size(); ++n) {
        std::string word = kCountWords[n];
        if (rest.rfind(word, 0) == 0 && (rest.size() == word.size() || !std::isalpha(static_cast<unsigned char>(rest[word.size()]))))
            return static_cast<int>(n);
    }
    return 0;
}

std::string markup_problem(const std::string& html) {
    for (std::size_t i = 0; i < html.size(); ++i) {
        if (html[i] == '<') {
            std::size_t j = i + 1;
            if (j < html.size() && html[j] == '/') ++j;
            if (j >= html.size() || !std::isalpha(static_cast<unsigned char>(html[j])))
                return "a \"<\" that starts no tag: write &lt;";
            auto close = html.find('>', j);
            auto next_open = html.find('<', j);
            if (close == std::string::npos || (next_open != std::string::npos && next_open < close))
                return "a tag that is never closed with \">\"";
            i = close;
        } else if (html[i] == '>') {
            return "a \">\" outside a tag: write &gt;";
        }
    }
    return {};
}

bool media_present(const std::filesystem::path& data_folder, const std::string& name) {
    std::error_code ignored;
    if (std::filesystem::is_regular_file(data_folder / name, ignored)) return true;
    std::filesystem::path file(name);
    if (file.extension() == ".png") return std::filesystem::is_regular_file(data_folder / file.replace_extension(".dot"), ignored);
    return false;
}

void check_question(const SourceQuestion& q, const CheckContext& context, std::vector<Diagnostic>& diagnostics) {
    auto report = [&](int line, std::string message) { diagnostics.push_back({q.file, line ? line : q.line, std::move(message)}); };
    const bool simulator = context.role == QuestionRole::simulator;

    for (const auto& [what, text] : {std::pair<const char*, const std::string*>{"question text", &q.text},
                                     {"explanation", &q.explanation},
                                     {"start", &q.start}}) {
        if (auto problem = markup_problem(*text); !problem.empty()) report(q.line, std::string(what) + ": " + problem);
    }
    for (const auto& answer : q.answers) {
        if (answer.text.empty()) report(answer.line, "empty answer: answers are packed from slot 1, leave no gap");
        else if (auto problem = markup_problem(answer.text); !problem.empty() && !q.has_expect)
            report(answer.line, "answer: " + problem);
    }
    if (q.answers.size() > 6) report(q.answers[6].line, "more than six answers");

    if (simulator) {
        if (q.exercise != "xxsim") report(q.line, "a simulator question needs \"exercise: xxsim\"");
        if (!q.type.empty()) report(q.type_line, "a simulator question has no type");
        if (q.has_choice || q.has_accept) report(q.line, "a simulator question has only expect: answers");
        if (!q.has_expect) report(q.line, "a simulator question without expectations");
        if (!q.lab.empty() && q.lab != "2950") report(q.line, "the only lab model is 2950");
        if (q.explanation.empty()) report(q.line, "a simulator question needs a solution transcript as its explanation");
        for (const auto& answer : q.answers) {
            auto close = answer.text.find(']');
            if (answer.text.empty()) continue;
            if (answer.text.front() != '[' || close == std::string::npos) {
                report(answer.line, "expectation must read [key]value, with \"]\" after the key");
                continue;
            }
            std::string key = answer.text.substr(1, close - 1);
            if (context.simulator_keys && !context.simulator_keys->count(key))
                report(answer.line, "expectation key \"" + key + "\" is not in simulator_keys.txt");
            if (answer.text.size() - close - 1 > 59) report(answer.line, "expected value longer than 59 characters");
        }
        if (!q.ref_tag.empty() && !is_reference_tag(q.ref_tag)) report(q.ref_line, "reference tag must be digits followed by ##");
        return;
    }

    if (!q.exercise.empty() || !q.lab.empty() || !q.start.empty() || q.has_expect)
        report(q.line, "exercise, lab, start and expect belong to simulator questions");
    if (context.role == QuestionRole::chapter && !q.chapter.empty())
        report(q.chapter_line, "\"chapter:\" belongs to scenario questions");
    if (context.role == QuestionRole::scenario && (q.diagram.empty() || q.exhibit.empty()))
        report(q.line, "a scenario question needs a diagram and an exhibit");
    if (q.explanation.empty()) {
        report(q.line, "a question without an explanation: say why the right answer is right and each wrong one wrong");
    } else if (const int words = explanation_words(q.explanation); words < kMinimumExplanationWords) {
        report(q.explanation_line,
               "explanation of " + std::to_string(words) + " words; it needs at least " + std::to_string(kMinimumExplanationWords));
    }

    const int rights = static_cast<int>(
        std::count_if(q.answers.begin(), q.answers.end(), [](const SourceAnswer& a) { return a.right; }));
    if (q.type == "fill_in_the_blank") {
        if (context.role != QuestionRole::scenario) report(q.type_line, "fill-in questions belong to the scenario files only");
        if (q.has_choice) report(q.line, "a fill-in question lists accept: answers, not right:/wrong:");
        if (q.answers.empty()) report(q.line, "a fill-in question without an accepted answer");
    } else if (q.type == "single_answer" || q.type == "multi_answer") {
        if (q.has_accept) report(q.line, "accept: belongs to fill-in questions");
        if (rights == 0) report(q.line, "a choice question without a right answer");
        else if (q.type == "single_answer" && rights != 1)
            report(q.line, "single_answer with " + std::to_string(rights) + " right answers");
        if (q.answers.size() < 2) report(q.line, "a choice question needs at least two answers");
        if (q.type == "multi_answer") {
            int asked = choose_count(q.text);
            if (rights < 2) report(q.line, "multi_answer needs at least two right answers");
            else if (asked == 0) report(q.line, "multi_answer text must say how many to choose (\"Choose two.\")");
            else if (asked != rights)
                report(q.line,
                       "text asks to choose " + std::to_string(asked) + " but " + std::to_string(rights) + " answers are right");
        }
    } else if (q.type.empty()) {
        report(q.line, "question without a type");
    } else {
        report(q.type_line, "unknown type \"" + q.type + "\"");
    }

    if (q.ref_tag.empty()) {
        report(q.line, "question without a reference tag");
    } else if (!is_reference_tag(q.ref_tag)) {
        report(q.ref_line, "reference tag must be empty or digits followed by ## (\"112##\")");
    } else if (context.first_page > 0) {
        int page = std::stoi(q.ref_tag);
        if (page < context.first_page || page > context.last_page)
            report(q.ref_line, "page " + std::to_string(page) + " is outside its chapter's pages " +
                                   std::to_string(context.first_page) + "-" + std::to_string(context.last_page));
    }

    if (!q.diagram.empty() && !media_present(context.data_folder, q.diagram))
        report(q.diagram_line, "diagram \"" + q.diagram + "\" is not in the data folder");
    if (!q.exhibit.empty() && !media_present(context.data_folder, q.exhibit))
        report(q.exhibit_line, "exhibit \"" + q.exhibit + "\" is not in the data folder");
}

}  // namespace bankc
