#include "report/report.h"

#include <utility>

#include "calc/hinweise.h"
#include "calc/urteil.h"
#include "report/abschnitt.h"
#include "report/zahl.h"

namespace wellen::report {
namespace {

std::string Anker(std::size_t nummer) { return "fall-" + Zahl(nummer); }

// A safety factor in the summary, marked where it is invalid.
std::string Faktorzelle(const Faktorurteil& f) {
  std::string html = "<td class=\"z\">" + Zahl(f.wert);
  if (f.bewertung == Bewertung::kUngueltig) html += "<br><span class=\"klein\">ungültig</span>";
  return html + "</td>";
}

}  // namespace

Report::Spool::Spool() : datei_(std::tmpfile()) {}

Report::Spool::~Spool() {
  if (datei_ != nullptr) static_cast<void>(std::fclose(datei_));
}

void Report::Spool::Append(std::string_view text) {
  if (datei_ == nullptr) {
    speicher_ += text;
  } else if (std::fwrite(text.data(), 1, text.size(), datei_) != text.size()) {
    fehler_ = true;
  }
}

bool Report::Spool::Replay(const Sink& sink) {
  if (datei_ == nullptr) return sink(speicher_);
  if (fehler_ || std::fflush(datei_) != 0 || std::fseek(datei_, 0, SEEK_SET) != 0) return false;
  char puffer[1 << 16];
  bool gut = true;
  while (gut) {
    const std::size_t n = std::fread(puffer, 1, sizeof puffer, datei_);
    if (n > 0) gut = sink(std::string_view(puffer, n));
    if (n < sizeof puffer) break;
  }
  gut = gut && std::ferror(datei_) == 0;
  // Later rows go on at the end.
  return std::fseek(datei_, 0, SEEK_END) == 0 && gut;
}

Report::Report(std::vector<std::string> dateien, double smin, Titelangaben titel,
               std::size_t volle_abschnitte)
    : dateien_(std::move(dateien)),
      smin_(smin),
      titel_(std::move(titel)),
      volle_abschnitte_(volle_abschnitte) {}

Report::~Report() = default;

void Report::Add(const Fall& fall) { Add(fall, Hinweise(fall.e, fall.n, fall.lasten)); }

void Report::Add(const Fall& fall, const std::vector<std::string>& hinweise,
                 const Loesung* loesung) {
  ++faelle_;
  const Urteil u = Beurteile(fall.e, fall.n, smin_);
  if (u.erfuellt) ++erfuellt_;
  const bool voll = faelle_ <= volle_abschnitte_;
  if (voll) {
    volle_.push_back(
        Voll{fall, hinweise, loesung != nullptr ? std::optional<Loesung>(*loesung) : std::nullopt});
  }

  std::string html = "<tr><td class=\"z\">";
  html += voll ? "<a href=\"#" + Anker(faelle_) + "\">" + Zahl(faelle_) + "</a>" : Zahl(faelle_);
  html += "</td>";
  if (dateien_.size() > 1) html += "<td>" + DateiName(fall.datei) + "</td>";
  html += "<td class=\"z\">" + Zahl(fall.zeile) + "</td><td class=\"name\">" + Html(fall.name);
  if (!fall.werkstoff.empty()) html += "<br><span class=\"klein\">" + Html(fall.werkstoff) + "</span>";
  html += "</td><td class=\"kerbfall\">" + Zahl(fall.e.Kerbfall) + " " +
          std::string(KerbfallName(fall.e.Kerbfall)) + "</td><td class=\"z\">" + Zahl(fall.e.d) +
          "</td>" + Faktorzelle(u.dauerbruch) + Faktorzelle(u.fliessgrenze) + "<td class=\"" +
          (u.erfuellt ? "ok\">erfüllt" : "nicht\">nicht erfüllt");
  if (loesung != nullptr)
    html += "<br><span class=\"klein\">" + Auslegungskurz(*loesung) + "</span>";
  html += "</td><td class=\"z\">" + Zahl(hinweise.size()) + "</td></tr>\n";
  zusammenfassung_.Append(html);
}

void Report::Refuse(std::string_view datei, std::size_t zeile, std::string_view meldung) {
  ++abgewiesen_;
  abweisungen_.Append("<tr><td>" + DateiName(datei) + "</td><td class=\"z\">" + Zahl(zeile) +
                      "</td><td>" + MitKomma(Html(meldung)) + "</td></tr>\n");
}

bool Report::Write(const Sink& sink) {
  std::string zeilen = "<tr><th>Eingabedateien</th><td>";
  for (std::size_t i = 0; i < dateien_.size(); ++i) {
    if (i > 0) zeilen += ", ";
    zeilen += DateiName(dateien_[i]);
  }
  zeilen += "</td></tr>\n<tr><th>Fälle</th><td>" + Zahl(faelle_) + " berechnet, davon " +
            Zahl(erfuellt_) + " erfüllt und " + Zahl(faelle_ - erfuellt_) + " nicht erfüllt; " +
            Zahl(abgewiesen_) + (abgewiesen_ == 1 ? " Zeile" : " Zeilen") +
            " abgewiesen</td></tr>\n";
  zeilen += "<tr><th>Mindestsicherheit</th><td>S<sub>min</sub> = " + Zahl(smin_) + "</td></tr>\n";
  std::string html = Dokumentanfang(titel_) + Titelblock(titel_, zeilen);
  html += std::string(Geltungsbereich()) + std::string(Verfahren());

  html += "<h2>Übersicht</h2>\n";
  if (faelle_ > volle_abschnitte_) {
    html += "<p>Die Übersicht nennt alle " + Zahl(faelle_) +
            " Fälle; ausführlich dargestellt sind nur die ersten " + Zahl(volle_abschnitte_) +
            ".</p>\n";
  }
  html += "<table class=\"liste\">\n<thead><tr><th class=\"z\">Fall</th>";
  if (dateien_.size() > 1) html += "<th>Datei</th>";
  html +=
      "<th class=\"z\">Zeile</th><th>Name</th><th>Kerbfall</th><th class=\"z\">d in mm</th>"
      "<th class=\"z\">S Dauerbruch</th><th class=\"z\">S Fließgrenze</th><th>Nachweis</th>"
      "<th class=\"z\">Hinweise</th></tr></thead>\n<tbody>\n";
  if (!sink(html)) return false;
  if (faelle_ == 0) {
    const std::size_t spalten = dateien_.size() > 1 ? 10 : 9;
    if (!sink("<tr><td colspan=\"" + Zahl(spalten) + "\">Kein Fall berechnet.</td></tr>\n")) {
      return false;
    }
  }
  if (!zusammenfassung_.Replay(sink)) return false;
  if (!sink("</tbody>\n</table>\n<h2>Abgewiesene Zeilen</h2>\n")) return false;
  if (abgewiesen_ == 0) {
    if (!sink("<p>Keine Zeile abgewiesen.</p>\n")) return false;
  } else {
    if (!sink("<table class=\"liste\">\n<thead><tr><th>Datei</th><th class=\"z\">Zeile</th>"
              "<th>Meldung</th></tr></thead>\n<tbody>\n") ||
        !abweisungen_.Replay(sink) || !sink("</tbody>\n</table>\n")) {
      return false;
    }
  }
  if (!sink("<h2>Freigabe</h2>\n" + Freigabe(titel_))) return false;

  for (std::size_t i = 0; i < volle_.size(); ++i) {
    const Voll& v = volle_[i];
    const std::size_t nummer = i + 1;
    if (!sink(Fallabschnitt(v.fall, smin_, v.hinweise, Anker(nummer), "Fall " + Zahl(nummer),
                            v.loesung ? &*v.loesung : nullptr))) {
      return false;
    }
  }
  return sink(Dokumentende());
}

bool Report::Write(std::FILE* out) {
  const bool gut = Write([out](std::string_view text) {
    return std::fwrite(text.data(), 1, text.size(), out) == text.size();
  });
  return std::fflush(out) == 0 && gut;
}

}  // namespace wellen::report
