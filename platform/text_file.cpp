#include "platform/text_file.h"

#include <fstream>
#include <sstream>

namespace qd {

std::string read_text_file(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

}  // namespace qd
