#include "gridlab/console_session.h"

#include <algorithm>
#include <utility>

#include "gridlab/help_texts.h"
#include "platform/text_forms.h"

namespace qd::gridlab {

namespace {

constexpr std::size_t kLongestLine = 1024;

bool is_config_mode(Mode mode) { return mode != Mode::user && mode != Mode::privileged; }

std::string mode_suffix(Mode mode) {
    switch (mode) {
        case Mode::user: return ">";
        case Mode::privileged: return "#";
        case Mode::config: return "(config)#";
        case Mode::interface: return "(config-if)#";
        case Mode::subinterface: return "(config-subif)#";
        case Mode::line: return "(config-line)#";
        case Mode::router: return "(config-router)#";
        case Mode::vlan: return "(config-vlan)#";
        case Mode::dhcp_pool: return "(dhcp-config)#";
        case Mode::fr_dlci: return "(config-fr-dlci)#";
    }
    return "#";
}

std::string help_text(const std::vector<NextWord>& words) {
    std::size_t width = 0;
    for (const auto& word : words) width = std::max(width, word.word.size());
    std::string text;
    for (const auto& word : words) {
        std::string line = "  " + word.word;
        const std::string_view description = help_text_of(word.word);
        if (!description.empty()) line += std::string(width - word.word.size() + 2, ' ') + std::string(description);
        text += line + '\n';
    }
    return text;
}

}  // namespace

std::string clean_input_line(std::string_view line) {
    std::string cleaned(line.substr(0, kLongestLine));
    for (char& c : cleaned) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7f) c = c == '\t' ? '\t' : ' ';
    }
    return cleaned;
}

ConsoleSession::ConsoleSession(DeviceModel model) : config_(factory_config(model)), tables_(build_mode_tables(model)) {}

ConsoleSession::ConsoleSession(DeviceModel model, DeviceConfig start)
    : config_(std::move(start)), tables_(build_mode_tables(model)) {}

std::string ConsoleSession::prompt() const {
    if (state_.in_banner) return "";
    if (state_.asking_password) return "Password: ";
    return config_.hostname + mode_suffix(state_.mode);
}

const CommandTable& ConsoleSession::table_for(Mode mode) const {
    switch (mode) {
        case Mode::user: return tables_.user;
        case Mode::privileged: return tables_.privileged;
        case Mode::config: return tables_.config;
        case Mode::interface:
        case Mode::subinterface: return tables_.interface;
        case Mode::line: return tables_.line;
        case Mode::router:
            return state_.protocol == RoutingProtocol::rip    ? tables_.rip
                   : state_.protocol == RoutingProtocol::ospf ? tables_.ospf
                                                              : tables_.eigrp;
        case Mode::vlan: return tables_.vlan;
        case Mode::dhcp_pool: return tables_.dhcp_pool;
        case Mode::fr_dlci: return tables_.fr_dlci;
    }
    return tables_.user;
}

MatchPlace ConsoleSession::match_place(bool negated) const {
    return {negated, config_.is_switch(),
            [this](const Command& command) { return !command.available || command.available(config_, state_); }};
}

std::string ConsoleSession::enter(std::string_view raw_line) {
    if (state_.ended) return {};
    // Ctrl+Z typed into a line (as in a file of commands) runs what comes before it, then ends configuration.
    if (const auto ctrl_z = raw_line.find('\x1a'); ctrl_z != std::string_view::npos) {
        std::string output = enter(raw_line.substr(0, ctrl_z));
        return output + end_configuration();
    }
    const std::string line = clean_input_line(raw_line);
    if (state_.in_banner) return continue_banner(line);
    if (state_.asking_password) return check_password(line);
    const std::string shown_prompt = prompt();
    const std::string_view trimmed = trim_blanks(line);
    if (!trimmed.empty() && trimmed.back() == '?') return help(line.substr(0, line.rfind('?')));
    std::string output = run(line, shown_prompt);
    if (!state_.do_command.empty()) {
        const std::string command = std::move(state_.do_command);
        state_.do_command.clear();
        const Mode mode = state_.mode;
        state_.mode = Mode::privileged;
        output += run(command, shown_prompt);
        if (!state_.ended) state_.mode = mode;
    }
    return output;
}

