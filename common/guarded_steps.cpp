#include "common/guarded_steps.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <stdexcept>

#include "platform/clock.h"

namespace qd {

namespace {

bool tracing_steps() {
    const char* value = std::getenv("QUIZDECK_TRACE_STEPS");
    return value != nullptr && std::strcmp(value, "1") == 0;
}

// "quiz_window.cpp:557 ": where the step is, as the source label of its log line.
std::string step_place(const std::source_location& where) {
    const char* file = where.file_name();
    if (const char* slash = std::strrchr(file, '/')) file = slash + 1;
    return std::string(file) + ":" + std::to_string(where.line()) + " ";
}

}  // namespace

void report_swallowed_failure(const std::exception& error, const std::source_location& where, bool logged) noexcept {
    try {
        if (tracing_steps())
            std::fprintf(stderr, "quizdeck: a step of %s failed at %s:%u: %s\n", where.function_name(), where.file_name(),
                         static_cast<unsigned>(where.line()), error.what());
        if (!logged && dynamic_cast<const std::logic_error*>(&error) != nullptr) {
            // The program's error log, in the working folder like every other entry.
            static const SystemClock clock;
            ErrorLog(clock).append(where.function_name(), step_place(where), static_cast<int>(FailureCode::programming_error),
                                   error.what());
        }
    } catch (...) {
        // Reporting must never stop the procedure that failed.
    }
}

}  // namespace qd
