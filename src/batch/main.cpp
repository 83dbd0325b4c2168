// wellen743-batch: the strength check after DIN 743 for many cases from CSV
// files. Everything happens in Run().
#include "batch/run.h"

int main(int argc, char** argv) { return wellen::batch::Run(argc, argv); }
