#pragma once
// Question texts arrive as small HTML fragments (the task in "sim.txt", the
// explanations' transcripts): this turns one into plain lines.
#include <string>
#include <string_view>

namespace qd::gridlab {

// "<br>" becomes a line break, other tags are dropped and the entities
// &lt; &gt; &amp; &quot; &#39; and &nbsp; are decoded.
std::string plain_text_from_html(std::string_view html);

}  // namespace qd::gridlab
