// SPDX-License-Identifier: MIT
// The build's service files come from the same code as `vitalune --register`.

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
