// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <QStringList>

#include <optional>

class QCommandLineParser;

namespace vitalune {

// Teaches a parser the options every Qt program takes (-style, -platform, -reverse, -nograb,
// ...), hidden from --help, so that a command line can be checked before the QApplication
// that acts on them exists: --help and --version must work without a display. Qt's own
// single-dash spelling is kept, so the parser reads "-style" as one word.
void acceptQtOptions(QCommandLineParser& parser);

// Parses `arguments` (the program's name left out), which take no positional arguments.
// Empty when they are fine; otherwise what is wrong, naming an unknown option as it was
// typed ("--bogus", not "bogus").
QString parseOptions(QCommandLineParser& parser, const QString& program,
                     const QStringList& arguments);

// Qt's options of a parsed command line, as the QApplication is to get them.
struct QtOptions {
    // Every Qt option but -platform, each value apart from its option ("-title", "T"): Qt
    // ignores "-title=T" and most such spellings, while the parser takes them.
    QStringList arguments;
    std::optional<QString> platform; // the last -platform value, as Qt takes the last
};
QtOptions qtOptions(const QCommandLineParser& parser);

} // namespace vitalune
