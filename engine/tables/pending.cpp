// Placeholder until these calculators land; each reports that it is missing.
#include "engine/tables/calculators.h"
#include "base/trail.h"
namespace czx {
void CalcMACRS(Calcform&) { procedure("Calcform.CalcMACRS", [] { throw Error(errors::kUnexpected, "Not available yet"); }); }
void CalcMACRS150(Calcform&) { procedure("Calcform.CalcMACRS150", [] { throw Error(errors::kUnexpected, "Not available yet"); }); }
void DeprnSeperator(Calcform&) { procedure("Calcform.DeprnSeperator", [] { throw Error(errors::kUnexpected, "Not available yet"); }); }
void CalcMidQrtMACRS(Calcform&) { procedure("Calcform.CalcMidQrtMACRS", [] { throw Error(errors::kUnexpected, "Not available yet"); }); }
void CalcMidQrtMACRS150(Calcform&) { procedure("Calcform.CalcMidQrtMACRS150", [] { throw Error(errors::kUnexpected, "Not available yet"); }); }
void Calc1stQrtMACRS(Calcform&) { procedure("Calcform.Calc1stQrtMACRS", [] { throw Error(errors::kUnexpected, "Not available yet"); }); }
void Calc2ndQrtMACRS(Calcform&) { procedure("Calcform.Calc2ndQrtMACRS", [] { throw Error(errors::kUnexpected, "Not available yet"); }); }
void Calc3rdQrtMACRS(Calcform&) { procedure("Calcform.Calc3rdQrtMACRS", [] { throw Error(errors::kUnexpected, "Not available yet"); }); }
void Calc4thQrtMACRS(Calcform&) { procedure("Calcform.Calc4thQrtMACRS", [] { throw Error(errors::kUnexpected, "Not available yet"); }); }
void Calc1stQrtMACRS150(Calcform&) { procedure("Calcform.Calc1stQrtMACRS150", [] { throw Error(errors::kUnexpected, "Not available yet"); }); }
void Calc2ndQrtMACRS150(Calcform&) { procedure("Calcform.Calc2ndQrtMACRS150", [] { throw Error(errors::kUnexpected, "Not available yet"); }); }
void Calc3rdQrtMACRS150(Calcform&) { procedure("Calcform.Calc3rdQrtMACRS150", [] { throw Error(errors::kUnexpected, "Not available yet"); }); }
void Calc4thQrtMACRS150(Calcform&) { procedure("Calcform.Calc4thQrtMACRS150", [] { throw Error(errors::kUnexpected, "Not available yet"); }); }
void CalcACRS(Calcform&) { procedure("Calcform.CalcACRS", [] { throw Error(errors::kUnexpected, "Not available yet"); }); }
void CalcAmort(Calcform&) { procedure("Calcform.CalcAmort", [] { throw Error(errors::kUnexpected, "Not available yet"); }); }
void CalcAmortBook(Calcform&) { procedure("Calcform.CalcAmortBook", [] { throw Error(errors::kUnexpected, "Not available yet"); }); }
}
