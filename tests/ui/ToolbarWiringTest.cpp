// SPDX-License-Identifier: MIT
// The main window's commands through the toolbar and the keyboard: status texts, web page,
// help, close, and printing through the window's printer-type dialog and page printer.
#include "PrintModeDialog.h"
#include "RecordingSurface.h"
#include "ToolbarButton.h"
#include "WindowFixture.h"

#include <QEnterEvent>
#include <QFileInfo>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <QUrl>

using namespace vitalune;

namespace {
class ToolbarWiringTest : public vitalune::testing::WindowFixture {
protected:
    void SetUp() override {
        WindowFixture::SetUp();
        window->setUrlOpener([this](const QUrl& url) { opened.push_back(url); });
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }
    static void enter(ToolbarButton* b) {
        const QPointF at(3, 3);
        QEnterEvent e(at, at, b->mapToGlobal(at));
        QApplication::sendEvent(b, &e);
    }
    static void leave(ToolbarButton* b) {
        QEvent e(QEvent::Leave);
        QApplication::sendEvent(b, &e);
    }
    QString status() const { return window->statusLine->text(); }
    // A key for whatever has the keyboard focus, as the user types it. A modal dialog left
    // open by the key (one the test does not close itself) fails the test at once and is
    // closed, rather than waiting for an answer nobody gives.
    static void type(int key, Qt::KeyboardModifiers mods = {}) {
        QWidget* target = QApplication::focusWidget();
        ASSERT_NE(target, nullptr);
        const std::string name = QKeySequence(mods | Qt::Key(key)).toString().toStdString();
        QTimer guard;
        guard.setSingleShot(true);
        QObject::connect(&guard, &QTimer::timeout, [&name] {
            if (QWidget* modal = QApplication::activeModalWidget()) {
                ADD_FAILURE() << name << " left a modal dialog open";
                modal->close();
            }
        });
        guard.start(500);
        QTest::keyClick(target, Qt::Key(key), mods);
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr) << name;
    }
    // The printer-type dialog, once the print command has made it.
    PrintModeDialog& dialog() const { return *window->printModeDialog(); }
    void activate() {
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }

    std::vector<QUrl> opened;
};
} // namespace

TEST_F(ToolbarWiringTest, StatusNamesTheButtonUnderThePointer) {
    EXPECT_EQ(status(), "");
    EXPECT_EQ(window->statusLine->geometry(), QRect(129, 7, 3, 13));
    const std::vector<std::pair<ToolbarButton*, QString>> buttons = {
        {window->webButton, "https://www.lumenfold.com/"},
        {window->printButton, "Imprimir"},
        {window->helpButton, "Ajuda"},
        {window->closeButton, "fechar"}};
    for (const auto& [button, text] : buttons) {
        enter(button);
        EXPECT_EQ(status(), text);
        leave(button);
        EXPECT_EQ(status(), "");
    }
    // The label grows to the right to hold a longer text, and shrinks back.
    enter(window->webButton);
    EXPECT_EQ(window->statusLine->x(), 129);
    EXPECT_GT(window->statusLine->width(), 100);
    leave(window->webButton);
    EXPECT_EQ(window->statusLine->width(), 3);
}

TEST_F(ToolbarWiringTest, StraightFromOneButtonToTheNextShowsTheSecondText) {
    enter(window->printButton);
    enter(window->helpButton); // no Leave reported in between
    EXPECT_EQ(status(), "Ajuda");
}

TEST_F(ToolbarWiringTest, WebButtonShowsTheHandAndOpensThePage) {
    enter(window->webButton);
    EXPECT_EQ(window->cursor().shape(), Qt::BitmapCursor);
    EXPECT_EQ(window->cursor().hotSpot(), QPoint(0, 0));
    QTest::mouseClick(window->webButton, Qt::LeftButton, {}, {5, 5});
    EXPECT_EQ(window->cursor().shape(), Qt::ArrowCursor);
    EXPECT_EQ(status(), "");
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0], QUrl("https://www.lumenfold.com/"));
    leave(window->webButton);
    EXPECT_EQ(window->cursor().shape(), Qt::ArrowCursor);
}

