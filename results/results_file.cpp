#include "results/results_file.h"

#include <fstream>

#include "platform/replace_file.h"
#include "platform/text_forms.h"
#include "results/student_file_name.h"

namespace qd {

namespace {
constexpr int kResetEntries = 300;
constexpr int kLastId = 2000;
// No sound line is longer than a few characters; a longer one is cut here so
// that a file without line ends cannot make the reader hold it whole.
constexpr std::size_t kLongestLine = 256;

// The lenient numeric value, as a whole number in the 16-bit range the flags hold.
long long flag_value(const std::string& text) {
    const double value = lenient_number(trim_blanks(text));
    if (!(value > -32768.5)) return -32768;
    if (!(value < 32767.5)) return 32767;
    return round_half_even(value);
}

// Reads one line, dropping what lies beyond kLongestLine; false at the end of the file.
bool read_bounded_line(std::istream& in, std::string& line) {
    line.clear();
    bool any = false;
    for (int c; (c = in.get()) != EOF;) {
        any = true;
        if (c == '\n') return true;
        if (line.size() < kLongestLine) line.push_back(static_cast<char>(c));
    }
    return any;
}
}  // namespace

std::string results_file_name(const std::string& product_number, const std::string& student_name) {
    return student_file_name(product_number + ".", student_name, ".results");
}

std::string history_report_name(const std::string& product_number, const std::string& student_name) {
    return student_file_name("history." + product_number + ".", trim_blanks(student_name), ".htm");
}

void load_results_file(MissedFlags& missed_flags, const std::filesystem::path& file) {
    // assign() rather than = "0": GCC 12 warns falsely (-Wrestrict) on the literal here.
    for (int id = 1; id <= kResetEntries; ++id) missed_flags[id].assign(1, '0');
    std::ifstream in(file, std::ios::binary);
    if (!in) return;
    std::string line;
    for (int id = 1; id <= kLastId && read_bounded_line(in, line); ++id) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const std::string first_field = line.substr(0, line.find(','));
        missed_flags[id] = std::to_string(flag_value(first_field));
    }
}

std::optional<std::string> save_missed_flags(const MissedFlags& missed_flags, const std::filesystem::path& file) {
    std::string bytes;
    bytes.reserve(kLastId * 12);
    for (int id = 1; id <= kLastId; ++id) {
        bytes += blank_led_number(flag_value(missed_flags[id]));
        bytes += ",";
        bytes += blank_led_number(id);
        bytes += "\r\n";
    }
    return replace_file(file, bytes);
}

std::string unsaved_record_message(const std::vector<std::string>& failures) {
    std::string text = "The record of this quiz could not be saved:\n";
    for (const auto& failure : failures) text += "\n" + failure;
    return text + "\n\nYour score is shown, but it is not in your history. Check that the working folder can be written to.";
}

}  // namespace qd
