// SPDX-License-Identifier: MIT
#include "QtCommandLine.h"

#include <QCommandLineParser>

namespace vitalune {

namespace {

// QGuiApplication's, QApplication's and Qt's X11 options, old ignored ones included.
const QStringList QtValueOptions =
    QStringLiteral("platformpluginpath platformtheme plugin qmljsdebugger qwindowgeometry "
                   "qwindowicon qwindowtitle session display geometry icon title name visual "
                   "style stylesheet ncols fontengine")
        .split(u' ');
const QStringList QtFlagOptions =
    QStringLiteral("reverse widgetcount nograb dograb sync cmap").split(u' ');
const QString Platform = QStringLiteral("platform");

} // namespace

void acceptQtOptions(QCommandLineParser& parser) {
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    for (const QString& name : QtValueOptions + QtFlagOptions + QStringList(Platform)) {
        QCommandLineOption option(
            name, QString(), QtFlagOptions.contains(name) ? QString() : QStringLiteral("value"));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
}

QtOptions qtOptions(const QCommandLineParser& parser) {
    QtOptions result;
    if (parser.isSet(Platform))
        result.platform = parser.values(Platform).constLast();
    for (const QString& name : QtValueOptions)
        for (const QString& value : parser.values(name))
            result.arguments << u'-' + name << value;
    for (const QString& name : QtFlagOptions)
        if (parser.isSet(name))
            result.arguments << u'-' + name;
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
