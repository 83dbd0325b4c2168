// The six result pages of the worked examples, as the program must print
// them, and the menu text. Shared by the transcript and end-to-end tests.
#pragma once

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "calc/eingabewerte.h"

namespace wellen::testing_pages {

inline const std::string kMenu =
    "\nWellen DIN 743,i Info\nF1 a Nenn-Spannungen\nF2 b Abmessungen\nF3 c Kerbfall\n"
    "F4 d Werkstoffwerte\nF5 e weitere Angaben\nF6 w momentan def. Werte\nF7 g Compute\n"
    "F8 q Exit\n";

using PageValues = std::array<std::vector<std::string>, 6>;

// Line labels of each page, in order, up to the value.
inline const std::array<std::vector<std::string>, 6> kLabels = {{
    {"K1= ", "as  Zug= ", "G'  Zug= ", "n   Zug= ", "bs  Zug= ", "K2  Zug= ", "KFs Zug= ",
     "Ks  Zug= "},
    {"as  Bie= ", "G'  Bie= ", "n   Bie= ", "bs  Bie= ", "K2  Bie= ", "KFs Bie= ", "Ks  Bie= "},
    {"at  Tor= ", "G'  Tor= ", "n   Tor= ", "bt  Tor= ", "K2  Tor= ", "KFt Tor= ", "Kt  Tor= ",
     "Sigmv= ", "Taumv= "},
    {"SigzdWK= ", "SigbWK = ", "TautWK = ", "psizdsK= ", "psibsK = ", "psitauK= ", "K2Fz = ",
     "K2Fb = ", "K2Ft = "},
    {"gamFz= ", "gamFb= ", "gamFt= ", "SigzdFK= ", "SigbFK = ", "TautFK = ", "Bed.Zug ", "Bed.Bie ",
     "Bed.Tor "},
    {"SigzdADK= ", "SigbADK = ", "TautADK = ", "\nS Dauerbruch  = ", "S Fliessgrenze= "},
}};

// The defaults, unchanged.
inline const PageValues kDefaults = {{
    {"0.871339", "1.96841", "0.873684", "1.03462", "1.90255", "1", "0.89535", "2.01943"},
    {"1.80138", "0.873684", "1.03462", "1.74111", "0.888243", "0.89535", "2.07705"},
    {"1.40498", "0.383333", "1.02293", "1.37349", "0.888243", "0.939826", "1.61033", "529.15",
     "305.505"},
    {"189.85", "230.729", "178.561", "0.109924", "0.136832", "0.102717", "1", "1.2", "1.2"},
    {"1.05", "1.05", "1", "823.415", "988.098", "543.313", "erfuellt", "erfuellt", "erfuellt"},
    {"131.683", "158.324", "147.181", "1.24088", "1.39679"},
}};

// Round groove, K1-Fall 1, deff 150, hard layer, hollow shaft,
// Sigzdm -250, Sigbm 50, Tautm 80.
inline const PageValues kRundnutHohl = {{
    {"0.959499", "2.57373", "0.759725", "1.17391", "2.19244", "1", "0.888913", "2.31741"},
    {"2.22579", "0.759725", "1.17391", "1.89605", "0.888243", "0.888913", "2.25957"},
    {"1.63715", "0.333333", "1.1152", "1.46804", "0.888243", "0.936125", "1.72098", "-144.222",
     "-83.2666"},
    {"182.177", "233.551", "183.985", "0.094455", "0.124405", "0.0954817", "1", "1", "1"},
    {"1.1", "1.1", "1", "949.904", "949.904", "498.57", "erfuellt", "erfuellt", "erfuellt"},
    {"195.8", "251.492", "191.935", "1.86531", "3.866"},
}};

// The defaults with Sigzdm 600.
inline const PageValues kHighMean = {{
    kDefaults[0],
    kDefaults[1],
    {"1.40498", "0.383333", "1.02293", "1.37349", "0.888243", "0.939826", "1.61033", "916.515",
     "529.15"},
    kDefaults[3],
    {"1.05", "1.05", "1", "823.415", "988.098", "543.313", "nicht erfuellt", "nicht erfuellt",
     "nicht erfuellt"},
    {"-93.0998", "71.5833", "14.163", "0.352079", "0.845912"},
}};

// The defaults on a hollow shaft with Sigzdm 450: the case test is met for
// bending only, and K2Fb 1.1 differs from K2Ft 1.
inline const PageValues kHohlZug450 = {{
    kDefaults[0],
    kDefaults[1],
    {"1.40498", "0.383333", "1.02293", "1.37349", "0.888243", "0.939826", "1.61033", "769.74",
     "444.41"},
    {"189.85", "230.729", "178.561", "0.109924", "0.136832", "0.102717", "1", "1.1", "1"},
    {"1.05", "1.05", "1", "823.415", "905.757", "452.761", "nicht erfuellt", "erfuellt",
     "nicht erfuellt"},
    {"53.6751", "125.404", "8.3513", "0.200285", "0.951301"},
}};

// Hard layer on a solid shaft, K1-Fall 2 with deff 120, Tautm 180: the
// case test is met for tension and bending, not for torsion.
inline const PageValues kHartVoll = {{
    {"0.850752", "1.96841", "0.873684", "1.1865", "1.659", "1", "0.896946", "1.7739"},
    {"1.80138", "0.873684", "1.1865", "1.51823", "0.888243", "0.896946", "1.82414"},
    {"1.40498", "0.383333", "1.12353", "1.2505", "0.888243", "0.940744", "1.47083", "589.237",
     "340.196"},
    {"211.022", "256.511", "190.878", "0.127073", "0.158817", "0.113565", "1", "1.1", "1.1"},
    {"1.05", "1.05", "1", "803.961", "884.357", "486.27", "erfuellt", "erfuellt", "nicht erfuellt"},
    {"136.146", "162.931", "146.074", "1.27416", "1.1783"},
}};

// The defaults with torsion the only mean stress, Tautm such that Taumv
// equals gTor to the last bit: the case test for torsion is met on equality.
// TautADK is the same on either side of it, so only Bed.Tor shows the side.
inline constexpr double kTautmAtThreshold = 406.50731808065103;
inline const PageValues kTorAtThreshold = {{
    kDefaults[0],
    kDefaults[1],
    {"1.40498", "0.383333", "1.02293", "1.37349", "0.888243", "0.939826", "1.61033", "704.091",
     "406.507"},
    kDefaults[3],
    {"1.05", "1.05", "1", "823.415", "988.098", "543.313", "erfuellt", "erfuellt", "erfuellt"},
    {"112.453", "134.386", "136.806", "1.06627", "1.20373"},
}};

// A worked example: how it changes the defaults, and the pages it prints.
struct WorkedExample {
  const char* name;
  std::function<void(Eingabewerte&)> change;
  const PageValues& pages;
};

inline const std::vector<WorkedExample> kWorkedExamples = {
    {"defaults", [](Eingabewerte&) {}, kDefaults},
    {"round groove, hard layer, hollow, compressive mean stress",
     [](Eingabewerte& e) {
       e.Kerbfall = kRundnut;
       e.K1Fall = 1;
       e.deff = 150;
       e.harteRandschicht = 1;
       e.Hohlwelle = 1;
       e.Sigzdm = -250;
       e.Sigbm = 50;
       e.Tautm = 80;
     },
     kRundnutHohl},
    {"high mean stress", [](Eingabewerte& e) { e.Sigzdm = 600; }, kHighMean},
    {"hollow shaft, Sigzdm 450",
     [](Eingabewerte& e) {
       e.Hohlwelle = 1;
       e.Sigzdm = 450;
     },
     kHohlZug450},
    {"hard layer, solid shaft, K1-Fall 2, deff 120, Tautm 180",
     [](Eingabewerte& e) {
       e.harteRandschicht = 1;
       e.K1Fall = 2;
       e.deff = 120;
       e.Tautm = 180;
     },
     kHartVoll},
    {"torsion mean stress alone, Taumv at the threshold gTor",
     [](Eingabewerte& e) {
       e.Sigzdm = 0;
       e.Sigbm = 0;
       e.Tautm = kTautmAtThreshold;
     },
     kTorAtThreshold},
};

// Page `page` (1 to 6) with its header and the pause prompt that ends it.
inline std::string Page(const PageValues& values, int page) {
  std::string text = page == 1 ? "" : "\n";
  text += "Ergebnisse " + std::to_string(page) + " v.6:\n";
  const auto& labels = kLabels[static_cast<std::size_t>(page - 1)];
  const auto& line_values = values[static_cast<std::size_t>(page - 1)];
  for (std::size_t i = 0; i < labels.size(); ++i) text += labels[i] + line_values[i] + "\n";
  text += page == 6 ? "\nweiter mit bel.Taste.." : "weiter mit bel.Taste..";
  return text;
}

// Pages 1 to `last`, as a run that is ended after page `last` prints them.
inline std::string Pages(const PageValues& values, int last = 6) {
  std::string text;
  for (int page = 1; page <= last; ++page) text += Page(values, page);
  return text;
}

}  // namespace wellen::testing_pages
