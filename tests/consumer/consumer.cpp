// A program outside the project that uses the installed calculation library:
// prints the two safety factors of the built-in defaults.
#include <wellen743/nachweis.h>

#include <cstdio>

int main() {
  const wellen::Nachweis n = wellen::Calculate(wellen::DefaultEingabewerte());
  std::printf("%g %g\n", n.SDauerbruch, n.SFliessgrenze);
}
