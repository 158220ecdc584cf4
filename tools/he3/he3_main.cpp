// he3 encode IN OUT | he3 decode IN OUT | he3 info FILE
// Errors print the codec's own text on standard error and exit with status 1
// (2 for a wrong command line); nothing is written on failure.
#include <algorithm>
#include <cstdio>
#include <exception>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "tools/tool_main.h"
#include "cls_huffman.h"
#include "stream_header.h"
#include "whole_file.h"

namespace {

constexpr const char* usage =
    "usage: he3 encode IN OUT   write the HE3 stream of IN to OUT\n"
    "       he3 decode IN OUT   write the data of the stream IN to OUT\n"
    "       he3 info FILE       describe the stream FILE and check that it decodes\n";

void print_info(const std::vector<std::uint8_t>& stream) {
    using namespace qd::he3;
    std::size_t data_length = 0;
    if (stream_form(stream) == StreamForm::stored) {
        data_length = stream.size() - id_size;
        std::printf("form: stored\nlength: %zu\n", data_length);
    } else {
        CompressedHeader header = read_compressed_header(stream);
        int longest = 0;
        for (const TableEntry& entry : header.entries) longest = std::max<int>(longest, entry.length);
        data_length = header.data_length;
        std::printf("form: compressed\nlength: %zu\nsymbols: %zu\nlongest code: %d bits\n", data_length,
                    header.entries.size(), longest);
    }
    std::printf("stream: %zu bytes\n", stream.size());
    if (data_length > 0)
        std::printf("ratio: %.4f (stream bytes per data byte)\n",
                    static_cast<double>(stream.size()) / static_cast<double>(data_length));
}

int run(std::span<char*> args) {
    std::string_view command = args.size() > 1 ? args[1] : "";
    qd::clsHuffman codec;
    if (command == "encode" && args.size() == 4) {
        codec.EncodeFile(args[2], args[3]);
    } else if (command == "decode" && args.size() == 4) {
        codec.DecodeFile(args[2], args[3]);
    } else if (command == "info" && args.size() == 3) {
        if (!qd::he3::file_exists(args[2])) throw qd::CodecError(qd::CodecError::Kind::source_missing);
        std::vector<std::uint8_t> stream = qd::he3::read_whole_file(args[2]);
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
