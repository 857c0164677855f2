// SPDX-License-Identifier: MIT
#include "PagePrinter.h"

#include "PrintModule.h"
#include "PrinterSurface.h"

#include <QMessageBox>
#include <QStringList>
#include <QWidget>

#include <exception>

namespace vitalune {

namespace {

void showMessage(QWidget* parent, const QString& message) {
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Vitalune"), message, QMessageBox::Ok,
                    parent);
    // The message blocks the windows under it: their commands (F1 for help) must be its own too.
    box.addActions(parent ? parent->actions() : QList<QAction*>{});
    box.exec();
}

} // namespace

PagePrinter::PagePrinter() : report_(showMessage) {}

void PagePrinter::print(QWidget* shownOn, Date birth, Date reference, PrintMode mode) {
    if (shownOn)
        shownOn->setCursor(Qt::WaitCursor);

    if (!queue_ && !makeSurface_)
        queue_ = systemPrintQueue();
    QStringList problems;
    bool send = true;
    if (queue_) {
        const PrintQueue::Verdict verdict = queue_->beforeJob();
        send = verdict.send;
        if (!verdict.warning.isEmpty())
            problems << verdict.warning;
    }

    if (send) {
        std::unique_ptr<DrawingSurface> printer;
        try {
            printer = makeSurface_ ? makeSurface_() : queue_->openJob();
        } catch (const std::exception&) {
            printer.reset();
        }
        if (!printer) {
            problems << QStringLiteral("Nenhuma impressora disponível.");
        } else {
            // Failing steps are skipped by the page; only a page that never arrived is reported.
            if (!page_.draw(*printer, birth, reference, mode)) {
                const auto* real = dynamic_cast<const PrinterSurface*>(printer.get());
                problems << (real && !real->errorString().isEmpty()
                                 ? real->errorString()
                                 : QStringLiteral("Não foi possível imprimir a página."));
            } else if (queue_) {
                printer.reset(); // the page is complete once its surface has gone
                const QString after = queue_->afterJob();
                if (!after.isEmpty())
                    problems << after;
            }
        }
    }

    if (shownOn)
        shownOn->unsetCursor();
    if (!problems.isEmpty() && report_)
        report_(shownOn, problems.join(u'\n'));
}

} // namespace vitalune
