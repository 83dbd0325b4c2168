#include "input/display.h"

#include <string_view>

#include "console/format.h"
#include "console/pause.h"

namespace wellen {
namespace {

using std::string_view_literals::operator""sv;

// One line of a page: label, value, unit.
struct ValueLine {
  std::string_view label;
  double Eingabewerte::*field;
  std::string_view unit;
};

constexpr ValueLine kPage1[] = {
    {"\nSigzdm= ", &Eingabewerte::Sigzdm, "[N/mm2]"},
    {"\nSigbm = ", &Eingabewerte::Sigbm, "[N/mm2]"},
    {"\nTautm = ", &Eingabewerte::Tautm, "[N/mm2]"},
    {"\nSigzda= ", &Eingabewerte::Sigzda, "[N/mm2]"},
    {"\nSigba = ", &Eingabewerte::Sigba, "[N/mm2]"},
    {"\nTauta = ", &Eingabewerte::Tauta, "[N/mm2]"},
    {"\nSigB  = ", &Eingabewerte::SigB, "[N/mm2]"},
    {"\nSigS  = ", &Eingabewerte::SigS, "[N/mm2]"},
};

constexpr ValueLine kPage2[] = {
    {"\nSigzdW= ", &Eingabewerte::SigzdW, "[N/mm2]"},
    {"\nSigbW = ", &Eingabewerte::SigbW, "[N/mm2]"},
    {"\nTautW = ", &Eingabewerte::TautW, "[N/mm2]"},
    {"\nDurchm. D = ", &Eingabewerte::D, "[mm]"},
    {"\nDurchm. d = ", &Eingabewerte::d, "[mm]"},
    {"\nRadius r  = ", &Eingabewerte::r, "[mm]"},
    {"\nTiefe t   = ", &Eingabewerte::t, "[mm]"},
    {"\nRauheit Rz= ", &Eingabewerte::Rz, "[ym]"},
};

template <std::size_t N>
void PrintLines(const Eingabewerte& e, Console& console, const ValueLine (&lines)[N]) {
  for (const ValueLine& line : lines) {
    WriteValue(console, line.label, e.*(line.field), line.unit);
  }
}

}  // namespace

void ShowCurrentValues(const Eingabewerte& e, Console& console) {
  console.Write("momentan def. Werte 1:");
  PrintLines(e, console, kPage1);
  if (Pause(console, kWeiterNeueZeile) != PauseResult::kContinue) return;

  console.Write("\nmomentan def. Werte 2:");
  PrintLines(e, console, kPage2);
  if (Pause(console, kWeiterNeueZeile) != PauseResult::kContinue) return;

  console.Write("\nmomentan def. Werte 3:");
  WriteValue(console, "\nKerbfall= ", e.Kerbfall, "");
  WriteValue(console, "\nK1-Fall = ", e.K1Fall, "");
  WriteValue(console, "\nDurch.deff= ", e.deff, "[mm]");
  console.Write(e.harteRandschicht != 0 ? "\nharte Randschicht"sv : "\nkeine harte Randschicht"sv);
  console.Write(e.Hohlwelle != 0 ? "\nHohlwelle"sv : "\nVollwelle"sv);
  WriteValue(console, "\nKV= ", e.KV, "");
  Pause(console, kWeiterNeueZeile);
}

}  // namespace wellen
