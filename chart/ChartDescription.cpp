// SPDX-License-Identifier: MIT
#include "ChartDescription.h"

#include "Cycles.h"
#include "RuntimeError.h"

namespace vitalune {

namespace {
std::string valeur(std::size_t cycle, int percent) {
    return std::string(Cycles[cycle].name) + " " + std::to_string(percent) + "%";
}
} // namespace

std::array<int, 3> valeursDuJour(Date birth, Date target) {
    const float base = joursBase(birth, target);
    std::array<int, 3> values{};
    for (std::size_t c = 0; c < Cycles.size(); ++c)
        values[c] = pourcentageDuJour(target.day, Cycles[c].period, phase(base, Cycles[c].period));
    return values;
}

std::string moisEtAnnee(Date target) {
    if (target.month < 1 || target.month > 12)
        throw RuntimeError("Subscript out of range");
    return NomsMoisSimples[static_cast<std::size_t>(target.month)] + " de " +
           std::to_string(target.year);
}

std::string descriptionGraphe(Date birth, Date target) {
    const auto values = valeursDuJour(birth, target);
    std::string text = "Dia " + std::to_string(target.day) + ":";
    for (std::size_t c = 0; c < values.size(); ++c)
        text += (c == 0 ? " " : ", ") + valeur(c, values[c]);
    return text;
}

std::string descriptionCadran(std::size_t cycle, Date birth, Date target) {
    const auto values = valeursDuJour(birth, target);
    return valeur(cycle, values.at(cycle)) + ", dia " + std::to_string(target.day) + " de " +
           moisEtAnnee(target);
}

} // namespace vitalune
