#include "welle/run.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <initializer_list>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "companion/output.h"
#include "companion/progress.h"
#include "format/number.h"
#include "report/wellenbericht.h"
#include "statik/statik.h"
#include "statik/wellenauslegung.h"
#include "welle/options.h"
#include "welle/reader.h"
#include "welle/schreiber.h"
#include "welle/template.h"
#include "welle/writers.h"
#include "wellen743/version.h"

namespace wellen::welle {
namespace {

constexpr int kAllMet = 0;
constexpr int kNotAllMet = 1;
constexpr int kFailed = 2;

// A shaft file is a few kilobytes; anything far beyond is not one.
constexpr std::size_t kMaxFile = std::size_t{16} << 20;
// Faults reported of one file; the rest are counted.
constexpr std::size_t kMaxMessages = 30;

// Reads the whole file (standard input for "-"). On failure returns nothing
// and sets `error`.
std::optional<std::string> ReadFile(const std::string& file, std::string& error) {
  int fd = STDIN_FILENO;
  if (file != "-") {
    fd = open(file.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
      error = file + ": kann nicht gelesen werden: " + Systemfehler(errno);
      return std::nullopt;
    }
  }
  std::string text;
  char buffer[1 << 16];
  for (;;) {
    const ssize_t n = read(fd, buffer, sizeof buffer);
    if (n == 0) break;
    if (n < 0) {
      if (errno == EINTR) continue;
      error = file + ": kann nicht gelesen werden: " + Systemfehler(errno);
      break;
    }
    if (text.size() + static_cast<std::size_t>(n) > kMaxFile) {
      error = file + ": gr\u00f6\u00dfer als 16 MiB; das ist keine Wellenbeschreibung";
      break;
    }
    text.append(buffer, static_cast<std::size_t>(n));
  }
  if (fd != STDIN_FILENO) close(fd);
  if (!error.empty()) return std::nullopt;
  return text;
}

bool IsRegular(const std::string& path) {
  struct stat st {};
  return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

// True if `path` is a regular file that `other` also names (or that
// standard input reads, for "-").
bool SameFile(const std::string& path, const std::string& other) {
  if (!IsRegular(path)) return false;
  const auto target = IdOfPath(path);
  return target && (other == "-" ? IdOfFd(STDIN_FILENO) : IdOfPath(other)) == target;
}

// An output file of the run, its role in messages, and the article it
// takes after "zugleich" ("die Ausgabedatei", "der Bericht").
struct Ziel {
  const std::optional<std::string>& pfad;
  std::string_view rolle;
  std::string_view artikel = "die";
};

// Opens an output file of the run: never over the shaft file, and never
// over the file of another output (`others`).
std::unique_ptr<Ausgabe> Open(const std::string& path, std::string_view role,
                              const Options& options, std::initializer_list<Ziel> others) {
  if (!options.file.empty() && SameFile(path, options.file)) {
    Meldung(std::string(role) + " " + path +
            " ist zugleich die Datei der Welle; sie wird nicht \u00fcberschrieben");
    return nullptr;
  }
  const auto gleich = std::find_if(others.begin(), others.end(), [&](const Ziel& other) {
    return other.pfad && SameOutputFile(path, *other.pfad);
  });
  if (gleich != others.end()) {
    Meldung(std::string(role) + " " + path + " ist zugleich " + std::string(gleich->artikel) + " " +
            std::string(gleich->rolle));
    return nullptr;
  }
  std::string error;
  std::unique_ptr<Ausgabe> out = Ausgabe::Open(path, role, error);
  if (!out) Meldung(error);
  return out;
}

int WriteTemplate(const Options& options) {
  std::unique_ptr<Ausgabe> out = std::make_unique<Ausgabe>();
  if (options.output) {
    out = Open(*options.output, "Ausgabedatei", options, {});
    if (!out) return kFailed;
  }
  out->Write(Vorlage());
  if (!out->Commit() && !out->Closed()) {
    Meldung(out->error());
    return kFailed;
  }
  return kAllMet;
}

// The report of the computed shaft, with the title data of the command line.
void SchreibeBericht(const Welle& welle, const Wellenergebnis& ergebnis, const Geloest& geloest,
                     const Options& options, Ausgabe& out) {
  report::Wellenquelle quelle{options.file, {}};
  if (geloest.radien) quelle.radien = &*geloest.radien;
  if (geloest.groesse) quelle.groesse = &*geloest.groesse;
  for (const Stelle& stelle : ergebnis.stellen) {
    quelle.stellennamen.push_back(Bezeichnung(welle, stelle));
  }
  const report::Titelangaben titel{
      "wellen743-welle",    WELLEN743_VERSION_STRING, options.titel.title, options.titel.project,
      options.titel.author, options.titel.drawing,    options.titel.date};
  report::SchreibeWellenbericht(welle, ergebnis, quelle, options.smin, titel,
                                [&](std::string_view text) {
                                  out.Write(text);
                                  return !out.Failed();
                                });
}

// The comment at the top of the resized shaft's file.
std::string Kopf(const Options& options, const Groessenauslegung& g) {
  return "Ge\u00e4nderte Welle von wellen743-welle --solve d aus " +
         (options.file == "-" ? std::string("der Standardeingabe") : options.file) +
         ":\nalle Durchmesser, Bohrungen, Radien, Nuttiefen und deff mal k = " +
         std::string(Number(g.k).text()) + " (gr\u00f6\u00dfter Au\u00dfendurchmesser " +
         std::string(Number(g.D_max).text()) + " -> " + std::string(Number(g.wert).text()) +
         " mm),\nkleinste Gr\u00f6\u00dfe, mit der jede Stelle in jedem Lastfall S_min " +
         std::string(Number(options.smin).text()) + " erf\u00fcllt.";
}

int Compute(const Options& options) {
  std::string error;
  const std::optional<std::string> text = ReadFile(options.file, error);
  if (!text) {
    Meldung(error);
    return kFailed;
  }
  std::vector<Dateifehler> fehler;
  const std::optional<Welle> welle = LeseWelle(*text, fehler);
  if (!welle) {
    for (std::size_t i = 0; i < fehler.size() && i < kMaxMessages; ++i) {
      Meldung(Meldungstext(options.file, fehler[i]));
    }
    if (fehler.size() > kMaxMessages) {
      Meldung(options.file + ": " + std::to_string(fehler.size() - kMaxMessages) +
              " weitere Fehler");
    }
    return kFailed;
  }

  const Ziel ausgabedatei{options.output, "Ausgabedatei"};
  const Ziel verlaufsdatei{options.curves, "Verlaufsdatei"};
  const Ziel wellendatei{options.resized, "Datei der ge\u00e4nderten Welle"};
  const Ziel berichtsdatei{options.report, "Bericht", "der"};
  std::unique_ptr<Ausgabe> out = std::make_unique<Ausgabe>();
  if (options.output) {
    out = Open(*options.output, ausgabedatei.rolle, options,
               {verlaufsdatei, wellendatei, berichtsdatei});
    if (!out) return kFailed;
  }
  std::unique_ptr<Ausgabe> curves;
  if (options.curves) {
    curves = Open(*options.curves, verlaufsdatei.rolle, options,
                  {ausgabedatei, wellendatei, berichtsdatei});
    if (!curves) {
      out->Abandon();
      return kFailed;
    }
  }
  std::unique_ptr<Ausgabe> bericht;
  if (options.report) {
    bericht = Open(*options.report, berichtsdatei.rolle, options,
                   {ausgabedatei, verlaufsdatei, wellendatei});
    if (!bericht) {
      if (curves) curves->Abandon();
      out->Abandon();
      return kFailed;
    }
  }

  const Wellenergebnis ergebnis = Berechne(*welle);
  Geloest geloest;
  if (options.solve == Solve::kRadius) geloest.radien = KleinsteRadien(*welle, options.smin);
  if (options.solve == Solve::kDurchmesser) {
    geloest.groesse = KleinsterGemeinsamerFaktor(*welle, options.smin);
  }

  // The resized shaft is written only where it meets S_min: a file of a
  // shaft that does not would be mistaken for the answer.
  std::unique_ptr<Ausgabe> resized;
  if (options.resized && geloest.groesse && geloest.groesse->erreicht) {
    resized = Open(*options.resized, wellendatei.rolle, options,
                   {ausgabedatei, verlaufsdatei, berichtsdatei});
    if (!resized) {
      out->Abandon();
      if (curves) curves->Abandon();
      if (bericht) bericht->Abandon();
      return kFailed;
    }
    resized->Write(Wellendatei(geloest.groesse->welle, Kopf(options, *geloest.groesse)));
  }

  const Format format = options.format.value_or(out->Terminal() ? Format::kTable : Format::kCsv);
  switch (format) {
    case Format::kCsv:
      SchreibeCsv(*welle, ergebnis, geloest, options.file, options.smin, options.dialekt, *out);
      break;
    case Format::kJson:
      SchreibeJson(*welle, ergebnis, geloest, options.file, options.smin, *out);
      break;
    case Format::kTable:
      SchreibeTabelle(*welle, ergebnis, geloest, options.file, options.smin, *out);
      break;
  }
  if (curves) SchreibeKurven(*welle, options.dialekt, *curves);
  if (bericht) SchreibeBericht(*welle, ergebnis, geloest, options, *bericht);

  // Every output complete before any replaces its file; the files first,
  // so that results bound for standard output, which cannot be taken back,
  // are held while the others may still fail.
  std::vector<Ausgabe*> ausgaben;
  if (curves) ausgaben.push_back(curves.get());
  if (resized) ausgaben.push_back(resized.get());
  if (bericht) ausgaben.push_back(bericht.get());
  ausgaben.push_back(out.get());
  const auto fail = [&](const Ausgabe* failed) {
    Meldung(failed->error());
    for (Ausgabe* a : ausgaben) a->Abandon();
    return kFailed;
  };
  const auto failed = std::find_if(ausgaben.begin(), ausgaben.end(), [](Ausgabe* a) {
    a->Flush();
    return a->Failed();
  });
  if (failed != ausgaben.end()) return fail(*failed);
  const auto uncommitted = std::find_if(ausgaben.begin(), ausgaben.end(),
                                        [](Ausgabe* a) { return !a->Commit() && !a->Closed(); });
  if (uncommitted != ausgaben.end()) return fail(*uncommitted);

  // The table shows the shaft's notes; in a file they stand in every row,
  // and once here, where they are seen (a shaft without a notch has no rows).
  if (format != Format::kTable && !options.quiet) {
    for (const std::string& hinweis : welle->hinweise) {
      Meldung(options.file + ": Hinweis: " + hinweis);
    }
  }
  if (options.resized && !resized) {
    Meldung(*options.resized + ": nicht geschrieben: keine Gr\u00f6\u00dfe bis D_max = " +
            std::string(Number(geloest.groesse->bis).text()) +
            " mm erf\u00fcllt S_min an jeder Stelle in jedem Lastfall");
  }
  return AlleErfuellt(ergebnis, options.smin) ? kAllMet : kNotAllMet;
}

}  // namespace

int Run(int argc, const char* const* argv) {
  // A reader that goes away shows as EPIPE from write(), and ends the run
  // quietly.
  (void)std::signal(SIGPIPE, SIG_IGN);
  Programmname("wellen743-welle");
  const ParsedCommandLine parsed = ParseCommandLine(argc, argv);
  if (parsed.abbruch) return Abbrechen(*parsed.abbruch);
  if (parsed.options.templ) return WriteTemplate(parsed.options);
  return Compute(parsed.options);
}

}  // namespace wellen::welle
