#include <algorithm>

#include "stream_header.h"
#include "updater/codec/cls_huffman.h"

namespace qd {

StreamSummary summarize_stream(std::span<const std::uint8_t> stream) {
    using namespace he3;
    StreamSummary summary;
    if (stream_form(stream) == StreamForm::stored) {
        summary.data_length = stream.size() - id_size;
        return summary;
    }
    CompressedHeader header = read_compressed_header(stream);
    summary.compressed = true;
    summary.data_length = header.data_length;
    summary.symbols = header.entries.size();
    for (const TableEntry& entry : header.entries) summary.longest_code = std::max<int>(summary.longest_code, entry.length);
    return summary;
}

}  // namespace qd
