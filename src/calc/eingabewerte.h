// The input record: everything an engineer gives for one notch.
//
// Stresses and strengths in N/mm^2, lengths in mm, roughness in micrometres.
// Invariants, kept by every front end that fills the record (the dialogs and
// the CSV reader accept nothing else): Kerbfall is 1 or 2, K1Fall 1 to 4,
// harteRandschicht and Hohlwelle 0 or 1. The real fields carry no range.
#pragma once

#include <span>
#include <string_view>

#include "load.h"

namespace wellen {

struct Eingabewerte {
  // Mean stresses and stress amplitudes (dialog a).
  double Sigzdm;  // mean stress, tension/compression
  double Sigbm;   // mean stress, bending
  double Tautm;   // mean stress, torsion
  double Sigzda;  // amplitude, tension/compression
  double Sigba;   // amplitude, bending
  double Tauta;   // amplitude, torsion
  // Dimensions (dialog b).
  double D;     // larger (outer) diameter at the notch
  double d;     // diameter in the notch root
  double deff;  // diameter that governs the heat treatment
  double r;     // notch radius
  double t;     // notch depth
  double Rz;    // mean roughness depth of the notch surface
  // Notch case (dialog c).
  int Kerbfall;
  // Material (dialog d).
  double SigB;    // tensile strength
  double SigS;    // yield strength
  double SigzdW;  // fatigue limit, tension/compression
  double SigbW;   // fatigue limit, bending
  double TautW;   // fatigue limit, torsion
  // Further data (dialog e).
  int K1Fall;            // material group of the technological size factor
  int harteRandschicht;  // hard surface layer: 1 yes, 0 no
  int Hohlwelle;         // hollow shaft: 1 yes, 0 no
  double KV;             // surface strengthening factor

  friend bool operator==(const Eingabewerte&, const Eingabewerte&) = default;
};

// The built-in defaults, with which a calculation can run at once.
Eingabewerte DefaultEingabewerte();

// One field of the input record, for front ends that read or write the
// record by name: exactly one of `real` and `choice` is set; a selection
// takes the whole numbers from `low` to `high`.
struct Eingabefeld {
  std::string_view name;       // the field's name, as in the record ("Sigzdm", "K1Fall")
  double Eingabewerte::*real;  // a real field, or null
  int Eingabewerte::*choice;   // a selection field, or null
  int low, high;               // the range of a selection
};

// The 22 fields of the input record, in its order.
std::span<const Eingabefeld> Eingabefelder();

}  // namespace wellen
