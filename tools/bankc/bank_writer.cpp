#include "bank_writer.h"

#include <cstdio>
#include <sstream>

#include "platform/text_forms.h"

namespace bankc {
namespace {

std::string variable_name(const std::string& module) { return qd::to_lower_ascii(module); }

void write_question(std::ostringstream& out, const AssembledQuestion& placed) {
    const SourceQuestion& q = *placed.source;
    const bool simulator = !q.exercise.empty();
    std::string answers, correct;
    for (std::size_t slot = 0; slot < 6; ++slot) {
        const bool used = slot < q.answers.size();
        answers += (slot ? ", " : "") + cpp_string_literal(used ? q.answers[slot].text : "");
        correct += std::string(slot ? ", " : "") + (used && q.answers[slot].right ? "1" : "0");
    }
    out << "    {" << cpp_string_literal(q.text) << ",\n     " << cpp_string_literal(q.explanation) << ",\n     "
        << cpp_string_literal(simulator ? "single_answer" : q.type) << ", " << cpp_string_literal(q.ref_tag) << ",\n     {"
        << answers << "},\n     {" << correct << "},\n     {" << cpp_string_literal(simulator ? q.exercise : q.diagram)
        << ", \"\", \"\"}, {" << cpp_string_literal(q.exhibit) << ", " << cpp_string_literal(q.lab) << ", \"\"}, "
        << placed.category << ", " << cpp_string_literal(q.start) << "},\n";
}

}  // namespace

std::string cpp_string_literal(const std::string& text) {
    std::string out = "\"";
    for (unsigned char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c < 0x20 || c == 0x7f) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\%03o", c);
            out += escaped;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out + "\"";
}

std::string write_cpp(const std::vector<AssembledBank>& banks) {
    std::ostringstream out;
    out << "// Compiled by bankc from content/banks. Edit the sources there, not this file.\n"
        << "#include \"bank/bank_data.h\"\n\nnamespace qd::banks {\nnamespace {\n\n";
    for (const auto& bank : banks) {
        const std::string name = variable_name(bank.manifest->module);
        out << "constexpr const char* " << name << "_categories[] = {\n";
        for (const auto& category : bank.category_names) out << "    " << cpp_string_literal(category) << ",\n";
        out << "};\n\nconstexpr BankQuestion " << name << "_questions[] = {\n";
        for (const auto& q : bank.questions) write_question(out, q);
        if (bank.questions.empty()) out << "    {},\n";  // arrays cannot be empty; the span below excludes it
        out << "};\n\n";
    }
    out << "}  // namespace\n\n";
    for (const auto& bank : banks) {
        const BankManifest& m = *bank.manifest;
        const std::string name = variable_name(m.module);
        out << "extern const BankData " << name << ";\nconst BankData " << name << " = {" << cpp_string_literal(m.module) << ", "
            << cpp_string_literal(m.title) << ", " << cpp_string_literal(m.number) << ", " << cpp_string_literal(m.version) << ", "
            << cpp_string_literal(m.description) << ",\n    {" << name << "_categories}, {" << name << "_questions, "
            << bank.questions.size() << "}};\n\n";
    }
    out << "}  // namespace qd::banks\n";
    return out.str();
}

std::string write_stats(const std::vector<AssembledBank>& banks) {
    std::ostringstream out;
    for (const auto& bank : banks) {
        out << bank.manifest->module << " " << bank.questions.size() << "\n";
        for (std::size_t c = 0; c < bank.category_names.size(); ++c) {
            std::size_t count = 0;
            for (const auto& q : bank.questions) count += q.category == static_cast<int>(c + 1);
            char line[32];
            std::snprintf(line, sizeof line, "%4zu %4zu  ", c + 1, count);
            out << line << bank.category_names[c] << "\n";
        }
    }
    return out.str();
}

}  // namespace bankc
