#pragma once
// Whether a large call of the coders also works on a second core. Callers
// leave the choice automatic: a second core when the process may run on one.
// The tests force each way, so the two are compared on any machine.
namespace qd::he3 {

enum class SecondCore { automatic, always, never };

}  // namespace qd::he3
