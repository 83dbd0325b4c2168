// The stage functions at the branch boundaries where a fault would hide.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <limits>
#include <string>

#include "calc/concentration.h"
#include "calc/influence.h"
#include "calc/mean_stress.h"
#include "calc/notch.h"
#include "calc/safety.h"
#include "calc/size_factor.h"
#include "calc/strength.h"

namespace wellen {
namespace {

constexpr double kNan = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

// The value as the result pages print it.
std::string Printed(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%g", value);
  return text;
}

TEST(SizeFactor, BoundsOfEveryGroup) {
  struct Case {
    int group;
    double deff;
    const char* K1;
  };
  const Case cases[] = {
      {3, 50, "0.871339"},  // the defaults
      {1, 100, "1"},         {1, 150, "0.959499"}, {1, 300, "0.89"}, {1, 500, "0.89"},
      {1, 500.0001, "0.89"},  // above 500 mm the plateau holds on
      {2, 80, "0.896536"},    // within the logarithmic rule of group 2
      {1, 5000, "0.89"},     {2, 32, "1"},         {2, 300, "0.75"}, {2, 1e9, "0.75"},
      {3, 16, "1"},          {3, 600, "0.67"},     {4, 11, "1"},     {4, 299.9, "0.411411"},
      {4, 300, "0.41"},      {4, kInf, "0.41"},    {4, 0, "1"},      {2, -40, "1"},
      {2, -kInf, "1"},       {3, kNan, "nan"},     {0, 50, "nan"},   {5, 50, "nan"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Printed(K1(c.group, c.deff)), c.K1) << "group " << c.group << " deff " << c.deff;
  }
  // Just above a the logarithmic rule applies: just below 1, continuous.
  EXPECT_LT(K1(1, 100.0001), 1.0);
  EXPECT_GT(K1(1, 100.0001), 0.9999999);
  EXPECT_DOUBLE_EQ(K1(1, 299.9), 1 - 0.23 * std::log10(2.999));
}

TEST(Concentration, EveryNotchCaseAndLoad) {
  // Geometry of the defaults: D 50, d 40, r 3, t 5.
  EXPECT_EQ(Printed(Alpha(kAbsatz, Last::kZug, 50, 40, 3, 5)), "1.96841") << "Absatz Zug";
  EXPECT_EQ(Printed(Alpha(kAbsatz, Last::kBie, 50, 40, 3, 5)), "1.80138") << "Absatz Bie";
  EXPECT_EQ(Printed(Alpha(kAbsatz, Last::kTor, 50, 40, 3, 5)), "1.40498") << "Absatz Tor";
  // A = 0.22*0.6 + 2.74*0.075*1.3225 = 0.40377375.
  EXPECT_DOUBLE_EQ(Alpha(kRundnut, Last::kZug, 50, 40, 3, 5), 1 + 1 / std::sqrt(0.40377375));
  EXPECT_EQ(Printed(Alpha(kRundnut, Last::kBie, 50, 40, 3, 5)), "2.22579") << "Rundnut Bie";
  EXPECT_EQ(Printed(Alpha(kRundnut, Last::kTor, 50, 40, 3, 5)), "1.63715") << "Rundnut Tor";
  // D enters only the two extra shoulder terms.
  EXPECT_EQ(Alpha(kRundnut, Last::kBie, 50, 40, 3, 5), Alpha(kRundnut, Last::kBie, 99, 40, 3, 5));
  EXPECT_NE(Alpha(kAbsatz, Last::kBie, 50, 40, 3, 5), Alpha(kAbsatz, Last::kBie, 99, 40, 3, 5));
  for (const Last last : {Last::kZug, Last::kBie, Last::kTor}) {
    EXPECT_EQ(Alpha(kAbsatz, last, 50, 40, 0, 5), kInf) << "r = 0";
    EXPECT_TRUE(std::isnan(Alpha(kRundnut, last, 50, 40, -3, 5))) << "negative radicand";
  }
}

TEST(NotchChain, PhiJumpsAboveTheDiameterRatio) {
  EXPECT_EQ(Phi(100, 67, 3, 5), 0);          // d/D = 0.67 exactly
  EXPECT_GT(Phi(100, 67.0001, 3, 5), 0.13);  // just above: the full value
  EXPECT_EQ(Printed(Phi(50, 40, 3, 5)), "0.139587") << "phi defaults";
  EXPECT_EQ(Phi(50, 40, 0, 5), 0);  // r <= 0
  EXPECT_EQ(Phi(50, 40, -1, 5), 0);
  EXPECT_EQ(Phi(0, 0, 0, 5), 0);                  // nan d/D, then r <= 0
  EXPECT_TRUE(std::isnan(Phi(50, 40, kNan, 5)));  // nan r reaches the formula
}

TEST(NotchChain, GradientSupportNumberAndNotchFactor) {
  // The chain of the defaults, value by value.
  const double k1 = K1(3, 50);
  const double phi = Phi(50, 40, 3, 5);
  const double gs = Gs(kAbsatz, Last::kZug, phi, 3);
  const double sigSd = SigSd(900, k1);
  const double n = SupportNumber(gs, sigSd);
  EXPECT_EQ(Printed(gs), "0.873684");
  EXPECT_EQ(Printed(Gs(kAbsatz, Last::kTor, phi, 3)), "0.383333");
  EXPECT_EQ(Printed(sigSd), "784.205");
  EXPECT_EQ(Printed(n), "1.03462");
  EXPECT_EQ(Printed(SupportNumber(Gs(kAbsatz, Last::kTor, phi, 3), sigSd)), "1.02293");
  EXPECT_EQ(Printed(Beta(Alpha(kAbsatz, Last::kZug, 50, 40, 3, 5), n)), "1.90255");
  EXPECT_DOUBLE_EQ(Gs(kRundnut, Last::kBie, phi, 3), 2.0 * (1 + phi) / 3);
  EXPECT_EQ(Gs(kRundnut, Last::kTor, phi, 4), 0.25);
  EXPECT_EQ(Gs(kAbsatz, Last::kZug, 0, 0), kInf);
  // With a hard layer: 10^-0.7 = 0.199526...
  EXPECT_DOUBLE_EQ(SupportNumberHardLayer(gs), 1 + std::sqrt(gs) * std::pow(10, -0.7));
  EXPECT_EQ(Printed(std::pow(10, -0.7)), "0.199526");
}

TEST(NotchChain, YieldIncreaseFactorThresholds) {
  EXPECT_EQ(MaxAB(1.2, 1.5), 1.5);
  EXPECT_EQ(MaxAB(1.5, 1.2), 1.5);
  EXPECT_EQ(MaxAB(1.5, kNan), 1.5);  // nan comparison takes alpha
  EXPECT_TRUE(std::isnan(MaxAB(kNan, 2)));
  const struct {
    double maxAB;
    double gamF;
  } cases[] = {{-1, 1},       {1.4999, 1}, {1.5, 1.05},  {1.9999, 1.05}, {2, 1.1},
               {2.9999, 1.1}, {3, 1.15},   {kInf, 1.15}, {kNan, 1.15}};
  for (const auto& c : cases) EXPECT_EQ(GamF(c.maxAB), c.gamF) << "maxAB " << c.maxAB;
}

TEST(Influence, SizeRoughnessAndTotal) {
  const struct {
    Last last;
    double d;
    double K2;
  } sizes[] = {{Last::kZug, 400, 1},       {Last::kBie, 7.4999, 1},          {Last::kBie, 7.5, 1},
               {Last::kTor, 40, 0.888243}, {Last::kBie, 149.999, 0.8000002}, {Last::kTor, 150, 0.8},
               {Last::kBie, kInf, 0.8},    {Last::kTor, kNan, 0.8},          {Last::kBie, -5, 1}};
  for (const auto& c : sizes) {
    if (c.d == 149.999) {
      EXPECT_GT(K2(c.last, c.d), 0.8);
      EXPECT_LT(K2(c.last, c.d), 0.800001);
    } else {
      EXPECT_EQ(Printed(K2(c.last, c.d)), Printed(c.K2)) << "d " << c.d;
    }
  }
  const double SigBdDefault = SigBd(1100, 0.871339);
  EXPECT_EQ(Printed(KFs(5, SigBdDefault)), "0.89535") << "KFs";
  EXPECT_EQ(KFs(1, SigBdDefault), 1);  // lg(1) = 0
  EXPECT_EQ(KFt(1), 1);
  EXPECT_EQ(Printed(KFt(KFs(5, SigBdDefault))), "0.939826") << "KFt";
  EXPECT_TRUE(std::isnan(KFs(-5, SigBdDefault)));
  EXPECT_EQ(KFs(0, SigBdDefault), kInf);
  EXPECT_EQ(Printed(InfluenceFactor(1.90255, 1, 0.89535, 1)), "2.01943") << "Ks Zug";
  EXPECT_DOUBLE_EQ(InfluenceFactor(1.90255, 1, 0.89535, 2),
                   InfluenceFactor(1.90255, 1, 0.89535, 1) / 2);  // KV = 2 halves K
  EXPECT_EQ(InfluenceFactor(1.90255, 1, 0.89535, 0), kInf);
}

TEST(MeanStress, SignBranches) {
  const struct {
    double Sigzdm, Sigbm, Tautm;
    double Sigmv;
  } cases[] = {
      {200, 300, 100, 529.15},             // defaults, s > 0
      {-250, 50, 80, -144.222},            // s < 0, x < 0: negative
      {-150, -150, 100, -244.949},         // s = -300, x < 0
      {-50, -50, 100, 141.421},            // s = -100, x > 0: shear dominates
      {-100, 100, 70, std::sqrt(3) * 70},  // s = 0 takes the plain root
      {kNan, 0, 10, kNan},                 // nan s takes the plain root
  };
  for (const auto& c : cases) {
    const EquivalentMeanStresses mv = MeanStresses(c.Sigzdm, c.Sigbm, c.Tautm);
    EXPECT_EQ(Printed(mv.Sigmv), Printed(c.Sigmv)) << c.Sigzdm << " " << c.Sigbm;
    if (!std::isnan(c.Sigmv)) {
      EXPECT_DOUBLE_EQ(mv.Taumv, mv.Sigmv / std::sqrt(3));
    }
  }
  // s < 0 with 3*Tautm^2 equal to s^2 in double arithmetic: x is exactly 0.
  const EquivalentMeanStresses zero = MeanStresses(-5.196152422706632, 0, 3);
  EXPECT_EQ(zero.Sigmv, 0);
  EXPECT_EQ(zero.Taumv, 0);
}

TEST(Strength, StaticSupportTableAndYieldStrengths) {
  const struct {
    int hard, hollow;
    double z, b, t;
  } table[] = {{0, 0, 1, 1.2, 1.2}, {0, 1, 1, 1.1, 1}, {1, 0, 1, 1.1, 1.1}, {1, 1, 1, 1, 1}};
  for (const auto& row : table) {
    const auto k = StaticSupport(row.hard, row.hollow);
    ASSERT_TRUE(k.has_value());
    EXPECT_EQ(k->K2Fz, row.z);
    EXPECT_EQ(k->K2Fb, row.b);
    EXPECT_EQ(k->K2Ft, row.t);
  }
  EXPECT_FALSE(StaticSupport(2, 0).has_value());
  EXPECT_EQ(Printed(FatigueLimit(0.871339, 440, 2.01943)), "189.85") << "SigzdWK";
  EXPECT_EQ(Printed(Psi(189.85, 0.871339, 1100)), "0.109924") << "psizdsK";
  EXPECT_EQ(Psi(2 * 0.5 * 1000, 0.5, 1000), kInf);  // WK = 2*K1*SigB
  EXPECT_EQ(Printed(YieldStrength(1, 0.871339, 1.05, 900)), "823.415") << "SigzdFK";
  EXPECT_EQ(Printed(ShearYieldStrength(1.2, 0.871339, 1, 900)), "543.313") << "TautFK";
}

TEST(Safety, CaseTestAmplitudesAndSafetyFactors) {
  EXPECT_DOUBLE_EQ(Threshold(900, 200, 0.3), 1000);
  EXPECT_TRUE(ConditionMet(500, 500));  // equality counts
  EXPECT_FALSE(ConditionMet(499.999, 500));
  EXPECT_FALSE(ConditionMet(kNan, 500));
  EXPECT_FALSE(ConditionMet(500, kNan));
  EXPECT_DOUBLE_EQ(AmplitudeStrength(true, 200, 100, 0.25, 900), 175);
  EXPECT_DOUBLE_EQ(AmplitudeStrength(false, 200, 1000, 0.25, 900), -100);  // m above FK
  // Tension and bending are added before squaring; torsion is its own square.
  EXPECT_DOUBLE_EQ(SafetyFatigue(30, 30, 80, 100, 100, 100), 1);
  EXPECT_DOUBLE_EQ(SafetyFatigue(60, 0, 0, 100, 100, 100), 1 / 0.6);
  EXPECT_EQ(SafetyFatigue(0, 0, 0, 131.683, 158.324, 147.181), kInf);
  EXPECT_DOUBLE_EQ(SafetyYield(10, 20, 10, 20, 30, 50, 100, 100, 100), 1);
  EXPECT_DOUBLE_EQ(SafetyYield(10, 20, 0, 0, 0, 0, 100, 100, 100), 1 / 0.3);
}

}  // namespace
}  // namespace wellen
