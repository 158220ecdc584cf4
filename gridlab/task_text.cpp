#include "gridlab/task_text.h"

#include "platform/text_forms.h"

namespace qd::gridlab {

std::string plain_text_from_html(std::string_view html) {
    static const std::pair<std::string_view, char> kEntities[] = {{"&lt;", '<'},   {"&gt;", '>'},   {"&amp;", '&'},
                                                                  {"&quot;", '"'}, {"&#39;", '\''}, {"&nbsp;", ' '}};
    std::string text;
    std::size_t i = 0;
    while (i < html.size()) {
        if (html[i] == '<') {
            const auto close = html.find('>', i);
            if (close == std::string_view::npos) break;
            const std::string tag = to_lower_ascii(html.substr(i + 1, close - i - 1));
            if (tag == "br" || tag == "br/" || tag == "br /" || tag == "p" || tag == "/p") text += '\n';
            i = close + 1;
            continue;
        }
        bool decoded = false;
        if (html[i] == '&') {
            for (const auto& [entity, character] : kEntities) {
                if (html.substr(i).starts_with(entity)) {
                    text += character;
                    i += entity.size();
                    decoded = true;
                    break;
                }
            }
        }
        if (!decoded) text += html[i++];
    }
    return text;
}

}  // namespace qd::gridlab
