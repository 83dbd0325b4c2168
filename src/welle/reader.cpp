#include "welle/reader.h"

#include <toml++/toml.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <map>
#include <span>

#include "calc/eingabewerte.h"
#include "format/number.h"

namespace wellen::welle {
namespace {

using namespace std::string_view_literals;

// ---------------------------------------------------------------------------
// The keys of each kind of table.

constexpr std::array kWelleKeys = {"name"sv,      "art"sv, "E"sv,   "deff"sv, "Rz"sv,
                                   "werkstoff"sv, "abschnitt"sv, "nut"sv, "lager"sv,
                                   "last"sv,      "lastfall"sv};
// The material and the choices of the check that the file may give; every
// other field of the input record follows from the shaft.
constexpr std::array kWerkstoffFelder = {"SigB"sv,   "SigS"sv,   "SigzdW"sv,           "SigbW"sv,
                                         "TautW"sv,  "K1Fall"sv, "harteRandschicht"sv, "KV"sv};
constexpr std::array kWerkstoffKeys = {"name"sv,   "SigB"sv,   "SigS"sv,   "SigzdW"sv,
                                       "SigbW"sv,  "TautW"sv,  "K1Fall"sv, "harteRandschicht"sv,
                                       "KV"sv};
constexpr std::array kAbschnittKeys = {"l"sv, "D"sv, "di"sv, "r"sv, "Rz"sv};
constexpr std::array kNutKeys = {"x"sv, "t"sv, "r"sv, "Rz"sv};
constexpr std::array kLagerKeys = {"x"sv, "art"sv};
constexpr std::array kLastfallKeys = {"name"sv, "last"sv};
constexpr std::array kLastKeys = {"x"sv,    "name"sv,  "Fx"sv,    "Fy"sv,    "Fz"sv,
                                  "Mby"sv,  "Mbz"sv,   "T"sv,     "Fx_a"sv,  "Fy_a"sv,
                                  "Fz_a"sv, "Mby_a"sv, "Mbz_a"sv, "T_a"sv};

// A load's values by their keys.
struct LastWert {
  std::string_view key;
  double Lastelement::*wert;
};
constexpr std::array<LastWert, 12> kLastWerte = {{
    {"Fx", &Lastelement::Fx},
    {"Fy", &Lastelement::Fy},
    {"Fz", &Lastelement::Fz},
    {"Mby", &Lastelement::Mby},
    {"Mbz", &Lastelement::Mbz},
    {"T", &Lastelement::T},
    {"Fx_a", &Lastelement::Fx_a},
    {"Fy_a", &Lastelement::Fy_a},
    {"Fz_a", &Lastelement::Fz_a},
    {"Mby_a", &Lastelement::Mby_a},
    {"Mbz_a", &Lastelement::Mbz_a},
    {"T_a", &Lastelement::T_a},
}};

// ---------------------------------------------------------------------------
// Words for messages.

std::size_t Abstand(std::string_view a, std::string_view b) {
  // Edit distance (Levenshtein), one row at a time.
  std::vector<std::size_t> row(b.size() + 1);
  for (std::size_t j = 0; j <= b.size(); ++j) row[j] = j;
  for (std::size_t i = 1; i <= a.size(); ++i) {
    std::size_t diagonal = row[0];
    row[0] = i;
    for (std::size_t j = 1; j <= b.size(); ++j) {
      const std::size_t above = row[j];
      row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
      diagonal = above;
    }
  }
  return row[b.size()];
}

char Klein(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

// The known key closest to `key`: the same but for case first, then one
// that begins with the other ("K1" for "K1Fall"), then the smallest edit
// distance, then the first in the list; all regardless of case.
std::string_view Naechster(std::string_view key, std::span<const std::string_view> known) {
  std::string lower(key.substr(0, 64));
  std::transform(lower.begin(), lower.end(), lower.begin(), Klein);
  std::string_view best = known.front();
  std::size_t best_distance = static_cast<std::size_t>(-1);
  for (const std::string_view candidate : known) {
    std::string candidate_lower(candidate);
    std::transform(candidate_lower.begin(), candidate_lower.end(), candidate_lower.begin(), Klein);
    const bool prefix = !lower.empty() && (candidate_lower.rfind(lower, 0) == 0 ||
                                           lower.rfind(candidate_lower, 0) == 0);
    std::size_t distance = 0;
    if (candidate_lower != lower) distance = prefix ? 1 : 2 + Abstand(lower, candidate_lower);
    if (distance < best_distance) {
      best = candidate;
      best_distance = distance;
    }
  }
  return best;
}

// A text from the file as a message quotes it: in double quotes, control
// characters escaped, cut after 40 characters.
std::string Zitat(std::string_view text) {
  constexpr std::size_t kShown = 40;
  std::string quoted = "\"";
  std::size_t shown = 0;
  for (const char ch : text) {
    const auto c = static_cast<unsigned char>(ch);
    if ((c & 0xC0) != 0x80 && shown++ == kShown) {
      quoted += "...";
      break;
    }
    if (c == '"' || c == '\\') {
      quoted += '\\';
      quoted += ch;
    } else if (c < 0x20 || c == 0x7F) {
      char escape[8];
      (void)std::snprintf(escape, sizeof escape, "\\x%02X", c);
      quoted += escape;
    } else {
      quoted += ch;
    }
  }
  return quoted + "\"";
}

std::string_view Typname(const toml::node& node) {
  switch (node.type()) {
    case toml::node_type::table: return "eine Tabelle";
    case toml::node_type::array: return "ein Feld";
    case toml::node_type::string: return "Text";
    case toml::node_type::integer: return "eine ganze Zahl";
    case toml::node_type::floating_point: return "eine Zahl";
    case toml::node_type::boolean: return "ein Wahrheitswert";
    case toml::node_type::date: return "ein Datum";
    case toml::node_type::time: return "eine Uhrzeit";
    case toml::node_type::date_time: return "ein Zeitpunkt";
    case toml::node_type::none: break;
  }
  return "nichts";
}

// ---------------------------------------------------------------------------

struct Ort {
  std::size_t zeile = 0;
  std::size_t spalte = 0;
};

Ort OrtVon(const toml::node& node) {
  const toml::source_position& begin = node.source().begin;
  return {begin.line, begin.column};
}

// An element of the shaft as it stands in the file: its name in messages
// ("abschnitt[2]", empty for the top level), where it starts, and where the
// value of each of its keys stands.
struct Element {
  std::string pfad;
  Ort ort;
  std::map<std::string, Ort, std::less<>> schluessel;

  std::string Pfad(std::string_view key) const {
    if (key.empty()) return pfad;
    return pfad.empty() ? std::string(key) : pfad + "." + std::string(key);
  }
  Ort OrtVon(std::string_view key) const {
    const auto found = schluessel.find(key);
    return found == schluessel.end() ? ort : found->second;
  }
};

class Leser {
 public:
  explicit Leser(std::vector<Dateifehler>& fehler) : fehler_(fehler) {}

  std::optional<Welle> Lies(std::string_view text) {
    toml::table root;
    try {
      root = toml::parse(text, "welle.toml"sv);
    } catch (const toml::parse_error& e) {
      const toml::source_position& at = e.source().begin;
      Melde({at.line, at.column}, "TOML-Syntaxfehler: " + std::string(e.description()));
      return std::nullopt;
    }

    Welle welle;
    LiesElement(root, kWelleKeys, welle_);
    Text(root, "name", welle_, welle.name);
    std::string art;
    if (Text(root, "art", welle_, art)) {
      if (art == "umlaufend") {
        welle.art = Wellenart::kUmlaufend;
      } else if (art == "stehend") {
        welle.art = Wellenart::kStehend;
      } else {
        Melde(welle_.OrtVon("art"), "art: " + Zitat(art) +
                                        " ist weder \"umlaufend\" (umlaufende Welle) noch "
                                        "\"stehend\" (stehende Welle oder Achse)");
      }
    }
    Zahl(root, "E", welle_, welle.E);
    double value = 0;
    if (Zahl(root, "deff", welle_, value)) welle.deff = value;
    if (Zahl(root, "Rz", welle_, value)) welle.Rz = value;
    LiesWerkstoff(root, welle);

    for (const auto& [t, i] : Tabellen(root, "abschnitt", welle_, abschnitte_, "abschnitt")) {
      Element& el = abschnitte_[i];
      Abschnitt& a = welle.abschnitte.emplace_back();
      LiesElement(*t, kAbschnittKeys, el);
      Pflicht(*t, "l", el, a.l);
      Pflicht(*t, "D", el, a.D);
      Zahl(*t, "di", el, a.di);
      if (Zahl(*t, "r", el, value)) a.r = value;
      if (Zahl(*t, "Rz", el, value)) a.Rz = value;
    }
    for (const auto& [t, i] : Tabellen(root, "nut", welle_, nuten_, "nut")) {
      Element& el = nuten_[i];
      Nut& n = welle.nuten.emplace_back();
      LiesElement(*t, kNutKeys, el);
      Pflicht(*t, "x", el, n.x);
      Pflicht(*t, "t", el, n.t);
      Pflicht(*t, "r", el, n.r);
      if (Zahl(*t, "Rz", el, value)) n.Rz = value;
    }
    for (const auto& [t, i] : Tabellen(root, "lager", welle_, lager_, "lager")) {
      Element& el = lager_[i];
      Lager& l = welle.lager.emplace_back();
      LiesElement(*t, kLagerKeys, el);
      Pflicht(*t, "x", el, l.x);
      if (t->get("art") == nullptr) {
        Melde(el.ort, el.pfad + ": Schl\u00fcssel art fehlt (\"fest\" oder \"los\")");
      } else if (Text(*t, "art", el, art)) {
        if (art == "fest") {
          l.art = Lagerart::kFest;
        } else if (art == "los") {
          l.art = Lagerart::kLos;
        } else {
          Melde(el.OrtVon("art"), el.Pfad("art") + ": " + Zitat(art) +
                                      " ist weder \"fest\" (Festlager) noch \"los\" (Loslager)");
        }
      }
    }
    LiesLastfaelle(root, welle);

    if (!fehler_.empty()) return std::nullopt;
    for (const Fehler& f : Pruefe(welle)) {
      // The key goes into the path unless the text names it first ("l nicht
      // positiv"), or it is not a key of the element (the sum of the T of a
      // load case).
      const Element& el = ElementVon(f);
      const bool named = f.text.rfind(f.schluessel + " ", 0) == 0;
      const std::string pfad =
          named || f.ort == Fehler::Ort::kLastfall ? el.pfad : el.Pfad(f.schluessel);
      Melde(el.OrtVon(f.schluessel), pfad.empty() ? f.text : pfad + ": " + f.text);
    }
    if (!fehler_.empty()) return std::nullopt;
    return welle;
  }

 private:
  void Melde(Ort ort, std::string text) {
    fehler_.push_back(Dateifehler{ort.zeile, ort.spalte, std::move(text)});
  }

  // Notes where each key's value stands, and reports the keys that `known`
  // does not list.
  void LiesElement(const toml::table& table, std::span<const std::string_view> known,
                   Element& el) {
    for (auto&& [key, node] : table) {
      const std::string_view name = key.str();
      el.schluessel.emplace(name, OrtVon(node));
      if (std::find(known.begin(), known.end(), name) == known.end()) {
        const toml::source_position& at = key.source().begin;
        Melde({at.line, at.column}, el.Pfad(name) + ": unbekannter Schl\u00fcssel; gemeint ist wohl " +
                                        std::string(Naechster(name, known)));
      }
    }
  }

  void FalscherTyp(const toml::node& node, const Element& el, std::string_view key,
                   std::string_view erwartet) {
    Melde(OrtVon(node), el.Pfad(key) + ": ist " + std::string(Typname(node)) + ", erwartet " +
                            std::string(erwartet));
  }

  // Reads an optional real. True if the key is there with a finite number.
  bool Zahl(const toml::table& table, std::string_view key, const Element& el, double& out) {
    const toml::node* node = table.get(key);
    if (node == nullptr) return false;
    double value = 0;
    if (const auto* i = node->as_integer()) {
      value = static_cast<double>(i->get());
    } else if (const auto* f = node->as_floating_point()) {
      value = f->get();
    } else {
      FalscherTyp(*node, el, key, "eine Zahl");
      return false;
    }
    if (!std::isfinite(value)) {
      Melde(OrtVon(*node),
            el.Pfad(key) + ": " + std::string(Number(value).text()) + " ist keine endliche Zahl");
      return false;
    }
    out = value;
    return true;
  }

  // Reads a real that must be there.
  void Pflicht(const toml::table& table, std::string_view key, const Element& el, double& out) {
    if (table.get(key) == nullptr) {
      Melde(el.ort, el.pfad + ": Schl\u00fcssel " + std::string(key) + " fehlt");
      return;
    }
    Zahl(table, key, el, out);
  }

  bool Text(const toml::table& table, std::string_view key, const Element& el, std::string& out) {
    const toml::node* node = table.get(key);
    if (node == nullptr) return false;
    if (const auto* s = node->as_string()) {
      out = s->get();
      return true;
    }
    FalscherTyp(*node, el, key, "Text in Anf\u00fchrungszeichen");
    return false;
  }

  // The tables of an array of tables `key` of `parent`, each with the index
  // of its element in `elements`, named "PFAD[1]", "PFAD[2]", ... A key that
  // is not such an array is reported and gives none.
  std::vector<std::pair<const toml::table*, std::size_t>> Tabellen(
      const toml::table& parent, std::string_view key, const Element& el,
      std::vector<Element>& elements, const std::string& pfad) {
    std::vector<std::pair<const toml::table*, std::size_t>> tables;
    const toml::node* node = parent.get(key);
    if (node == nullptr) return tables;
    const toml::array* array = node->as_array();
    if (array == nullptr) {
      FalscherTyp(*node, el, key,
                  "[[" + std::string(key) + "]], eine Folge von Tabellen");
      return tables;
    }
    std::size_t number = 0;
    for (const toml::node& item : *array) {
      ++number;
      const std::string name = pfad + "[" + std::to_string(number) + "]";
      const toml::table* table = item.as_table();
      if (table == nullptr) {
        Melde(OrtVon(item), name + ": ist " + std::string(Typname(item)) + ", erwartet eine Tabelle");
        continue;
      }
      tables.emplace_back(table, elements.size());
      elements.push_back(Element{name, OrtVon(item), {}});
    }
    return tables;
  }

  void LiesWerkstoff(const toml::table& root, Welle& welle) {
    std::vector<std::string> vorgabe;
    const toml::node* node = root.get("werkstoff");
    const toml::table* table = node == nullptr ? nullptr : node->as_table();
    if (node != nullptr && table == nullptr) {
      FalscherTyp(*node, welle_, "werkstoff", "eine Tabelle [werkstoff]");
      return;
    }
    werkstoff_ = Element{"werkstoff", node == nullptr ? Ort{} : OrtVon(*node), {}};
    if (table != nullptr) {
      LiesElement(*table, kWerkstoffKeys, werkstoff_);
      Text(*table, "name", werkstoff_, welle.werkstoff_name);
    }
    for (const Eingabefeld& feld : Eingabefelder()) {
      if (std::find(kWerkstoffFelder.begin(), kWerkstoffFelder.end(), feld.name) ==
          kWerkstoffFelder.end()) {
        continue;
      }
      const toml::node* value = table == nullptr ? nullptr : table->get(feld.name);
      if (value == nullptr) {
        vorgabe.push_back(std::string(feld.name) + " " +
                          std::string(feld.real != nullptr
                                          ? Number(welle.werkstoff.*(feld.real)).text()
                                          : Number(welle.werkstoff.*(feld.choice)).text()));
        continue;
      }
      if (feld.real != nullptr) {
        Zahl(*table, feld.name, werkstoff_, welle.werkstoff.*(feld.real));
        continue;
      }
      const auto* integer = value->as_integer();
      if (integer == nullptr) {
        FalscherTyp(*value, werkstoff_, feld.name, "eine ganze Zahl");
      } else if (integer->get() < feld.low || integer->get() > feld.high) {
        Melde(OrtVon(*value), werkstoff_.Pfad(feld.name) + ": " + std::to_string(integer->get()) +
                                  " liegt nicht zwischen " + std::to_string(feld.low) + " und " +
                                  std::to_string(feld.high));
      } else {
        welle.werkstoff.*(feld.choice) = static_cast<int>(integer->get());
      }
    }
    if (vorgabe.empty()) return;
    std::string note = vorgabe.size() == 1 ? "Vorgabewert verwendet: " : "Vorgabewerte verwendet: ";
    for (std::size_t i = 0; i < vorgabe.size(); ++i) {
      if (i > 0) note += ", ";
      note += vorgabe[i];
    }
    welle.hinweise.push_back(std::move(note));
  }

  void LiesLasten(const toml::table& parent, const Element& el, std::string_view pfad,
                  Lastfall& lastfall) {
    std::vector<Element>& elemente = lasten_.back();
    for (const auto& [t, i] : Tabellen(parent, "last", el, elemente, std::string(pfad))) {
      Element& le = elemente[i];
      Lastelement& last = lastfall.lasten.emplace_back();
      LiesElement(*t, kLastKeys, le);
      Pflicht(*t, "x", le, last.x);
      Text(*t, "name", le, last.name);
      for (const LastWert& w : kLastWerte) Zahl(*t, w.key, le, last.*(w.wert));
    }
  }

  void LiesLastfaelle(const toml::table& root, Welle& welle) {
    const toml::node* einzeln = root.get("last");
    const toml::node* faelle = root.get("lastfall");
    if (einzeln != nullptr && faelle != nullptr) {
      const Ort a = OrtVon(*einzeln);
      const Ort b = OrtVon(*faelle);
      const bool last_later = std::tie(a.zeile, a.spalte) > std::tie(b.zeile, b.spalte);
      Melde(last_later ? a : b,
            std::string(last_later ? "last" : "lastfall") +
                ": entweder [[last]] f\u00fcr einen einzigen Lastfall oder [[lastfall]] mit "
                "[[lastfall.last]], nicht beides");
      return;
    }
    if (einzeln != nullptr) {
      // The loads of the one load case stand at the top level.
      lastfaelle_.push_back(Element{"last", OrtVon(*einzeln), {}});
      lasten_.emplace_back();
      Lastfall& lastfall = welle.lastfaelle.emplace_back();
      lastfall.name = "Lastfall 1";
      LiesLasten(root, welle_, "last", lastfall);
      return;
    }
    for (const auto& [t, i] : Tabellen(root, "lastfall", welle_, lastfaelle_, "lastfall")) {
      const Element& el = lastfaelle_[i];
      lasten_.emplace_back();
      Lastfall& lastfall = welle.lastfaelle.emplace_back();
      LiesElement(*t, kLastfallKeys, lastfaelle_[i]);
      Text(*t, "name", el, lastfall.name);
      if (lastfall.name.empty()) lastfall.name = "Lastfall " + std::to_string(i + 1);
      LiesLasten(*t, el, el.pfad + ".last", lastfall);
    }
  }

  // The element of the file that a fault of the model's check concerns.
  const Element& ElementVon(const Fehler& f) const {
    const auto in = [&](const std::vector<Element>& elements) -> const Element& {
      return f.index < elements.size() ? elements[f.index] : welle_;
    };
    switch (f.ort) {
      case Fehler::Ort::kWelle: break;
      case Fehler::Ort::kAbschnitt: return in(abschnitte_);
      case Fehler::Ort::kNut: return in(nuten_);
      case Fehler::Ort::kLager: return in(lager_);
      case Fehler::Ort::kLastfall: return in(lastfaelle_);
      case Fehler::Ort::kWerkstoff: return werkstoff_;
      case Fehler::Ort::kLast:
        if (f.lastfall < lasten_.size()) {
          const std::vector<Element>& lasten = lasten_[f.lastfall];
          if (f.index < lasten.size()) return lasten[f.index];
        }
        return f.lastfall < lastfaelle_.size() ? lastfaelle_[f.lastfall] : welle_;
    }
    return welle_;
  }

  std::vector<Dateifehler>& fehler_;
  Element welle_;
  Element werkstoff_;
  std::vector<Element> abschnitte_, nuten_, lager_, lastfaelle_;
  std::vector<std::vector<Element>> lasten_;  // per load case
};

}  // namespace

std::optional<Welle> LeseWelle(std::string_view text, std::vector<Dateifehler>& fehler) {
  fehler.clear();
  Leser leser(fehler);
  std::optional<Welle> welle = leser.Lies(text);
  // In the order of the file; faults of the file as a whole first.
  std::stable_sort(fehler.begin(), fehler.end(), [](const Dateifehler& a, const Dateifehler& b) {
    return std::tie(a.zeile, a.spalte) < std::tie(b.zeile, b.spalte);
  });
  return welle;
}

std::vector<std::string> Schluessel() {
  std::vector<std::string> keys;
  const auto add = [&](std::string_view prefix, std::span<const std::string_view> names) {
    for (const std::string_view name : names) {
      if (name == "werkstoff" || name == "abschnitt" || name == "nut" || name == "lager" ||
          name == "last" || name == "lastfall") {
        continue;  // tables, listed by their keys
      }
      keys.push_back(std::string(prefix) + std::string(name));
    }
  };
  add("", kWelleKeys);
  add("werkstoff.", kWerkstoffKeys);
  add("abschnitt.", kAbschnittKeys);
  add("nut.", kNutKeys);
  add("lager.", kLagerKeys);
  add("lastfall.", kLastfallKeys);
  add("lastfall.last.", kLastKeys);
  return keys;
}

std::string Meldungstext(std::string_view datei, const Dateifehler& fehler) {
  std::string text(datei);
  if (fehler.zeile > 0) {
    text += ":" + std::to_string(fehler.zeile) + ":" + std::to_string(fehler.spalte);
  }
  return text + ": " + fehler.text;
}

}  // namespace wellen::welle
