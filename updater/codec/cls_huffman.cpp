#include "updater/codec/cls_huffman.h"

#include <optional>

#include "internal/ansi_text.h"
#include "internal/he3_decoder.h"
#include "internal/he3_encoder.h"
#include "internal/progress_meter.h"
#include "internal/whole_file.h"

namespace qd {

void clsHuffman::EncodeByte(std::vector<std::uint8_t>& bytes) {
    he3::ProgressMeter progress(Progress);
    std::vector<std::uint8_t> stream = he3::encode_stream(bytes, progress);
    bytes.swap(stream);
}

void clsHuffman::DecodeByte(std::vector<std::uint8_t>& bytes) {
    he3::ProgressMeter progress(Progress);
    std::vector<std::uint8_t> data = he3::decode_stream(bytes, progress);
    bytes.swap(data);
}

void clsHuffman::EncodeFile(const std::filesystem::path& source, const std::filesystem::path& destination) {
    if (!he3::file_exists(source)) throw CodecError(CodecError::Kind::source_missing);
    std::vector<std::uint8_t> bytes = he3::read_whole_file(source);
    EncodeByte(bytes);
    he3::replace_file(destination, bytes);
}

void clsHuffman::DecodeFile(const std::filesystem::path& source, const std::filesystem::path& destination) {
    if (!he3::file_exists(source)) throw CodecError(CodecError::Kind::source_missing);
    std::vector<std::uint8_t> bytes = he3::read_whole_file(source);
    DecodeByte(bytes);
    he3::replace_file(destination, bytes);
}

namespace {

std::vector<std::uint8_t> to_bytes(const std::string& text) { return {text.begin(), text.end()}; }
std::string to_text(const std::vector<std::uint8_t>& bytes) { return {bytes.begin(), bytes.end()}; }

}  // namespace

std::string clsHuffman::EncodeString(std::string_view text) {
    std::optional<std::string> ansi = he3::utf8_to_ansi(text);
    if (!ansi) throw CodecError(CodecError::Kind::text_not_in_code_page);
    std::vector<std::uint8_t> bytes = to_bytes(*ansi);
    EncodeByte(bytes);
    return he3::ansi_to_utf8(to_text(bytes));
}

std::string clsHuffman::DecodeString(std::string_view text) {
    std::optional<std::string> ansi = he3::utf8_to_ansi(text);
    if (!ansi) throw CodecError(CodecError::Kind::decode_failed);
    std::vector<std::uint8_t> bytes = to_bytes(*ansi);
    DecodeByte(bytes);
    return he3::ansi_to_utf8(to_text(bytes));
}

}  // namespace qd
