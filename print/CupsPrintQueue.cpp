// SPDX-License-Identifier: MIT
#include "CupsPrintQueue.h"

#include "PrinterQueueSurface.h"

#include <cups/cups.h>

#include <QDeadlineTimer>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QPageLayout>
#include <QPrinter>
#include <QPrinterInfo>
#include <QStringList>
#include <QTemporaryFile>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <atomic>
#include <functional>
#include <iterator>
#include <optional>

namespace vitalune {

namespace {

using namespace std::chrono_literals;

// Shared by the thread that talks to the scheduler and the loop that waits for it.
struct Conversation {
    const QDeadlineTimer deadline{CupsPrintQueue::kAnswerTime};
    std::atomic<bool> late{false}; // the scheduler let the deadline pass
    std::atomic<bool> done{false};
};

// libcups asks this whenever the scheduler has been silent a quarter of a second.
int keepWaiting(http_t*, void* data) {
    auto* conversation = static_cast<Conversation*>(data);
    if (!conversation->deadline.hasExpired())
        return 1;
    conversation->late = true;
    return 0;
}

// A connection whose every wait ends by the deadline; null without a scheduler.
http_t* connectScheduler(Conversation& conversation) {
    const char* server = cupsServer(); // first: it also settles the port
    const int port = ippPort();
    const auto msec = std::max<qint64>(1, conversation.deadline.remainingTime());
    http_t* http =
        httpConnect2(server, port, nullptr, AF_UNSPEC, cupsEncryption(), 1, int(msec), nullptr);
    if (!http) {
        conversation.late = conversation.deadline.hasExpired();
        return nullptr;
    }
    httpSetTimeout(http, 0.25, keepWaiting, &conversation);
    return http;
}

// Runs `talk` on a thread while the event loop goes on; nullopt when the scheduler was late.
template <typename Answer> std::optional<Answer> askScheduler(std::function<Answer(http_t*)> talk) {
    struct Shared : Conversation {
        Answer answer{};
    };
    auto shared = std::make_shared<Shared>();
    QThread* worker = QThread::create([shared, talk = std::move(talk)] {
        if (http_t* http = connectScheduler(*shared)) {
            shared->answer = talk(http);
            httpClose(http);
        }
        shared->done = true;
    });
    QEventLoop loop;
    QObject::connect(worker, &QThread::finished, &loop, &QEventLoop::quit);
    QObject::connect(worker, &QThread::finished, worker, &QObject::deleteLater);
    // Should a wait escape libcups' timeout (a name lookup), the thread ends on its own.
    QTimer::singleShot(std::chrono::duration_cast<std::chrono::milliseconds>(
                           shared->deadline.remainingTimeAsDuration() + 1s),
                       &loop, &QEventLoop::quit);
    worker->start();
    loop.exec();
    if (!shared->done || shared->late)
        return std::nullopt;
    return std::move(shared->answer);
}

struct QueueState {
    bool known = false;
    bool accepting = true;
    bool stopped = false;
    QString reason; // the scheduler's message, else its reason keywords; may be empty
};

QueueState queueState(http_t* http, const QString& printer) {
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
    ipp_t* response = cupsDoRequest(http, request, "/"); // frees the request
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

struct DefaultQueue {
    QString queue, device;
    QueueState state;
};

DefaultQueue defaultQueue(http_t* http) {
    DefaultQueue found;
    cups_dest_t* dest = cupsGetNamedDest(http, nullptr, nullptr);
    if (!dest)
        return found;
    found.queue = QString::fromUtf8(dest->name);
    found.device = found.queue;
    if (dest->instance)
        found.device += u'/' + QString::fromUtf8(dest->instance);
    cupsFreeDests(1, dest);
    found.state = queueState(http, found.queue);
    return found;
}

// Completed when the scheduler has forgotten the job (no history); pending when unsure.
ipp_jstate_t jobState(http_t* http, int job) {
    char uri[HTTP_MAX_URI];
    httpAssembleURIf(HTTP_URI_CODING_ALL, uri, sizeof uri, "ipp", nullptr, "localhost", 0,
                     "/jobs/%d", job);
    ipp_t* request = ippNewRequest(IPP_OP_GET_JOB_ATTRIBUTES);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "job-uri", nullptr, uri);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr,
                 cupsUser());
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", nullptr,
                 "job-state");
    ipp_t* response = cupsDoRequest(http, request, "/");
    ipp_jstate_t state =
        cupsLastError() == IPP_STATUS_ERROR_NOT_FOUND ? IPP_JSTATE_COMPLETED : IPP_JSTATE_PENDING;
    if (ipp_attribute_t* a = ippFindAttribute(response, "job-state", IPP_TAG_ENUM))
        state = static_cast<ipp_jstate_t>(ippGetInteger(a, 0));
    ippDelete(response);
    return state;
}

using JobOptions = std::vector<std::pair<QByteArray, QByteArray>>;

// The options Qt's CUPS engine sends, so the queue treats this page exactly as Qt's.
JobOptions jobOptions(const QPrinter& printer) {
    const QPageLayout layout = printer.pageLayout();
    const bool portrait = layout.orientation() == QPageLayout::Portrait;
    const QPrinter::DuplexMode duplex = printer.duplex();
    // Automatic duplex turns over the long edge of a portrait page.
    const bool longEdge =
        duplex == QPrinter::DuplexLongSide || (duplex == QPrinter::DuplexAuto && portrait);
    JobOptions options{{"media", layout.pageSize().key().toLocal8Bit()},
                       {"sides", duplex == QPrinter::DuplexNone ? "one-sided"
                                 : longEdge                     ? "two-sided-long-edge"
                                                                : "two-sided-short-edge"}};
    if (!portrait)
        options.emplace_back("landscape", "");
    return options;
}

