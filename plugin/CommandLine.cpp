// SPDX-License-Identifier: MIT
#include "CommandLine.h"

#include "BirthDateText.h"
#include "Identity.h"
#include "QtCommandLine.h"

#include <QCommandLineParser>
#include <QFile>

namespace vitalune {

namespace {

const QString Automation = QString::fromLatin1(identity::AutomationOption).mid(2);
const QString Register = QStringLiteral("register");
const QString Unregister = QStringLiteral("unregister");
const QString Export = QStringLiteral("export");
const QString Help = QStringLiteral("help");
const QString Version = QStringLiteral("version");
const QString Birth = QStringLiteral("birth");
const QString Reference = QStringLiteral("date");
const QString BlackAndWhite = QStringLiteral("black-and-white");

void describe(QCommandLineParser& parser) {
    parser.setApplicationDescription(
        QStringLiteral(
            "Vitalune charts a person's physical, emotional and intellectual biorhythm.\n"
            "A host program opens it for its person over D-Bus (bus name %1).\n"
            "Without an option it opens the window, and also serves the bus name when\n"
            "it is free. Qt's standard options (-style, -platform, -reverse, ...) are\n"
            "accepted too.")
            .arg(QLatin1String(identity::BusName)));
    acceptQtOptions(parser);
    parser.addOptions({
        {Automation, QStringLiteral("Serve the bus name, as the bus starts the plug-in; the window "
                                    "opens when a host calls Run.")},
        {Register, QStringLiteral("Write the user's D-Bus service file for this program.")},
        {Unregister, QStringLiteral("Remove that file.")},
        {Export,
         QStringLiteral("Write the chart to FILE without a window, bus or printer: FILE.png gets "
                        "the window's chart, FILE.pdf the printed page."),
         QStringLiteral("FILE")},
        {Birth, QStringLiteral("With --export: the birth date (default 17/02/1959)."),
         QStringLiteral("D/M/Y")},
        {Reference, QStringLiteral("With --export: the reference date (default today)."),
         QStringLiteral("D/M/Y")},
        {BlackAndWhite, QStringLiteral("With --export to .pdf: the black-and-white page instead of "
                                       "the colour one.")},
        {{QStringLiteral("h"), Help}, QStringLiteral("Show this text.")},
        {Version, QStringLiteral("Show the version.")},
    });
}

std::optional<Date> dateOption(const QCommandLineParser& parser, const QString& name,
                               QString& error) {
    if (!parser.isSet(name))
        return std::nullopt;
    const QString text = parser.value(name);
    auto date = parseBirthDate(text);
    if (!date)
        error =
            QStringLiteral("--%1: not a day/month/year date of 1900 to 3000: '%2'").arg(name, text);
    return date;
}

} // namespace

CommandLine parseCommandLine(const QStringList& arguments) {
    QCommandLineParser parser;
    describe(parser);
    CommandLine result;
    const auto invalid = [&result](const QString& why) {
        result.mode = LaunchMode::Invalid;
        result.error = why;
        return result;
    };
    if (const QString error = parseOptions(parser, QStringLiteral("vitalune"), arguments);
        !error.isEmpty())
        return invalid(error);

    const QStringList given = parser.optionNames();
    int modes = 0;
    // optionNames() has each option as it was spelt, so -h counts apart from --help.
    for (const QString& name :
         {Automation, Register, Unregister, Export, Help, QStringLiteral("h"), Version})
        modes += given.count(name);
    result.qt = qtOptions(parser);
    if (modes > 1)
        return invalid(QStringLiteral("too many arguments: give one option at most"));
    for (const QString& name : {Birth, Reference, BlackAndWhite})
        if (given.count(name) > 1 || (parser.isSet(name) && !parser.isSet(Export)))
            return invalid(given.count(name) > 1
                               ? QStringLiteral("--%1 given twice").arg(name)
                               : QStringLiteral("--%1 goes with --export").arg(name));

    for (const auto& [name, mode] :
         {std::pair{Help, LaunchMode::Help}, std::pair{Version, LaunchMode::Version},
          std::pair{Automation, LaunchMode::Automation}, std::pair{Register, LaunchMode::Register},
          std::pair{Unregister, LaunchMode::Unregister}, std::pair{Export, LaunchMode::Export}})
        if (parser.isSet(name))
            result.mode = mode;
    if (result.mode == LaunchMode::Export) {
        ChartExport& e = result.chartExport;
        e.file = parser.value(Export);
        if (!ChartExport::formatOf(e.file))
            return invalid(QStringLiteral("--export: '%1' must end in .png or .pdf").arg(e.file));
        QString error;
        e.birth = dateOption(parser, Birth, error);
        e.reference = dateOption(parser, Reference, error);
        if (!error.isEmpty())
            return invalid(error);
        e.blackAndWhite = parser.isSet(BlackAndWhite);
    }
    return result;
}

CommandLine parseNativeCommandLine(const QByteArrayList& arguments) {
    QStringList decoded;
    for (const QByteArray& argument : arguments)
        decoded << QFile::decodeName(argument);
    CommandLine result = parseCommandLine(decoded);
    if (result.mode != LaunchMode::Export)
        return result;
    // A non-UTF-8 file name loses its bytes in QString: they are taken again from argv.
    const QString& file = result.chartExport.file;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QByteArray& argument = arguments[i];
        const qsizetype equals = argument.indexOf('=');
        const QByteArray name = equals < 0 ? argument : argument.first(equals);
        if (name != "--export" && name != "-export")
            continue;
        if (equals >= 0)
            result.exportPath = argument.mid(equals + 1);
        else if (i + 1 < arguments.size())
            result.exportPath = arguments[i + 1];
    }
    if (QFile::decodeName(result.exportPath) != file) {
        result.mode = LaunchMode::Invalid;
        result.error = QStringLiteral("--export: cannot tell which file '%1' names").arg(file);
    }
    return result;
}

QString usageText(const QString& program) {
    QCommandLineParser parser;
    describe(parser);
    return helpText(parser, program);
}

QString versionText() {
    return QStringLiteral("vitalune %1\n").arg(QStringLiteral(VITALUNE_VERSION));
}

} // namespace vitalune
