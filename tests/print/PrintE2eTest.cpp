// SPDX-License-Identifier: MIT
// Prints through the printer-type dialog and the page printer on a real CUPS queue and looks at the
// page it produced. The scheduler is the private one scripts/test starts
// (scripts/services/cups.sh); without it these tests skip.
#include "Calendar.h"
#include "ChartExport.h"
#include "CupsPrintQueue.h"
#include "PagePrinter.h"
#include "PrintModeDialog.h"
#include "SkipUnlessRequired.h"
#include "ToolbarButton.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPageLayout>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <vector>

using namespace vitalune;

namespace {

// Polls a condition until it holds or the time is up.
bool waitFor(const std::function<bool()>& condition, int milliseconds) {
    QDeadlineTimer deadline(milliseconds);
    while (!condition()) {
        if (deadline.hasExpired())
            return false;
        QThread::msleep(50);
    }
    return true;
}

// Runs one of CUPS' administration commands on the private scheduler.
bool admin(const QString& tool, const QStringList& arguments) {
    QProcess p;
    p.start(tool, arguments);
    return p.waitForFinished(30000) && p.exitCode() == 0;
}

// The default queue, closed between the check before the job and the job itself.
class ClosingQueue : public CupsPrintQueue {
public:
    explicit ClosingQueue(QString queue) : queue_(std::move(queue)) {}
    QString afterJob() override {
        admin("cupsreject", {"-r", "fila fechada", queue_});
        const QString said = CupsPrintQueue::afterJob();
        admin("cupsaccept", {queue_});
        return said;
    }

private:
    QString queue_;
};

bool darkAt(const QImage& img, int x, int y) {
    if (x < 0 || y < 0 || x >= img.width() || y >= img.height())
        return false;
    return qGray(img.pixel(x, y)) < 128;
}

// The row near `y` that is dark over most of x0..x1, or -1.
int darkRowNear(const QImage& img, int x0, int x1, int y, int range = 4) {
    int best = -1;
    double bestShare = 0.9;
    for (int r = y - range; r <= y + range; ++r) {
        int dark = 0, all = 0;
        for (int x = x0; x <= x1; x += 3, ++all)
            dark += darkAt(img, x, r);
        const double share = all ? double(dark) / all : 0;
        if (share > bestShare ||
            (share == bestShare && best >= 0 && std::abs(r - y) < std::abs(best - y))) {
            bestShare = share;
            best = r;
        }
    }
    return best;
}

int darkColumnNear(const QImage& img, int x, int y0, int y1, int range = 4) {
    int best = -1;
    double bestShare = 0.9;
    for (int c = x - range; c <= x + range; ++c) {
        int dark = 0, all = 0;
        for (int y = y0; y <= y1; y += 3, ++all)
            dark += darkAt(img, c, y);
        const double share = all ? double(dark) / all : 0;
        if (share > bestShare) {
            bestShare = share;
            best = c;
        }
    }
    return best;
}

// Median thickness of the dark band crossing row y, measured on many columns.
int thicknessAt(const QImage& img, int x0, int x1, int y) {
    std::vector<int> runs;
    for (int x = x0; x <= x1; x += 7) {
        if (!darkAt(img, x, y))
            continue;
        int top = y, bottom = y;
        while (darkAt(img, x, top - 1) && y - top < 20)
            --top;
        while (darkAt(img, x, bottom + 1) && bottom - y < 20)
            ++bottom;
        runs.push_back(bottom - top + 1);
    }
    if (runs.empty())
        return 0;
    std::nth_element(runs.begin(), runs.begin() + runs.size() / 2, runs.end());
    return runs[runs.size() / 2];
}

// The dark stretches of a thin horizontal line near row `y`, from x0 to x1: their lengths.
std::vector<int> dashesAlong(const QImage& img, int x0, int x1, int y) {
    int row = y, most = -1;
    for (int r = y - 4; r <= y + 4; ++r) {
        int dark = 0;
        for (int x = x0; x <= x1; ++x)
            dark += darkAt(img, x, r);
        if (dark > most) {
            most = dark;
            row = r;
        }
    }
    std::vector<int> runs;
    int run = 0;
    for (int x = x0; x <= x1 + 1; ++x) {
        const bool dark =
            x <= x1 && (darkAt(img, x, row - 1) || darkAt(img, x, row) || darkAt(img, x, row + 1));
        if (dark) {
            ++run;
        } else if (run > 0) {
            runs.push_back(run);
            run = 0;
        }
    }
    return runs;
}

struct Colours {
    int red = 0, green = 0, blue = 0, tinted = 0;
};

Colours countColours(const QImage& img) {
    Colours c;
    for (int y = 0; y < img.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(img.constScanLine(y));
        for (int x = 0; x < img.width(); ++x) {
            const int r = qRed(line[x]), g = qGreen(line[x]), b = qBlue(line[x]);
            c.red += r > 180 && g < 90 && b < 90;
            c.green += g > 180 && r < 90 && b < 90;
            c.blue += b > 180 && r < 90 && g < 90;
            c.tinted += std::max({r, g, b}) - std::min({r, g, b}) > 40;
        }
    }
    return c;
}

// The page of a PDF file as 300-dots-per-inch pixels.
QImage rasterise(const QString& pdf, const QString& prefix) {
    QProcess raster;
    raster.start("pdftoppm", {"-r", "300", "-png", "-singlefile", pdf, prefix});
    EXPECT_TRUE(raster.waitForFinished(60000));
    EXPECT_EQ(raster.exitCode(), 0) << raster.readAllStandardError().toStdString();
    return QImage(prefix + ".png").convertToFormat(QImage::Format_RGB32);
}

// The frames and axis of both charts, printer pixel (0, 0) landing at `o` on the paper.
void expectFramesAndAxis(const QImage& page, QPoint o) {
    for (int dy : {0, 1500}) {
        SCOPED_TRACE(dy);
        const int y = o.y() + dy;
        // Outer frame: x 160..2280, y 395..1575; inner: x 260..2180, y 495..1485.
        for (const auto& [left, top, right, bottom] :
             {std::array<int, 4>{160, 395, 2280, 1575}, std::array<int, 4>{260, 495, 2180, 1485}}) {
            const int l = o.x() + left, r = o.x() + right;
            EXPECT_NEAR(darkRowNear(page, l + 20, r - 20, y + top), y + top, 2);
            EXPECT_NEAR(darkRowNear(page, l + 20, r - 20, y + bottom), y + bottom, 2);
            EXPECT_NEAR(darkColumnNear(page, l, y + top + 20, y + bottom - 20), l, 2);
            EXPECT_NEAR(darkColumnNear(page, r, y + top + 20, y + bottom - 20), r, 2);
        }
        // The zero axis: 4 pixels thick, where a grid line is about 1.
        EXPECT_NEAR(darkRowNear(page, o.x() + 280, o.x() + 2160, y + 990), y + 990, 2);
        EXPECT_GE(thicknessAt(page, o.x() + 280, o.x() + 2160, y + 990), 3);
        EXPECT_LE(thicknessAt(page, o.x() + 280, o.x() + 2160, y + 540), 2);
        // A day tick crosses the axis at day 1.
        EXPECT_NEAR(darkColumnNear(page, o.x() + 320, y + 981, y + 999), o.x() + 320, 2);
    }
}

// Dark pixels inside the first chart's grid cells, away from the grid lines and the day
// labels: the curves, whatever their colour.
int darkInCells(const QImage& page, QPoint o) {
    int inCells = 0;
    for (int y = o.y() + 500; y < o.y() + 1480; ++y) {
        const int gy = (y - o.y() - 540 + 4500) % 45;
        if (gy <= 3 || gy >= 42 || (y > o.y() + 960 && y < o.y() + 1090))
            continue;
        for (int x = o.x() + 265; x < o.x() + 2175; ++x) {
            const int gx = (x - o.x() - 260) % 60;
            if (gx > 3 && gx < 57)
                inCells += darkAt(page, x, y);
        }
    }
    return inCells;
}

class PrintE2eTest : public ::testing::Test {
protected:
    void SetUp() override {
        pdf_ = qEnvironmentVariable("VITALUNE_PRINT_PDF");
        if (qEnvironmentVariableIsEmpty("CUPS_SERVER") || pdf_.isEmpty())
            SKIP_UNLESS_REQUIRED("no private CUPS scheduler (scripts/test starts one)");
        ASSERT_TRUE(tmp_.isValid());
        dlg_ = std::make_unique<PrintModeDialog>();
        // Wired as the main window wires them.
        QObject::connect(dlg_.get(), &PrintModeDialog::printRequested, [this](PrintMode mode) {
            printer_.print(dlg_.get(), {17, 2, 1959}, {10, 6, 2004}, mode);
        });
        printer_.setReporter([this](QWidget*, const QString& m) { messages_.push_back(m); });
    }

