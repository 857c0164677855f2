// SPDX-License-Identifier: MIT
#include "FontTable.h"

#include <QStringList>

#include <algorithm>
#include <array>
#include <cmath>

namespace vitalune {

namespace {

struct Substitute {
    const char* name;
    QStringList families; // preferred first
    bool forceBold;
};

// Liberation faces are metric-compatible with the ones the layout was drawn with;
// DejaVu and the URW faces stand in where Liberation is missing.
const std::array<Substitute, 4>& table() {
    static const std::array<Substitute, 4> t{{
        {"MS Sans Serif", {"Liberation Sans", "DejaVu Sans", "Nimbus Sans", "sans-serif"}, false},
        // The chart's 9-pixel labels: Liberation Sans drawn without smoothing stays legible
        // there, where the narrow faces run their digits together.
        {"Small Fonts", {"Liberation Sans", "DejaVu Sans", "Nimbus Sans", "sans-serif"}, false},
        {"Courier New",
         {"Liberation Mono", "DejaVu Sans Mono", "Nimbus Mono PS", "monospace"},
         false},
        {"System", {"Liberation Sans", "DejaVu Sans", "Nimbus Sans", "sans-serif"}, true},
    }};
    return t;
}

bool sameName(std::string_view a, const char* b) {
    std::string_view bv(b);
    return a.size() == bv.size() && std::equal(a.begin(), a.end(), bv.begin(), [](char x, char y) {
               auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
               return lower(x) == lower(y);
           });
}

const Substitute* find(std::string_view name) {
    for (const auto& s : table())
        if (sameName(name, s.name))
            return &s;
    return nullptr;
}

QStringList familiesFor(std::string_view name) {
    if (const Substitute* s = find(name))
        return s->families;
    QString asked = QString::fromUtf8(name.data(), qsizetype(name.size())).trimmed();
    if (asked.isEmpty())
        return find("MS Sans Serif")->families;
    return {asked, "sans-serif"};
}

} // namespace

QString substituteFamily(std::string_view name) {
    return familiesFor(name).front();
}

int fontPixelSize(double points, double dpi) {
    double px = points * dpi / 72.0;
    if (!std::isfinite(px) || px < 1)
        return 1;
    return int(std::lround(std::min(px, 100000.0)));
}

QFont substituteFont(std::string_view name, double points, bool bold, double dpi) {
    QStringList families = familiesFor(name);
    QFont font(families.front());
    font.setFamilies(families);
    font.setPixelSize(fontPixelSize(points, dpi));
    const Substitute* s = find(name);
    font.setBold(bold || (s && s->forceBold));
    return font;
}

} // namespace vitalune
