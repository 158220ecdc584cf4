#pragma once
// Starts another program and returns at once; the program is never waited for.
#include <string>
#include <vector>

namespace qd {

class ProgramStarter {
public:
    virtual ~ProgramStarter() = default;
    // False when the program could not be started.
    virtual bool start(const std::string& program, const std::vector<std::string>& arguments, const std::string& working_folder) = 0;
};

}  // namespace qd
