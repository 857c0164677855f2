// SPDX-License-Identifier: MIT
#pragma once

#include "PictureBox.h"
#include "MainWindow.h"

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
        window = std::make_unique<MainWindow>([today] { return today; });
        window->setQuitOnClose(false);
    }
    void SetUp() override { open(); }

    Date target() const {
        return {static_cast<std::int16_t>(window->referenceDayStepper->value()),
                static_cast<std::int16_t>(window->referenceMonthStepper->value()),
                static_cast<std::int16_t>(window->referenceYearStepper->value())};
    }
    Date birth() const {
        return {static_cast<std::int16_t>(window->birthDayStepper->value()),
                static_cast<std::int16_t>(window->birthMonthStepper->value()),
                static_cast<std::int16_t>(window->birthYearStepper->value())};
    }
    // Sets the reference date without running any handler, then redraws.
    void setTarget(int day, int month, int year) {
        for (auto [bar, v] : {std::pair{window->referenceDayStepper, day}, std::pair{window->referenceMonthStepper, month},
                              std::pair{window->referenceYearStepper, year}}) {
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

    std::unique_ptr<MainWindow> window;
};

} // namespace vitalune::testing