struct Fate {
    int job = 0; // 0: the queue did not take the page
    ipp_jstate_t state = IPP_JSTATE_PENDING;
    QString reason; // why not, as the scheduler puts it; may be empty
};

Fate sendPage(http_t* http, const QByteArray& queue, const QByteArray& title,
              const JobOptions& options, const QByteArray& page) {
    std::vector<cups_option_t> cupsOptions;
    for (const auto& [name, value] : options)
        cupsOptions.push_back(
            {const_cast<char*>(name.constData()), const_cast<char*>(value.constData())});
    Fate fate;
    fate.job = cupsCreateJob(http, queue.constData(), title.constData(), int(cupsOptions.size()),
                             cupsOptions.data());
    if (fate.job <= 0) {
        const QString refusal = QString::fromUtf8(cupsLastErrorString());
        fate.reason = queueState(http, QString::fromUtf8(queue)).reason;
        if (fate.reason.isEmpty())
            fate.reason = refusal;
        return fate;
    }
    const bool started = cupsStartDocument(http, queue.constData(), fate.job, title.constData(),
                                           CUPS_FORMAT_PDF, 1) == HTTP_STATUS_CONTINUE;
    bool written = started;
    constexpr qsizetype kChunk = 64 * 1024;
    for (qsizetype at = 0; written && at < page.size(); at += kChunk)
        written = cupsWriteRequestData(http, page.constData() + at,
                                       std::size_t(std::min(kChunk, page.size() - at))) ==
                  HTTP_STATUS_CONTINUE;
    const bool finished =
        started && cupsFinishDocument(http, queue.constData()) <= IPP_STATUS_OK_CONFLICTING;
    if (!written || !finished) {
        fate.reason = QString::fromUtf8(cupsLastErrorString());
        cupsCancelJob2(http, queue.constData(), fate.job, 0); // no job left without its page
        fate.job = 0;
        return fate;
    }
    fate.state = jobState(http, fate.job);
    return fate;
}

} // namespace

CupsPrintQueue::CupsPrintQueue() = default;
CupsPrintQueue::~CupsPrintQueue() = default;

PrintQueue::Verdict CupsPrintQueue::beforeJob() {
    queue_.clear();
    device_.clear();
    const std::optional<DefaultQueue> found = askScheduler<DefaultQueue>(defaultQueue);
    if (!found)
        return {false, QStringLiteral(
                           "O serviço de impressão não responde: nada foi enviado à impressora.")};
    if (found->queue.isEmpty())
        return {}; // no default queue: the printer surface itself tells the user
    queue_ = found->queue;
    device_ = found->device;

    const QueueState& state = found->state;
    Verdict verdict;
    if (state.known && !state.accepting) {
        verdict.send = false;
        verdict.warning =
            QStringLiteral("A impressora \"%1\" não aceita trabalhos: %2")
                .arg(queue_,
                     state.reason.isEmpty() ? QStringLiteral("recusa trabalhos") : state.reason);
    } else if (state.known && state.stopped) {
        verdict.warning =
            QStringLiteral("A impressora \"%1\" está parada: %2. A página fica à espera na fila.")
                .arg(queue_, state.reason.isEmpty() ? QStringLiteral("parada") : state.reason);
    }
    return verdict;
}

std::unique_ptr<DrawingSurface> CupsPrintQueue::openJob() {
    spool_.reset();
    options_.clear();
    title_.clear();
    if (device_.isEmpty())
        return std::make_unique<PrinterQueueSurface>(QPrinterInfo()); // says there is no printer
    const QPrinterInfo printer = QPrinterInfo::printerInfo(device_);
    // No ".pdf" at the end: that name would take Qt from the printer's engine to its PDF writer.
    spool_ = std::make_unique<QTemporaryFile>(QDir::temp().filePath("vitalune-page-XXXXXX"));
    if (!spool_->open()) {
        spool_.reset();
        // A folder cannot be written as a file: the surface tells the user.
        return std::make_unique<PrinterQueueSurface>(printer, QDir::tempPath());
    }
    auto surface = std::make_unique<PrinterQueueSurface>(printer, spool_->fileName());
    if (const QPrinter* p = surface->printer()) {
        options_ = jobOptions(*p);
        title_ = p->docName().toUtf8();
    }
    return surface;
}

QString CupsPrintQueue::afterJob() {
    if (queue_.isEmpty() || !spool_)
        return {};
    QByteArray page;
    QFile file(spool_->fileName());
    if (file.open(QIODevice::ReadOnly))
        page = file.readAll();
    spool_.reset();
    if (page.isEmpty())
        return QStringLiteral("O trabalho de impressão não pôde ser concluído.");

    const QByteArray queue = queue_.toUtf8();
    const std::optional<Fate> fate =
        askScheduler<Fate>([queue, title = title_, options = options_, page](http_t* http) {
            return sendPage(http, queue, title, options, page);
        });
    if (!fate)
        return QStringLiteral("O serviço de impressão não respondeu a tempo: não se sabe se a "
                              "página chegou à impressora \"%1\".")
            .arg(queue_);
    if (fate->job <= 0)
        return QStringLiteral("A impressora \"%1\" recusou o trabalho de impressão: %2")
            .arg(queue_, fate->reason.isEmpty() ? QStringLiteral("o trabalho não chegou à fila")
                                                : fate->reason);
    if (fate->state == IPP_JSTATE_ABORTED || fate->state == IPP_JSTATE_CANCELED)
        return QStringLiteral("A impressora \"%1\" interrompeu o trabalho de impressão.")
            .arg(queue_);
    return {};
}

} // namespace vitalune
