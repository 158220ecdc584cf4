#pragma once
// The update utility's compressor: a static Huffman codec over byte arrays,
// files and strings. Each input is coded with one code table built from its
// own byte counts, and the table travels in the stream (the HE3 format; see
// docs/he3.md). The update utility only decodes; publishing uses the encoder.
//
// Errors are CodecError (codec_error.h): "Error Decoding File" for any stream
// the decoder cannot take, "Source file does not exist" for a file operation
// without its source. A failing call leaves the caller's array as it was.
//
// Every call is synchronous. From 1 MiB on, a call also works on a second
// core while it runs; nothing of it outlives the call.
#include <cstdint>
#include <filesystem>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "updater/codec/codec_error.h"

namespace qd {

class clsHuffman {
public:
    // Raised with a whole percentage while EncodeByte and DecodeByte work,
    // only when the value changes; a completed compressed-form call ends on
    // 100. The handler runs on the caller's thread and must not start another
    // call on the same object.
    std::function<void(int percent)> Progress;

    // The array becomes the stream of its former contents: the stored form
    // when coding gives no data bits or more data bytes than the input.
    void EncodeByte(std::vector<std::uint8_t>& bytes);
    // The array becomes the data its stream holds.
    void DecodeByte(std::vector<std::uint8_t>& bytes);

    // Read the whole source, transform it, then delete the destination if it
    // exists and write the result. Nothing is written when the source is
    // missing or cannot be decoded. File access failures arrive as
    // std::filesystem::filesystem_error.
    void EncodeFile(const std::filesystem::path& source, const std::filesystem::path& destination);
    void DecodeFile(const std::filesystem::path& source, const std::filesystem::path& destination);

    // Text is converted to the single-byte ANSI code page (Windows-1252),
    // coded, and the bytes turned back into text through the same code page.
    // EncodeString fails (304) on a character the code page lacks rather than
    // changing it; DecodeString gives the decode error for such text.
    std::string EncodeString(std::string_view text);
    std::string DecodeString(std::string_view text);
};

// What a stream's header says of it, for the maker's `he3 info`.
struct StreamSummary {
    bool compressed = false;
    std::size_t data_length = 0;  // bytes the stream promises
    std::size_t symbols = 0;      // code table entries (compressed form)
    int longest_code = 0;         // bits (compressed form)
};

// Throws the decode error when the header cannot be read; the data bits are
// not looked at (DecodeByte checks those).
StreamSummary summarize_stream(std::span<const std::uint8_t> stream);

}  // namespace qd
