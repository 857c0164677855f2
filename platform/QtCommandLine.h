// SPDX-License-Identifier: MIT
#pragma once

class QCommandLineParser;

namespace vitalune {

// Teaches a parser the options every Qt program takes (-style, -platform, -reverse, ...),
// hidden from --help, so that a command line can be checked before the QApplication that
// acts on them exists: --help and --version must work without a display. Qt's own
// single-dash spelling is kept, so the parser reads "-style" as one word.
void acceptQtOptions(QCommandLineParser& parser);

// The name under which -platform (or --platform) is known to the parser.
inline constexpr const char* QtPlatformOption = "platform";

} // namespace vitalune
