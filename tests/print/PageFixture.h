// SPDX-License-Identifier: MIT
#pragma once

#include "Calendar.h"
#include "DateSource.h"
#include "RecordingSurface.h"

#include <array>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace vitalune::testing {

// The six date controls as plain values; logs every read and can fail one field or
// change the reference month between the two charts.
class FakeDates : public DateSource {
public:
    FakeDates(Date birth, Date target)
        : values{static_cast<std::int16_t>(birth.day),    static_cast<std::int16_t>(birth.month),
                 static_cast<std::int16_t>(birth.year),   static_cast<std::int16_t>(target.day),
                 static_cast<std::int16_t>(target.month), static_cast<std::int16_t>(target.year)} {}

    std::int16_t value(DateField field) const override {
        reads.push_back(field);
        if (unreadable && *unreadable == field)
            throw std::runtime_error("Object required");
        const auto i = static_cast<std::size_t>(field);
        if (field == DateField::TargetMonth && laterTargetMonth && readsOf(field) > 1)
            return *laterTargetMonth;
        return values[i];
    }
    int readsOf(DateField field) const {
        int n = 0;
        for (auto f : reads)
            n += f == field;
        return n;
    }

    std::array<std::int16_t, 6> values;
    std::optional<DateField> unreadable;
    std::optional<std::int16_t> laterTargetMonth;
    mutable std::vector<DateField> reads;
};

using Op = RecordingSurface::Op;

inline std::vector<Op> textsNamed(const RecordingSurface& s, const std::string& text) {
    std::vector<Op> out;
    for (const auto& op : s.texts())
        if (op.text == text)
            out.push_back(op);
    return out;
}

inline std::vector<Op> textsAtY(const RecordingSurface& s, float y) {
    std::vector<Op> out;
    for (const auto& op : s.texts())
        if (op.state.currentY == y)
            out.push_back(op);
    return out;
}

// Curve segments are the only lines 10 pixels wide; legend samples the only ones 100 wide.
inline std::vector<Op> linesSpanning(const RecordingSurface& s, float dx) {
    std::vector<Op> out;
    for (const auto& op : s.lines())
        if (op.x2 - op.x1 == dx)
            out.push_back(op);
    return out;
}

} // namespace vitalune::testing
