#include "CommandLine.h"

#include "Identity.h"

namespace vitalune {

CommandLine parseCommandLine(const QStringList& arguments) {
    if (arguments.isEmpty())
        return {LaunchMode::Window, {}};
    if (arguments.size() > 1)
        return {LaunchMode::Invalid, QStringLiteral("too many arguments")};
    const QString& option = arguments.front();
    if (option == QLatin1String(identity::AutomationOption))
        return {LaunchMode::Automation, {}};
    if (option == QLatin1String("--register"))
        return {LaunchMode::Register, {}};
    if (option == QLatin1String("--unregister"))
        return {LaunchMode::Unregister, {}};
    if (option == QLatin1String("--help") || option == QLatin1String("-h"))
        return {LaunchMode::Help, {}};
    if (option == QLatin1String("--version"))
        return {LaunchMode::Version, {}};
    return {LaunchMode::Invalid, QStringLiteral("unknown argument '%1'").arg(option)};
}

QString usageText(const QString& program) {
    return QStringLiteral(
               "Usage: %1 [--automation | --register | --unregister | --help | --version]\n"
               "\n"
               "Vitalune charts a person's physical, emotional and intellectual biorhythm.\n"
               "A host program opens it for its person over D-Bus (bus name %2).\n"
               "\n"
               "  (no argument)  open the window; also serve the bus name when it is free\n"
               "  --automation   serve the bus name, as the bus starts the plug-in; the window\n"
               "                 opens when a host calls Run\n"
               "  --register     write the user's D-Bus service file for this program\n"
               "  --unregister   remove that file\n"
               "  --help         show this text\n"
               "  --version      show the version\n")
        .arg(program, QLatin1String(identity::BusName));
}

QString versionText() {
    return QStringLiteral("vitalune %1\n").arg(QStringLiteral(VITALUNE_VERSION));
}

} // namespace vitalune
