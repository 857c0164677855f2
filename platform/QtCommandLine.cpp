// SPDX-License-Identifier: MIT
#include "QtCommandLine.h"

#include <QCommandLineParser>

namespace vitalune {

void acceptQtOptions(QCommandLineParser& parser) {
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    // QGuiApplication's and QApplication's options (see the QApplication documentation);
    // the QApplication reads and removes them from argv itself.
    static const char* const withValue[] = {
        "platform",    "platformpluginpath", "platformtheme", "plugin",    "qwindowgeometry",
        "qwindowicon", "qwindowtitle",       "session",       "display",   "geometry",
        "style",       "stylesheet",         "qmljsdebugger", "fontengine"};
    static const char* const withoutValue[] = {"reverse", "widgetcount"};
    for (const char* name : withValue) {
        QCommandLineOption option(QString::fromLatin1(name), QString(), QStringLiteral("value"));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
    for (const char* name : withoutValue) {
        QCommandLineOption option(QString::fromLatin1(name));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
}

namespace {

QString parseErrorText(const QCommandLineParser& parser, const QStringList& arguments) {
    const QStringList unknown = parser.unknownOptionNames();
    if (unknown.isEmpty())
        return parser.errorText();
    for (const QString& argument : arguments) {
        qsizetype start = 0;
        while (start < argument.size() && argument[start] == u'-')
            ++start;
        if (start > 0 && argument.mid(start).section(u'=', 0, 0) == unknown.front())
            return QStringLiteral("unknown option '%1'").arg(argument);
    }
    return parser.errorText();
}

} // namespace

QString parseOptions(QCommandLineParser& parser, const QString& program,
                     const QStringList& arguments) {
    if (!parser.parse(QStringList{program} + arguments))
        return parseErrorText(parser, arguments);
    if (!parser.positionalArguments().isEmpty())
        return QStringLiteral("unexpected argument '%1'").arg(parser.positionalArguments().front());
    return {};
}

} // namespace vitalune
