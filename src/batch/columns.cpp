#include "batch/columns.h"

#include <algorithm>

namespace wellen::batch {
namespace {

// The input record's fields, then the columns beyond it.
std::array<SpaltenInfo, kSpaltenzahl> MakeSpalten() noexcept {
  std::array<SpaltenInfo, kSpaltenzahl> spalten{};
  const auto felder = Eingabefelder();
  std::copy(felder.begin(), felder.end(), spalten.begin());
  constexpr std::string_view kWeitere[] = {"Name", "Fm", "Fa", "Mbm", "Mba", "Tm", "Ta", "di"};
  static_assert(std::size(kWeitere) == kSpaltenzahl - kEingabefelder);
  for (std::size_t i = 0; i < std::size(kWeitere); ++i) {
    spalten[kEingabefelder + i] = {kWeitere[i], nullptr, nullptr, 0, 0};
  }
  return spalten;
}

const std::array<SpaltenInfo, kSpaltenzahl> kSpalten = MakeSpalten();

// Edit distance, counting a change of letter case as half an edit, so that
// "sigzdm" is nearer to "Sigzdm" than to any other name (in doubled units).
std::size_t Distance(std::string_view a, std::string_view b) {
  std::vector<std::size_t> row(b.size() + 1);
  for (std::size_t j = 0; j <= b.size(); ++j) row[j] = 2 * j;
  for (std::size_t i = 1; i <= a.size(); ++i) {
    std::size_t diagonal = row[0];
    row[0] = 2 * i;
    for (std::size_t j = 1; j <= b.size(); ++j) {
      const char x = a[i - 1];
      const char y = b[j - 1];
      std::size_t change = 2;
      if (x == y) {
        change = 0;
      } else if ((x | 0x20) == (y | 0x20) && ((x | 0x20) >= 'a' && (x | 0x20) <= 'z')) {
        change = 1;
      }
      const std::size_t best = std::min({row[j] + 2, row[j - 1] + 2, diagonal + change});
      diagonal = row[j];
      row[j] = best;
    }
  }
  return row[b.size()];
}

std::string_view Trim(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

}  // namespace

const std::array<SpaltenInfo, kSpaltenzahl>& Spalten() { return kSpalten; }

std::string_view ClosestColumn(std::string_view name) {
  std::string_view best = kSpalten[0].name;
  std::size_t best_distance = Distance(name, best);
  for (const SpaltenInfo& info : kSpalten) {
    const std::size_t distance = Distance(name, info.name);
    if (distance < best_distance) {
      best = info.name;
      best_distance = distance;
    }
  }
  return best;
}

std::optional<Kopf> Kopf::Read(std::span<const std::string_view> cells, std::string& error) {
  Kopf kopf;
  kopf.position_.fill(-1);
  // Empty names at the end are the trailing separators some spreadsheets
  // write; they name no column.
  while (!cells.empty() && Trim(cells.back()).empty()) cells = cells.first(cells.size() - 1);
  for (std::size_t i = 0; i < cells.size(); ++i) {
    const std::string_view name = Trim(cells[i]);
    if (name.empty()) {
      error = "Spalte " + std::to_string(i + 1) + " hat keinen Namen";
      return std::nullopt;
    }
    const auto known = std::find_if(kSpalten.begin(), kSpalten.end(),
                                    [&](const SpaltenInfo& info) { return info.name == name; });
    if (known == kSpalten.end()) {
      error = "unbekannte Spalte \"" + std::string(name) +
              "\" (gemeint: " + std::string(ClosestColumn(name)) + "?)";
      return std::nullopt;
    }
    const auto column = static_cast<std::size_t>(known - kSpalten.begin());
    if (kopf.position_[column] >= 0) {
      error = "Spalte " + std::string(name) + " steht zweimal in der Kopfzeile";
      return std::nullopt;
    }
    kopf.position_[column] = static_cast<int>(i);
    kopf.columns_.push_back(static_cast<Spalte>(column));
  }
  return kopf;
}

}  // namespace wellen::batch
