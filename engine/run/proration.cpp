// Placeholder until these calculators land; each reports that it is missing.
#include "engine/run/proration.h"
#include "base/trail.h"
namespace czx {
void CalcOldDprnProRation(Calcform&) { procedure("Calcform.CalcOldDprnProRation", [] { throw Error(errors::kUnexpected, "Not available yet"); }); }
void CalcOldDprnProRationBk(Calcform&) { procedure("Calcform.CalcOldDprnProRationBk", [] { throw Error(errors::kUnexpected, "Not available yet"); }); }
}
