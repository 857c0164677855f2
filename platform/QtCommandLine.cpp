// SPDX-License-Identifier: MIT
#include "QtCommandLine.h"

#include <QCommandLineParser>

namespace vitalune {

namespace {

// QGuiApplication's and QApplication's options (see their constructors' documentation), the
// X11 ones Qt's xcb plug-in reads, and the older X11 ones Qt still documents and now ignores.
const char* const QtValueOptions[] = {"platform",      "platformpluginpath",
                                      "platformtheme", "plugin",
                                      "qmljsdebugger", "qwindowgeometry",
                                      "qwindowicon",   "qwindowtitle",
                                      "session",       "display",
                                      "geometry",      "icon",
                                      "title",         "name",
                                      "visual",        "style",
                                      "stylesheet",    "ncols",
                                      "fontengine"};
const char* const QtFlagOptions[] = {"reverse", "widgetcount", "nograb", "dograb", "sync", "cmap"};

} // namespace

void acceptQtOptions(QCommandLineParser& parser) {
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    for (const char* name : QtValueOptions) {
        QCommandLineOption option(QString::fromLatin1(name), QString(), QStringLiteral("value"));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
    for (const char* name : QtFlagOptions) {
        QCommandLineOption option(QString::fromLatin1(name));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
}

QtOptions qtOptions(const QCommandLineParser& parser) {
    QtOptions result;
    for (const char* name : QtValueOptions) {
        const QString option = QString::fromLatin1(name);
        const QStringList values = parser.values(option);
        if (option == QLatin1String("platform")) {
            if (!values.isEmpty())
                result.platform = values.constLast();
            continue;
        }
        for (const QString& value : values)
            result.arguments << u'-' + option << value;
    }
    for (const char* name : QtFlagOptions) {
        if (parser.isSet(QString::fromLatin1(name)))
            result.arguments << u'-' + QString::fromLatin1(name);
    }
    return result;
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

QString helpText(const QCommandLineParser& parser, const QString& program) {
    // The parser names the program from the application object, which may not exist yet.
    QString text = parser.helpText();
    text.replace(0, text.indexOf(u'\n'), QStringLiteral("Usage: %1 [options]").arg(program));
    return text;
}

} // namespace vitalune
