#include "updater/codec/codec_error.h"

namespace qd {

namespace {

const char* text_of(CodecError::Kind kind) {
    switch (kind) {
        case CodecError::Kind::decode_failed: return "Error Decoding File";
        case CodecError::Kind::source_missing: return "Source file does not exist";
        case CodecError::Kind::input_too_large: return "Input too large to encode";
        case CodecError::Kind::text_not_in_code_page: return "Text not in the code page";
    }
    return "Codec error";
}

}  // namespace

CodecError::CodecError(Kind kind) : Failure(static_cast<FailureCode>(kind), text_of(kind)), kind_(kind) {}

}  // namespace qd
