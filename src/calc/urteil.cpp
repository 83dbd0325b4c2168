#include "urteil.h"

#include <algorithm>
#include <cmath>

#include "page_table.h"

namespace wellen {

bool KeineZahlAufDenSeiten(const Nachweis& n) {
  for (int page = 1; page <= kPageCount; ++page) {
    const auto lines = PageLines(page);
    if (std::any_of(lines.begin(), lines.end(),
                    [&](const PageLine& line) { return std::isnan(line.value(n)); })) {
      return true;
    }
  }
  return false;
}

bool NachweisErfuellt(const Nachweis& n, double smin) {
  return n.SDauerbruch >= smin && n.SFliessgrenze >= smin && !KeineZahlAufDenSeiten(n);
}

}  // namespace wellen
