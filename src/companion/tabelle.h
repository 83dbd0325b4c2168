// Cells of the readable tables that the companion programs print on a
// terminal. Columns are padded by the columns a terminal gives the text, not
// by bytes, so that names with umlauts, written precomposed or as a letter
// and a combining accent, line up.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace wellen {

// The number of terminal columns of UTF-8 `text`: one for each character
// but the combining marks (U+0300 to U+036F and the other blocks of
// combining diacritics), which a terminal sets on the character before them.
std::size_t Zeichen(std::string_view text);

// Appends `text` cut to `width` columns (the last one an ellipsis if cut;
// a character keeps its combining marks), then padded with blanks to
// `width`; right-aligned if asked.
void AppendCell(std::string& out, std::string_view text, std::size_t width, bool right = false);

// `text` with line breaks and other control characters (C0, DEL and the C1
// controls U+0080 to U+009F, which a terminal may take as commands) as
// blanks, so that a name from a file cannot break a table's lines or act on
// the terminal.
std::string Einzeilig(std::string_view text);

}  // namespace wellen
