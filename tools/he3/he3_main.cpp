// he3 encode IN OUT | he3 decode IN OUT | he3 info FILE
// Errors print the codec's own text on standard error and exit with status 1
// (2 for a wrong command line); nothing is written on failure.
#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "tools/tool_main.h"
#include "updater/codec/cls_huffman.h"

namespace {

constexpr const char* usage =
    "usage: he3 encode IN OUT   write the HE3 stream of IN to OUT\n"
    "       he3 decode IN OUT   write the data of the stream IN to OUT\n"
    "       he3 info FILE       describe the stream FILE and check that it decodes\n";

void print_info(const std::vector<std::uint8_t>& stream) {
    qd::StreamSummary summary = qd::summarize_stream(stream);
    if (summary.compressed) {
        std::printf("form: compressed\nlength: %zu\nsymbols: %zu\nlongest code: %d bits\n", summary.data_length, summary.symbols,
                    summary.longest_code);
    } else {
        std::printf("form: stored\nlength: %zu\n", summary.data_length);
    }
    std::printf("stream: %zu bytes\n", stream.size());
    if (summary.data_length > 0)
        std::printf("ratio: %.4f (stream bytes per data byte)\n",
                    static_cast<double>(stream.size()) / static_cast<double>(summary.data_length));
}

std::vector<std::uint8_t> read_stream_file(const std::filesystem::path& file) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(file, error)) throw qd::CodecError(qd::CodecError::Kind::source_missing);
    std::ifstream in(file, std::ios::binary);
    std::vector<std::uint8_t> bytes(std::filesystem::file_size(file));
    in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!in || static_cast<std::size_t>(in.gcount()) != bytes.size())
        throw std::filesystem::filesystem_error("cannot read the source file", file, std::make_error_code(std::errc::io_error));
    return bytes;
}

int run(std::span<char*> args) {
    std::string_view command = args.size() > 1 ? args[1] : "";
    qd::clsHuffman codec;
    if (command == "encode" && args.size() == 4) {
        codec.EncodeFile(args[2], args[3]);
    } else if (command == "decode" && args.size() == 4) {
        codec.DecodeFile(args[2], args[3]);
    } else if (command == "info" && args.size() == 3) {
        std::vector<std::uint8_t> stream = read_stream_file(args[2]);
        std::vector<std::uint8_t> check = stream;
        codec.DecodeByte(check);  // a stream that does not decode has no info to show
        print_info(stream);
    } else {
        std::fputs(usage, stderr);
        return 2;
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) { return qd::tools::run_tool("", argc, argv, run); }
