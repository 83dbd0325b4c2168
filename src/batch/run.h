// wellen743-batch: reads cases from CSV files, computes each with the whole
// check and writes every quantity as CSV, JSON Lines or a table.
#pragma once

namespace wellen::batch {

// The whole program; returns its exit status: 0 when every row was computed,
// 1 when some rows were refused (the others are written), 2 for a usage
// error, an unreadable input, an unwritable output or a file error.
int Run(int argc, const char* const* argv);

}  // namespace wellen::batch
