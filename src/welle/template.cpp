#include "welle/template.h"

namespace wellen::welle {

std::string_view Vorlage() {
  return R"(# Welle für wellen743-welle (TOML 1.0). Einheiten: Längen in mm, Kräfte in N,
# Biege- und Torsionsmomente in N·m, Spannungen in N/mm², Rauheit in µm.
# Die x-Achse läuft vom linken Wellenende (x = 0) längs der Welle.
# Beispiel: Abtriebswelle eines Stirnradgetriebes, links die Kupplung, rechts
# das schrägverzahnte Rad zwischen den Lagern.

name = "Abtriebswelle"   # frei wählbar
art = "umlaufend"        # "umlaufend" (umlaufende Welle) oder "stehend" (stehende Welle, Achse)
E = 210000               # Elastizitätsmodul [N/mm²]; ohne Angabe 210000
deff = 62                # für die Wärmebehandlung maßgebender Durchmesser;
                         # ohne Angabe der größte Außendurchmesser
Rz = 6.3                 # Rauheit jeder Kerbe ohne eigene Angabe; ohne Angabe 5

[werkstoff]              # fehlt ein Wert, gilt der Vorgabewert (und ein Hinweis nennt ihn)
name = "42CrMo4"
SigB = 1100              # Zugfestigkeit
SigS = 900               # Streckgrenze
SigzdW = 440             # Zug/Druck-Wechselfestigkeit
SigbW = 550              # Biegewechselfestigkeit
TautW = 330              # Torsionswechselfestigkeit
K1Fall = 3               # Werkstoffgruppe des technologischen Größeneinflusses, 1 bis 4
harteRandschicht = 0     # harte Randschicht: 1 ja, 0 nein
KV = 1                   # Einflussfaktor der Oberflächenverfestigung

# Die Kontur von links nach rechts, ein Zylinder je [[abschnitt]]. Wo sich D
# ändert, ist ein Absatz: dort braucht der rechte Abschnitt den Radius r des
# Übergangs (und darf eine eigene Rauheit Rz haben); wo D gleich bleibt, kein r.
[[abschnitt]]            # Kupplungssitz
l = 55                   # Länge > 0
D = 40                   # Außendurchmesser > 0
di = 0                   # Bohrung, 0 <= di < D; ohne Angabe 0
[[abschnitt]]            # Lagersitz Festlager
l = 30
D = 45
r = 1.6                  # Radius des Übergangs am linken Ende
Rz = 4                   # Rauheit dieses Übergangs
[[abschnitt]]            # Bund
l = 15
D = 52
r = 2
[[abschnitt]]            # Radsitz
l = 60
D = 55
r = 1.2
[[abschnitt]]            # Bund
l = 12
D = 62
r = 1.6
[[abschnitt]]            # Lagersitz Loslager
l = 28
D = 45
r = 1.6

[[nut]]                  # Rundnut für den Sicherungsring des Zahnrads
x = 156                  # Mitte der Nut
t = 1.5                  # Tiefe
r = 0.25                 # Radius im Nutgrund
Rz = 6.3                 # Rauheit der Nut; ohne Angabe die der Welle

[[lager]]                # genau zwei Lager: ein Festlager ...
x = 70
art = "fest"             # nimmt die Längskraft auf
[[lager]]                # ... und ein Loslager
x = 186
art = "los"

# Lastfälle, jeder mit Namen und seinen Lasten. Jede Last sitzt bei x auf der
# Achse; jeder Wert ist ein Mittelwert, derselbe Name mit _a sein Ausschlag
# (Fx_a Fy_a Fz_a Mby_a Mbz_a T_a, ohne Angabe 0). Die Torsionsmomente eines
# Lastfalls müssen sich zu null ergänzen (die Ausschläge ebenso).
# Für nur einen Lastfall genügen statt [[lastfall]] Lasten als [[last]].
[[lastfall]]
name = "Nennlast"
[[lastfall.last]]
x = 27.5
name = "Kupplung"
Fz = 250                 # Querkraft aus dem Versatz der Kupplung
T = 600                  # eingeleitetes Torsionsmoment
T_a = 120
[[lastfall.last]]
x = 130
name = "Zahnrad"
Fx = 1500                # Längskraft, positiv in Richtung +x
Fy = -2200               # Querkraft in der x-y-Ebene
Fz = 6000                # Querkraft in der x-z-Ebene
Mby = 150                # Biegemoment in der x-y-Ebene (hebt Mxy rechts davon um diesen Wert)
Mbz = 0                  # Biegemoment in der x-z-Ebene
T = -600                 # abgegebenes Torsionsmoment
Fx_a = 300
Fy_a = -440
Fz_a = 1200
Mby_a = 30
Mbz_a = 0
T_a = -120

[[lastfall]]
name = "Anfahren"
[[lastfall.last]]
x = 27.5
name = "Kupplung"
Fz = 450
T = 1100
[[lastfall.last]]
x = 130
name = "Zahnrad"
Fx = 2750
Fy = -4000
Fz = 11000
Mby = 275
T = -1100
)";
}

}  // namespace wellen::welle
