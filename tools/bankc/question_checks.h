#pragma once
// The rules every question must meet before it is compiled into a bank.
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "source_question.h"

namespace bankc {

enum class QuestionRole { chapter, simulator, scenario };

struct CheckContext {
    QuestionRole role = QuestionRole::chapter;
    int first_page = 0;  // the chapter's page range; 0 when unknown
    int last_page = 0;
    const std::set<std::string>* simulator_keys = nullptr;
    std::filesystem::path data_folder;
};

void check_question(const SourceQuestion& question, const CheckContext& context, std::vector<Diagnostic>& diagnostics);

// Problems of an HTML fragment: a "<" that starts no tag, a ">" that ends none.
std::string markup_problem(const std::string& html);

// The words an explanation's reader sees: tags left out, entities and <br> as blanks.
int explanation_words(const std::string& html);

// Chapter and scenario explanations teach; shorter ones are refused.
inline constexpr int kMinimumExplanationWords = 40;

// The number a "Choose two." instruction asks for, or 0 when the text has none.
int choose_count(const std::string& text);

// A picture or exhibit is present in the data folder, either as the file itself
// or, for a .png, as the .dot source the build renders it from.
bool media_present(const std::filesystem::path& data_folder, const std::string& name);

}  // namespace bankc
