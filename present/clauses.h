// The clause beside each value of the ENV details, in one table: a method
// brings its own (the EN details name theirs in listing_en1994.cpp).
#pragma once

namespace qeln::clauses {

// The code parts the ENV method rests on.
inline constexpr const char* kEnv1 = "ENV 1994-1-1";
inline constexpr const char* kEnv2 = "ENV 1994-1-2";
inline constexpr const char* kEnvConcrete = "ENV 1992-1-1";

// What a value of the ENV details is.
enum class Env {
    Concrete,            // the concrete strength classes
    ReinforcingSteel,    // the reinforcing steel grades
    StructuralSteel,     // the structural steel grades
    PlasticResistance,   // N.pl.Rd, N.pl.R and the design strengths
    SteelModulus,        // E.a = E.s
    SecantModulus,       // E.cm
    DesignModulus,       // E.cd = E.cm / 1.35, the long-term modulus
    Stiffness,           // (EI).e with 0.8 E.cd, N.cr, the relative slenderness
    Buckling,            // chi and N.Rd (the buckling curves)
    Eccentric,           // compression and uniaxial bending
    Biaxial,             // compression and biaxial bending
    FireFlanges,         // F.2
    FireWeb,             // F.3
    FireConcrete,        // F.4
    ConcreteLaw,         // k.c,theta and epsilon.cu,theta of the concrete in fire
    FireRebars,          // F.5
    FireMember,          // F.6: the plastic load, the stiffness with phi, the buckling load
    FireEccentric,       // F.7
};

// "ENV 1994-1-1, 4.8.3.2"; a table in the language of the listing is
// written by DetailWriter::table (the steel factors in fire, SteelInFire).
const char* of(Env e);

// The table of the reduction factors of structural steel in fire.
inline constexpr const char* kSteelInFireTable = "3.1";

} // namespace qeln::clauses
