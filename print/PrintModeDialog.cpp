// SPDX-License-Identifier: MIT
#include "PrintModeDialog.h"

#include "FontTable.h"
#include "SystemColours.h"
#include "ToolbarButton.h"
#include "WindowLayout.h"

#include <QApplication>
#include <QLabel>
#include <QScopedValueRollback>

// Resources of a static library are registered by hand, outside any namespace.
static void initPrintPictures() {
    Q_INIT_RESOURCE(print_pictures);
}

namespace vitalune {

PrintModeDialog::PrintModeDialog(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint) {
    initPrintPictures();
    buildControls();
}

void PrintModeDialog::buildControls() {
    // No text in the title bar: an empty title would show the application's name.
    setWindowTitle(QStringLiteral(" "));
    setAccessibleName(QStringLiteral("Tipo de Impressora"));
    setFixedSize(layout::printModeDialog);

    setAutoFillBackground(true);
    setFont(substituteFont("MS Sans Serif", 8.25, true));

    // Pictures alone, 37 x 37, with a raised edge under the pointer.
    auto makeButton = [this](const char* name, const char* spoken, QRect place, const char* picture,
                             const char* hovered = "") {
        auto* b = new ToolbarButton(this);
        b->setObjectName(QLatin1String(name));
        b->setAccessibleName(QString::fromUtf8(spoken));
        const QString folder = QStringLiteral(":/print/");
        b->setIcon(ToolbarButton::picture(folder + QLatin1String(picture),
                                          *hovered ? folder + QLatin1String(hovered) : QString()));
        b->setIconSize(QSize(32, 32));
        b->setGeometry(place);
        return b;
    };

    cancelButton = makeButton("cancelButton", "Cancelar", layout::cancelButton, "cross-32.png",
                              "cross-focused-32.png");
    blackAndWhiteButton = makeButton("blackAndWhiteButton", "Preto e branco",
                                     layout::blackAndWhiteButton, "grey-32.png");
    colourButton = makeButton("colourButton", "Colorida", layout::colourButton, "colour-32.png");
    // Tab and the arrow keys go from left to right: colour, black and white, cancel.
    setTabOrder(colourButton, blackAndWhiteButton);
    setTabOrder(blackAndWhiteButton, cancelButton);

    heading = new QLabel(QStringLiteral("Tipo de Impressora"), this);
    heading->setObjectName(QStringLiteral("heading"));
    heading->setGeometry(layout::printModeHeading);
    applyColours();

    connect(colourButton, &QAbstractButton::clicked, this, [this] { print(PrintMode::Colour); });
    connect(blackAndWhiteButton, &QAbstractButton::clicked, this,
            [this] { print(PrintMode::BlackAndWhite); });
    connect(cancelButton, &QAbstractButton::clicked, this, &PrintModeDialog::reject);
}

void PrintModeDialog::applyColours() {
    // On the button face; the heading keeps the design's purple, lightened on a dark face.
    const QPalette desktop = QApplication::palette(this);
    const QColor face = desktop.color(QPalette::Button);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, face);
    pal.setColor(QPalette::WindowText, desktop.color(QPalette::WindowText));
    setPalette(pal);
    QPalette labelPal = heading->palette();
    labelPal.setColor(QPalette::WindowText, readableOn(QColor(128, 0, 128), face));
    heading->setPalette(labelPal);
}

void PrintModeDialog::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    // A new desktop theme (setting the colours above raises this event once more).
    if (event->type() == QEvent::PaletteChange && heading && !applyingColours_) {
        const QScopedValueRollback<bool> applying(applyingColours_, true);
        applyColours();
    }
}

void PrintModeDialog::showEvent(QShowEvent* event) {
    // Every opening starts on the colour button, whichever button ended the last one.
    colourButton->setFocus(Qt::OtherFocusReason);
    QDialog::showEvent(event);
}

void PrintModeDialog::print(PrintMode mode) {
    // The event loop runs while the page is printed: the buttons wait meanwhile.
    if (printing_)
        return;
    printMode_ = mode;
    {
        const QScopedValueRollback<bool> busy(printing_, true);
        emit printRequested(mode);
    }
    // Hidden rather than closed, as after every use: it stays for the next print.
    setResult(Accepted);
    hide();
}

void PrintModeDialog::reject() {
    if (!printing_) {
        setResult(Rejected);
        hide();
    }
}

} // namespace vitalune
