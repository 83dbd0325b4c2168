#include "input/dialogs.h"

#include <algorithm>
#include <iterator>
#include <string_view>

namespace wellen {
namespace {

// One real field: prompt, read, store if a number was read.
// False once input has ended.
bool AskReal(Console& console, std::string_view prompt, double& field) {
  console.Write(prompt);
  double value = 0;
  const ReadStatus status = console.ReadReal(value);
  if (status == ReadStatus::kValue) field = value;
  return status != ReadStatus::kEnd;
}

// A sequence of real fields; stops when input ends.
struct RealPrompt {
  std::string_view prompt;
  double Eingabewerte::*field;
};

template <std::size_t N>
bool AskReals(Console& console, Eingabewerte& e, const RealPrompt (&prompts)[N]) {
  return std::all_of(std::begin(prompts), std::end(prompts),
                     [&](const RealPrompt& p) { return AskReal(console, p.prompt, e.*(p.field)); });
}

// A selection: the number read is stored first and then tested; the prompt
// repeats until the field holds a value from `low` to `high`. If input ends
// first, a refused number is taken back, so that the record stays valid.
// False once input has ended.
bool AskChoice(Console& console, std::string_view prompt, int& field, int low, int high) {
  const int before = field;
  do {
    console.Write(prompt);
    int value = 0;
    const ReadStatus status = console.ReadInt(value);
    if (status == ReadStatus::kEnd) {
      if (field < low || field > high) field = before;
      return false;
    }
    if (status == ReadStatus::kValue) field = value;
  } while (field < low || field > high);
  return true;
}

}  // namespace

void DialogNennSpannungen(Eingabewerte& e, Console& console) {
  console.Write("Mittelspannungen:");
  static constexpr RealPrompt kMittel[] = {
      {"\nSigzdm[N/mm2]= ", &Eingabewerte::Sigzdm},
      {"\nSigbm [N/mm2]= ", &Eingabewerte::Sigbm},
      {"\nTautm [N/mm2]= ", &Eingabewerte::Tautm},
  };
  if (!AskReals(console, e, kMittel)) return;
  console.Write("\nAusschlagsspannungen:");
  static constexpr RealPrompt kAusschlag[] = {
      {"\nSigzda[N/mm2]= ", &Eingabewerte::Sigzda},
      {"\nSigba [N/mm2]= ", &Eingabewerte::Sigba},
      {"\nTauta [N/mm2]= ", &Eingabewerte::Tauta},
  };
  AskReals(console, e, kAusschlag);
}

void DialogAbmessungen(Eingabewerte& e, Console& console) {
  static constexpr RealPrompt kPrompts[] = {
      {"Durchm. D[mm]= ", &Eingabewerte::D},         {"\nDurchm. d[mm]= ", &Eingabewerte::d},
      {"\nWaermeb.deff[mm]= ", &Eingabewerte::deff}, {"\nRadius r[mm]= ", &Eingabewerte::r},
      {"\nTiefe t[mm]= ", &Eingabewerte::t},         {"\nRauheit Rz[ym]= ", &Eingabewerte::Rz},
  };
  AskReals(console, e, kPrompts);
}

void DialogKerbfall(Eingabewerte& e, Console& console) {
  console.Write("1: Rundnut\n");
  console.Write("2: Absatz");
  AskChoice(console, "\nFall [1~2]:", e.Kerbfall, kRundnut, kAbsatz);
}

void DialogWerkstoff(Eingabewerte& e, Console& console) {
  static constexpr RealPrompt kPrompts[] = {
      {"SigB  [N/mm2]=", &Eingabewerte::SigB},     {"\nSigS  [N/mm2]=", &Eingabewerte::SigS},
      {"\nSigzdW[N/mm2]=", &Eingabewerte::SigzdW}, {"\nSigbW [N/mm2]=", &Eingabewerte::SigbW},
      {"\nTautW [N/mm2]=", &Eingabewerte::TautW},
  };
  AskReals(console, e, kPrompts);
}

void DialogWeitere(Eingabewerte& e, Console& console) {
  console.Write("Angaben fuer K1(deff):\n");
  console.Write("1:Nitrier/Baustahl\n");
  console.Write("2:Baustahl\n");
  console.Write("3:Verguet./CrNiMo-Stahl\n");
  console.Write("4:andere Einsatzstaehle\n");
  if (!AskChoice(console, "\nK1-Fall [1~4]:", e.K1Fall, 1, 4)) return;
  if (!AskChoice(console, "\nharte Rands.?1 ja 0 nein:", e.harteRandschicht, 0, 1)) return;
  if (!AskChoice(console, "\nHohlwelle?1 ja 0 nein:", e.Hohlwelle, 0, 1)) return;
  AskReal(console, "\nKV= ", e.KV);
}

}  // namespace wellen
