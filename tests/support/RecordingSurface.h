// SPDX-License-Identifier: MIT
#pragma once

#include "DrawingSurface.h"

#include <optional>
#include <string>
#include <vector>

namespace vitalune::testing {

// Records every operation with the surface state it ran under, so tests can check
// what a renderer emitted without pixels.
class RecordingSurface : public DrawingSurface {
public:
    enum class Kind { Clear, Line, Text, FinishPage };
    struct Op {
        Kind kind = Kind::Clear;
        SurfaceState state;
        float x1 = 0, y1 = 0, x2 = 0, y2 = 0;
        Colour colour = 0;
        std::vector<std::string> items;
        std::string text; // the items joined
    };

    std::vector<Op> ops;
    // Makes every operation of this kind fail (returns false) without recording it.
    std::optional<Kind> failing;

    bool clear() override;
    bool line(float x1, float y1, float x2, float y2, Colour colour) override;
    bool finishPage() override;

    std::vector<Op> lines() const { return of(Kind::Line); }
    std::vector<Op> texts() const { return of(Kind::Text); }
    std::vector<Op> of(Kind kind) const;
    // Operations after the last clear (the picture as it stands).
    std::vector<Op> sinceLastClear() const;
    // Forgets what has been recorded (the surface state stays).
    void forget() { ops.clear(); }

protected:
    bool drawText(const std::vector<std::string>& items) override;

private:
    bool record(Op op);
};

} // namespace vitalune::testing
