// SPDX-License-Identifier: MIT
#pragma once

#include <QColor>
#include <QImage>

namespace vitalune {

// The dial faces are pictures of a round face drawn, with an antialiased edge, on the
// design's button face RGB(240, 240, 240). This lays `face` on `background` instead: the
// corners take the background, the edge pixels as much of it as lies outside the disc. A
// background within a shade or two of the design's grey (a light theme) keeps the face as
// drawn. `face` may be a version drawn for a finer screen (its device pixel ratio).
QImage dialFaceOn(const QImage& face, const QColor& background);

} // namespace vitalune
