// SPDX-License-Identifier: MIT
#pragma once

#include "Calendar.h"
#include "RecordingSurface.h"

#include <string>
#include <vector>

namespace vitalune::testing {

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
