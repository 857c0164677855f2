// SPDX-License-Identifier: MIT
#include "CupsPrintQueue.h"

#include <cups/cups.h>

#include <algorithm>

namespace vitalune {

namespace {

QString option(cups_dest_t* dest, const char* name) {
    return QString::fromUtf8(cupsGetOption(name, dest->num_options, dest->options));
}

// The scheduler's own words for a queue's state, or its reason keywords.
QString stateReason(cups_dest_t* dest, const QString& fallback) {
    QString reason = option(dest, "printer-state-message");
    if (reason.isEmpty()) {
        reason = option(dest, "printer-state-reasons");
        if (reason == QLatin1String("none"))
            reason.clear();
    }
    return reason.isEmpty() ? fallback : reason;
}

// The newest job of `printer` (any user, finished or not); 0 when there is none.
int newestJob(const QString& printer, ipp_jstate_t* state) {
    cups_job_t* jobs = nullptr;
    const int count =
        cupsGetJobs2(CUPS_HTTP_DEFAULT, &jobs, printer.toUtf8().constData(), 0, CUPS_WHICHJOBS_ALL);
    int newest = 0;
    for (int i = 0; i < count; ++i)
        if (jobs[i].id > newest) {
            newest = jobs[i].id;
            if (state)
                *state = jobs[i].state;
        }
    cupsFreeJobs(count, jobs);
    return newest;
}

} // namespace

PrintQueue::Verdict CupsPrintQueue::beforeJob() {
    printer_.clear();
    lastJobBefore_ = 0;
    cups_dest_t* dest = cupsGetNamedDest(CUPS_HTTP_DEFAULT, nullptr, nullptr);
    if (!dest)
        return {}; // no default queue: the printer surface itself tells the user
    printer_ = QString::fromUtf8(dest->name);
    Verdict verdict;
    if (option(dest, "printer-is-accepting-jobs") == QLatin1String("false")) {
        verdict.send = false;
        verdict.warning = QStringLiteral("A impressora \"%1\" não aceita trabalhos: %2")
                              .arg(printer_, stateReason(dest, QStringLiteral("recusa trabalhos")));
    } else if (option(dest, "printer-state").toInt() == IPP_PSTATE_STOPPED) {
        verdict.warning =
            QStringLiteral("A impressora \"%1\" está parada: %2. A página fica à espera na fila.")
                .arg(printer_, stateReason(dest, QStringLiteral("parada")));
    }
    cupsFreeDests(1, dest);
    if (verdict.send)
        lastJobBefore_ = newestJob(printer_, nullptr);
    return verdict;
}

QString CupsPrintQueue::afterJob() {
    if (printer_.isEmpty())
        return {};
    ipp_jstate_t state = IPP_JSTATE_PENDING;
    if (newestJob(printer_, &state) <= lastJobBefore_) {
        QString reason = QStringLiteral("o trabalho não chegou à fila");
        if (cups_dest_t* dest =
                cupsGetNamedDest(CUPS_HTTP_DEFAULT, printer_.toUtf8().constData(), nullptr)) {
            reason = stateReason(dest, reason);
            cupsFreeDests(1, dest);
        }
        return QStringLiteral("A impressora \"%1\" recusou o trabalho de impressão: %2")
            .arg(printer_, reason);
    }
    if (state == IPP_JSTATE_ABORTED || state == IPP_JSTATE_CANCELED)
        return QStringLiteral("A impressora \"%1\" interrompeu o trabalho de impressão.")
            .arg(printer_);
    return {};
}

} // namespace vitalune
