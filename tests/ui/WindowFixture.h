// SPDX-License-Identifier: MIT
#pragma once

#include "DateStepper.h"
#include "MainWindow.h"
#include "PictureBox.h"

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

    // The dates as the step controls show them.
    Date target() const {
        return {window->referenceDayStepper->value(), window->referenceMonthStepper->value(),
                window->referenceYearStepper->value()};
    }
    Date birth() const {
        return {window->birthDayStepper->value(), window->birthMonthStepper->value(),
                window->birthYearStepper->value()};
    }
    // Sets the whole reference date at once; the window redraws.
    void setTarget(int day, int month, int year) {
        window->dates().setReference({day, month, year});
    }
    // A click on the control's right (+1) or left (-1) arrow.
    static void step(QScrollBar* bar, int direction) {
        const QPoint arrow(direction > 0 ? bar->width() - 4 : 3, bar->height() / 2);
        QTest::mouseClick(bar, Qt::LeftButton, {}, arrow);
    }

    std::unique_ptr<MainWindow> window;
};

} // namespace vitalune::testing
