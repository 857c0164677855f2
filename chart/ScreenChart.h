// SPDX-License-Identifier: MIT
#pragma once

#include "Calendar.h"
#include "DrawingSurface.h"

#include <array>
#include <cstdint>

namespace vitalune {

// What the chart needs from the window that holds the date controls. The dates are
// read afresh at every use: a clamp may change them in the middle of a redraw.
class ChartWindow {
public:
    virtual ~ChartWindow() = default;
    virtual Date birthDate() const = 0;
    virtual Date targetDate() const = 0;
    // Keeps the day of both dates inside their month; may redraw (nested) on the way.
    virtual void VerifieNombreJourVSmaxDansLeMois() = 0;
};

// The four picture boxes: the monthly chart and the three dials.
struct ChartPictures {
    DrawingSurface& img0;
    DrawingSurface& img1;
    DrawingSurface& img2;
    DrawingSurface& img3;
};

// The monthly chart of the main window with its day cursor and dial hands, and the
// values the last redraw computed. A failing drawing operation or an arithmetic fault
// throws RuntimeError and leaves what was drawn so far.
class ScreenChart {
public:
    std::int16_t LargeurJour = 0;
    std::int16_t Amplitude = 0;
    float JoursBase = 0;
    std::array<float, 3> Phase{};
    std::int16_t XDebut = 0;
    std::int16_t XFin = 0;
    std::int16_t XCurseur = 0;
    // Dial hand end points per cycle, indexed by day of the month (1..31).
    std::array<std::array<std::int16_t, 32>, 3> CadranX{};
    std::array<std::array<std::int16_t, 32>, 3> CadranY{};
    bool GrapheTrace = false;

    // Recomputes and redraws the whole chart and the dials for the reference month.
    void CalculEtDessine(ChartWindow& window, ChartPictures pictures);
    // Moves the exclusive-or cursor to the reference day without redrawing the chart.
    void DessineChangementJour(const ChartWindow& window, DrawingSurface& img0);

private:
    void dessineCurseur(DrawingSurface& img0);
};

} // namespace vitalune
