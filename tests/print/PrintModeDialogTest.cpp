// SPDX-License-Identifier: MIT
// The printer-type dialog with a page printer behind it: its make-up and keys, the order
// mode, print, hide, and what the user is told when a page cannot be printed.
#include "PrintModeDialog.h"
#include "CupsPrintQueue.h"
#include "FontTable.h"
#include "PageFixture.h"
#include "PagePrinter.h"
#include "PrinterQueueSurface.h"
#include "ToolbarButton.h"

#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QPrinterInfo>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <tuple>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

using namespace vitalune;
using namespace vitalune::testing;
using Kind = RecordingSurface::Kind;

namespace {

// What each print job drew, and what the dialog looked like when the job began.
struct Jobs {
    std::vector<std::vector<Op>> drawn;
    std::vector<bool> visibleAtStart;
    std::vector<Qt::CursorShape> cursorAtStart;
};

// A recording printer that hands its page over when the dialog lets it go.
class JobSurface : public RecordingSurface {
public:
    explicit JobSurface(Jobs& jobs) : jobs_(jobs) {}
    ~JobSurface() override { jobs_.drawn.push_back(ops); }

private:
    Jobs& jobs_;
};

// What the scheduler says about the queue, as the test sets it.
class FakeQueue : public PrintQueue {
public:
    Verdict before;
    QString after;
    int afterAsked = 0;
    Verdict beforeJob() override { return before; }
    QString afterJob() override {
        ++afterAsked;
        return after;
    }
};

// The dialog with a page printer behind it, wired as the main window wires them.
class PrintModeDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        QObject::connect(&dlg, &PrintModeDialog::printRequested, [this](PrintMode mode) {
            printer.print(&dlg, {17, 2, 1959}, reference, mode);
        });
        printer.setSurfaceFactory([this]() -> std::unique_ptr<DrawingSurface> {
            jobs.visibleAtStart.push_back(dlg.isVisible());
            jobs.cursorAtStart.push_back(dlg.cursor().shape());
            auto s = std::make_unique<JobSurface>(jobs);
            s->failing = failing;
            return s;
        });
        printer.setReporter([this](QWidget* parent, const QString& message) {
            EXPECT_EQ(parent, &dlg);
            messages.push_back(message);
        });
    }

    // The lines of a job in the colour of the physical cycle's colour pen.
    static std::size_t redLines(const std::vector<Op>& ops) {
        std::size_t n = 0;
        for (const auto& op : ops)
            n += op.kind == Kind::Line && op.colour == rgb(255, 0, 0);
        return n;
    }

    PrintModeDialog dlg;
    PagePrinter printer;
    Date reference{10, 6, 2004};
    Jobs jobs;
    std::optional<Kind> failing;
    std::vector<QString> messages;
};

TEST_F(PrintModeDialogTest, LayoutAsDesigned) {
    // A blank title: an empty one would make the title bar show the application's name.
    EXPECT_EQ(dlg.windowTitle(), " ");
    EXPECT_EQ(dlg.size(), QSize(169, 66));
    EXPECT_EQ(dlg.colourButton->geometry(), QRect(7, 22, 37, 37));
    EXPECT_EQ(dlg.blackAndWhiteButton->geometry(), QRect(46, 22, 37, 37));
    EXPECT_EQ(dlg.cancelButton->geometry(), QRect(127, 22, 37, 37));
    EXPECT_EQ(dlg.heading->geometry(), QRect(31, 4, 110, 17));

    EXPECT_EQ(dlg.heading->text(), "Tipo de Impressora");
    EXPECT_EQ(dlg.heading->palette().color(QPalette::WindowText), QColor(128, 0, 128));
    EXPECT_TRUE(dlg.heading->font().bold());
    EXPECT_EQ(dlg.heading->font().pixelSize(), 11); // 8.25 points on a 96 dpi screen
    EXPECT_EQ(dlg.heading->font().family(), substituteFamily("MS Sans Serif"));

    // Pictures only, three different ones; only the cross has a focused variant.
    for (auto* b : {dlg.colourButton, dlg.blackAndWhiteButton, dlg.cancelButton}) {
        EXPECT_TRUE(b->text().isEmpty());
        EXPECT_FALSE(b->icon().isNull()) << b->objectName().toStdString();
    }
    const auto hovered = [](ToolbarButton* b) { return b->icon().availableSizes(QIcon::Active); };
    EXPECT_FALSE(hovered(dlg.cancelButton).isEmpty());
    EXPECT_TRUE(hovered(dlg.colourButton).isEmpty());
    EXPECT_TRUE(hovered(dlg.blackAndWhiteButton).isEmpty());
    const auto image = [](ToolbarButton* b) { return b->icon().pixmap(32, 32).toImage(); };
    EXPECT_NE(image(dlg.colourButton), image(dlg.blackAndWhiteButton));
    EXPECT_NE(image(dlg.blackAndWhiteButton), image(dlg.cancelButton));
    EXPECT_NE(image(dlg.cancelButton), image(dlg.colourButton));
    EXPECT_NE(image(dlg.cancelButton),
              dlg.cancelButton->icon().pixmap(QSize(32, 32), QIcon::Active).toImage());
    // The drawn pictures, not stand-ins: gradients run from yellow and from white at the top.
    EXPECT_EQ(image(dlg.colourButton).pixelColor(16, 0).blue(), 0);
    EXPECT_GT(image(dlg.colourButton).pixelColor(16, 0).red(), 200);
    EXPECT_GT(image(dlg.blackAndWhiteButton).pixelColor(16, 0).lightness(), 200);
    EXPECT_LT(image(dlg.blackAndWhiteButton).pixelColor(16, 31).lightness(), 50);
    EXPECT_EQ(image(dlg.cancelButton).pixelColor(16, 2).alpha(), 0); // the cross's open top
}