TEST_F(ToolbarWiringTest, HelpButtonAndF1OpenTheHelpPage) {
    window->activateWindow();
    QTest::mouseClick(window->helpButton, Qt::LeftButton, {}, {5, 5});
    EXPECT_TRUE(QTest::qWaitFor([this] { return !opened.empty(); }, 2000));
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_TRUE(opened[0].isLocalFile());
    EXPECT_TRUE(opened[0].toLocalFile().endsWith("/vitalune.html"));
    EXPECT_TRUE(QFileInfo::exists(opened[0].toLocalFile()))
        << "the help page is next to the program";
    EXPECT_EQ(status(), "");

    QTest::keyClick(window->referenceDayStepper, Qt::Key_F1);
    EXPECT_EQ(opened.size(), 2u);

    // And from the print dialog, which blocks the window while it is open.
    QTimer::singleShot(0, [&] {
        if (QTest::qWaitForWindowActive(&dialog()))
            QTest::keyClick(dialog().focusWidget(), Qt::Key_F1);
        dialog().reject();
    });
    QTest::mouseClick(window->printButton, Qt::LeftButton, {}, {5, 5});
    EXPECT_EQ(opened.size(), 3u);

    // And from the message box that says the page could not be printed, over the dialog.
    window->pagePrinter().setSurfaceFactory([] { return nullptr; });
    QString told;
    QTimer::singleShot(0, [&] {
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (box && QTest::qWaitForWindowActive(box)) {
                told = box->text();
                QTest::keyClick(box, Qt::Key_F1);
            }
            if (box)
                box->reject();
        });
        dialog().colourButton->click();
    });
    QTest::mouseClick(window->printButton, Qt::LeftButton, {}, {5, 5});
    EXPECT_EQ(told, "Nenhuma impressora disponível.");
    EXPECT_EQ(opened.size(), 4u);
}

TEST_F(ToolbarWiringTest, CancellingThePrintDialogLeavesTheWindowAsItWas) {
    const QImage before = window->chartView->image();
    const Date was = target();
    bool sawDialog = false;
    QTimer::singleShot(0, [&] {
        sawDialog = dialog().isVisible();
        QTest::mouseClick(dialog().cancelButton, Qt::LeftButton, {}, {5, 5});
        if (dialog().isVisible())
            dialog().reject();
    });
    QTest::mouseClick(window->printButton, Qt::LeftButton, {}, {5, 5});
    EXPECT_TRUE(sawDialog);
    EXPECT_FALSE(dialog().isVisible());
    EXPECT_EQ(window->chartView->image(), before);
    EXPECT_EQ(target(), was);
    EXPECT_EQ(status(), "");
}

TEST_F(ToolbarWiringTest, TheWindowKeepsOneDialog) {
    window->pagePrinter().setSurfaceFactory(
        [] { return std::make_unique<vitalune::testing::RecordingSurface>(); });
    const auto printInColour = [this] {
        QTimer::singleShot(0, [this] {
            dialog().colourButton->click();
            if (dialog().isVisible())
                dialog().reject();
        });
        QTest::mouseClick(window->printButton, Qt::LeftButton, {}, {5, 5});
    };
    printInColour();
    PrintModeDialog* first = window->printModeDialog();
    ASSERT_NE(first, nullptr);
    const auto* colour = first->colourButton;
    EXPECT_FALSE(first->isVisible());
    printInColour();
    EXPECT_EQ(window->printModeDialog(), first);
    EXPECT_EQ(dialog().colourButton, colour);
    EXPECT_EQ(dialog().printMode(), PrintMode::Colour);
    EXPECT_EQ(dialog().heading->text(), "Tipo de Impressora");
}

