#include "HostOptions.h"

#include <QRegularExpression>

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

bool parseCaptionType(const QString& text, HostOptions::CaptionType& type) {
    if (text == QLatin1String("string"))
        type = HostOptions::CaptionType::String;
    else if (text == QLatin1String("int"))
        type = HostOptions::CaptionType::Int;
    else if (text == QLatin1String("bool"))
        type = HostOptions::CaptionType::Bool;
    else if (text == QLatin1String("array"))
        type = HostOptions::CaptionType::Array;
    else
        return false;
    return true;
}

bool isObjectPath(const QString& text) {
    static const QRegularExpression path(QStringLiteral("^(/|(/[A-Za-z0-9_]+)+)$"));
    return path.match(text).hasMatch();
}

bool parsePositive(const QString& text, int& value) {
    bool ok = false;
    const int parsed = text.toInt(&ok);
    if (!ok || parsed < 1)
        return false;
    value = parsed;
    return true;
}

} // namespace

ParsedHostOptions parseHostOptions(const QStringList& arguments) {
    ParsedHostOptions parsed;
    HostOptions& o = parsed.options;
    bool scripted = false;
    bool windowAsked = false;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& arg = arguments[i];
        auto value = [&](QString& out) {
            if (i + 1 >= arguments.size()) {
                parsed.error = QStringLiteral("%1 needs a value").arg(arg);
                return false;
            }
            out = arguments[++i];
            return true;
        };
        QString v;
        if (arg == QLatin1String("--help") || arg == QLatin1String("-h")) {
            parsed.help = true;
        } else if (arg == QLatin1String("--window")) {
            windowAsked = true;
        } else if (arg == QLatin1String("--run")) {
            o.runAtStart = true;
        } else if (arg == QLatin1String("--nick")) {
            if (!value(o.nick))
                return parsed;
            scripted = true;
        } else if (arg == QLatin1String("--birth")) {
            if (!value(o.birth))
                return parsed;
            scripted = true;
        } else if (arg == QLatin1String("--caption")) {
            if (!value(v))
                return parsed;
            o.caption = v;
            scripted = true;
        } else if (arg == QLatin1String("--caption-type")) {
            if (!value(v))
                return parsed;
            if (!parseCaptionType(v, o.captionType)) {
                parsed.error = QStringLiteral("--caption-type: string, int, bool or array");
                return parsed;
            }
            scripted = true;
        } else if (arg == QLatin1String("--path")) {
            if (!value(v))
                return parsed;
            if (!isObjectPath(v)) {
                parsed.error = QStringLiteral("--path: not a D-Bus object path: %1").arg(v);
                return parsed;
            }
            o.formPath = v;
            scripted = true;
        } else if (arg == QLatin1String("--without")) {
            if (!value(v))
                return parsed;
            if (v == QLatin1String("lblnick"))
                o.withNick = false;
            else if (v == QLatin1String("lblnasc"))
                o.withBirth = false;
            else if (v == QLatin1String("Caption"))
                o.withCaption = false;
            else {
                parsed.error = QStringLiteral("--without: lblnick, lblnasc or Caption");
                return parsed;
            }
            scripted = true;
        } else if (arg == QLatin1String("--stall")) {
            o.stall = true;
            scripted = true;
        } else if (arg == QLatin1String("--exit-during-run")) {
            o.exitDuringRun = true;
            scripted = true;
        } else if (arg == QLatin1String("--runs")) {
            if (!value(v))
                return parsed;
            if (!parsePositive(v, o.runs)) {
                parsed.error = QStringLiteral("--runs: a whole number of at least 1");
                return parsed;
            }
            scripted = true;
        } else if (arg == QLatin1String("--timeout")) {
            if (!value(v))
                return parsed;
            if (!parsePositive(v, o.timeoutSeconds)) {
                parsed.error = QStringLiteral("--timeout: seconds, at least 1");
                return parsed;
            }
            scripted = true;
        } else if (arg == QLatin1String("--call-timeout")) {
            if (!value(v))
                return parsed;
            if (!parsePositive(v, o.callTimeoutMs)) {
                parsed.error = QStringLiteral("--call-timeout: milliseconds, at least 1");
                return parsed;
            }
            scripted = true;
        } else {
            parsed.error = QStringLiteral("unknown argument '%1'").arg(arg);
            return parsed;
        }
    }
    if (o.captionType == HostOptions::CaptionType::Int && o.caption) {
        bool ok = false;
        o.caption->toInt(&ok);
        if (!ok) {
            parsed.error = QStringLiteral("--caption-type int needs a whole-number caption");
            return parsed;
        }
    }
    o.window = windowAsked || !scripted;
    return parsed;
}

QString hostUsage() {
    return QStringLiteral(
        "Usage: vitalune-host [--window [--run]] [--nick TEXT] [--birth DD/MM/YYYY]\n"
        "                     [--caption TEXT] [--caption-type string|int|bool|array]\n"
        "                     [--without lblnick|lblnasc|Caption] [--path /forms/1]\n"
        "                     [--stall] [--exit-during-run] [--runs N] [--timeout S]\n"
        "                     [--call-timeout MS]\n"
        "\n"
        "A sample host for the Vitalune plug-in: it shows a person and opens the plug-in\n"
        "for that person over the session bus.\n"
        "\n"
        "Without arguments (or with --window) it opens its window; --run presses its button.\n"
        "Otherwise it exports its form, calls Identify and Run, prints each result on\n"
        "standard output (Identify=..., Run=... or RunError=...) and serves its form until\n"
        "the plug-in's process ends (End=plugin-gone) or the time limit passes\n"
        "(End=time-limit).\n"
        "  --stall            never answer a read of Caption\n"
        "  --exit-during-run  leave as soon as the plug-in reads the form's Caption\n");
}

} // namespace vitalune::host
