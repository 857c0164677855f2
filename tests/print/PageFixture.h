// SPDX-License-Identifier: MIT
#pragma once

#include "Calendar.h"
#include "DateSource.h"
#include "RecordingSurface.h"
#include "RuntimeError.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace vitalune::testing {

// The six date controls as plain values; logs every read and can fail one field or
// change the reference month between the two charts.
class FakeDates : public DateSource {
public:
    FakeDates(Date birth, Date target)
        : values{birth.day, birth.month, birth.year, target.day, target.month, target.year} {}

    std::int16_t value(DateField field) const override {
        reads.push_back(field);
        if (unreadable && *unreadable == field)
            throw RuntimeError("Object required");
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
