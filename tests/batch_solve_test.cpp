// wellen743-batch --solve as a new user checks it: each row's solved value
// goes back into the batch with the row's other inputs, and meets S_min
// there; none of the grid values below it does (nor, where the row is not
// reachable, any grid value up to the limit). One table of rows per solve.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "calc/eingabewerte.h"
#include "command.h"
#include "companion/numbers.h"

namespace wellen {
namespace {

using Zeile = std::map<std::string, std::string>;

std::string Text(double value) {
  char text[kMaxRealText];
  return {text, FormatReal(value, false, text)};
}

double Wert(const std::string& text) { return std::strtod(text.c_str(), nullptr); }

// The rows of CSV text with ',' (no quoted separators in these tests but
// the notes, which stand last and are quoted only where they hold a comma).
std::vector<Zeile> Zeilen(const std::string& csv) {
  std::vector<std::vector<std::string>> rows;
  std::string cell;
  bool quoted = false;
  std::vector<std::string> row;
  for (const char c : csv) {
    if (quoted) {
      if (c == '"') {
        quoted = false;
      } else {
        cell += c;
      }
    } else if (c == '"') {
      quoted = true;
    } else if (c == ',') {
      row.push_back(cell);
      cell.clear();
    } else if (c == '\n') {
      row.push_back(cell);
      cell.clear();
      rows.push_back(row);
      row.clear();
    } else {
      cell += c;
    }
  }
  std::vector<Zeile> zeilen;
  for (std::size_t i = 1; i < rows.size(); ++i) {
    Zeile& z = zeilen.emplace_back();
    for (std::size_t c = 0; c < rows[0].size() && c < rows[i].size(); ++c)
      z[rows[0][c]] = rows[i][c];
  }
  return zeilen;
}

// The rows as a CSV file with ',' and the columns `spalten`.
std::string Csv(const std::vector<std::string>& spalten, const std::vector<Zeile>& zeilen) {
  std::string text;
  for (const std::string& s : spalten) text += (text.empty() ? "" : ",") + s;
  text += "\n";
  for (const Zeile& z : zeilen) {
    std::string line;
    for (const std::string& s : spalten) {
      if (!line.empty()) line += ',';
      const auto at = z.find(s);
      if (at != z.end()) line += at->second;
    }
    text += line + "\n";
  }
  return text;
}

// A case with every input field given: the defaults, then `aenderungen`.
Zeile Fall(const std::string& name, const Zeile& aenderungen) {
  Zeile z{{"Name", name}};
  const Eingabewerte e = DefaultEingabewerte();
  for (const Eingabefeld& f : Eingabefelder()) {
    z[std::string(f.name)] = f.real != nullptr ? Text(e.*(f.real)) : std::to_string(e.*(f.choice));
  }
  for (const auto& [k, v] : aenderungen) z[k] = v;
  return z;
}

std::vector<std::string> Spalten(bool lasten) {
  std::vector<std::string> spalten{"Name"};
  for (const Eingabefeld& f : Eingabefelder()) spalten.emplace_back(f.name);
  if (lasten) spalten.insert(spalten.end(), {"Fm", "Fa", "Mbm", "Mba", "Tm", "Ta", "di"});
  return spalten;
}

std::vector<Zeile> Batch(const std::vector<std::string>& args, const std::string& input,
                         int expected_status = 0) {
  std::vector<std::string> argv{WELLEN743_BATCH_BINARY, "--format", "csv", "-q"};
  argv.insert(argv.end(), args.begin(), args.end());
  argv.emplace_back("-");
  const CommandResult r = RunCommand(argv, input);
  EXPECT_EQ(r.status, expected_status) << r.err;
  return Zeilen(r.out);
}

double Kleinere(const Zeile& z, const std::string& zusatz = "") {
  return std::min(Wert(z.at("S_Dauerbruch" + zusatz)), Wert(z.at("S_Fliessgrenze" + zusatz)));
}

// The rows of one case at every grid value `werte`, each with `setze`
// applied, checked in one run; returns them in order.
template <typename Setze>
std::vector<Zeile> AmGitter(const Zeile& fall, const std::vector<double>& werte, bool lasten,
                            Setze&& setze) {
  std::vector<Zeile> zeilen;
  for (const double w : werte) {
    Zeile z = fall;
    setze(z, w);
    zeilen.push_back(z);
  }
  return Batch({}, Csv(Spalten(lasten), zeilen));
}

// The checks common to both solves: the value that meets, checked again
// and met, no grid value below it met; or, where none meets, no grid value
// met and the factors written those of the one that came closest.
void PruefeGitter(const Zeile& ergebnis, const std::string& spalte,
                  const std::vector<Zeile>& gitter) {
  const bool erreicht = !ergebnis.at(spalte).empty();
  const std::size_t bis = erreicht ? gitter.size() - 1 : gitter.size();
  double beste = -INFINITY;
  for (std::size_t k = 0; k < bis; ++k) {
    EXPECT_EQ(gitter[k].at("Nachweis"), "nicht erfuellt") << "grid value " << k + 1;
    beste = std::max(beste, Kleinere(gitter[k]));
  }
  if (erreicht) {
    const Zeile& z = gitter.back();
    EXPECT_EQ(z.at("Nachweis"), "erfuellt");
    EXPECT_EQ(z.at("S_Dauerbruch"), ergebnis.at("S_Dauerbruch_erf"));
    EXPECT_EQ(z.at("S_Fliessgrenze"), ergebnis.at("S_Fliessgrenze_erf"));
  } else if (!gitter.empty()) {
    EXPECT_EQ(Kleinere(ergebnis, "_erf"), beste) << "the grid value that came closest";
  }
}

// A value of the CSV output as the table writes it ("%g").
std::string Kurz(const std::string& text) {
  char kurz[32];
  (void)std::snprintf(kurz, sizeof kurz, "%g", Wert(text));
  return kurz;
}

// The table of the same run fits 80 columns and shows under each case what
// the CSV output has: the solved size (for d with D, r and t) and the two
// factors there, or the grid value that came closest and the note.
void PruefeTabelle(const std::string& solve, const std::string& input,
                   const std::vector<Zeile>& geloest) {
  const CommandResult r =
      RunCommand({WELLEN743_BATCH_BINARY, "--format", "table", "-q", "--solve", solve}, input);
  std::vector<std::string> lines;
  std::istringstream in(r.out);
  for (std::string line; std::getline(in, line);) {
    EXPECT_LE(std::count_if(line.begin(), line.end(), [](char c) { return (c & 0xC0) != 0x80; }),
              80)
        << line;
    lines.push_back(line);
  }
  const std::string einzug(9, ' ');
  std::size_t at = 2;  // after the header and the file
  for (const Zeile& z : geloest) {
    const std::string erf = z.at(solve + "_erf");
    ASSERT_LT(at + 1, lines.size()) << r.out;
    const std::string& unter = lines[++at];
    if (!z.at("S_Dauerbruch_erf").empty()) {
      EXPECT_EQ(unter.rfind(einzug + (erf.empty() ? "bestenfalls " + solve + " = "
                                                  : solve + " erf = " + Kurz(erf) + " mm ")),
                0u)
          << unter;
      EXPECT_NE(unter.find(" " + Kurz(z.at("S_Dauerbruch_erf")) + "  "), std::string::npos);
      EXPECT_NE(unter.find(" " + Kurz(z.at("S_Fliessgrenze_erf")) + "  "), std::string::npos);
      ++at;
    }
    if (solve == "d" && !erf.empty()) {
      EXPECT_EQ(lines.at(at++), einzug + "  D erf = " + Kurz(z.at("D_erf")) + ", r erf = " +
                                    Kurz(z.at("r_erf")) + ", t erf = " + Kurz(z.at("t_erf")) +
                                    " mm");
    }
    if (erf.empty()) {  // the note, for stresses only without its reason
      EXPECT_NE(z.at("Hinweise").find(lines.at(at++).substr(einzug.size())), std::string::npos);
    }
  }
}

TEST(BatchSolve, SmallestRadius) {
  const struct {
    Zeile fall;
    std::string r_erf;  // where known by hand, else empty
    std::string hinweis;
  } faelle[] = {
      // The yield increase factor steps from 1.15 to 1.1 as max(alpha,
      // beta) falls below 3: met only from r 0.14 to 0.52.
      {Fall("zwischen zwei Radien", {{"D", "80"},
                                     {"d", "76"},
                                     {"t", "2"},
                                     {"deff", "80"},
                                     {"r", "1"},
                                     {"Sigzdm", "0"},
                                     {"Sigzda", "0"},
                                     {"Tauta", "0"},
                                     {"Sigbm", "700"},
                                     {"Sigba", "40"},
                                     {"Tautm", "200"}}),
       "0.14", ""},
      {Fall("Vorgaben: schon erfuellt", {}), "", ""},
      {Fall("Rundnut", {{"Kerbfall", "1"},
                        {"D", "42"},
                        {"d", "39.5"},
                        {"t", "1.25"},
                        {"deff", "42"},
                        {"r", "0.2"},
                        {"Sigzdm", "0"},
                        {"Sigbm", "0"},
                        {"Sigzda", "0"},
                        {"Tauta", "0"},
                        {"Tautm", "60"},
                        {"Sigba", "98"}}),
       "", ""},
      {Fall("Mittelspannung ueber der Streckgrenze", {{"Sigzdm", "600"}}), "",
       "nicht erreichbar bis r = 5"},
      {Fall("Absatz flacher als das Raster", {{"t", "0.005"}, {"D", "40.01"}}), "",
       "nicht erreichbar bis r = 0.005"},
  };
  std::vector<Zeile> eingabe;
  for (const auto& f : faelle) eingabe.push_back(f.fall);
  const std::vector<Zeile> geloest = Batch({"--solve", "r"}, Csv(Spalten(false), eingabe));
  ASSERT_EQ(geloest.size(), std::size(faelle));
  PruefeTabelle("r", Csv(Spalten(false), eingabe), geloest);
  for (std::size_t i = 0; i < geloest.size(); ++i) {
    const Zeile& z = geloest[i];
    SCOPED_TRACE(z.at("Name"));
    if (!faelle[i].r_erf.empty()) {
      EXPECT_EQ(z.at("r_erf"), faelle[i].r_erf);
    }
    EXPECT_EQ(z.at("r_erf").empty(), !faelle[i].hinweis.empty());
    if (!faelle[i].hinweis.empty()) {
      EXPECT_NE(z.at("Hinweise").find(faelle[i].hinweis), std::string::npos) << z.at("Hinweise");
    }
    // Every grid value up to the answer, or up to the limit t (d/2 for the
    // groove), with r replaced.
    const double bis = z.at("r_erf").empty()
                           ? (z.at("Kerbfall") == "2" ? Wert(z.at("t")) : Wert(z.at("d")) / 2)
                           : Wert(z.at("r_erf"));
    std::vector<double> werte;
    for (long k = 1; k <= std::lround(std::floor(bis * 100 + 1e-6)); ++k)
      werte.push_back(k / 100.0);
    if (werte.empty()) {
      EXPECT_EQ(z.at("S_Dauerbruch_erf") + z.at("S_Fliessgrenze_erf"), "") << "no grid value";
    }
    PruefeGitter(z, "r_erf", AmGitter(faelle[i].fall, werte, false, [](Zeile& g, double r) {
                   g["r"] = Text(r);
                 }));
  }
  // Not monotonic: beyond 0.52 the first row no longer meets S_min, so a
  // bisection over 0.01 ... t would have missed the answer.
  Zeile z = faelle[0].fall;
  z["r"] = "0.53";
  EXPECT_EQ(Batch({}, Csv(Spalten(false), {z})).at(0).at("Nachweis"), "nicht erfuellt");
}

TEST(BatchSolve, SmallestSize) {
  // A bearing seat under rotating bending and torque, the stresses from
  // its loads.
  const Zeile lager{{"Sigzdm", ""}, {"Sigbm", ""}, {"Tautm", ""},  {"Sigzda", ""},
                    {"Sigba", ""},  {"Tauta", ""}, {"Mba", "450"}, {"Tm", "300"}};
  Zeile hohl = lager;
  hohl.insert_or_assign("di", "20");
  hohl.insert_or_assign("Hohlwelle", "1");
  Zeile gross = lager;
  gross.insert_or_assign("Mba", "2500");
  gross.insert_or_assign("Tm", "1500");
  Zeile fest = lager;  // a mean stress beyond the yield strength, given as such, stays
  fest.insert_or_assign("Sigzdm", "900");
  const struct {
    Zeile fall;
    int richtung;  // -1 shrinks, +1 grows, 0 not reachable or not searched
    std::string hinweis;
  } faelle[] = {
      {Fall("ueberdimensioniert", lager), -1, ""},
      {Fall("hohl", hohl), -1, ""},
      {Fall("unterdimensioniert", gross), +1, ""},
      {Fall("unerreichbar", fest), 0, "nicht erreichbar bis d = 200"},
      {Fall("nur Spannungen", {}), 0, "keine Auslegung von d: nur Spannungen gegeben"},
  };
  std::vector<Zeile> eingabe;
  for (const auto& f : faelle) eingabe.push_back(f.fall);
  const std::vector<Zeile> geloest = Batch({"--solve", "d"}, Csv(Spalten(true), eingabe));
  ASSERT_EQ(geloest.size(), std::size(faelle));
  PruefeTabelle("d", Csv(Spalten(true), eingabe), geloest);
  const char* const kGroessen[] = {"d_erf", "D_erf", "r_erf", "t_erf", "deff_erf", "di_erf"};
  for (std::size_t i = 0; i < geloest.size(); ++i) {
    const Zeile& z = geloest[i];
    const Zeile& fall = faelle[i].fall;
    SCOPED_TRACE(z.at("Name"));
    if (!faelle[i].hinweis.empty()) {
      EXPECT_NE(z.at("Hinweise").find(faelle[i].hinweis), std::string::npos) << z.at("Hinweise");
      for (const char* s : kGroessen) EXPECT_EQ(z.at(s), "") << s;
    }
    if (i + 1 == std::size(faelle)) {  // stresses only: nothing searched
      EXPECT_EQ(z.at("S_Dauerbruch_erf") + z.at("S_Fliessgrenze_erf"), "");
      continue;
    }
    const double d = Wert(fall.at("d"));
    if (faelle[i].richtung != 0) {
      EXPECT_EQ(Wert(z.at("d_erf")) < d, faelle[i].richtung < 0);
    }
    // Every grid value of d from 0.2 d up to the answer (or to 5 d), the
    // shape scaled by k = d_grid / d as the user scales it.
    const auto skaliere = [&](Zeile& g, double dg) {
      const double k = dg / d;
      g["d"] = Text(dg);
      for (const char* s : {"D", "r", "t", "deff"}) g[s] = Text(k * Wert(fall.at(s)));
      if (fall.count("di") != 0) g["di"] = Text(Wert(fall.at("di")) * k);
    };
    const double bis = z.at("d_erf").empty() ? 5 * d : Wert(z.at("d_erf"));
    std::vector<double> werte;
    for (long k = std::lround(std::ceil(2 * d - 1e-6)); k <= std::lround(bis * 10); ++k) {
      werte.push_back(k / 10.0);
    }
    const std::vector<Zeile> gitter = AmGitter(fall, werte, true, skaliere);
    PruefeGitter(z, "d_erf", gitter);
    if (!z.at("d_erf").empty()) {  // the sizes written are those checked again
      for (const char* s : {"D", "r", "t", "deff"}) {
        EXPECT_EQ(z.at(std::string(s) + "_erf"), gitter.back().at(s)) << s;
      }
    }
  }
}

}  // namespace
}  // namespace wellen
