#include "results/student_file_name.h"

namespace qd {

namespace {

bool cannot_stand_in_file_name(unsigned char byte) { return byte == '/' || byte < 0x20 || byte == 0x7f; }

bool continues_character(unsigned char byte) { return (byte & 0xC0) == 0x80; }

}  // namespace

std::string student_file_name(std::string_view prefix, std::string_view student_name, std::string_view suffix) {
    std::string name(student_name);
    for (char& c : name)
        if (cannot_stand_in_file_name(static_cast<unsigned char>(c))) c = '_';
    const std::size_t frame = prefix.size() + suffix.size();
    const std::size_t room = frame < kLongestFileName ? kLongestFileName - frame : 0;
    if (name.size() > room) {
        std::size_t cut = room;
        while (cut > 0 && continues_character(static_cast<unsigned char>(name[cut]))) --cut;
        name.resize(cut);
    }
    return std::string(prefix) + name + std::string(suffix);
}

}  // namespace qd
