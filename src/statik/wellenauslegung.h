// Design mode for a whole shaft: the smallest radius of every shoulder and
// groove, and the smallest common factor of all its diameters, with which
// every section meets S_min in every load case.
//
// Neither a radius nor a diameter enters the statics: the bearing reactions
// and the internal forces follow from the lengths, the bearings and the
// loads alone. A radius enters only the check of its own section, so the
// radius search keeps each section's records of the shaft as computed and
// varies r alone. A common factor changes every section's geometry (and the
// deflection), not its section loads: the search sets the nominal stresses of
// the same section loads again at each size, exactly as the check of the
// resized shaft does, and the answer is confirmed by a full computation of
// the resized shaft.
//
// Both searches walk their grid from the smallest value up and take the
// first that meets S_min (see auslegung.h: the safety factors need not rise
// steadily, so nothing is bisected).
//
// Pure: no input, no output, no state.
#pragma once

#include <cstddef>
#include <vector>

#include "auslegung.h"
#include "eingabewerte.h"
#include "nachweis.h"
#include "statik.h"
#include "welle.h"

namespace wellen {

// The upper end of the radius range of a section: for a shoulder its depth
// t, since a fillet cannot be larger than the step it rounds off; for a
// groove d/2 (RadiusGrenze of the record), and no more than the room
// between the groove's middle and the nearer end of its segment, since the
// groove must fit in it.
double RadiusGrenze(const Welle& welle, const Stelle& stelle);

// The check of one section in one load case.
struct Stellenpruefung {
  Eingabewerte e{};
  Nachweis n{};
};

// The smallest radius of one section over all load cases.
struct Radiusauslegung {
  // The search on the grid 0.01 mm from 0.01 to RadiusGrenze(): `wert` the
  // smallest radius with which the section meets S_min in every load case;
  // where none does, the grid value at which the smallest safety factor of
  // all load cases was largest; not a number where the range holds no grid
  // value. `massgebend` is the load case whose smaller factor is smallest at
  // `wert`, `e` and the two factors are its.
  Auslegung auslegung;
  // The section's check with r = auslegung.wert in each load case, in the
  // shaft's order; empty where `wert` is not a number.
  std::vector<Stellenpruefung> je_lastfall;
};

// One per section, in the order of Stellen(welle). Empty for a shaft that
// Pruefe() finds fault with.
std::vector<Radiusauslegung> KleinsteRadien(const Welle& welle, double smin);

// `welle` with every outer diameter, bore, transition radius, groove depth
// and groove radius, and a deff given, multiplied by k = D_max_neu / D_max
// (D_max the largest outer diameter), so that the shape stays the same; a
// value equal to D_max becomes D_max_neu exactly. Lengths, the places of
// grooves, bearings and loads, roughness, material and loads stay as they
// are.
Welle Skaliert(const Welle& welle, double D_max_neu);

// The smallest common factor of a shaft's diameters.
struct Groessenauslegung {
  // The resized shaft meets S_min at every section in every load case.
  bool erreicht = false;
  double D_max = 0;  // the largest outer diameter as given
  // The largest outer diameter of the resized shaft, on the grid 0.1 mm from
  // 0.2 to 5 times D_max: the smallest that meets; where none does, the one
  // at which the smallest safety factor of all sections and load cases was
  // largest; not a number where there is nothing to search (no section, or
  // a shaft with faults).
  double wert = 0;
  double k = 0;             // the common factor wert / D_max
  double von = 0, bis = 0;  // the range of the largest diameter searched
  Welle welle;              // the resized shaft, Skaliert(welle, wert)
  // Its full computation (Berechne): the check that confirms the answer,
  // and its deflection. Empty where `wert` is not a number.
  Wellenergebnis ergebnis;
  // Grid values passed over because the shaft resized to them could not be
  // computed (a groove whose radius, grown with the shaft, no longer fits in
  // its segment): how many, the first of them, and what Pruefe() found
  // there.
  std::size_t uebergangen = 0;
  double erster_uebergangen = 0;
  std::vector<Fehler> hindernis;
};

// The smallest common factor, searched so that the largest outer diameter
// moves in steps of 0.1 mm; also where the shaft as given already meets
// S_min (design mode gives the smallest).
Groessenauslegung KleinsterGemeinsamerFaktor(const Welle& welle, double smin);

}  // namespace wellen
