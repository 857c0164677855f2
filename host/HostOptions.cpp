// SPDX-License-Identifier: MIT
#include "HostOptions.h"

#include "QtCommandLine.h"

#include "CaptionValue.h"

#include <QCommandLineParser>

#include <tuple>

namespace vitalune::host {

QString HostOptions::captionText() const {
    if (caption)
        return *caption;
    switch (captionType) {
    case CaptionType::Int:
        return QStringLiteral("42");
    case CaptionType::Bool:
        return QStringLiteral("true");
    case CaptionType::String:
    case CaptionType::Array:
        break;
    }
    return QStringLiteral("Ficha de ") + nick;
}

QVariant HostOptions::captionValue() const {
    const QString text = captionText();
    switch (captionType) {
    case CaptionType::String:
        return text;
    case CaptionType::Int:
        return text.toInt();
    case CaptionType::Bool:
        return text == QLatin1String("true") || text == QLatin1String("1");
    case CaptionType::Array:
        return QStringList{text};
    }
    return text;
}

namespace {

QCommandLineOption option(const char* name, const char* description, const char* value = "") {
    return {QString::fromLatin1(name), QString::fromUtf8(description), QString::fromLatin1(value)};
}

const QCommandLineOption Window =
    option("window", "Open the window, even with options of the scripted run.");
const QCommandLineOption Run = option("run", "Window: press its plug-in button once started.");
const QCommandLineOption Nick = option("nick", "The person's nickname (default Ana).", "TEXT");
const QCommandLineOption Birth =
    option("birth", "The person's birth date (default 05/06/1970).", "DD/MM/YYYY");
const QCommandLineOption Caption =
    option("caption", "The form's Caption (default \"Ficha de <nick>\").", "TEXT");
const QCommandLineOption CaptionType =
    option("caption-type", "The type the Caption goes on the bus as.", "string|int|bool|array");
const QCommandLineOption Path =
    option("path", "The form's object path (default /forms/1).", "PATH");
const QCommandLineOption Without =
    option("without", "Leave this member or property out of the form.", "lblnick|lblnasc|Caption");
const QCommandLineOption Stall = option("stall", "Never answer a read of Caption.");
const QCommandLineOption ExitDuringRun =
    option("exit-during-run", "Leave as soon as the plug-in reads the form's Caption.");
const QCommandLineOption Runs =
    option("runs", "Call Run this many times, one after the other (default 1).", "N");
const QCommandLineOption Timeout =
    option("timeout", "Serve the form at most this long (default 60).", "S");
const QCommandLineOption CallTimeout =
    option("call-timeout", "Wait this long for each Identify and Run (default 25000).", "MS");
const QCommandLineOption Help({QStringLiteral("h"), QStringLiteral("help")},
                              QStringLiteral("Show this text."));
const QCommandLineOption Version = option("version", "Show the version.");

void describe(QCommandLineParser& parser) {
    parser.setApplicationDescription(QStringLiteral(
        "A sample host for the Vitalune plug-in: it shows a person and opens the plug-in\n"
        "for that person over the session bus.\n"
        "\n"
        "Without arguments (or with --window) it opens its window. With any option of the\n"
        "scripted run (--nick to --call-timeout) it exports its form instead, calls Identify\n"
        "and Run, prints each result on standard output (Identify=..., Run=... or\n"
        "RunError=...) and serves its form until the plug-in's process ends\n"
        "(End=plugin-gone) or the time limit passes (End=time-limit). Qt's standard\n"
        "options (-style, -platform, -reverse, ...) are accepted too."));
    acceptQtOptions(parser);
    parser.addOptions({Window, Run, Nick, Birth, Caption, CaptionType, Path, Without, Stall,
                       ExitDuringRun, Runs, Timeout, CallTimeout, Help, Version});
}

} // namespace

ParsedHostOptions parseHostOptions(const QStringList& arguments) {
    QCommandLineParser parser;
    describe(parser);
    ParsedHostOptions parsed;
    HostOptions& o = parsed.options;
    const auto invalid = [&parsed](const QString& why) {
        parsed.error = why;
        return parsed;
    };
    if (const QString error = parseOptions(parser, QStringLiteral("vitalune-host"), arguments);
        !error.isEmpty())
        return invalid(error);
    parsed.help = parser.isSet(Help);
    parsed.qt = qtOptions(parser);
    parsed.version = parser.isSet(Version);

    // The last value given counts, as with most programs.
    const auto value = [&parser](const QCommandLineOption& o) {
        return parser.values(o).constLast();
    };
    if (parser.isSet(Nick))
        o.nick = value(Nick);
    if (parser.isSet(Birth))
        o.birth = value(Birth);
    if (parser.isSet(Caption))
        o.caption = value(Caption);
    if (parser.isSet(CaptionType)) {
        const qsizetype type = QStringList{QStringLiteral("string"), QStringLiteral("int"),
                                           QStringLiteral("bool"), QStringLiteral("array")}
                                   .indexOf(value(CaptionType));
        if (type < 0)
            return invalid(QStringLiteral("--caption-type: string, int, bool or array"));
        o.captionType = HostOptions::CaptionType(type);
    }
    if (parser.isSet(Path)) {
        if (!isValidObjectPath(value(Path)))
            return invalid(QStringLiteral("--path: not a D-Bus object path: %1").arg(value(Path)));
        o.formPath = value(Path);
    }
    for (const QString& member : parser.values(Without)) {
        bool* with = member == QLatin1String("lblnick")   ? &o.withNick
                     : member == QLatin1String("lblnasc") ? &o.withBirth
                     : member == QLatin1String("Caption") ? &o.withCaption
                                                          : nullptr;
        if (!with)
            return invalid(QStringLiteral("--without: lblnick, lblnasc or Caption"));
        *with = false;
    }
    o.stall = parser.isSet(Stall);
    o.exitDuringRun = parser.isSet(ExitDuringRun);
    for (const auto& [name, target, why] :
         {std::tuple{Runs, &o.runs, "--runs: a whole number of at least 1"},
          std::tuple{Timeout, &o.timeoutSeconds, "--timeout: seconds, at least 1"},
          std::tuple{CallTimeout, &o.callTimeoutMs, "--call-timeout: milliseconds, at least 1"}}) {
        if (!parser.isSet(name))
            continue;
        bool ok = false;
        *target = value(name).toInt(&ok);
        if (!ok || *target < 1)
            return invalid(QString::fromLatin1(why));
    }
    o.runAtStart = parser.isSet(Run);
    bool whole = true;
    if (o.captionType == HostOptions::CaptionType::Int && o.caption)
        o.caption->toInt(&whole);
    if (!whole)
        return invalid(QStringLiteral("--caption-type int needs a whole-number caption"));
    bool scripted = false;
    for (const QCommandLineOption& name : {Nick, Birth, Caption, CaptionType, Path, Without, Stall,
                                           ExitDuringRun, Runs, Timeout, CallTimeout})
        scripted = scripted || parser.isSet(name);
    o.window = parser.isSet(Window) || !scripted;
    return parsed;
}

QString hostUsage() {
    QCommandLineParser parser;
    describe(parser);
    return helpText(parser, QStringLiteral("vitalune-host"));
}

QString hostVersion() {
    return QStringLiteral("vitalune-host %1\n").arg(QStringLiteral(VITALUNE_VERSION));
}

} // namespace vitalune::host
