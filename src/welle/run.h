// wellen743-welle: the command line, the shaft file, the computation and
// the outputs. Returns the exit status: 0 when every section meets S_min in
// every load case, 1 when some does not, 2 on a usage or file error.
#pragma once

namespace wellen::welle {

int Run(int argc, const char* const* argv);

}  // namespace wellen::welle
