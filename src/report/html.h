// Text from outside (names, file names, options, notes) made safe for the
// places of the report where it is written.
#pragma once

#include <string>
#include <string_view>

namespace wellen::report {

// `text` for HTML element content and attribute values: & < > " ' as
// references; bytes that are not UTF-8, and control characters other than
// tab and line end, as U+FFFD.
std::string Html(std::string_view text);

// `text` as the inside of a double-quoted CSS string in a <style> element:
// repaired as for Html, then " \ < > as CSS escapes ("\22 "), and tab and line
// end as blanks, so that it can neither end the string nor the element.
std::string CssText(std::string_view text);

}  // namespace wellen::report
