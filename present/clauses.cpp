#include "clauses.h"

namespace qeln::clauses {

const char* of(Env e)
{
    switch (e) {
    case Env::Concrete: return "ENV 1994-1-1, 3.1";
    case Env::ReinforcingSteel: return "ENV 1994-1-1, 3.2";
    case Env::StructuralSteel: return "ENV 1994-1-1, 3.3";
    case Env::PlasticResistance: return "ENV 1994-1-1, 4.8.3.2";
    case Env::SteelModulus: return "ENV 1994-1-1, 3.3.2";
    case Env::SecantModulus: return "ENV 1992-1-1, 3.1.2.5.2";
    case Env::DesignModulus: return "ENV 1994-1-1, 4.8.3.5(3)";
    case Env::Stiffness: return "ENV 1994-1-1, 4.8.3.5";
    case Env::Buckling: return "ENV 1994-1-1, 4.8.3";
    case Env::Eccentric: return "ENV 1994-1-1, 4.8.3.13";
    case Env::Biaxial: return "ENV 1994-1-1, 4.8.3";
    case Env::FireFlanges: return "ENV 1994-1-2, F.2";
    case Env::FireWeb: return "ENV 1994-1-2, F.3";
    case Env::FireConcrete: return "ENV 1994-1-2, F.4";
    case Env::ConcreteLaw: return "ENV 1994-1-2, 3.2.2";
    case Env::FireRebars: return "ENV 1994-1-2, F.5";
    case Env::FireMember: return "ENV 1994-1-2, F.6";
    case Env::FireEccentric: return "ENV 1994-1-2, F.7";
    }
    return "";
}

} // namespace qeln::clauses
