// SPDX-License-Identifier: MIT
#pragma once

#include "PrintedPage.h"

#include <QDialog>

#include <optional>

class QLabel;

namespace vitalune {

class ToolbarButton;

// The printer-type dialog; it asks for the page with printRequested and hides once printed.
class PrintModeDialog : public QDialog {
    Q_OBJECT
public:
    explicit PrintModeDialog(QWidget* parent = nullptr);

    // Modal until a button ends it: the mode printed, or none when cancelled.
    std::optional<PrintMode> choose() {
        return exec() == Accepted ? std::optional(printMode_) : std::nullopt;
    }
    // The mode of the last print; cancel leaves it as it was.
    PrintMode printMode() const { return printMode_; }

    // Escape and the window frame's close box end the dialog as cancel does.
    void reject() override;

    ToolbarButton* cancelButton = nullptr;
    ToolbarButton* blackAndWhiteButton = nullptr;
    ToolbarButton* colourButton = nullptr;
    QLabel* heading = nullptr;

signals:
    // Slots run while the dialog stays on screen, its buttons, Escape and close box inert.
    void printRequested(vitalune::PrintMode mode);

protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void buildControls();
    // The design's colours on the desktop's palette, at start and on every theme change.
    void applyColours();
    void print(PrintMode mode);

    PrintMode printMode_ = PrintMode::BlackAndWhite;
    bool applyingColours_ = false;
    bool printing_ = false; // a page is being printed: the buttons, Escape and the close box wait
};

} // namespace vitalune
