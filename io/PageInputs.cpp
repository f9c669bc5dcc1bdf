#include "io/PageInputs.h"

#include <tuple>

namespace rockpile {

bool operator==(const RockLayer& a, const RockLayer& b)
{
    const auto fields = [](const RockLayer& l) {
        return std::tie(l.lr, l.weathering, l.integrityText, l.kv, l.frk, l.c1Manual,
                        l.c2Manual, l.qpaGiven, l.qraGiven);
    };
    return fields(a) == fields(b);
}

bool operator==(const PileInput& a, const PileInput& b)
{
    const auto fields = [](const PileInput& p) {
        return std::tie(p.sectionType, p.d, p.c, p.a, p.b, p.strengthMode, p.coefficientMode,
                        p.interpolationBasis, p.boredPile, p.reductionFactor,
                        p.softRockExposed, p.layers);
    };
    return fields(a) == fields(b);
}

bool PageInputs::operator==(const PageInputs& other) const
{
    return pileNumber == other.pileNumber && pile == other.pile &&
           precisionMode == other.precisionMode;
}

}  // namespace rockpile
