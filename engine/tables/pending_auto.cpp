// Placeholder until these calculators land; each reports that it is missing.
#include "engine/tables/calculators.h"
#include "base/trail.h"
namespace czx {
void CalcMACRSAuto(Calcform&) { procedure("Calcform.CalcMACRSAuto", [] { throw Error(errors::kUnexpected, "Not available yet"); }); }
}
