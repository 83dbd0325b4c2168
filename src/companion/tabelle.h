// Cells of the readable tables that the companion programs print on a
// terminal. Columns are padded by characters, not bytes, so that names with
// umlauts line up.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace wellen {

// The number of characters of UTF-8 `text` (bytes that do not continue a
// sequence).
std::size_t Zeichen(std::string_view text);

// Appends `text` cut to `width` characters (the last one an ellipsis if
// cut), then padded with blanks to `width`; right-aligned if asked.
void AppendCell(std::string& out, std::string_view text, std::size_t width, bool right = false);

// `text` with line breaks and other control characters as blanks, so that
// a name from a file cannot break a table's lines.
std::string Einzeilig(std::string_view text);

}  // namespace wellen
