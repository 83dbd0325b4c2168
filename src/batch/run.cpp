#include "batch/run.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "batch/columns.h"
#include "batch/convert.h"
#include "batch/csv_reader.h"
#include "batch/encoding.h"
#include "batch/options.h"
#include "batch/writers.h"
#include "calc/auslegung.h"
#include "calc/hinweise.h"
#include "calc/urteil.h"
#include "companion/output.h"
#include "companion/progress.h"
#include "report/report.h"
#include "wellen743/version.h"

namespace wellen::batch {
namespace {

constexpr int kAllComputed = 0;
constexpr int kRowsRefused = 1;
constexpr int kFailed = 2;

// Where a message about a file points: "FILE:LINE" or "FILE".
std::string Where(const std::string& file, std::size_t line = 0) {
  return line == 0 ? file : file + ":" + std::to_string(line);
}

// Where an error the CSV reader reports lies: its line, or the whole file.
std::string Where(const std::string& file, const CsvReader& reader) {
  const bool whole_file =
      reader.error() == CsvError::kEmptyInput || reader.error() == CsvError::kReadError;
  return Where(file, whole_file ? 0 : reader.error_line());
}

// The message for an error the CSV reader reports.
std::string ReaderError(const CsvReader& reader) {
  switch (reader.error()) {
    case CsvError::kTextAfterQuote: return "Text nach dem schlie\u00dfenden Anf\u00fchrungszeichen";
    case CsvError::kRecordTooLong: return "Zeile l\u00e4nger als 1 MiB";
    case CsvError::kUnterminatedQuote: return "Anf\u00fchrungszeichen wird nicht geschlossen";
    case CsvError::kEmptyInput: return "Datei ist leer: keine Kopfzeile";
    case CsvError::kReadError: return "Lesefehler: " + Systemfehler(reader.error_number());
    case CsvError::kNone: break;
  }
  return "Fehler";
}

// A signal that ends the program takes the progress line off the screen
// first, then goes on to what was there before it (the output's handler that
// removes its temporary file, or the default action).
constexpr int kEndingSignals[] = {SIGINT, SIGTERM, SIGHUP};
struct sigaction g_before[std::size(kEndingSignals)];

void ClearProgressAndEnd(int sig) {
  static constexpr char kClear[] = "\r\x1b[K";
  const ssize_t written = ::write(STDERR_FILENO, kClear, sizeof kClear - 1);
  (void)written;
  for (std::size_t i = 0; i < std::size(kEndingSignals); ++i) {
    if (kEndingSignals[i] != sig) continue;
    const auto before = g_before[i].sa_handler;
    if (before != SIG_DFL && before != SIG_IGN) {
      before(sig);
      return;
    }
  }
  (void)std::signal(sig, SIG_DFL);
  (void)std::raise(sig);
}

void ClearProgressOnSignals() {
  for (std::size_t i = 0; i < std::size(kEndingSignals); ++i) {
    sigaction(kEndingSignals[i], nullptr, &g_before[i]);
    if (g_before[i].sa_handler == SIG_IGN) continue;  // as under nohup: stays ignored
    struct sigaction action {};
    action.sa_handler = ClearProgressAndEnd;
    sigemptyset(&action.sa_mask);
    sigaction(kEndingSignals[i], &action, nullptr);
  }
}

class BatchRun {
 public:
  explicit BatchRun(const Options& options) : options_(options) {}

  int Go() {
    if (!OpenOutput() || !OpenReport()) return kFailed;
    const Format format =
        options_.format.value_or(out_->Terminal() ? Format::kTable : Format::kCsv);
    writer_ = MakeSchreiber(format, options_.smin, options_.solve, *out_);
    // On a terminal that shows the table itself, a progress line would only
    // get in its way.
    progress_ = std::make_unique<Fortschritt>(!options_.quiet && !out_->Terminal());
    if (progress_->shown()) ClearProgressOnSignals();

    for (const std::string& file : options_.files) {
      if (!ReadFile(file)) {
        progress_->Clear();
        out_->Flush();
        out_->Abandon();
        if (report_out_) report_out_->Abandon();  // a failed run writes no report
        return kFailed;
      }
      if (out_->Closed()) break;  // the reader went away: end quietly
    }
    if (!begun_) Begin(Dialekt{}, {});
    writer_->End(bilanz_);
    progress_->Clear();
    out_->Flush();
    if (out_->Closed()) {
      // The reader went away before the end: the report would cover only
      // part of the cases, so there is none.
      if (report_out_) report_out_->Abandon();
      out_->Commit();
      return bilanz_.refused > 0 ? kRowsRefused : kAllComputed;
    }
    // The report is complete before the -o file replaces its target, so
    // that a report that cannot be written leaves the old results in place.
    if (out_->Failed() || (report_ && !WriteReport())) {
      if (out_->Failed()) Meldung(out_->error());
      out_->Abandon();
      if (report_out_) report_out_->Abandon();
      return kFailed;
    }
    if (!out_->Commit()) {
      Meldung(out_->error());
      if (report_out_) report_out_->Abandon();
      return kFailed;
    }
    if (report_out_ && !report_out_->Commit()) {
      Meldung(report_out_->error());
      return kFailed;
    }
    return bilanz_.refused > 0 ? kRowsRefused : kAllComputed;
  }

