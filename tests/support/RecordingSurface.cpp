// SPDX-License-Identifier: MIT
#include "RecordingSurface.h"

namespace vitalune::testing {

namespace {
RecordingSurface::Op make(RecordingSurface::Kind kind) {
    RecordingSurface::Op op;
    op.kind = kind;
    return op;
}
} // namespace

bool RecordingSurface::record(Op op) {
    if (failing && *failing == op.kind)
        return false;
    op.state = state();
    ops.push_back(std::move(op));
    return true;
}

bool RecordingSurface::clear() {
    return record(make(Kind::Clear));
}

bool RecordingSurface::line(float x1, float y1, float x2, float y2, Colour colour) {
    Op op = make(Kind::Line);
    op.x1 = x1;
    op.y1 = y1;
    op.x2 = x2;
    op.y2 = y2;
    op.colour = colour;
    return record(std::move(op));
}

bool RecordingSurface::finishPage() {
    return record(make(Kind::FinishPage));
}

bool RecordingSurface::drawText(const std::vector<std::string>& items) {
    Op op = make(Kind::Text);
    op.items = items;
    for (const auto& item : items)
        op.text += item;
    return record(std::move(op));
}

std::vector<RecordingSurface::Op> RecordingSurface::of(Kind kind) const {
    std::vector<Op> out;
    for (const auto& op : ops)
        if (op.kind == kind)
            out.push_back(op);
    return out;
}

std::vector<RecordingSurface::Op> RecordingSurface::sinceLastClear() const {
    std::vector<Op> out;
    for (const auto& op : ops) {
        if (op.kind == Kind::Clear)
            out.clear();
        else
            out.push_back(op);
    }
    return out;
}

} // namespace vitalune::testing
