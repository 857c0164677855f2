// SPDX-License-Identifier: MIT
#include "PrintModule.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibrary>

namespace vitalune {

namespace {

class MissingPrintModule : public PrintQueue {
public:
    explicit MissingPrintModule(QString why) : why_(std::move(why)) {}
    Verdict beforeJob() override { return {false, why_}; }
    QString afterJob() override { return {}; }

private:
    QString why_;
};

// Next to the program when built, in its private library folder once installed.
QStringList modulePaths() {
    const QDir bin(QCoreApplication::applicationDirPath());
    return {bin.filePath(QStringLiteral(VITALUNE_PRINT_MODULE)),
            bin.filePath(QStringLiteral(VITALUNE_PRINT_MODULE_INSTALLED))};
}

} // namespace

std::shared_ptr<PrintQueue> systemPrintQueue() {
    // Loaded once and never unloaded: the queues and pages it makes run its code.
    static NewPrintQueue newQueue = nullptr;
    static QString failure;
    if (!newQueue && failure.isEmpty()) {
        for (const QString& path : modulePaths()) {
            QLibrary module(path);
            newQueue = reinterpret_cast<NewPrintQueue>(module.resolve(kNewPrintQueue));
            if (newQueue)
                break;
            if (failure.isEmpty() || QFileInfo::exists(path))
                failure = module.errorString();
        }
    }
    if (!newQueue)
        return std::make_shared<MissingPrintModule>(
            QStringLiteral("O suporte de impressão não pôde ser carregado: %1").arg(failure));
    return std::shared_ptr<PrintQueue>(newQueue());
}

} // namespace vitalune