TEST_F(PrintModeDialogTest, PrintButtonsStoreTheModeThenPrintThenHide) {
    dlg.show();
    dlg.colourButton->click();
    EXPECT_EQ(dlg.printMode(), PrintMode::Colour);
    EXPECT_FALSE(dlg.isVisible());
    ASSERT_EQ(jobs.drawn.size(), 1u);
    // The dialog stays up, with the hourglass, while the page prints.
    EXPECT_TRUE(jobs.visibleAtStart[0]);
    EXPECT_EQ(jobs.cursorAtStart[0], Qt::WaitCursor);
    EXPECT_EQ(dlg.cursor().shape(), Qt::ArrowCursor) << "pointer back to the default";
    EXPECT_GT(redLines(jobs.drawn[0]), 0u);
    ASSERT_FALSE(jobs.drawn[0].empty());
    EXPECT_EQ(jobs.drawn[0].back().kind, Kind::FinishPage);

    // A later black-and-white print is black and white: the mode is written on every click.
    dlg.show();
    dlg.blackAndWhiteButton->click();
    EXPECT_EQ(dlg.printMode(), PrintMode::BlackAndWhite);
    EXPECT_FALSE(dlg.isVisible());
    ASSERT_EQ(jobs.drawn.size(), 2u);
    EXPECT_TRUE(jobs.visibleAtStart[1]);
    EXPECT_EQ(jobs.cursorAtStart[1], Qt::WaitCursor);
    EXPECT_EQ(redLines(jobs.drawn[1]), 0u);
    EXPECT_TRUE(messages.empty());
}

TEST_F(PrintModeDialogTest, CancelAndClosingPrintNothing) {
    dlg.show();
    dlg.colourButton->click();
    ASSERT_EQ(jobs.drawn.size(), 1u);

    dlg.show();
    dlg.cancelButton->click();
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_EQ(jobs.drawn.size(), 1u);
    EXPECT_EQ(dlg.printMode(), PrintMode::Colour) << "cancel leaves the mode alone";

    // The frame's close box and Escape act as cancel.
    dlg.show();
    EXPECT_TRUE(dlg.close());
    EXPECT_FALSE(dlg.isVisible());
    dlg.show();
    dlg.reject();
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_EQ(jobs.drawn.size(), 1u);

    // And a print after a cancel works as usual.
    dlg.show();
    dlg.blackAndWhiteButton->click();
    EXPECT_EQ(jobs.drawn.size(), 2u);
    EXPECT_TRUE(messages.empty());
}

