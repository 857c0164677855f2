// SPDX-License-Identifier: MIT
// The design colours laid on the desktop's palette, again at each theme change.
#include "DialFace.h"
#include "MainWindow.h"
#include "PictureBox.h"
#include "SystemColours.h"
#include "ToolbarButton.h"

#include <QLabel>

namespace vitalune {

namespace {
const QColor kHeadingPurple(128, 0, 128);
const QColor kStatusBlue(0, 0, 255);

void setColour(QWidget* widget, QPalette::ColorRole role, const QColor& colour) {
    QPalette pal = widget->palette();
    pal.setColor(role, colour);
    widget->setPalette(pal);
}
} // namespace

void MainWindow::applyColours() {
    // The window's own palette: it hears of a theme change before its children.
    const QPalette& pal = palette();
    const QColor face = pal.color(QPalette::Button);

    for (QLabel* heading : {birthHeading, referenceHeading})
        setColour(heading, QPalette::WindowText,
                  readableOn(kHeadingPurple, pal.color(QPalette::Window)));
    setColour(statusLine, QPalette::WindowText, readableOn(kStatusBlue, face));

    // Flat buttons: under the pointer a dark bottom-right line (none on close), blue caption.
    for (ToolbarButton* b : {webButton, printButton, helpButton, closeButton}) {
        QPalette flat = b->palette();
        for (auto role : {QPalette::Light, QPalette::Midlight, QPalette::Dark})
            flat.setColor(role, face);
        if (b == closeButton)
            flat.setColor(QPalette::Shadow, face);
        flat.setColor(QPalette::Link, readableOn(kStatusBlue, face));
        b->setPalette(flat);
    }

    // The dial faces' corners take the window's background.
    const QColor background = pal.color(backgroundRole());
    for (PictureBox* dial : {physicalDial, emotionalDial, intellectualDial}) {
        dial->setPictureFilter(
            [background](const QImage& picture) { return dialFaceOn(picture, background); });
    }
}

} // namespace vitalune
