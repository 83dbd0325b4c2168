#include "page_table.h"

namespace wellen {
namespace {

constexpr double Met(bool flag) { return flag ? 1.0 : 0.0; }

// One line per quantity; the lambdas only pick the field.
constexpr PageLine kPage1[] = {
    {"K1= ", "K1", [](const Nachweis& n) { return n.K1; }},
    {"as  Zug= ", "as_Zug", [](const Nachweis& n) { return n.Zug.alpha; }},
    {"G'  Zug= ", "Gs_Zug", [](const Nachweis& n) { return n.Zug.Gs; }},
    {"n   Zug= ", "n_Zug", [](const Nachweis& n) { return n.Zug.n; }},
    {"bs  Zug= ", "bs_Zug", [](const Nachweis& n) { return n.Zug.beta; }},
    {"K2  Zug= ", "K2_Zug", [](const Nachweis& n) { return n.Zug.K2; }},
    {"KFs Zug= ", "KFs_Zug", [](const Nachweis& n) { return n.Zug.KF; }},
    {"Ks  Zug= ", "Ks_Zug", [](const Nachweis& n) { return n.Zug.K; }},
};

constexpr PageLine kPage2[] = {
    {"as  Bie= ", "as_Bie", [](const Nachweis& n) { return n.Bie.alpha; }},
    {"G'  Bie= ", "Gs_Bie", [](const Nachweis& n) { return n.Bie.Gs; }},
    {"n   Bie= ", "n_Bie", [](const Nachweis& n) { return n.Bie.n; }},
    {"bs  Bie= ", "bs_Bie", [](const Nachweis& n) { return n.Bie.beta; }},
    {"K2  Bie= ", "K2_Bie", [](const Nachweis& n) { return n.Bie.K2; }},
    {"KFs Bie= ", "KFs_Bie", [](const Nachweis& n) { return n.Bie.KF; }},
    {"Ks  Bie= ", "Ks_Bie", [](const Nachweis& n) { return n.Bie.K; }},
};

constexpr PageLine kPage3[] = {
    {"at  Tor= ", "at_Tor", [](const Nachweis& n) { return n.Tor.alpha; }},
    {"G'  Tor= ", "Gs_Tor", [](const Nachweis& n) { return n.Tor.Gs; }},
    {"n   Tor= ", "n_Tor", [](const Nachweis& n) { return n.Tor.n; }},
    {"bt  Tor= ", "bt_Tor", [](const Nachweis& n) { return n.Tor.beta; }},
    {"K2  Tor= ", "K2_Tor", [](const Nachweis& n) { return n.Tor.K2; }},
    {"KFt Tor= ", "KFt_Tor", [](const Nachweis& n) { return n.Tor.KF; }},
    {"Kt  Tor= ", "Kt_Tor", [](const Nachweis& n) { return n.Tor.K; }},
    {"Sigmv= ", "Sigmv", [](const Nachweis& n) { return n.Sigmv; }},
    {"Taumv= ", "Taumv", [](const Nachweis& n) { return n.Taumv; }},
};

constexpr PageLine kPage4[] = {
    {"SigzdWK= ", "SigzdWK", [](const Nachweis& n) { return n.SigzdWK; }},
    {"SigbWK = ", "SigbWK", [](const Nachweis& n) { return n.SigbWK; }},
    {"TautWK = ", "TautWK", [](const Nachweis& n) { return n.TautWK; }},
    {"psizdsK= ", "psizdsK", [](const Nachweis& n) { return n.psizdsK; }},
    {"psibsK = ", "psibsK", [](const Nachweis& n) { return n.psibsK; }},
    {"psitauK= ", "psitauK", [](const Nachweis& n) { return n.psitauK; }},
    {"K2Fz = ", "K2Fz", [](const Nachweis& n) { return n.K2Fz; }},
    {"K2Fb = ", "K2Fb", [](const Nachweis& n) { return n.K2Fb; }},
    {"K2Ft = ", "K2Ft", [](const Nachweis& n) { return n.K2Ft; }},
};

constexpr PageLine kPage5[] = {
    {"gamFz= ", "gamFz", [](const Nachweis& n) { return n.Zug.gamF; }},
    {"gamFb= ", "gamFb", [](const Nachweis& n) { return n.Bie.gamF; }},
    {"gamFt= ", "gamFt", [](const Nachweis& n) { return n.Tor.gamF; }},
    {"SigzdFK= ", "SigzdFK", [](const Nachweis& n) { return n.SigzdFK; }},
    {"SigbFK = ", "SigbFK", [](const Nachweis& n) { return n.SigbFK; }},
    {"TautFK = ", "TautFK", [](const Nachweis& n) { return n.TautFK; }},
    {"Bed.Zug ", "Bed_Zug", [](const Nachweis& n) { return Met(n.BedZug); }, true},
    {"Bed.Bie ", "Bed_Bie", [](const Nachweis& n) { return Met(n.BedBie); }, true},
    {"Bed.Tor ", "Bed_Tor", [](const Nachweis& n) { return Met(n.BedTor); }, true},
};

constexpr PageLine kPage6[] = {
    {"SigzdADK= ", "SigzdADK", [](const Nachweis& n) { return n.SigzdADK; }},
    {"SigbADK = ", "SigbADK", [](const Nachweis& n) { return n.SigbADK; }},
    {"TautADK = ", "TautADK", [](const Nachweis& n) { return n.TautADK; }},
    {"\nS Dauerbruch  = ", "S_Dauerbruch", [](const Nachweis& n) { return n.SDauerbruch; }},
    {"S Fliessgrenze= ", "S_Fliessgrenze", [](const Nachweis& n) { return n.SFliessgrenze; }},
};

constexpr std::span<const PageLine> kPages[kPageCount] = {kPage1, kPage2, kPage3,
                                                          kPage4, kPage5, kPage6};

}  // namespace

std::string_view Bezeichnung(std::string_view label) {
  const auto first = label.find_first_not_of("\n ");
  const auto last = label.find_last_not_of("= ");
  if (first == std::string_view::npos || last == std::string_view::npos) return {};
  return label.substr(first, last - first + 1);
}

std::span<const PageLine> PageLines(int page) {
  if (page < 1 || page > kPageCount) return {};
  return kPages[page - 1];
}

}  // namespace wellen
