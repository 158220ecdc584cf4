#pragma once
// The entry of a maker tool: a failure prints its text (after the tool's
// name, when one is given) on standard error and ends with status 1.
#include <cstdio>
#include <exception>
#include <span>
#include <string>

namespace qd::tools {

template <class Run>
int run_tool(const char* name, int argc, char** argv, Run run) {
    try {
        return run(std::span<char*>(argv, static_cast<std::size_t>(argc)));
    } catch (const std::exception& error) {
        if (name && *name) std::fprintf(stderr, "%s: %s\n", name, error.what());
        else std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
}

}  // namespace qd::tools
