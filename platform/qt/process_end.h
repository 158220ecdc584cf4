#pragma once
// Ends the process at once: nothing of any window runs after it.
namespace qd {

[[noreturn]] void end_process_now(int status = 0);

}  // namespace qd
