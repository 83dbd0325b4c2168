// The example shaft that --template prints: a commented shaft file with
// every key, which computes as it is.
#pragma once

#include <string_view>

namespace wellen::welle {

std::string_view Vorlage();

}  // namespace wellen::welle
