// Throughput of the HE3 codec beside zlib's inflate and libdeflate's
// decompression of a Huffman-only deflate stream (zlib Z_HUFFMAN_ONLY) of the
// same input. MB/s are 10^6 bytes of uncompressed data per second, the best of
// several runs, since the machine is shared.
//
// usage: he3_bench [--runs N] INPUT...
#include <libdeflate.h>
#include <zlib.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "updater/codec/cls_huffman.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

// Best seconds of `runs` calls of work; prepare runs untimed before each.
double best_seconds(int runs, const std::function<void()>& prepare, const std::function<void()>& work) {
    double best = 1e30;
    for (int i = 0; i < runs; ++i) {
        prepare();
        auto start = std::chrono::steady_clock::now();
        work();
        std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        best = std::min(best, took.count());
    }
    return best;
}

[[noreturn]] void die(const std::string& what) {
    std::fprintf(stderr, "he3_bench: %s\n", what.c_str());
    std::exit(1);
}

Bytes deflate_huffman_only(const Bytes& input) {
    z_stream z{};
    if (deflateInit2(&z, Z_DEFAULT_COMPRESSION, Z_DEFLATED, -15, 8, Z_HUFFMAN_ONLY) != Z_OK) die("deflateInit2");
    Bytes out(deflateBound(&z, input.size()));
    z.next_in = const_cast<Bytes::value_type*>(input.data());
    z.avail_in = static_cast<uInt>(input.size());
    z.next_out = out.data();
    z.avail_out = static_cast<uInt>(out.size());
    if (deflate(&z, Z_FINISH) != Z_STREAM_END) die("deflate");
    out.resize(z.total_out);
    deflateEnd(&z);
    return out;
}

void zlib_inflate(const Bytes& stream, Bytes& out) {
    z_stream z{};
    if (inflateInit2(&z, -15) != Z_OK) die("inflateInit2");
    z.next_in = const_cast<Bytes::value_type*>(stream.data());
    z.avail_in = static_cast<uInt>(stream.size());
    z.next_out = out.data();
    z.avail_out = static_cast<uInt>(out.size());
    if (inflate(&z, Z_FINISH) != Z_STREAM_END) die("inflate");
    inflateEnd(&z);
}

void libdeflate_inflate(libdeflate_decompressor* d, const Bytes& stream, Bytes& out) {
    if (libdeflate_deflate_decompress(d, stream.data(), stream.size(), out.data(), out.size(), nullptr) != LIBDEFLATE_SUCCESS)
        die("libdeflate_deflate_decompress");
}

void print_row(const char* what, double seconds, std::size_t bytes, double he3_seconds) {
    double mb_per_s = static_cast<double>(bytes) / seconds / 1e6;
    std::printf("  %-28s %8.1f MB/s   %5.2f\n", what, mb_per_s, he3_seconds / seconds);
}

Bytes read_input(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) die("cannot read " + path);
    return Bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void bench_input(const std::string& path, int runs) {
    const Bytes input = read_input(path);
    qd::clsHuffman codec;
    Bytes work;  // the caller's array: filled untimed, then replaced by the call

    double he3_encode = best_seconds(
        runs, [&] { work = input; }, [&] { codec.EncodeByte(work); });
    const Bytes he3_stream = work;
    double he3_decode = best_seconds(
        runs, [&] { work = he3_stream; }, [&] { codec.DecodeByte(work); });
    if (work != input) die("HE3 round trip differs for " + path);

    Bytes zstream;
    double zlib_deflate = best_seconds(
        runs, [] {}, [&] { zstream = deflate_huffman_only(input); });
    libdeflate_decompressor* d = libdeflate_alloc_decompressor();
    // Fresh: a new output buffer per call, as DecodeByte has; reused: one warm buffer.
    Bytes out;
    auto drop = [&] { Bytes().swap(out); };
    double zlib_fresh = best_seconds(runs, drop, [&] {
        out.resize(input.size());
        zlib_inflate(zstream, out);
    });
    if (out != input) die("zlib round trip differs for " + path);
    double libdeflate_fresh = best_seconds(runs, drop, [&] {
        out.resize(input.size());
        libdeflate_inflate(d, zstream, out);
    });
    if (out != input) die("libdeflate round trip differs for " + path);
    double zlib_reused = best_seconds(
        runs, [] {}, [&] { zlib_inflate(zstream, out); });
    double libdeflate_reused = best_seconds(
        runs, [] {}, [&] { libdeflate_inflate(d, zstream, out); });
    libdeflate_free_decompressor(d);

    double size = static_cast<double>(input.size());
    std::printf("%s: %zu bytes; HE3 stream %.4f of it, Huffman-only deflate %.4f (best of %d runs)\n", path.c_str(), input.size(),
                static_cast<double>(he3_stream.size()) / size, static_cast<double>(zstream.size()) / size, runs);
    std::printf(" %-29s %13s   %s\n", "decode", "", "speed / HE3 decode");
    print_row("HE3 DecodeByte", he3_decode, input.size(), he3_decode);
    print_row("zlib inflate, fresh", zlib_fresh, input.size(), he3_decode);
    print_row("libdeflate, fresh", libdeflate_fresh, input.size(), he3_decode);
    print_row("zlib inflate, reused", zlib_reused, input.size(), he3_decode);
    print_row("libdeflate, reused", libdeflate_reused, input.size(), he3_decode);
    std::printf(" %-29s %13s   %s\n", "encode", "", "speed / HE3 encode");
    print_row("HE3 EncodeByte", he3_encode, input.size(), he3_encode);
    print_row("zlib deflate Z_HUFFMAN_ONLY", zlib_deflate, input.size(), he3_encode);
}

}  // namespace

int main(int argc, char** argv) {
    int runs = 7;
    std::vector<std::string> inputs;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg == "--runs" && i + 1 < argc) runs = std::max(1, std::atoi(argv[++i]));
        else if (arg.rfind("--", 0) == 0) die("usage: he3_bench [--runs N] INPUT...");
        else inputs.push_back(arg);
    }
    if (inputs.empty()) die("usage: he3_bench [--runs N] INPUT...");
    try {
        for (const std::string& path : inputs) bench_input(path, runs);
    } catch (const std::exception& error) {
        die(error.what());
    }
}