std::string ConsoleSession::run(std::string_view line, const std::string& shown_prompt) {
    std::vector<Token> tokens = split_words(line);
    if (tokens.empty()) return {};
    bool negated = false;
    if (is_config_mode(state_.mode) && to_lower_ascii(tokens.front().text) == "no") {
        negated = true;
        tokens.erase(tokens.begin());
        if (tokens.empty()) return "% Incomplete command.\n";
    }
    const MatchPlace place = match_place(negated);
    Resolution resolution = resolve_command(table_for(state_.mode), line, tokens, place);
    const CommandTable* table = &table_for(state_.mode);
    // A command of a parent mode typed in a sub-mode runs there and leaves the sub-mode.
    if (resolution.kind != Resolution::Kind::run && is_config_mode(state_.mode) && state_.mode != Mode::config) {
        std::vector<std::pair<Mode, const CommandTable*>> parents;
        if (state_.mode == Mode::fr_dlci) parents.emplace_back(Mode::subinterface, &tables_.interface);
        parents.emplace_back(Mode::config, &tables_.config);
        for (const auto& [parent_mode, parent_table] : parents) {
            SessionState parent_state = state_;
            parent_state.mode = parent_mode;
            MatchPlace parent_place = place;
            parent_place.exists = [this, parent_state](const Command& command) {
                return !command.available || command.available(config_, parent_state);
            };
            Resolution parent = resolve_command(*parent_table, line, tokens, parent_place);
            if (parent.kind == Resolution::Kind::run) {
                resolution = std::move(parent);
                table = parent_table;
                state_.mode = parent_mode;
                break;
            }
        }
    }
    std::string output;
    switch (resolution.kind) {
        case Resolution::Kind::ambiguous: output = "% Ambiguous command:  \"" + std::string(trim_blanks(line)) + "\"\n"; break;
        case Resolution::Kind::incomplete: output = "% Incomplete command.\n"; break;
        case Resolution::Kind::invalid:
            if (!is_config_mode(state_.mode) && tokens.size() == 1) {
                // A lone unknown word at an exec prompt is taken for a host name to connect to.
                if (config_.domain_lookup)
                    output = "Translating \"" + tokens.front().text + "\"...domain server (255.255.255.255)\n";
                output += "% Unknown command or computer name, or unable to find computer address\n";
            } else {
                output = invalid_input_marker(shown_prompt.size() + resolution.error_offset);
            }
            break;
        case Resolution::Kind::run: {
            CommandContext context{config_, state_, resolution.match, negated, shown_prompt.size(), output};
            try {
                (*table)[resolution.match.command].handler(context);
            } catch (const std::exception&) {
                // A command that cannot be carried out must not end the session and lose the work.
                output += invalid_input_marker(shown_prompt.size());
            }
            break;
        }
    }
    return output;
}

std::string ConsoleSession::help(std::string_view typed) {
    std::vector<Token> tokens = split_words(typed);
    std::string partial;
    if (!typed.empty() && typed.back() != ' ' && typed.back() != '\t' && !tokens.empty()) {
        partial = tokens.back().text;
        tokens.pop_back();
    }
    bool negated = false;
    if (is_config_mode(state_.mode) && !tokens.empty() && to_lower_ascii(tokens.front().text) == "no") {
        negated = true;
        tokens.erase(tokens.begin());
    }
    const auto words = next_words(table_for(state_.mode), typed, tokens, partial, match_place(negated));
    if (words.empty()) return "% Unrecognized command\n";
    return help_text(words);
}

std::optional<std::string> ConsoleSession::complete(std::string_view typed) const {
    std::vector<Token> tokens = split_words(typed);
    if (tokens.empty() || typed.back() == ' ' || typed.back() == '\t') return std::nullopt;
    const Token partial = tokens.back();
    tokens.pop_back();
    bool negated = false;
    if (is_config_mode(state_.mode) && !tokens.empty() && to_lower_ascii(tokens.front().text) == "no") {
        negated = true;
        tokens.erase(tokens.begin());
    }
    const auto words = next_words(table_for(state_.mode), typed, tokens, partial.text, match_place(negated));
    if (words.size() != 1 || !words.front().keyword) return std::nullopt;
    return std::string(typed.substr(0, partial.offset)) + words.front().word + " ";
}

std::string ConsoleSession::end_configuration() {
    if (state_.in_banner || state_.asking_password || !is_config_mode(state_.mode)) return {};
    state_.mode = Mode::privileged;
    return {};
}

void ConsoleSession::return_to_console() {
    SessionState fresh;
    fresh.startup_config = std::move(state_.startup_config);
    state_ = std::move(fresh);
}

std::string ConsoleSession::continue_banner(std::string_view line) {
    const auto close = line.find(config_.banner_delimiter);
    const std::string_view piece = line.substr(0, close);
    std::string text(trim_blanks(piece));
    if (!text.empty()) {
        if (!config_.banner_motd.empty()) config_.banner_motd += ' ';
        config_.banner_motd += text;
    }
    if (close != std::string_view::npos) state_.in_banner = false;
    return {};
}

std::string ConsoleSession::check_password(std::string_view line) {
    const std::string typed(line);
    const std::string& expected = config_.enable_secret.empty() ? config_.enable_password : config_.enable_secret;
    if (typed == expected) {
        state_.asking_password = false;
        state_.password_attempts = 0;
        state_.mode = Mode::privileged;
        return {};
    }
    if (++state_.password_attempts < 3) return {};
    state_.asking_password = false;
    state_.password_attempts = 0;
    return "% Bad secrets\n";
}

}  // namespace qd::gridlab
