#pragma once
// The errors of the HE3 codec, failures with a fixed number and text
// (docs/failure-codes.md):
//   301 "Error Decoding File"         any stream the decoder cannot take
//   302 "Source file does not exist" a file operation without its source
//   303 "Input too large to encode"  more bytes than the 32-bit length holds
//   304 "Text not in the code page"  EncodeString of a character it cannot carry
// File access failures are not wrapped: they arrive as filesystem errors.
#include "platform/failure.h"

namespace qd {

class CodecError : public Failure {
public:
    enum class Kind {
        decode_failed = static_cast<int>(FailureCode::decode_failed),
        source_missing = static_cast<int>(FailureCode::source_missing),
        input_too_large = static_cast<int>(FailureCode::input_too_large),
        text_not_in_code_page = static_cast<int>(FailureCode::text_not_in_code_page),
    };

    explicit CodecError(Kind kind);
    Kind kind() const { return kind_; }
    int number() const { return code(); }

private:
    Kind kind_;
};

}  // namespace qd
