// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <QStringList>

#include <optional>

class QCommandLineParser;

namespace vitalune {

// Teaches a parser Qt's own options (-style, -platform, ...), hidden from --help, so that a
// command line is checked before the QApplication exists: --help needs no display.
void acceptQtOptions(QCommandLineParser& parser);

// Parses `arguments` (without the program's name), which take no positional arguments.
// Empty when they are fine; otherwise what is wrong, an unknown option named as typed.
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
