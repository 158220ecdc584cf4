#pragma once
// The failure of one step: a number a support person can look up and a text.
// The numbers are listed in docs/failure-codes.md.
#include <stdexcept>
#include <string>

namespace qd {

enum class FailureCode : int {
    invalid_call = 5,        // an argument the operation cannot use
    index_out_of_range = 9,  // a table index outside its bounds
    type_mismatch = 13,      // text that is not the number it must be
    file_not_found = 53,
    permission_denied = 70,
    file_access_error = 75,  // a file or folder that cannot be read or written
    path_not_found = 76,
    decode_failed = 301,          // an update file that is not a whole HE3 stream
    source_missing = 302,         // a codec file operation without its source file
    input_too_large = 303,        // more bytes than an HE3 stream can hold
    text_not_in_code_page = 304,  // text the codec's single-byte code page cannot carry
    unexpected = 1000,            // anything else the program did not foresee
    programming_error = 1001,     // a step of the program's own making failed (a bad index or argument)
};

class Failure : public std::runtime_error {
public:
    Failure(FailureCode code, const std::string& description) : std::runtime_error(description), code_(static_cast<int>(code)) {}
    int code() const { return code_; }
    std::string description() const { return what(); }

private:
    int code_;
};

}  // namespace qd
