// SPDX-License-Identifier: MIT
#include "TestDisplay.h"

#include "Waiting.h"

namespace vitalune::testing {

TestDisplay::TestDisplay() {
    const QString given = qEnvironmentVariable("VITALUNE_TEST_DISPLAY");
    if (!given.isEmpty()) {
        name_ = given;
        return;
    }
    // Xvfb picks a free number and writes it on descriptor 1, our pipe.
    xvfb_.start(QStringLiteral("Xvfb"),
                {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"),
                 QStringLiteral("0"), QStringLiteral("1280x1024x24"), QStringLiteral("-nolisten"),
                 QStringLiteral("tcp")});
    if (!xvfb_.waitForStarted(10000))
        return;
    QByteArray out;
    waitUntil(
        [&] {
            out += xvfb_.readAllStandardOutput();
            return out.contains('\n') || xvfb_.state() == QProcess::NotRunning;
        },
        15000);
    if (out.contains('\n'))
        name_ = u':' + QString::fromLatin1(out.trimmed());
}

TestDisplay::~TestDisplay() {
    if (xvfb_.state() != QProcess::NotRunning) {
        xvfb_.terminate();
        if (!xvfb_.waitForFinished(5000))
            xvfb_.kill();
        xvfb_.waitForFinished(5000);
    }
}

} // namespace vitalune::testing