    // The job is done when the queue is empty and the file is a whole PDF.
    bool jobWritten() const {
        QFile f(pdf_);
        if (!f.open(QIODevice::ReadOnly) || f.size() < 100)
            return false;
        f.seek(std::max<qint64>(0, f.size() - 1024));
        if (!f.readAll().contains("%%EOF"))
            return false;
        QProcess lpstat;
        lpstat.start("lpstat", {"-o"});
        if (!lpstat.waitForFinished(10000))
            return false;
        return lpstat.readAllStandardOutput().trimmed().isEmpty();
    }

    // Clicks a print button and returns the printed page at 300 dots per inch.
    QImage printWith(ToolbarButton* button, const QString& name) {
        QFile::remove(pdf_);
        dlg_->show();
        button->click();
        EXPECT_FALSE(dlg_->isVisible());
        EXPECT_TRUE(messages_.empty()) << messages_.front().toStdString();
        if (!waitFor([this] { return jobWritten(); }, 60000)) {
            ADD_FAILURE() << "no PDF from the queue at " << pdf_.toStdString();
            return {};
        }
        const QString prefix = tmp_.filePath(name);
        QFile::copy(pdf_, prefix + ".pdf");
        return rasterise(prefix + ".pdf", prefix);
    }

    // Where printer pixel (0, 0) lands on the paper: the top-left of the printable area.
    static QPoint printableOrigin() {
        QPrinter printer(QPrinterInfo::defaultPrinter(), QPrinter::HighResolution);
        printer.setResolution(300);
        return printer.pageLayout().paintRectPixels(300).topLeft();
    }