TEST_F(ToolbarWiringTest, TabGoesRoundTheDatesThePicturesAndTheToolbar) {
    activate();
    const std::vector<QWidget*> order = {window->referenceYearStepper,
                                         window->referenceMonthStepper,
                                         window->referenceDayStepper,
                                         window->birthDayStepper,
                                         window->birthMonthStepper,
                                         window->birthYearStepper,
                                         window->chartView,
                                         window->physicalDial,
                                         window->emotionalDial,
                                         window->intellectualDial,
                                         window->webButton,
                                         window->printButton,
                                         window->helpButton,
                                         window->closeButton};
    EXPECT_EQ(QApplication::focusWidget(), window->referenceYearStepper)
        << "starts on the reference year";
    for (std::size_t i = 1; i <= order.size(); ++i) {
        type(Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), order[i % order.size()])
            << "after " << order[i - 1]->objectName().toStdString() << " came "
            << QApplication::focusWidget()->objectName().toStdString();
    }
    type(Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(QApplication::focusWidget(), window->closeButton);
}

TEST_F(ToolbarWiringTest, SpaceEnterAndShortcutsActAsClicks) {
    activate();
    enter(window->helpButton);
    window->webButton->setFocus(Qt::TabFocusReason);
    type(Qt::Key_Space);
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0], QUrl("https://www.lumenfold.com/"));
    EXPECT_EQ(status(), "") << "the status line is emptied as on a click";
    leave(window->helpButton);

    window->helpButton->setFocus(Qt::TabFocusReason);
    type(Qt::Key_Return);
    EXPECT_TRUE(QTest::qWaitFor([this] { return opened.size() == 2; }, 2000));
    EXPECT_TRUE(opened.back().toLocalFile().endsWith("/vitalune.html"));

    // Ctrl+P opens the printer-type dialog, on the colour button; Escape cancels.
    QWidget* dialogFocus = nullptr;
    QTimer::singleShot(0, [&] {
        dialogFocus = dialog().focusWidget();
        QTest::keyClick(dialog().focusWidget(), Qt::Key_Escape);
        if (dialog().isVisible())
            dialog().reject();
    });
    type(Qt::Key_P, Qt::ControlModifier);
    EXPECT_EQ(dialogFocus, dialog().colourButton);
    EXPECT_FALSE(dialog().isVisible());

    activate();
    type(Qt::Key_W, Qt::ControlModifier);
    EXPECT_FALSE(window->isVisible()) << "Ctrl+W closes the window";
}

TEST_F(ToolbarWiringTest, KeyboardAlonePrintsAPageInBlackAndWhite) {
    using vitalune::testing::RecordingSurface;
    std::vector<RecordingSurface::Op> page;
    window->pagePrinter().setSurfaceFactory([&page]() -> std::unique_ptr<DrawingSurface> {
        struct Keep : RecordingSurface {
            std::vector<Op>* out;
            ~Keep() override { *out = ops; }
        };
        auto s = std::make_unique<Keep>();
        s->out = &page;
        return s;
    });
    activate();
    for (int i = 0; i < 11; ++i) // round the dates and pictures to the print button
        type(Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), window->printButton);
    QTimer::singleShot(0, [&] {
        QTest::keyClick(dialog().focusWidget(), Qt::Key_Right); // black and white
        QTest::keyClick(dialog().focusWidget(), Qt::Key_Return);
        if (dialog().isVisible())
            dialog().reject();
    });
    type(Qt::Key_Space);
    EXPECT_FALSE(dialog().isVisible());
    EXPECT_EQ(dialog().printMode(), PrintMode::BlackAndWhite);
    ASSERT_FALSE(page.empty());
    EXPECT_EQ(page.back().kind, RecordingSurface::Kind::FinishPage);
    bool birthDateShown = false;
    for (const auto& op : page)
        birthDateShown = birthDateShown || op.text.find("1959/02/17") != std::string::npos;
    EXPECT_TRUE(birthDateShown) << "the page charts the window's dates";
}
