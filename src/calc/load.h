// Load types and notch cases.
#pragma once

namespace wellen {

// Notch cases (Eingabewerte::Kerbfall).
inline constexpr int kRundnut = 1;  // round groove
inline constexpr int kAbsatz = 2;   // shoulder

// The three load stages of a calculation run.
enum class Last {
  kZug,  // tension/compression
  kBie,  // bending
  kTor,  // torsion
};

}  // namespace wellen
