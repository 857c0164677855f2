// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <QStringList>

class QCommandLineParser;

namespace vitalune {

// Teaches a parser the options every Qt program takes (-style, -platform, -reverse, ...),
// hidden from --help, so that a command line can be checked before the QApplication that
// acts on them exists: --help and --version must work without a display. Qt's own
// single-dash spelling is kept, so the parser reads "-style" as one word.
void acceptQtOptions(QCommandLineParser& parser);

// Parses `arguments` (the program's name left out), which take no positional arguments.
// Empty when they are fine; otherwise what is wrong, naming an unknown option as it was
// typed ("--bogus", not "bogus").
QString parseOptions(QCommandLineParser& parser, const QString& program,
                     const QStringList& arguments);

// The name under which -platform (or --platform) is known to the parser.
inline constexpr const char* QtPlatformOption = "platform";

} // namespace vitalune
