// SPDX-License-Identifier: MIT
#include "ReplaceFile.h"

#include <QFile>

#include <cerrno>
#include <cstdlib>
#include <memory>
#include <optional>

#include <sys/stat.h>
#include <unistd.h>

namespace vitalune {

namespace {

// The regular file `path` leads to (a new one under the name given), or `why`.
std::optional<QByteArray> regularFile(const QByteArray& path, struct stat& found, QString& why) {
    if (::lstat(path.constData(), &found) != 0) {
        if (errno != ENOENT) {
            why = qt_error_string(errno);
            return std::nullopt;
        }
        found.st_mode = 0;
        return path;
    }
    QByteArray target = path;
    if (S_ISLNK(found.st_mode)) {
        const std::unique_ptr<char, decltype(&std::free)> resolved(
            ::realpath(path.constData(), nullptr), &std::free);
        if (!resolved || ::stat(resolved.get(), &found) != 0) {
            why = errno == ENOENT ? QStringLiteral("a symbolic link that leads nowhere")
                                  : qt_error_string(errno);
            return std::nullopt;
        }
        target = resolved.get();
    }
    if (S_ISDIR(found.st_mode))
        why = QStringLiteral("it is a folder");
    else if (!S_ISREG(found.st_mode))
        why = QStringLiteral("not a regular file");
    else if (::access(target.constData(), W_OK) != 0)
        why = qt_error_string(errno);
    if (!why.isEmpty())
        return std::nullopt;
    return target;
}

mode_t permissionsFor(const struct stat& replaced) {
    if (replaced.st_mode != 0)
        return replaced.st_mode & 07777;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

} // namespace

QString replaceFile(const QByteArray& path, const QByteArray& contents) {
    struct stat replaced {};
    QString problem;
    const auto target = regularFile(path, replaced, problem);
    if (!target)
        return problem;

    QByteArray written = *target + ".XXXXXX";
    const int fd = ::mkstemp(written.data());
    if (fd < 0)
        return qt_error_string(errno);
    QFile file;
    if (!file.open(fd, QIODevice::WriteOnly | QIODevice::Unbuffered,
                   QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        problem = file.errorString();
    } else if (::fchmod(fd, permissionsFor(replaced)) != 0) {
        problem = qt_error_string(errno);
    } else {
        // After a short write (full disk, size limit), the next fails and says why.
        for (qint64 done = 0; problem.isEmpty() && done < contents.size();) {
            const qint64 n = file.write(contents.constData() + done, contents.size() - done);
            if (n <= 0)
                problem = file.errorString();
            done += n;
        }
        if (problem.isEmpty() && ::fsync(fd) != 0)
            problem = qt_error_string(errno);
    }
    file.close();
    if (problem.isEmpty() && file.error() != QFileDevice::NoError)
        problem = file.errorString();
    if (problem.isEmpty() && ::rename(written.constData(), target->constData()) != 0)
        problem = qt_error_string(errno);
    if (!problem.isEmpty())
        ::unlink(written.constData());
    return problem;
}

} // namespace vitalune