    QString pdf_;
    QTemporaryDir tmp_;
    std::unique_ptr<PrintModeDialog> dlg_;
    PagePrinter printer_;
    std::vector<QString> messages_;
};

TEST_F(PrintE2eTest, ColourPrintReachesThePaper) {
    const QImage page = printWith(dlg_->colourButton, "colour");
    ASSERT_FALSE(page.isNull());
    // 300 printer pixels to the inch.
    const QPoint o = printableOrigin();
    const int left = darkColumnNear(page, o.x() + 160, o.y() + 420, o.y() + 1550, 12);
    const int right = darkColumnNear(page, o.x() + 2280, o.y() + 420, o.y() + 1550, 12);
    ASSERT_GE(left, 0);
    ASSERT_GE(right, 0);
    EXPECT_NEAR(right - left, 2120, 3);
    expectFramesAndAxis(page, printableOrigin());
    const Colours c = countColours(page);
    EXPECT_GT(c.red, 2000);
    EXPECT_GT(c.green, 2000);
    EXPECT_GT(c.blue, 2000);
}

TEST_F(PrintE2eTest, BlackAndWhitePrintHasNoColour) {
    const QImage page = printWith(dlg_->blackAndWhiteButton, "mono");
    ASSERT_FALSE(page.isNull());
    expectFramesAndAxis(page, printableOrigin());
    const Colours c = countColours(page);
    EXPECT_EQ(c.tinted, 0);
    // The curves are there, in black.
    const QPoint o = printableOrigin();
    EXPECT_GT(darkInCells(page, o), 1500);
}

// The exported page is the one the print buttons print, on an A4 sheet of its own whose
// 10 mm margins put printer pixel (0, 0) 117 pixels in; no printer is needed (this runs
// where none can be reached).
TEST(PageExportTest, ExportedPagesAreThePrintedOnes) {
    QTemporaryDir tmp;
    ASSERT_TRUE(tmp.isValid());
    const QPoint origin(117, 117);
    for (bool blackAndWhite : {false, true}) {
        SCOPED_TRACE(blackAndWhite);
        const QString pdf = tmp.filePath(blackAndWhite ? "mono.pdf" : "colour.pdf");
        ASSERT_EQ(exportChart({pdf, Date{17, 2, 1959}, Date{10, 6, 2004}, blackAndWhite}), "");
        const QImage page = rasterise(pdf, tmp.filePath(blackAndWhite ? "mono" : "colour"));
        ASSERT_FALSE(page.isNull());
        EXPECT_NEAR(page.width(), 2480, 1);
        EXPECT_NEAR(page.height(), 3508, 1);
        expectFramesAndAxis(page, origin);
        EXPECT_GT(darkInCells(page, origin), 1500);
        const Colours c = countColours(page);
        if (blackAndWhite) {
            EXPECT_EQ(c.tinted, 0);
            // The legend shows each curve's pen: solid, dashed and dotted tell apart on paper.
            const int legendY = origin.y() + 1536;
            const auto solid = dashesAlong(page, origin.x() + 492, origin.x() + 588, legendY);
            const auto dashed = dashesAlong(page, origin.x() + 1002, origin.x() + 1098, legendY);
            const auto dotted = dashesAlong(page, origin.x() + 1552, origin.x() + 1648, legendY);
            ASSERT_FALSE(dashed.empty());
            ASSERT_FALSE(dotted.empty());
            EXPECT_EQ(solid.size(), 1u);
            const int longestDash = *std::max_element(dashed.begin(), dashed.end());
            const int longestDot = *std::max_element(dotted.begin(), dotted.end());
            EXPECT_GE(dashed.size(), 3u);
            EXPECT_GE(dotted.size(), 6u);
            EXPECT_GT(dotted.size(), dashed.size());
            EXPECT_GT(longestDash, 2 * longestDot)
                << "dashes of " << longestDash << " pixels, dots of " << longestDot;
        } else {
            EXPECT_GT(c.red, 2000);
            EXPECT_GT(c.green, 2000);
            EXPECT_GT(c.blue, 2000);
        }
    }
    EXPECT_EQ(QDir(tmp.path()).entryList({"*.pdf"}, QDir::Files).size(), 2);
}

TEST_F(PrintE2eTest, AQueueThatRefusesOrStandsStillIsToldAndNeverLooksLikeSuccess) {
    const QString queue = QPrinterInfo::defaultPrinter().printerName();
    ASSERT_FALSE(queue.isEmpty());

    ASSERT_TRUE(admin("cupsreject", {"-r", "fila em manutenção", queue}));
    QFile::remove(pdf_);
    dlg_->show();
    dlg_->colourButton->click();
    admin("cupsaccept", {queue});
    EXPECT_FALSE(dlg_->isVisible());
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_TRUE(messages_[0].contains(queue)) << messages_[0].toStdString();
    EXPECT_TRUE(messages_[0].contains("fila em manutenção")) << messages_[0].toStdString();
    EXPECT_FALSE(QFile::exists(pdf_));

    // A stopped queue still takes the page, to print once it runs again: the user is told.
    messages_.clear();
    ASSERT_TRUE(admin("cupsdisable", {"-r", "papel encravado", queue}));
    dlg_->show();
    dlg_->blackAndWhiteButton->click();
    EXPECT_TRUE(admin("cupsenable", {queue}));
    EXPECT_TRUE(waitFor([this] { return jobWritten(); }, 60000));
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_TRUE(messages_[0].contains(queue)) << messages_[0].toStdString();
    EXPECT_TRUE(messages_[0].contains("papel encravado")) << messages_[0].toStdString();

    // A queue that closes once checked: the job never comes to be, which is no success.
    messages_.clear();
    QFile::remove(pdf_);
    printer_.setPrintQueue(std::make_shared<ClosingQueue>(queue));
    dlg_->show();
    dlg_->colourButton->click();
    printer_.setPrintQueue(nullptr);
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_TRUE(messages_[0].contains("recusou")) << messages_[0].toStdString();
    EXPECT_TRUE(messages_[0].contains("fila fechada")) << messages_[0].toStdString();
    EXPECT_FALSE(QFile::exists(pdf_));
}

// Runs in a process of its own whose CUPS_SERVER leads nowhere (see CMakeLists.txt).
TEST(PrintNoPrinterTest, NoPrinterIsReportedAndNothingHangs) {
    if (qEnvironmentVariable("VITALUNE_EXPECT_NO_PRINTER") != "1")
        GTEST_SKIP() << "runs only where no printer can be reached";
    PrintModeDialog dlg;
    PagePrinter printer;
    QObject::connect(&dlg, &PrintModeDialog::printRequested, [&](PrintMode mode) {
        printer.print(&dlg, {17, 2, 1959}, {10, 6, 2004}, mode);
    });
    std::vector<QString> messages;
    printer.setReporter([&](QWidget*, const QString& m) { messages.push_back(m); });
    dlg.show();
    dlg.colourButton->click();
    EXPECT_FALSE(dlg.isVisible());
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], "Nenhuma impressora disponível.");
    EXPECT_EQ(dlg.cursor().shape(), Qt::ArrowCursor);
}

} // namespace
