#include "gridlab/batch_run.h"

#include "gridlab/console_session.h"
#include "gridlab/result_file.h"
#include "gridlab/start_config.h"

namespace qd::gridlab {

bool read_bounded_line(std::istream& in, std::string& line, std::size_t limit) {
    line.clear();
    std::streambuf* buffer = in.rdbuf();
    bool any = false;
    for (;;) {
        const int c = buffer->sbumpc();
        if (c == std::char_traits<char>::eof()) {
            in.setstate(std::ios::eofbit);
            return any;
        }
        any = true;
        if (c == '\n') return true;
        if (line.size() < limit) line += static_cast<char>(c);
    }
}

int run_batch(DeviceModel model, std::istream& in, std::ostream& out, std::ostream& errors, const std::filesystem::path& folder) {
    ConsoleSession session(model, start_configuration(model, folder));
    std::string line;
    while (!session.ended() && read_bounded_line(in, line, 4096)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const std::string prompt = session.prompt();
        // Passwords are not echoed, as at the console.
        out << prompt << (session.asking_password() ? std::string() : clean_input_line(line)) << '\n';
        out << session.enter(line);
    }
    if (!session.ended()) out << session.prompt() << '\n';
    // Batch runs have no log but their error stream.
    const FileNotice notice = [&errors](const std::string& text) { errors << "gridlab: " << text << '\n'; };
    if (const auto failure = write_result_file(folder, session.config(), notice)) {
        errors << "gridlab: out.ini could not be written: " << *failure << '\n';
        return 1;
    }
    return 0;
}

ProgramOptions parse_program_options(const std::vector<std::string>& arguments) {
    ProgramOptions options;
    for (const auto& argument : arguments) {
        if (argument == "--batch") options.batch = true;
        if (argument == "2950") options.model = DeviceModel::access_switch;
    }
    return options;
}

}  // namespace qd::gridlab
