// A shaft written as a shaft file: what wellen743-welle --resized writes.
#pragma once

#include <string>
#include <string_view>

#include "statik/welle.h"

namespace wellen::welle {

// `welle` as a shaft file (TOML 1.0) that LeseWelle() reads back as the very
// same shaft: every number as the shortest text that reads back as the same
// double, every key of the material written (also those that took the
// default), the load cases as [[lastfall]] tables. `kopf` is put first as
// comment lines (one per line of it; control characters become blanks,
// bytes that are not UTF-8 U+FFFD).
std::string Wellendatei(const Welle& welle, std::string_view kopf);

}  // namespace wellen::welle
