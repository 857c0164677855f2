// SPDX-License-Identifier: MIT
#include "FontTable.h"

#include <QStringList>

#include <algorithm>
#include <cmath>

namespace vitalune {

namespace {

struct Substitute {
    const char* name;
    QStringList families; // preferred first
    bool forceBold;
};

// Metric-compatible Liberation faces first; DejaVu and URW where it is missing.
const QStringList Sans{"Liberation Sans", "DejaVu Sans", "Nimbus Sans", "sans-serif"};
const Substitute Table[] = {
    {"MS Sans Serif", Sans, false},
    // 9-pixel labels: unsmoothed Liberation Sans stays legible where narrow faces blur digits.
    {"Small Fonts", Sans, false},
    {"Courier New", {"Liberation Mono", "DejaVu Sans Mono", "Nimbus Mono PS", "monospace"}, false},
    {"System", Sans, true},
};

const Substitute* find(std::string_view name) {
    for (const auto& s : Table)
        if (QByteArrayView(name.data(), qsizetype(name.size()))
                .compare(s.name, Qt::CaseInsensitive) == 0)
            return &s;
    return nullptr;
}

QStringList familiesFor(std::string_view name) {
    if (const Substitute* s = find(name))
        return s->families;
    QString asked = QString::fromUtf8(name.data(), qsizetype(name.size())).trimmed();
    if (asked.isEmpty())
        return Sans;
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
