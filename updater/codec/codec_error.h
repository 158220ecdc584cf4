#pragma once
// The errors of the HE3 codec. Each has a fixed number and text:
//   301 "Error Decoding File"         any stream the decoder cannot take
//   302 "Source file does not exist" a file operation without its source
//   303 "Input too large to encode"  more bytes than the 32-bit length holds
//   304 "Text not in the code page"  EncodeString of a character it cannot carry
// File access failures are not wrapped: they arrive as filesystem errors.
#include <stdexcept>

namespace qd {

class CodecError : public std::runtime_error {
public:
    enum class Kind { decode_failed = 301, source_missing = 302, input_too_large = 303, text_not_in_code_page = 304 };

    explicit CodecError(Kind kind);
    Kind kind() const { return kind_; }
    int number() const { return static_cast<int>(kind_); }

private:
    Kind kind_;
};

}  // namespace qd
