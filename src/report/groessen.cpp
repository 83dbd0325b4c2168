#include "report/groessen.h"

#include <algorithm>
#include <span>
#include <utility>

namespace wellen::report {
namespace {

// A key (a column or field name) and what it is called.
using Eintrag = std::pair<std::string_view, Groesse>;

constexpr std::string_view kSpannung = "N/mm²";

// The symbols carry the load type as their index: zd tension/compression,
// b bending, t torsion.
constexpr Eintrag kSeiten[] = {
    {"K1", {"K<sub>1</sub>", "technologischer Größeneinflussfaktor", ""}},

    {"as_Zug", {"α<sub>zd</sub>", "Formzahl", ""}},
    {"Gs_Zug", {"G′<sub>zd</sub>", "bezogenes Spannungsgefälle", "1/mm"}},
    {"n_Zug", {"n<sub>zd</sub>", "Stützzahl", ""}},
    {"bs_Zug", {"β<sub>zd</sub>", "Kerbwirkungszahl", ""}},
    {"K2_Zug", {"K<sub>2,zd</sub>", "geometrischer Größeneinflussfaktor", ""}},
    {"KFs_Zug", {"K<sub>F,zd</sub>", "Einflussfaktor der Oberflächenrauheit", ""}},
    {"Ks_Zug", {"K<sub>zd</sub>", "Gesamteinflussfaktor", ""}},

    {"as_Bie", {"α<sub>b</sub>", "Formzahl", ""}},
    {"Gs_Bie", {"G′<sub>b</sub>", "bezogenes Spannungsgefälle", "1/mm"}},
    {"n_Bie", {"n<sub>b</sub>", "Stützzahl", ""}},
    {"bs_Bie", {"β<sub>b</sub>", "Kerbwirkungszahl", ""}},
    {"K2_Bie", {"K<sub>2,b</sub>", "geometrischer Größeneinflussfaktor", ""}},
    {"KFs_Bie", {"K<sub>F,b</sub>", "Einflussfaktor der Oberflächenrauheit", ""}},
    {"Ks_Bie", {"K<sub>b</sub>", "Gesamteinflussfaktor", ""}},

    {"at_Tor", {"α<sub>t</sub>", "Formzahl", ""}},
    {"Gs_Tor", {"G′<sub>t</sub>", "bezogenes Spannungsgefälle", "1/mm"}},
    {"n_Tor", {"n<sub>t</sub>", "Stützzahl", ""}},
    {"bt_Tor", {"β<sub>t</sub>", "Kerbwirkungszahl", ""}},
    {"K2_Tor", {"K<sub>2,t</sub>", "geometrischer Größeneinflussfaktor", ""}},
    {"KFt_Tor", {"K<sub>F,t</sub>", "Einflussfaktor der Oberflächenrauheit", ""}},
    {"Kt_Tor", {"K<sub>t</sub>", "Gesamteinflussfaktor", ""}},
    {"Sigmv", {"σ<sub>mv</sub>", "Vergleichsmittelspannung", kSpannung}},
    {"Taumv", {"τ<sub>mv</sub>", "Vergleichsmittelspannung, Schub", kSpannung}},

    {"SigzdWK", {"σ<sub>zdWK</sub>", "Bauteil-Wechselfestigkeit", kSpannung}},
    {"SigbWK", {"σ<sub>bWK</sub>", "Bauteil-Wechselfestigkeit", kSpannung}},
    {"TautWK", {"τ<sub>tWK</sub>", "Bauteil-Wechselfestigkeit", kSpannung}},
    {"psizdsK", {"ψ<sub>zdK</sub>", "Einflussfaktor der Mittelspannungsempfindlichkeit", ""}},
    {"psibsK", {"ψ<sub>bK</sub>", "Einflussfaktor der Mittelspannungsempfindlichkeit", ""}},
    {"psitauK", {"ψ<sub>tK</sub>", "Einflussfaktor der Mittelspannungsempfindlichkeit", ""}},
    {"K2Fz", {"K<sub>2F,zd</sub>", "statische Stützwirkung", ""}},
    {"K2Fb", {"K<sub>2F,b</sub>", "statische Stützwirkung", ""}},
    {"K2Ft", {"K<sub>2F,t</sub>", "statische Stützwirkung", ""}},

    {"gamFz", {"γ<sub>F,zd</sub>", "Erhöhungsfaktor der Fließgrenze", ""}},
    {"gamFb", {"γ<sub>F,b</sub>", "Erhöhungsfaktor der Fließgrenze", ""}},
    {"gamFt", {"γ<sub>F,t</sub>", "Erhöhungsfaktor der Fließgrenze", ""}},
    {"SigzdFK", {"σ<sub>zdFK</sub>", "Bauteil-Fließgrenze", kSpannung}},
    {"SigbFK", {"σ<sub>bFK</sub>", "Bauteil-Fließgrenze", kSpannung}},
    {"TautFK", {"τ<sub>tFK</sub>", "Bauteil-Fließgrenze", kSpannung}},
    {"Bed_Zug", {"σ<sub>mv</sub> ≤ g<sub>zd</sub>", "Fallprüfung der Mittelspannung", ""}},
    {"Bed_Bie", {"σ<sub>mv</sub> ≤ g<sub>b</sub>", "Fallprüfung der Mittelspannung", ""}},
    {"Bed_Tor", {"τ<sub>mv</sub> ≤ g<sub>t</sub>", "Fallprüfung der Mittelspannung", ""}},

    {"SigzdADK", {"σ<sub>zdADK</sub>", "Bauteil-Ausschlagfestigkeit", kSpannung}},
    {"SigbADK", {"σ<sub>bADK</sub>", "Bauteil-Ausschlagfestigkeit", kSpannung}},
    {"TautADK", {"τ<sub>tADK</sub>", "Bauteil-Ausschlagfestigkeit", kSpannung}},
    {"S_Dauerbruch", {"S<sub>D</sub>", "Sicherheit gegen Dauerbruch", ""}},
    {"S_Fliessgrenze", {"S<sub>F</sub>", "Sicherheit gegen Fließen", ""}},
};

constexpr Eintrag kEingabe[] = {
    {"Sigzdm", {"σ<sub>zdm</sub>", "Mittelspannung Zug/Druck", kSpannung}},
    {"Sigbm", {"σ<sub>bm</sub>", "Mittelspannung Biegung", kSpannung}},
    {"Tautm", {"τ<sub>tm</sub>", "Mittelspannung Torsion", kSpannung}},
    {"Sigzda", {"σ<sub>zda</sub>", "Spannungsausschlag Zug/Druck", kSpannung}},
    {"Sigba", {"σ<sub>ba</sub>", "Spannungsausschlag Biegung", kSpannung}},
    {"Tauta", {"τ<sub>ta</sub>", "Spannungsausschlag Torsion", kSpannung}},
    {"D", {"D", "größerer Durchmesser", "mm"}},
    {"d", {"d", "Durchmesser im Kerbgrund", "mm"}},
    {"deff", {"d<sub>eff</sub>", "Durchmesser bei der Wärmebehandlung", "mm"}},
    {"r", {"r", "Kerbradius", "mm"}},
    {"t", {"t", "Kerbtiefe", "mm"}},
    {"Rz", {"R<sub>z</sub>", "gemittelte Rautiefe", "µm"}},
    {"Kerbfall", {"", "Kerbfall", ""}},
    {"SigB", {"σ<sub>B</sub>", "Zugfestigkeit", kSpannung}},
    {"SigS", {"σ<sub>S</sub>", "Streckgrenze", kSpannung}},
    {"SigzdW", {"σ<sub>zdW</sub>", "Zug-Druck-Wechselfestigkeit", kSpannung}},
    {"SigbW", {"σ<sub>bW</sub>", "Biegewechselfestigkeit", kSpannung}},
    {"TautW", {"τ<sub>tW</sub>", "Torsionswechselfestigkeit", kSpannung}},
    {"K1Fall", {"", "Werkstoffgruppe für K<sub>1</sub>", ""}},
    {"harteRandschicht", {"", "harte Randschicht", ""}},
    {"Hohlwelle", {"", "Hohlwelle", ""}},
    {"KV", {"K<sub>V</sub>", "Einflussfaktor der Oberflächenverfestigung", ""}},
};

const Groesse* Suche(std::span<const Eintrag> tabelle, std::string_view schluessel) {
  const auto it = std::find_if(tabelle.begin(), tabelle.end(),
                               [&](const Eintrag& e) { return e.first == schluessel; });
  return it == tabelle.end() ? nullptr : &it->second;
}

}  // namespace

const Groesse* SeitenGroesse(std::string_view spalte) { return Suche(kSeiten, spalte); }

const Groesse* EingabeGroesse(std::string_view feld) { return Suche(kEingabe, feld); }

}  // namespace wellen::report
