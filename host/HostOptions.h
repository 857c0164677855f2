// SPDX-License-Identifier: MIT
#pragma once

#include "QtCommandLine.h"

#include <QString>
#include <QStringList>
#include <QVariant>

#include <optional>

namespace vitalune::host {

struct HostOptions {
    enum class CaptionType { String, Int, Bool, Array };

    bool window = true;      // the editable window; otherwise the scripted run
    bool runAtStart = false; // window: press the button once started
    QString nick = QStringLiteral("Ana");
    QString birth = QStringLiteral("05/06/1970");
    std::optional<QString> caption; // unset: "Ficha de <nick>"
    CaptionType captionType = CaptionType::String;
    QString formPath = QStringLiteral("/forms/1");
    bool withCaption = true;
    bool withNick = true;
    bool withBirth = true;
    bool stall = false;
    bool exitDuringRun = false;
    int runs = 1;
    int timeoutSeconds = 60;   // scripted run: serve the form at most this long
    int callTimeoutMs = 25000; // each Identify and Run call

    // The form's Caption as it goes on the bus, of the chosen type.
    QVariant captionValue() const;
    QString captionText() const;
};

struct ParsedHostOptions {
    HostOptions options;
    QString error; // non-empty: the command line is wrong
    bool help = false;
    bool version = false;
    QtOptions qt; // for the window's QApplication
};

// Parses the arguments after the program name, keeping Qt's own for the application.
ParsedHostOptions parseHostOptions(const QStringList& arguments);
QString hostUsage();
QString hostVersion();

} // namespace vitalune::host
