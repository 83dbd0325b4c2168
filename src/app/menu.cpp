#include "app/menu.h"

#include <string_view>

#include "console/pause.h"
#include "input/dialogs.h"
#include "input/display.h"
#include "pages/run.h"

namespace wellen {
namespace {

constexpr std::string_view kMenu =
    "\n"
    "Wellen DIN 743,i Info\n"
    "F1 a Nenn-Spannungen\n"
    "F2 b Abmessungen\n"
    "F3 c Kerbfall\n"
    "F4 d Werkstoffwerte\n"
    "F5 e weitere Angaben\n"
    "F6 w momentan def. Werte\n"
    "F7 g Compute\n"
    "F8 q Exit\n";

constexpr std::string_view kInfo =
    "Festigkeitsnachweis fuer Wellen und Achsen nach DIN 743 (Rundnut, Absatz)\n";

}  // namespace

void RunMenu(Eingabewerte& e, Ergebnisse& r, Console& console) {
  for (;;) {
    console.Write(kMenu);
    // Keys are compared by exact code: upper case and the codes of function
    // and cursor keys name no command and only bring the menu back.
    switch (console.ReadKey()) {
      case kEndOfInput:
      case 'q': return;
      case 'i':
        console.Write(kInfo);
        Pause(console, kWeiter);
        break;
      case 'a': DialogNennSpannungen(e, console); break;
      case 'b': DialogAbmessungen(e, console); break;
      case 'c': DialogKerbfall(e, console); break;
      case 'd': DialogWerkstoff(e, console); break;
      case 'e': DialogWeitere(e, console); break;
      case 'w': ShowCurrentValues(e, console); break;
      case 'g': RunCalculation(e, r, console); break;
      default: break;
    }
    if (console.Ended()) return;
  }
}

}  // namespace wellen