TEST_F(PrintModeDialogTest, KeyboardChoosesAmongColourBlackAndWhiteAndCancel) {
    const auto press = [this](Qt::Key key, Qt::KeyboardModifiers mods = {}) {
        QTest::keyClick(dlg.focusWidget(), key, mods);
    };
    dlg.show();
    EXPECT_EQ(dlg.focusWidget(), dlg.colourButton) << "opens on the colour button";
    for (auto [key, mods, next] : {std::tuple{Qt::Key_Tab, Qt::NoModifier, dlg.blackAndWhiteButton},
                                   {Qt::Key_Right, Qt::NoModifier, dlg.cancelButton},
                                   {Qt::Key_Tab, Qt::NoModifier, dlg.colourButton},
                                   {Qt::Key_Backtab, Qt::ShiftModifier, dlg.cancelButton},
                                   {Qt::Key_Left, Qt::NoModifier, dlg.blackAndWhiteButton}}) {
        press(key, mods);
        EXPECT_EQ(dlg.focusWidget(), next) << QKeySequence(key).toString().toStdString();
    }
    press(Qt::Key_Return);
    EXPECT_FALSE(dlg.isVisible());
    ASSERT_EQ(jobs.drawn.size(), 1u);
    EXPECT_EQ(redLines(jobs.drawn[0]), 0u) << "black and white";

    dlg.show();
    EXPECT_EQ(dlg.focusWidget(), dlg.colourButton) << "every opening starts on colour";
    press(Qt::Key_Space);
    ASSERT_EQ(jobs.drawn.size(), 2u);
    EXPECT_GT(redLines(jobs.drawn[1]), 0u) << "colour";

    dlg.show();
    press(Qt::Key_Escape);
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_EQ(jobs.drawn.size(), 2u);

    // A screen reader names the dialog and its buttons.
    EXPECT_EQ(QAccessible::queryAccessibleInterface(&dlg)->text(QAccessible::Name),
              "Tipo de Impressora");
    for (auto [button, name] : {std::pair{dlg.colourButton, "Colorida"},
                                {dlg.blackAndWhiteButton, "Preto e branco"},
                                {dlg.cancelButton, "Cancelar"}}) {
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(button);
        EXPECT_EQ(a->role(), QAccessible::Button);
        EXPECT_EQ(a->text(QAccessible::Name), name);
    }
}

TEST_F(PrintModeDialogTest, FocusFrameOnlyOnceTheKeyboardIsInUse) {
    const auto look = [this] { return dlg.colourButton->grab().toImage(); };
    const QImage atRest = look();                   // not focused
    QTest::mouseClick(dlg.heading, Qt::LeftButton); // a mouse user opens the dialog
    dlg.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dlg));
    ASSERT_TRUE(dlg.colourButton->hasFocus());
    EXPECT_EQ(look(), atRest) << "no frame for the mouse";
    QTest::keyClick(dlg.colourButton, Qt::Key_Shift);
    EXPECT_NE(look(), atRest) << "a key shows it";
    QTest::mouseClick(dlg.heading, Qt::LeftButton);
    EXPECT_EQ(look(), atRest) << "the mouse hides it again";
}

TEST_F(PrintModeDialogTest, ModalShowEndsWhenAButtonHidesTheDialog) {
    using Chosen = std::optional<PrintMode>;
    for (auto [button, chosen] : {std::pair{dlg.colourButton, Chosen(PrintMode::Colour)},
                                  {dlg.cancelButton, Chosen()},
                                  {dlg.blackAndWhiteButton, Chosen(PrintMode::BlackAndWhite)}}) {
        bool clicked = false, timedOut = false;
        QTimer::singleShot(0, &dlg, [&] {
            clicked = dlg.isVisible() && dlg.isModal();
            button->click();
        });
        // A safety net only: the click above must end the modal show long before this.
        QTimer guard;
        guard.setSingleShot(true);
        QObject::connect(&guard, &QTimer::timeout, &dlg, [&] {
            timedOut = true;
            dlg.done(QDialog::Rejected);
        });
        guard.start(10000);
        EXPECT_EQ(dlg.choose(), chosen) << button->objectName().toStdString();
        EXPECT_TRUE(clicked);
        EXPECT_FALSE(timedOut) << button->objectName().toStdString();
        EXPECT_FALSE(dlg.isVisible());
    }
    EXPECT_EQ(jobs.drawn.size(), 2u);
}