 private:
  bool OpenOutput() {
    if (!options_.output) {
      out_ = std::make_unique<Ausgabe>();
      return true;
    }
    const std::string& path = *options_.output;
    if (IsAnInput(path)) {
      Meldung("Ausgabedatei " + path +
              " ist zugleich Eingabedatei; sie wird nicht \u00fcberschrieben");
      return false;
    }
    std::string error;
    out_ = Ausgabe::Open(path, "Ausgabedatei", error);
    if (!out_) {
      Meldung(error);
      return false;
    }
    return true;
  }

  // The report file: like -o, never over an input, and not the -o file.
  bool OpenReport() {
    if (!options_.report) return true;
    const std::string& path = *options_.report;
    if (IsAnInput(path)) {
      Meldung("Bericht " + path + " ist zugleich Eingabedatei; sie wird nicht \u00fcberschrieben");
      return false;
    }
    if (options_.output && SameOutputFile(path, *options_.output)) {
      Meldung("Bericht " + path + " ist zugleich die Ausgabedatei");
      return false;
    }
    std::string error;
    report_out_ = Ausgabe::Open(path, "Bericht", error);
    if (!report_out_) {
      Meldung(error);
      return false;
    }
    report_ = std::make_unique<report::Report>(
        options_.files, options_.smin,
        report::Titelangaben{"wellen743-batch", WELLEN743_VERSION_STRING, options_.titel.title,
                             options_.titel.project, options_.titel.author, options_.titel.drawing,
                             options_.titel.date});
    return true;
  }

  // Writes the whole report into its file, not yet renamed into place.
  bool WriteReport() {
    const bool written = report_->Write([&](std::string_view text) {
      report_out_->Write(text);
      return !report_out_->Failed();
    });
    if (written) report_out_->Flush();
    if (!written || report_out_->Failed()) {
      Meldung(report_out_->Failed() ? report_out_->error()
                                    : "Bericht " + *options_.report + ": nicht vollst\u00e4ndig");
      return false;
    }
    return true;
  }

  // True if `path` is a regular file that one of the inputs also names (or
  // that standard input reads): writing there would destroy the input.
  bool IsAnInput(const std::string& path) const {
    const auto target = IdOfPath(path);
    if (!target || !IsRegular(path)) return false;
    return std::any_of(options_.files.begin(), options_.files.end(), [&](const std::string& file) {
      return (file == "-" ? IdOfFd(STDIN_FILENO) : IdOfPath(file)) == target;
    });
  }

  static bool IsRegular(const std::string& path) {
    struct stat st {};
    return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
  }

  void Begin(const Dialekt& dialekt, const std::vector<std::string>& zusatz) {
    begun_ = true;
    zusatz_names_ = zusatz;
    zusatz_.resize(zusatz.size());
    writer_->Begin(dialekt, zusatz_names_);
  }

  // Where each extra column of a file goes among the output's, which the
  // first file named. False, with a message, for one the output lacks.
  bool PlaceExtras(const std::string& file, std::size_t line, const Kopf& kopf) {
    zusatz_slot_.clear();
    for (const std::string& name : kopf.extras()) {
      const auto at = std::find(zusatz_names_.begin(), zusatz_names_.end(), name);
      if (at == zusatz_names_.end()) {
        Meldung(Where(file, line) + ": Spalte " + QuoteCell(name) +
                    " steht nicht in der ersten Datei; die Ausgabe hat nur deren Spalten",
                progress_.get());
        return false;
      }
      zusatz_slot_.push_back(static_cast<std::size_t>(at - zusatz_names_.begin()));
    }
    return true;
  }

