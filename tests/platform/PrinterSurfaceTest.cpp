// SPDX-License-Identifier: MIT
#include "PrinterQueueSurface.h"
#include "SkipUnlessRequired.h"

#include <QDir>
#include <QFile>
#include <QPrinterInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace vitalune;

namespace {

// A page like the printed chart: header, frames, grid, styled curves and labels.
void drawSamplePage(PrinterSurface& page) {
    page.setPenMode(PenMode::Copy);
    page.setFontName("Courier New");
    page.setFontBold(true);
    page.setFontSize(24);
    page.setCurrentX(910);
    page.setCurrentY(74);
    ASSERT_TRUE(page.text("Vitalune"));
    page.setFontSize(12);
    page.setCurrentX(160);
    page.setCurrentY(280);
    ASSERT_TRUE(page.text({"Data de ", "Nascimento"}));
    page.setLineWidth(4);
    ASSERT_TRUE(page.line(160, 395, 2280, 395, 0));
    ASSERT_TRUE(page.line(160, 395, 160, 1575, 0));
    page.setLineWidth(1);
    for (int i = 1; i <= 33; ++i)
        ASSERT_TRUE(page.line(60.f * i + 200, 495, 60.f * i + 200, 1485, 0));
    for (auto style : {LineStyle::Solid, LineStyle::Dash, LineStyle::Dot}) {
        page.setLineStyle(style);
        float prevY = 990;
        for (int x = 270; x <= 2180; x += 10) {
            const float y = 990 - 450 * float(std::sin((x - 260) / 300.0 + int(style)));
            ASSERT_TRUE(page.line(float(x - 10), prevY, float(x), y, rgb(0, 0, 255)));
            prevY = std::round(y);
        }
    }
    page.setFontBold(false);
    page.setFontSize(7);
    page.setCurrentX(185);
    page.setCurrentY(1013);
    ASSERT_TRUE(page.text("-1"));
}

QString pdfText(const QString& file) {
    const QString tool = QStandardPaths::findExecutable("pdftotext");
    if (tool.isEmpty())
        return {};
    QProcess p;
    p.start(tool, {file, "-"});
    if (!p.waitForFinished(30000))
        return {};
    return QString::fromUtf8(p.readAllStandardOutput());
}

} // namespace

TEST(PrinterSurfacePdf, DrawsAPageAndFinishPageWritesIt) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString file = dir.filePath("page.pdf");
    PrinterSurface page(file);
    EXPECT_EQ(page.resolution(), 300);
    EXPECT_FALSE(page.jobActive()) << "the job starts with the first drawing";
    drawSamplePage(page);
    EXPECT_TRUE(page.jobActive());
    EXPECT_TRUE(page.errorString().isEmpty()) << page.errorString().toStdString();
    EXPECT_TRUE(page.finishPage());
    EXPECT_FALSE(page.jobActive());

    QFile pdf(file);
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    EXPECT_GT(pdf.size(), 1000);
    EXPECT_TRUE(pdf.read(5).startsWith("%PDF"));
    if (QStandardPaths::findExecutable("pdftotext").isEmpty())
        SKIP_UNLESS_REQUIRED("no pdftotext (poppler-utils) to read the page's text");
    const QString text = pdfText(file);
    EXPECT_TRUE(text.contains("Vitalune"));
    EXPECT_TRUE(text.contains("Data de Nascimento"));
}

TEST(PrinterSurfacePdf, ClearFailsAndFinishPageWithoutDrawingPrintsNothing) {
    QTemporaryDir dir;
    const QString file = dir.filePath("empty.pdf");
    PrinterSurface page(file);
    EXPECT_FALSE(page.clear());
    EXPECT_FALSE(page.errorString().isEmpty());
    EXPECT_TRUE(page.finishPage());
    EXPECT_FALSE(QFile::exists(file));
}

TEST(PrinterSurfacePdf, AFinishedJobCanBeFollowedByAnother) {
    QTemporaryDir dir;
    const QString file = dir.filePath("twice.pdf");
    PrinterSurface page(file);
    ASSERT_TRUE(page.line(0, 0, 100, 100, 0));
    ASSERT_TRUE(page.finishPage());
    QFile::remove(file);
    ASSERT_TRUE(page.line(0, 0, 100, 100, 0));
    ASSERT_TRUE(page.finishPage());
    EXPECT_TRUE(QFile::exists(file));
}

TEST(PrinterSurfaceFailure, WithoutAPrinterEveryOperationFails) {
    PrinterQueueSurface none{QPrinterInfo()};
    EXPECT_EQ(none.resolution(), 0);
    EXPECT_FALSE(none.line(0, 0, 10, 10, 0));
    EXPECT_FALSE(none.errorString().isEmpty());
    EXPECT_FALSE(none.text("Vitalune"));
    EXPECT_FALSE(none.clear());
    EXPECT_FALSE(none.finishPage());
    EXPECT_FALSE(none.errorString().isEmpty());
}

TEST(PrinterSurfaceFailure, AJobThatCannotStartFailsEveryStepAndSaysWhy) {
    const QString file = QDir::tempPath() + "/no-such-folder-for-vitalune/x/page.pdf";
    PrinterSurface page(file);
    EXPECT_FALSE(page.line(0, 0, 10, 10, 0));
    EXPECT_TRUE(page.errorString().contains(file)) << page.errorString().toStdString();
    EXPECT_FALSE(page.text("x"));
    EXPECT_FALSE(page.line(5, 5, 10, 10, 0));
    EXPECT_FALSE(page.finishPage());
    EXPECT_FALSE(QFile::exists(file));
}

TEST(PrinterSurfaceFailure, BadCoordinatesFailOnlyThatStep) {
    QTemporaryDir dir;
    PrinterSurface page(dir.filePath("p.pdf"));
    EXPECT_FALSE(page.line(std::nanf(""), 0, 1, 1, 0));
    EXPECT_FALSE(page.errorString().isEmpty());
    EXPECT_TRUE(page.line(0, 0, 1, 1, 0));
    EXPECT_TRUE(page.finishPage());
}
