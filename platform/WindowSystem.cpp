// SPDX-License-Identifier: MIT
#include "WindowSystem.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QJsonArray>
#include <QJsonObject>
#include <QLibraryInfo>
#include <QPluginLoader>

#include <algorithm>

namespace vitalune {

namespace {

const QString Offscreen = QStringLiteral("offscreen");

QStringList* heard = nullptr;
QtMessageHandler passOn = nullptr;

void listen(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (heard && (type == QtWarningMsg || type == QtCriticalMsg) && context.category &&
        qstrncmp(context.category, "qt.qpa", 6) == 0 && !message.trimmed().isEmpty())
        heard->append(message.trimmed());
    if (passOn)
        passOn(type, context, message);
}

// Qt 6's own choice when nothing names a platform: Wayland in its session, then X11.
QString sessionDefault() {
    if (qEnvironmentVariable("XDG_SESSION_TYPE") == QLatin1String("wayland") ||
        !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        return QStringLiteral("wayland;xcb");
    return QStringLiteral("xcb");
}

QString valueOf(const QStringList& arguments, QLatin1String option) {
    const qsizetype at = arguments.lastIndexOf(option);
    return at >= 0 && at + 1 < arguments.size() ? arguments[at + 1] : QString();
}

// The names of the platform plug-ins Qt can find, read from their files without loading them.
QStringList installedPlatforms(const QString& pluginPath) {
    QStringList folders{pluginPath, qEnvironmentVariable("QT_QPA_PLATFORM_PLUGIN_PATH")};
    for (const QString& path :
         qEnvironmentVariable("QT_PLUGIN_PATH").split(u':', Qt::SkipEmptyParts))
        folders << path + QStringLiteral("/platforms");
    folders << QLibraryInfo::path(QLibraryInfo::PluginsPath) + QStringLiteral("/platforms")
            << QFileInfo(QStringLiteral("/proc/self/exe")).canonicalPath() +
                   QStringLiteral("/platforms");
    QStringList names;
    for (const QString& folder : folders) {
        if (folder.isEmpty())
            continue;
        const QDir dir(folder);
        for (const QString& file : dir.entryList(QDir::Files)) {
            const QJsonObject about = QPluginLoader(dir.filePath(file)).metaData();
            if (about[u"IID"].toString().startsWith(u"org.qt-project.Qt.QPA.QPlatformIntegration"))
                for (const QJsonValue key : about[u"MetaData"][u"Keys"].toArray())
                    names << key.toString().toLower();
        }
    }
    names.removeDuplicates();
    names.sort();
    return names;
}

} // namespace

WindowSystem::WindowSystem(const char* program, const QtOptions& options, bool offscreen)
    : options_(options) {
    if (options_.platform) {
        platforms_ = *options_.platform;
        const QStringList installed =
            installedPlatforms(valueOf(options_.arguments, QLatin1String("-platformpluginpath")));
        const QStringList names = requestedNames();
        if (std::none_of(names.begin(), names.end(),
                         [&installed](const QString& name) { return installed.contains(name); }))
            unknown_ = QStringLiteral("-platform: '%1' names no installed Qt platform plug-in "
                                      "(installed: %2)")
                           .arg(platforms_, installed.join(QStringLiteral(", ")));
    } else if (offscreen) {
        platforms_ = Offscreen;
    } else if (!qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        platforms_ = qEnvironmentVariable("QT_QPA_PLATFORM");
    } else {
        platforms_ = sessionDefault();
    }

    // Qt takes the first that starts: placed first, -platform overrides the rest.
    QString tried = platforms_;
    if (!requestedNames().contains(Offscreen))
        tried += u';' + Offscreen;
    arguments_ << QByteArray(program) << QByteArrayLiteral("-platform") << tried.toLocal8Bit();
    for (const QString& argument : options_.arguments)
        arguments_ << argument.toLocal8Bit();
    for (QByteArray& argument : arguments_)
        pointers_.push_back(argument.data());
    pointers_.push_back(nullptr);
    argc_ = static_cast<int>(arguments_.size());

    heard = &heard_;
    passOn = qInstallMessageHandler(listen);
}

WindowSystem::~WindowSystem() {
    stopListening();
}

void WindowSystem::stopListening() {
    if (heard != &heard_)
        return;
    qInstallMessageHandler(passOn);
    heard = nullptr;
}

// "wayland:opt;xcb" -> wayland, xcb, as Qt reads such a list: names first, tried in order.
QStringList WindowSystem::requestedNames() const {
    QStringList names;
    for (const QString& entry : platforms_.split(u';', Qt::SkipEmptyParts))
        if (const QString name = entry.section(u':', 0, 0).toLower(); !name.isEmpty())
            names << name;
    return names;
}

void WindowSystem::started() {
    stopListening();
    if (QGuiApplication::platformName() != Offscreen || requestedNames().contains(Offscreen))
        return;
    QString reason;
    if (!options_.platform && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") &&
        qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
        !options_.arguments.contains(QLatin1String("-display")))
        reason = QStringLiteral("neither DISPLAY nor WAYLAND_DISPLAY is set");
    else if (!heard_.isEmpty())
        reason = heard_.join(QStringLiteral("; "));
    else
        reason = QStringLiteral("the window system '%1' did not start").arg(platforms_);
    noDisplay_ = QStringLiteral("No display could be opened: %1").arg(reason);
}

} // namespace vitalune
