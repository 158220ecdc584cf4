#include "results/results_file.h"

#include <algorithm>
#include <string_view>

#include "platform/file_lock.h"
#include "platform/replace_file.h"
#include "platform/text_file.h"
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

// No more of the file is read than its kLastId lines of kLongestLine fill,
// so a huge file (one without line ends) costs no more than a sound one.
constexpr std::size_t kLargestFile = kLastId * (kLongestLine + 2);

// Takes one line off the front of `rest`, cut to kLongestLine; false once
// nothing is left. `cut` is set when the line was longer.
bool take_bounded_line(std::string_view& rest, std::string& line, bool& cut) {
    if (rest.empty()) return false;
    const std::size_t end = std::min(rest.find('\n'), rest.size());
    if (end > kLongestLine) cut = true;
    line.assign(rest.substr(0, std::min(end, kLongestLine)));
    rest.remove_prefix(std::min(end + 1, rest.size()));
    return true;
}
}  // namespace

std::string results_file_name(const std::string& product_number, const std::string& student_name) {
    return student_file_name(product_number + ".", student_name, ".results");
}

std::string history_report_name(const std::string& product_number, const std::string& student_name) {
    return student_file_name("history." + product_number + ".", trim_blanks(student_name), ".htm");
}

void load_results_file(MissedFlags& missed_flags, const std::filesystem::path& file, const FileNotice& notice) {
    // assign() rather than = "0": GCC 12 warns falsely (-Wrestrict) on the literal here.
    for (int id = 1; id <= kResetEntries; ++id) missed_flags[id].assign(1, '0');
    const auto text = read_regular_file(file, kLargestFile);
    if (!text) return;
    std::string_view rest = text->bytes;
    std::string line;
    bool cut = text->cut;
    for (int id = 1; id <= kLastId && take_bounded_line(rest, line, cut); ++id) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const std::string first_field = line.substr(0, line.find(','));
        missed_flags[id] = std::to_string(flag_value(first_field));
    }
    if (!rest.empty()) cut = true;  // lines past the last id
    if (cut && notice)
        notice(file.string() + " is larger than a results file (" + std::to_string(kLastId) + " lines of at most " +
               std::to_string(kLongestLine) + " characters): it is read cut, as far as it is sound");
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
    const auto lock = FileLock::take(file);
    if (!lock) return busy_reason(file);
    return replace_file(file, bytes);
}

std::string unsaved_record_message(const std::vector<std::string>& failures) {
    std::string text = "The record of this quiz could not be saved:\n";
    for (const auto& failure : failures) text += "\n" + failure;
    return text + "\n\nYour score is shown, but it is not in your history. Check that the working folder can be written to.";
}

}  // namespace qd
