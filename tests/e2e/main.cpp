// SPDX-License-Identifier: MIT
#include <QCoreApplication>

#include <gtest/gtest.h>

// The tests talk D-Bus and wait on processes through the event loop of an application.
int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