  // Says once per file that it is read as Windows-1252.
  void AnnounceEncoding(const std::string& file, Kodierung kodierung) {
    if (kodierung != Kodierung::kWindows1252 || announced_) return;
    announced_ = true;
    Meldung(file + ": als Windows-1252 gelesen", progress_.get());
  }

  // Reads one input file to its end. False on a file error.
  bool ReadFile(const std::string& file) {
    int fd = STDIN_FILENO;
    if (file != "-") {
      fd = open(file.c_str(), O_RDONLY | O_CLOEXEC);
      if (fd < 0) {
        Meldung(file + ": kann nicht gelesen werden: " + Systemfehler(errno), progress_.get());
        return false;
      }
    }
    const bool ok = ReadRecords(file, fd);
    if (fd != STDIN_FILENO) close(fd);
    return ok;
  }

  bool ReadRecords(const std::string& file, int fd) {
    CsvOptions csv;
    if (options_.delimiter) csv.separator = static_cast<Separator>(*options_.delimiter);
    // A regular file's encoding is known before its rows are read; a pipe's
    // is decided as it streams.
    announced_ = false;
    struct stat st {};
    if (fstat(fd, &st) == 0 && S_ISREG(st.st_mode)) {
      int error_number = 0;
      csv.kodierung = KodierungDerDatei(fd, error_number);
      if (csv.kodierung == Kodierung::kOffen) {
        Meldung(file + ": Lesefehler: " + Systemfehler(error_number), progress_.get());
        return false;
      }
      AnnounceEncoding(file, csv.kodierung);
    }
    FdSource source(fd);
    CsvReader reader(source, csv);

    // The header row names the columns.
    CsvStatus status = reader.Next();
    AnnounceEncoding(file, reader.dialect().kodierung);
    if (status != CsvStatus::kRecord) {
      Meldung(Where(file, reader) + ": " + ReaderError(reader), progress_.get());
      return false;
    }
    std::vector<std::string> errors;
    const std::optional<Kopf> kopf =
        Kopf::Read(reader.record().cells,
                   {options_.extra_columns, reader.dialect().kodierung, options_.solve}, errors);
    if (!kopf) {
      for (const std::string& error : errors) {
        Meldung(Where(file, reader.record().line) + ": " + error, progress_.get());
      }
      return false;
    }
    std::size_t missing = 0;
    const std::string defaults = MissingDefaults(*kopf, missing);
    if (missing > 0) {
      Meldung(file +
                  (missing == 1 ? ": Spalte fehlt, Vorgabewert verwendet: "
                                : ": Spalten fehlen, Vorgabewerte verwendet: ") +
                  defaults,
              progress_.get());
    }
    if (!begun_) {
      const Dialect dialect = reader.dialect();
      Dialekt dialekt{dialect.separator, dialect.decimal_comma};
      dialekt.byte_order_mark =
          reader.byte_order_mark() || dialect.kodierung == Kodierung::kWindows1252;
      if (!reader.first_line_end().empty()) dialekt.line_end = reader.first_line_end();
      Begin(dialekt, kopf->extras());
    }
    if (!PlaceExtras(file, reader.record().line, *kopf)) return false;

    fall_.datei = Utf8OrReplacement(file);
    std::string error;
    for (;;) {
      status = reader.Next();
      AnnounceEncoding(file, reader.dialect().kodierung);
      if (status == CsvStatus::kEnd) return true;
      if (status == CsvStatus::kFileError) {
        Meldung(Where(file, reader) + ": " + ReaderError(reader), progress_.get());
        return false;
      }
      if (status == CsvStatus::kRowError) {
        Refuse(file, reader.error_line(), ReaderError(reader));
        continue;
      }
      const CsvRecord& record = reader.record();
      switch (ReadRow(*kopf, record.cells, reader.dialect(), fall_, extras_, error)) {
        case RowStatus::kEmpty: continue;
        case RowStatus::kError: Refuse(file, record.line, error); continue;
        case RowStatus::kCase: break;
      }
      fall_.zeile = record.line;
      fall_.n = Calculate(fall_.e);
      hinweise_ = Hinweise(fall_.e, fall_.n, fall_.lasten);
      if (!extras_.vorgaben.empty()) hinweise_.insert(hinweise_.begin(), extras_.vorgaben);
      for (std::string& cell : zusatz_) cell.clear();
      for (std::size_t j = 0; j < zusatz_slot_.size(); ++j) {
        zusatz_[zusatz_slot_[j]].swap(extras_.zusatz[j]);
      }
      const Auslegung* auslegung = Loese();
      writer_->Case(fall_, zusatz_, hinweise_, auslegung);
      if (report_ && options_.solve) {
        report::Loesung loesung{*options_.solve == Solve::kRadius ? 'r' : 'd', std::nullopt};
        if (auslegung != nullptr) loesung.auslegung = *auslegung;
        report_->Add(fall_, hinweise_, &loesung);
      } else if (report_) {
        report_->Add(fall_, hinweise_);
      }
      ++bilanz_.cases;
      ++(NachweisErfuellt(fall_.e, fall_.n, options_.smin) ? bilanz_.met : bilanz_.missed);
      progress_->Row(bilanz_.refused);
      if (out_->Closed()) return true;
      if (out_->Failed()) {
        Meldung(out_->error(), progress_.get());
        return false;
      }
    }
  }

