#include "common/page_parts.h"

#include "platform/text_forms.h"

namespace qd {

std::string with_picture_folder(const std::string& text, const std::string& data_folder) {
    const auto picture = text.find("<img src");
    if (picture == std::string::npos) return text;
    const auto quote = text.find('"', picture + 8);
    if (quote == std::string::npos) return text;
    std::string changed = text;
    changed.insert(quote + 1, data_folder);
    return changed;
}

std::string page_style(int font_size, const std::string& font_name) {
    constexpr const char* kCrLf = "\r\n";
    const std::string size = blank_led_number(font_size);
    return std::string(kCrLf) + "<style>" + kCrLf + "BODY{font-size:" + size + " pt}" + kCrLf + "TABLE{font-size:" + size + " pt}" +
           kCrLf + "BODY{font-family:" + font_name + "}" + kCrLf + "</style>" + kCrLf;
}

}  // namespace qd
