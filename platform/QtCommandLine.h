// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <QStringList>

#include <optional>

class QCommandLineParser;

namespace vitalune {

// Qt's own options, hidden from --help, so the line is checked before any display.
void acceptQtOptions(QCommandLineParser& parser);

// Empty when `arguments` are fine; else what is wrong, the option named as typed.
QString parseOptions(QCommandLineParser& parser, const QString& program,
                     const QStringList& arguments);

// The parser's help under "Usage: <program> [options]", with or without an application object.
QString helpText(const QCommandLineParser& parser, const QString& program);

// Qt's options of a parsed command line, as the QApplication is to get them.
struct QtOptions {
    // Every Qt option but -platform, each value apart from its option: Qt ignores "-title=T".
    QStringList arguments;
    std::optional<QString> platform; // the last -platform value, as Qt takes the last
};
QtOptions qtOptions(const QCommandLineParser& parser);

} // namespace vitalune
