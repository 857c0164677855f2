// SPDX-License-Identifier: MIT
#include "CupsPrintQueue.h"

#include <cups/cups.h>

#include <QStringList>

#include <iterator>

namespace vitalune {

namespace {

// The queue's state as the scheduler reports it now.
struct QueueState {
    bool known = false;
    bool accepting = true;
    bool stopped = false;
    QString reason; // the scheduler's message, else its reason keywords; may be empty
};

QueueState queueState(const QString& printer) {
    QueueState state;
    char uri[HTTP_MAX_URI];
    httpAssembleURIf(HTTP_URI_CODING_ALL, uri, sizeof uri, "ipp", nullptr, "localhost", 0,
                     "/printers/%s", printer.toUtf8().constData());
    ipp_t* request = ippNewRequest(IPP_OP_GET_PRINTER_ATTRIBUTES);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri);
    static const char* const wanted[] = {"printer-is-accepting-jobs", "printer-state",
                                         "printer-state-message", "printer-state-reasons"};
    ippAddStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes",
                  static_cast<int>(std::size(wanted)), nullptr, wanted);
    ipp_t* response = cupsDoRequest(CUPS_HTTP_DEFAULT, request, "/"); // frees the request
    if (!response)
        return state;
    state.known = ippGetStatusCode(response) <= IPP_STATUS_OK_CONFLICTING;
    if (ipp_attribute_t* a =
            ippFindAttribute(response, "printer-is-accepting-jobs", IPP_TAG_BOOLEAN))
        state.accepting = ippGetBoolean(a, 0);
    if (ipp_attribute_t* a = ippFindAttribute(response, "printer-state", IPP_TAG_ENUM))
        state.stopped = ippGetInteger(a, 0) == IPP_PSTATE_STOPPED;
    if (ipp_attribute_t* a = ippFindAttribute(response, "printer-state-message", IPP_TAG_TEXT))
        state.reason = QString::fromUtf8(ippGetString(a, 0, nullptr));
    if (state.reason.isEmpty()) {
        if (ipp_attribute_t* a =
                ippFindAttribute(response, "printer-state-reasons", IPP_TAG_KEYWORD)) {
            QStringList reasons;
            for (int i = 0; i < ippGetCount(a); ++i) {
                const QString keyword = QString::fromUtf8(ippGetString(a, i, nullptr));
                if (keyword == QLatin1String("paused"))
                    reasons << QStringLiteral("em pausa");
                else if (keyword != QLatin1String("none"))
                    reasons << keyword;
            }
            state.reason = reasons.join(QLatin1String(", "));
        }
    }
    ippDelete(response);
    return state;
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
    cupsFreeDests(1, dest);

    const QueueState state = queueState(printer_);
    Verdict verdict;
    if (state.known && !state.accepting) {
        verdict.send = false;
        verdict.warning =
            QStringLiteral("A impressora \"%1\" não aceita trabalhos: %2")
                .arg(printer_,
                     state.reason.isEmpty() ? QStringLiteral("recusa trabalhos") : state.reason);
    } else if (state.known && state.stopped) {
        verdict.warning =
            QStringLiteral("A impressora \"%1\" está parada: %2. A página fica à espera na fila.")
                .arg(printer_, state.reason.isEmpty() ? QStringLiteral("parada") : state.reason);
    }
    if (verdict.send)
        lastJobBefore_ = newestJob(printer_, nullptr);
    return verdict;
}

QString CupsPrintQueue::afterJob() {
    if (printer_.isEmpty())
        return {};
    ipp_jstate_t state = IPP_JSTATE_PENDING;
    if (newestJob(printer_, &state) <= lastJobBefore_) {
        const QString reason = queueState(printer_).reason;
        return QStringLiteral("A impressora \"%1\" recusou o trabalho de impressão: %2")
            .arg(printer_,
                 reason.isEmpty() ? QStringLiteral("o trabalho não chegou à fila") : reason);
    }
    if (state == IPP_JSTATE_ABORTED || state == IPP_JSTATE_CANCELED)
        return QStringLiteral("A impressora \"%1\" interrompeu o trabalho de impressão.")
            .arg(printer_);
    return {};
}

} // namespace vitalune
