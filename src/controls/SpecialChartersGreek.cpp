#include "controls/SpecialChartersGreek.h"

namespace {

const char* const kEntities =
    "&Alpha; &Beta; &Gamma; &Delta; &Epsilon; &Zeta; &Eta; &Theta; &Iota; &Kappa; "
    "&Lambda; &Mu; &Nu; &Xi; &Omicron; &Pi; &Rho; &Sigma; &Tau; &Upsilon; &Phi; "
    "&Chi; &Psi; &Omega; &alpha; &beta; &gamma; &delta; &epsilon; &zeta; &eta; "
    "&theta; &iota; &kappa; &lambda; &mu; &nu; &xi; &omicron; &pi; &rho; &sigmaf; "
    "&sigma; &tau; &upsilon; &phi; &chi; &psi; &omega;";

const char* const kItems =
    "A B G D E Z H Q I K L M N X O P R S T U F C Y W a b g d e z h q i k l m n x "
    "o p r V s t u j c y w";

} // namespace

TSpecialChartersGreek::TSpecialChartersGreek(QWidget* parent)
    : TSpecialChartersCombo(parent, QStringLiteral("Symbol"), TEncoding::Symbol, kEntities,
                            kItems) {}
