// SPDX-License-Identifier: MIT
#pragma once

#include "PictureBox.h"
#include "frmMain.h"

#include <QLabel>
#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>

namespace vitalune::testing {

// A main window loaded on a fixed day, that does not end the process when closed.
class WindowFixture : public ::testing::Test {
protected:
    void open(QDate today = QDate(2005, 1, 31)) {
        window = std::make_unique<frmMain>([today] { return today; });
        window->setQuitOnClose(false);
    }
    void SetUp() override { open(); }

    Date target() const {
        return {static_cast<std::int16_t>(window->Défiljj2->value()),
                static_cast<std::int16_t>(window->Défilmm2->value()),
                static_cast<std::int16_t>(window->Défilaa2->value())};
    }
    Date birth() const {
        return {static_cast<std::int16_t>(window->Défiljj1->value()),
                static_cast<std::int16_t>(window->Défilmm1->value()),
                static_cast<std::int16_t>(window->Défilaa1->value())};
    }
    // Sets the reference date without running any handler, then redraws.
    void setTarget(int day, int month, int year) {
        for (auto [bar, v] : {std::pair{window->Défiljj2, day}, std::pair{window->Défilmm2, month},
                              std::pair{window->Défilaa2, year}}) {
            const QSignalBlocker block(bar);
            bar->setValue(v);
        }
        window->redrawChart();
    }
    // A click on the control's right (+1) or left (-1) arrow.
    static void step(QScrollBar* bar, int direction) {
        const QPoint arrow(direction > 0 ? bar->width() - 4 : 3, bar->height() / 2);
        QTest::mouseClick(bar, Qt::LeftButton, {}, arrow);
    }

    std::unique_ptr<frmMain> window;
};

} // namespace vitalune::testing
