// wellen743-welle: the strength check after DIN 743 of a whole shaft from
// its description in a TOML file. Everything happens in Run().
#include "welle/run.h"

int main(int argc, char** argv) { return wellen::welle::Run(argc, argv); }