  // With --solve, the search for the case just checked, its note among the
  // case's notes; null without --solve, and for --solve d on a case that
  // gives stresses only: its size enters only the influence factors, not
  // the stresses, so there is nothing to size.
  const Auslegung* Loese() {
    if (!options_.solve) return nullptr;
    const Auslegung* auslegung = nullptr;
    if (*options_.solve == Solve::kRadius) {
      auslegung_ = KleinsterRadius(fall_.e, options_.smin);
      auslegung = &auslegung_;
    } else if (fall_.lasten.AnyLoad()) {
      auslegung_ = KleinsterDurchmesser(fall_.e, fall_.lasten, options_.smin);
      auslegung = &auslegung_;
    }
    std::string hinweis = Loesungshinweis(*options_.solve, auslegung);
    if (!hinweis.empty()) hinweise_.push_back(std::move(hinweis));
    return auslegung;
  }

  void Refuse(const std::string& file, std::size_t line, const std::string& message) {
    ++bilanz_.refused;
    if (report_) report_->Refuse(file, line, message);
    Meldung(Where(file, line) + ": " + message, progress_.get());
    progress_->Row(bilanz_.refused);
  }

  const Options& options_;
  std::unique_ptr<Ausgabe> out_;
  std::unique_ptr<Ausgabe> report_out_;
  std::unique_ptr<report::Report> report_;
  std::unique_ptr<Schreiber> writer_;
  std::unique_ptr<Fortschritt> progress_;
  bool begun_ = false;
  bool announced_ = false;  // this file was said to be Windows-1252
  Bilanz bilanz_;
  Fall fall_;
  Auslegung auslegung_;  // --solve: the search for fall_
  RowExtras extras_;
  std::vector<std::string> hinweise_;
  std::vector<std::string> zusatz_names_;  // the output's extra columns
  std::vector<std::size_t> zusatz_slot_;   // where this file's extra columns go among them
  std::vector<std::string> zusatz_;        // a case's cells of the output's extra columns
};

int WriteTemplate(const Options& options) {
  std::unique_ptr<Ausgabe> out = std::make_unique<Ausgabe>();
  if (options.output) {
    std::string error;
    out = Ausgabe::Open(*options.output, "Ausgabedatei", error);
    if (!out) {
      Meldung(error);
      return kFailed;
    }
  }
  // The German spreadsheet form unless a separator is asked for.
  const char separator = options.delimiter.value_or(';');
  out->Write(TemplateText(Dialekt{separator, separator != ','}));
  if (!out->Commit() && !out->Closed()) {
    Meldung(out->error());
    return kFailed;
  }
  return kAllComputed;
}

}  // namespace

int Run(int argc, const char* const* argv) {
  // A reader that goes away shows as EPIPE from write(), and ends the run
  // quietly.
  (void)std::signal(SIGPIPE, SIG_IGN);
  Programmname("wellen743-batch");
  const ParsedCommandLine parsed = ParseCommandLine(argc, argv);
  if (parsed.abbruch) return Abbrechen(*parsed.abbruch);
  if (parsed.options.templ) return WriteTemplate(parsed.options);
  if (!parsed.options.files_given && isatty(STDIN_FILENO) != 0) {
    // Waiting for a spreadsheet to be typed would look like a hang.
    Meldung("keine Eingabedatei, und die Standardeingabe ist ein Terminal");
    static constexpr char kUsage[] =
        "Aufruf: wellen743-batch [OPTIONEN] DATEI...  (Vorlage: wellen743-batch --template; "
        "mehr: --help)\n";
    const ssize_t written = ::write(STDERR_FILENO, kUsage, sizeof kUsage - 1);
    (void)written;
    return kFailed;
  }
  BatchRun run(parsed.options);
  return run.Go();
}

}  // namespace wellen::batch