TEST_F(PrintModeDialogTest, APageThatCannotBePrintedIsReported) {
    // No printer at all.
    printer.setSurfaceFactory([] { return nullptr; });
    dlg.show();
    dlg.colourButton->click();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], "Nenhuma impressora disponível.");
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_EQ(dlg.cursor().shape(), Qt::ArrowCursor);

    // The printer surface itself when there is no printer queue.
    messages.clear();
    printer.setSurfaceFactory([] { return std::make_unique<PrinterQueueSurface>(QPrinterInfo()); });
    dlg.blackAndWhiteButton->click();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], "Nenhuma impressora disponível.");

    // A job that cannot start says why.
    messages.clear();
    printer.setSurfaceFactory(
        [] { return std::make_unique<PrinterSurface>(QString("/nonexistent-vitalune/page.pdf")); });
    dlg.colourButton->click();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(messages[0].contains("/nonexistent-vitalune/page.pdf"))
        << messages[0].toStdString();

    // A surface that cannot end the job.
    messages.clear();
    printer.setSurfaceFactory([this]() -> std::unique_ptr<DrawingSurface> {
        auto s = std::make_unique<JobSurface>(jobs);
        s->failing = Kind::FinishPage;
        return s;
    });
    dlg.colourButton->click();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_FALSE(messages[0].isEmpty());
}

TEST_F(PrintModeDialogTest, WhatTheQueueSaysAroundTheJobIsReported) {
    auto queue = std::make_shared<FakeQueue>();
    printer.setPrintQueue(queue);

    // A queue that refuses jobs: no page is sent, and the user hears why.
    queue->before = {false, "A impressora \"PDF\" não aceita trabalhos: manutenção"};
    dlg.colourButton->click();
    EXPECT_TRUE(jobs.drawn.empty());
    EXPECT_EQ(queue->afterAsked, 0);
    EXPECT_EQ(messages, std::vector<QString>{queue->before.warning});

    // A job refused or aborted at once.
    messages.clear();
    queue->before = {};
    queue->after = "A impressora \"PDF\" interrompeu o trabalho de impressão.";
    dlg.blackAndWhiteButton->click();
    EXPECT_EQ(jobs.drawn.size(), 1u);
    EXPECT_EQ(queue->afterAsked, 1);
    EXPECT_EQ(messages, std::vector<QString>{queue->after});

    // A good queue and job: nothing to say.
    messages.clear();
    queue->after.clear();
    dlg.colourButton->click();
    EXPECT_EQ(jobs.drawn.size(), 2u);
    EXPECT_TRUE(messages.empty());
}

TEST_F(PrintModeDialogTest, AHungPrintServiceIsToldAndNeverStopsTheEventLoop) {
    // A scheduler that takes every connection and never answers.
    QTemporaryDir dir;
    const QByteArray path = dir.filePath("cups.sock").toLocal8Bit();
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, path.constData(), sizeof address.sun_path - 1);
    const int hung = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_EQ(::bind(hung, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ASSERT_EQ(::listen(hung, 8), 0);
    const QByteArray server = qgetenv("CUPS_SERVER");
    qputenv("CUPS_SERVER", path);
    printer.setPrintQueue(std::make_shared<CupsPrintQueue>());

    // The bus's calls are served by the same loop as this timer; the buttons wait.
    int ticks = 0;
    bool shownWhileAsking = false;
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, [&] {
        if (++ticks == 1) {
            dlg.blackAndWhiteButton->click();
            dlg.reject();
            shownWhileAsking = dlg.isVisible();
        }
    });
    tick.start(50);
    dlg.show();
    dlg.colourButton->click();
    server.isNull() ? qunsetenv("CUPS_SERVER") : qputenv("CUPS_SERVER", server);
    ::close(hung);
    EXPECT_GT(ticks, 0);
    EXPECT_TRUE(shownWhileAsking);
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_TRUE(jobs.drawn.empty());
    EXPECT_EQ(messages, std::vector<QString>{"O serviço de impressão não responde: nada foi "
                                             "enviado à impressora."});
}

TEST_F(PrintModeDialogTest, SingleFailingStepsAreNotReported) {
    failing = Kind::Line;
    dlg.show();
    dlg.colourButton->click();
    ASSERT_EQ(jobs.drawn.size(), 1u);
    EXPECT_TRUE(messages.empty());
    EXPECT_FALSE(dlg.isVisible());
}

TEST_F(PrintModeDialogTest, DatesComeFromTheWindow) {
    reference = {10, 12, 2004};
    dlg.colourButton->click();
    ASSERT_EQ(jobs.drawn.size(), 1u);
    std::vector<std::string> texts;
    for (const auto& op : jobs.drawn[0])
        texts.push_back(op.text);
    for (const char* t : {"1959/02/17", "Dezembro 2004", "Janeiro 2005"})
        EXPECT_NE(std::find(texts.begin(), texts.end(), t), texts.end()) << t;
}

} // namespace
