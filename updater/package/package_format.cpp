#include "updater/package/package_format.h"

#include <cstdint>
#include <limits>

namespace qd {

namespace {

constexpr std::uint16_t kLongLength = 0xFFFF;

class Reader {
public:
    explicit Reader(std::string_view bytes) : bytes_(bytes) {}

    std::uint64_t remaining() const { return bytes_.size() - position_; }

    std::uint64_t unsigned_number(int width, const char* what) {
        if (remaining() < static_cast<std::uint64_t>(width))
            throw PackageFormatError(std::string("the package ends inside ") + what);
        std::uint64_t value = 0;
        for (int i = 0; i < width; ++i) value |= std::uint64_t{static_cast<unsigned char>(bytes_[position_ + i])} << (8 * i);
        position_ += static_cast<std::size_t>(width);
        return value;
    }

    std::int32_t signed_number(const char* what) {
        return static_cast<std::int32_t>(static_cast<std::uint32_t>(unsigned_number(4, what)));
    }

    std::string string(const char* what) {
        std::uint64_t length = unsigned_number(2, what);
        if (length == kLongLength) length = unsigned_number(4, what);
        if (length > remaining()) throw PackageFormatError(std::string("the package ends inside ") + what);
        std::string text(bytes_.substr(position_, static_cast<std::size_t>(length)));
        position_ += static_cast<std::size_t>(length);
        return text;
    }

    StringList list(const char* what) {
        std::string where = std::string("the ") + what;
        if (unsigned_number(2, where.c_str()) != 1) throw PackageFormatError(where + " is not a one-dimensional list");
        std::int32_t count = signed_number(where.c_str());
        StringList list;
        list.lower_index = signed_number(where.c_str());
        if (count < 0) throw PackageFormatError(where + " has a negative count");
        // Each string takes at least its two length bytes: a count that the
        // rest of the file cannot hold is refused before anything is kept.
        if (static_cast<std::uint64_t>(count) > remaining() / 2)
            throw PackageFormatError(where + " counts more entries than the package holds");
        if (std::int64_t{list.lower_index} + count - 1 > std::numeric_limits<std::int32_t>::max())
            throw PackageFormatError(where + " has indices beyond the format's range");
        list.items.reserve(static_cast<std::size_t>(count));
        for (std::int32_t i = 0; i < count; ++i) list.items.push_back(string(where.c_str()));
        return list;
    }

private:
    std::string_view bytes_;
    std::size_t position_ = 0;
};

void put_unsigned(std::string& out, std::uint64_t value, int width) {
    for (int i = 0; i < width; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

void put_string(std::string& out, const std::string& text) {
    if (text.size() < kLongLength) {
        put_unsigned(out, text.size(), 2);
    } else {
        if (text.size() > std::numeric_limits<std::uint32_t>::max())
            throw PackageFormatError("a file of 4 GiB or more does not fit in a package");
        put_unsigned(out, kLongLength, 2);
        put_unsigned(out, text.size(), 4);
    }
    out += text;
}

void put_list(std::string& out, const StringList& list) {
    if (list.items.size() > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max()) ||
        list.upper_index() > std::numeric_limits<std::int32_t>::max())
        throw PackageFormatError("too many files for one package");
    put_unsigned(out, 1, 2);
    put_unsigned(out, static_cast<std::uint32_t>(list.items.size()), 4);
    put_unsigned(out, static_cast<std::uint32_t>(list.lower_index), 4);
    for (const std::string& item : list.items) put_string(out, item);
}

}  // namespace

PackageRecord parse_package(std::string_view bytes) {
    Reader reader(bytes);
    PackageRecord record;
    record.text = reader.string("the package text");
    record.names = reader.list("file-name list");
    record.second = reader.list("second list");
    record.contents = reader.list("contents list");
    return record;
}

std::string serialize_package(const PackageRecord& record) {
    std::string out;
    put_string(out, record.text);
    put_list(out, record.names);
    put_list(out, record.second);
    put_list(out, record.contents);
    return out;
}

}  // namespace qd
