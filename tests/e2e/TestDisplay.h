// SPDX-License-Identifier: MIT
#pragma once

#include <QProcess>
#include <QString>

namespace vitalune::testing {

// The X display the end-to-end tests show their windows on: VITALUNE_TEST_DISPLAY when
// the test script started one, otherwise an Xvfb of this process's own.
class TestDisplay {
public:
    TestDisplay();
    ~TestDisplay();
    TestDisplay(const TestDisplay&) = delete;
    TestDisplay& operator=(const TestDisplay&) = delete;

    // Empty when no display could be had.
    const QString& name() const { return name_; }

private:
    QProcess xvfb_;
    QString name_;
};

} // namespace vitalune::testing
