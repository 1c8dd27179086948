// Placeholder until these calculators land; each reports that it is missing.
#include "engine/formulas/calculators.h"
#include "base/trail.h"
namespace czx {
void CalcSLTax(Calcform&) { procedure("Calcform.CalcSLTax", [] { throw Error(errors::kUnexpected, "Not available yet"); }); }
void CalcMidQrtSL(Calcform&) { procedure("Calcform.CalcMidQrtSL", [] { throw Error(errors::kUnexpected, "Not available yet"); }); }
void CalcSLRPTax(Calcform&) { procedure("Calcform.CalcSLRPTax", [] { throw Error(errors::kUnexpected, "Not available yet"); }); }
void CalcSLOldTax(Calcform&) { procedure("Calcform.CalcSLOldTax", [] { throw Error(errors::kUnexpected, "Not available yet"); }); }
void CalcDDB125OldTax(Calcform&) { procedure("Calcform.CalcDDB125OldTax", [] { throw Error(errors::kUnexpected, "Not available yet"); }); }
void CalcDDB150OldTax(Calcform&) { procedure("Calcform.CalcDDB150OldTax", [] { throw Error(errors::kUnexpected, "Not available yet"); }); }
void CalcDDB200OldTax(Calcform&) { procedure("Calcform.CalcDDB200OldTax", [] { throw Error(errors::kUnexpected, "Not available yet"); }); }
void CalcSLBook(Calcform&) { procedure("Calcform.CalcSLBook", [] { throw Error(errors::kUnexpected, "Not available yet"); }); }
void CalcDDB125Book(Calcform&) { procedure("Calcform.CalcDDB125Book", [] { throw Error(errors::kUnexpected, "Not available yet"); }); }
void CalcDDB150Book(Calcform&) { procedure("Calcform.CalcDDB150Book", [] { throw Error(errors::kUnexpected, "Not available yet"); }); }
void CalcDDB200Book(Calcform&) { procedure("Calcform.CalcDDB200Book", [] { throw Error(errors::kUnexpected, "Not available yet"); }); }
}
