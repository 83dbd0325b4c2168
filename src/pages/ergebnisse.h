// The results record of the interactive program. Every field is zero at
// start; a calculation run overwrites a field when it reaches the page that
// computes it and leaves all others as they were, so a run that is ended
// early keeps the values of the later pages from the run before.
#pragma once

namespace wellen {

struct Ergebnisse {
  // Written once per run.
  double K1 = 0;                                  // technological size factor
  double Sigmv = 0, Taumv = 0;                    // equivalent mean stresses
  double SigzdWK = 0, SigbWK = 0, TautWK = 0;     // component fatigue limits
  double psizdsK = 0, psibsK = 0, psitauK = 0;    // mean stress sensitivities
  double K2Fz = 0, K2Fb = 0, K2Ft = 0;            // static support factors
  double SigzdFK = 0, SigbFK = 0, TautFK = 0;     // component yield strengths
  double SigzdADK = 0, SigbADK = 0, TautADK = 0;  // permissible amplitudes
  double S = 0;                                   // safety factor: fatigue fracture, then yielding

  // One per load type.
  double gamFz = 0, gamFb = 0, gamFt = 0;  // yield increase factors
  double KsZug = 0, KsBie = 0, KtTor = 0;  // total influence factors
  double KFtTor = 0;                       // roughness factor for shear stress

  // Scratch fields, overwritten by each load stage in turn.
  double alpha = 0;  // stress concentration factor
  double phi = 0;    // tension and bending only
  double Gs = 0;     // related stress gradient G'
  double n = 0;      // support number
  double beta = 0;   // notch factor
  double maxAB = 0;  // larger of alpha and beta; tension and bending only
  double K2 = 0;     // geometric size factor
  double KFs = 0;    // roughness factor for normal stress
  double SigSd = 0;  // yield strength at size; only without hard layer
  double SigBd = 0;  // tensile strength at size
};

}  // namespace wellen
