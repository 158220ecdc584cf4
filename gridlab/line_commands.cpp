// Commands of line configuration mode; each applies to every selected line.
#include "gridlab/session_state.h"

namespace qd::gridlab {

namespace {

void add_for_lines(CommandTable& t, std::string_view pattern, std::function<void(CommandContext&, LineConfig&)> handler,
                   NoForm no_form = NoForm::keywords) {
    add(
        t, pattern,
        [handler](CommandContext& c) {
        for (int line : c.state.lines) handler(c, line_config(c.config, line));
        },
        no_form);
}

}  // namespace

void add_line_commands(CommandTable& t) {
    add_for_lines(t, "password <text>", [](CommandContext& c, LineConfig& l) { l.password = c.negated ? "" : c.value(1); });
    add_for_lines(t, "login", [](CommandContext& c, LineConfig& l) { l.login = c.negated ? "no login" : "login"; });
    add_for_lines(t, "login local", [](CommandContext& c, LineConfig& l) { l.login = c.negated ? "no login" : "login local"; });
    const auto timeout = [](CommandContext& c, LineConfig& l) {
        l.exec_timeout = c.negated ? "0 0" : c.value(1) + " " + (c.has(2) ? c.value(2) : "0");
    };
    add_for_lines(t, "exec-timeout <n:0-35791>", timeout);
    add_for_lines(t, "exec-timeout <n:0-35791> <n:0-2147483>", timeout);
    add_for_lines(t, "logging synchronous", [](CommandContext& c, LineConfig& l) { l.logging_synchronous = !c.negated; });
    const auto transport = [](CommandContext& c, LineConfig& l) {
        if (c.negated) return void(l.transport_input.clear());
        if (c.has(3) && c.value(3) == c.value(2)) return c.reject(3);
        l.transport_input = c.value(2) + (c.has(3) ? " " + c.value(3) : "");
    };
    add_for_lines(t, "transport input telnet|ssh|all|none", transport);
    add_for_lines(t, "transport input telnet|ssh telnet|ssh", transport);
    add_for_lines(
        t, "access-class <n:1-199> in", [](CommandContext& c, LineConfig& l) { l.access_class_in = c.negated ? "" : c.value(1); },
        NoForm::full);
}

}  // namespace qd::gridlab
