// SPDX-License-Identifier: MIT
// vitalune-service-file: writes the D-Bus service file that starts the program at a given
// path into a given folder. The build runs it for the build tree and at install time, so
// those files and the one `vitalune --register` writes come from the same code.

#include "ServiceFile.h"

#include <QFile>

#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fputs("usage: vitalune-service-file <absolute path of vitalune> <service folder>\n",
                   stderr);
        return 2;
    }
    const vitalune::RegistrationResult result = vitalune::registerServer(
        vitalune::ServiceFolder{QByteArray(argv[2]), {}}, QFile::decodeName(argv[1]));
    if (!result.ok) {
        std::fprintf(stderr, "vitalune-service-file: %s\n",
                     result.message.toLocal8Bit().constData());
        return 1;
    }
    return 0;
}
