// SPDX-License-Identifier: MIT
#include "ScreenChart.h"

#include "Cycles.h"
#include "Numbers.h"
#include "RuntimeError.h"

#include <cmath>
#include <cstdio>

namespace vitalune {

namespace {
const Colour kGris = RGB(128, 128, 128);
const Colour kMarine = RGB(0, 0, 128);
const Colour kBlanc = RGB(255, 255, 255);
const Colour kNoir = RGB(0, 0, 0);

// Screen drawing has no fallback: a failed operation ends the redraw.
void check(bool ok) {
    if (!ok)
        throw RuntimeError("Drawing failed");
}

std::string fourDigits(int year) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%04d", year);
    return buf;
}
} // namespace

void ScreenChart::CalculEtDessine(ChartWindow& window, ChartPictures p) {
    Amplitude = kAmplitude;
    LargeurJour = kLargeurJour;
    window.VerifieNombreJourVSmaxDansLeMois();

    DrawingSurface* dials[3] = {&p.img1, &p.img2, &p.img3};
    for (auto* dial : dials)
        check(dial->Cls());
    for (DrawingSurface* s : {&p.img0, &p.img1, &p.img2, &p.img3})
        s->setDrawMode(DrawMode::CopyPen);

    const Date target = window.targetDate();
    regleFevrier(target.month, target.year);
    JoursBase = joursBase(window.birthDate(), window.targetDate());
    XDebut = add16(LargeurJour, 7);
    const auto month = window.targetDate().month;
    if (month < 0 || month > 13)
        throw RuntimeError("Subscript out of range");
    const std::int16_t joursMois = JoursDansMois[month];
    XFin = add16(mul16(joursMois, LargeurJour), XDebut);

    auto& img0 = p.img0;
    check(img0.Cls());

    img0.setFontName("MS Sans Serif");
    img0.setDrawStyle(DrawStyle::Solid);
    img0.setFontSize(14);
    img0.setFontBold(true);
    img0.setCurrentY(0);
    img0.setCurrentX(190);
    {
        const Date t = window.targetDate();
        check(img0.Print({trimmed(NomsMois[t.month]), "  ", fourDigits(t.year)}));
    }

    img0.setFontName("Small Fonts");
    img0.setFontBold(false);
    img0.setFontSize(6.75f);

    check(img0.Line(0, 100, 471, 100, kGris));
    check(img0.Line(XDebut - 1, 0, XDebut - 1, 199, kGris));
    check(img0.Line(XFin + 1, 0, XFin + 1, 199, kGris));

    for (std::int16_t d = 1; d <= joursMois; ++d) {
        const std::int16_t e = add16(mul16(d - 1, LargeurJour), XDebut);
        const Date t = window.targetDate();
        const std::string& abbrev = JoursSemaine[jourSemaine(numeroJour(t.year, t.month, d))];
        img0.setCurrentX(e + 4);
        img0.setCurrentY(85);
        check(img0.Print(abbrev));
        img0.setCurrentX(d > 9 ? e + 2 : e + 5);
        img0.setCurrentY(105);
        check(img0.Print(std::to_string(d)));
        if (abbrev == "S ")
            check(img0.Line(e, 100, e + 14, 100, kMarine));
    }

    img0.setDrawWidth(1);
    for (int c = 0; c < 3; ++c)
        Phase[c] = phase(JoursBase, Cycles[c].period);

    std::int16_t previousX = 0;
    std::array<std::int16_t, 3> previousY{};
    for (int c = 0; c < 3; ++c)
        previousY[c] = CInt(100.0 - Amplitude * std::sin(kTour * Phase[c]));

    int alternance = 1;
    int jour = 0;
    for (std::int16_t x = 0; x <= 496; x += 7) {
        std::array<float, 3> y{};
        for (int c = 0; c < 3; ++c)
            y[c] = ordonnee(x, Cycles[c].period, Phase[c]);
        for (int c = 0; c < 3; ++c)
            check(img0.Line(previousX, previousY[c], x, y[c], Cycles[c].screenColour));
        previousX = x;
        for (int c = 0; c < 3; ++c)
            previousY[c] = CInt(y[c]);

        if (x > XDebut && x < XFin) {
            if (++alternance == 2) {
                alternance = 0;
                if (++jour > 31)
                    throw RuntimeError("Subscript out of range");
                DialPoint points[3];
                for (int c = 0; c < 3; ++c)
                    points[c] = pointCadran(x, Cycles[c].period, Phase[c]);
                for (int c = 0; c < 3; ++c)
                    CadranX[c][jour] = points[c].x;
                for (int c = 0; c < 3; ++c)
                    CadranY[c][jour] = points[c].y;
            }
        }
    }

    GrapheTrace = true;

    for (auto* dial : dials)
        check(dial->Line(27, 6, 27, 25, kNoir));

    for (DrawingSurface* s : {&p.img1, &p.img2, &p.img3, &p.img0})
        s->setDrawMode(DrawMode::XorPen);
    img0.setDrawStyle(DrawStyle::Dot);

    XCurseur = add16(add16(mul16(LargeurJour, window.targetDate().day), XDebut), -7);
    dessineCurseur(img0);

    const std::int16_t day = window.targetDate().day;
    if (day < 0 || day > 31)
        throw RuntimeError("Subscript out of range");
    for (int c = 0; c < 3; ++c)
        check(dials[c]->Line(CadranX[c][day], CadranY[c][day], 27, 27, Cycles[c].screenColour));
}

void ScreenChart::DessineChangementJour(const ChartWindow& window, DrawingSurface& img0) {
    dessineCurseur(img0);
    XCurseur = add16(add16(mul16(LargeurJour, window.targetDate().day), XDebut), -7);
    dessineCurseur(img0);
}

void ScreenChart::dessineCurseur(DrawingSurface& img0) {
    check(img0.Line(XCurseur, 0, XCurseur, 199, kBlanc));
}

} // namespace vitalune
