// SPDX-License-Identifier: MIT
#include "Toolbar.h"
#include "ToolbarButton.h"
#include "ToolbarSeparator.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QEnterEvent>
#include <QPainter>
#include <QStatusTipEvent>
#include <QTest>
#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace vitalune;

namespace {

QPixmap solid(QSize size, const QColor& colour) {
    QPixmap p(size);
    p.fill(colour);
    return p;
}

// A picture, plain and under the pointer.
QIcon picture(const QColor& plain, const QColor& hovered) {
    QIcon icon(solid({16, 16}, plain));
    icon.addPixmap(solid({16, 16}, hovered), QIcon::Active);
    return icon;
}

// A toolbar with three buttons showing actions, recording in order "name+" when the
// pointer enters one (its action hovered), "name-" when it leaves (the status text
// cleared) and "name!" when it acts (its action triggered).
struct ToolbarTest : ::testing::Test, QObject {
    std::vector<std::string> log; // outlives the window, whose closing may still report
    std::string entered;
    QWidget window;
    vitalune::Toolbar* bar = new vitalune::Toolbar(&window);
    std::vector<ToolbarButton*> buttons;

    void SetUp() override {
        window.resize(200, 60);
        window.installEventFilter(this);
        bar->setGeometry(0, 30, 200, 26);
        for (int i = 0; i < 3; ++i) {
            const std::string name(1, char('A' + i));
            auto* action = new QAction(QString::fromStdString(name), &window);
            action->setIcon(picture(Qt::gray, Qt::yellow));
            action->setStatusTip(QString::fromStdString(name));
            QObject::connect(action, &QAction::hovered, [this, name] {
                log.push_back(name + "+");
                entered = name;
            });
            QObject::connect(action, &QAction::triggered,
                             [this, name] { log.push_back(name + "!"); });
            auto* b = new ToolbarButton(bar);
            b->setGeometry(2 + 30 * i, 2, 28, 22);
            b->setAction(action);
            buttons.push_back(b);
        }
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    }
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::StatusTip &&
            static_cast<QStatusTipEvent*>(event)->tip().isEmpty())
            log.push_back(entered + "-");
        return false;
    }

    void enter(int i) {
        const QPointF at(5, 5);
        QEnterEvent e(at, at, buttons[i]->mapToGlobal(at));
        QApplication::sendEvent(buttons[i], &e);
    }
    void leave(int i) {
        QEvent e(QEvent::Leave);
        QApplication::sendEvent(buttons[i], &e);
    }
    void move(int i, QPoint at) {
        QMouseEvent e(QEvent::MouseMove, at, buttons[i]->mapToGlobal(at), Qt::NoButton,
                      Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(buttons[i], &e);
    }
    using Log = std::vector<std::string>;
};

} // namespace

TEST_F(ToolbarTest, HoveringEachButtonInTurnGivesPairsInOrder) {
    enter(0);
    leave(0);
    enter(1);
    leave(1);
    enter(2);
    leave(2);
    EXPECT_EQ(log, (Log{"A+", "A-", "B+", "B-", "C+", "C-"}));
    for (auto* b : buttons)
        EXPECT_FALSE(b->isHovered());
    EXPECT_EQ(bar->hoveredButton(), nullptr);
}

TEST_F(ToolbarTest, ExitOfOneButtonAlwaysComesBeforeEnterOfTheNext) {
    // The crossing reported enter-first, as it may come from the windowing system.
    enter(0);
    enter(1);
    leave(0);
    enter(2);
    leave(1);
    leave(2);
    EXPECT_EQ(log, (Log{"A+", "A-", "B+", "B-", "C+", "C-"}));
}

TEST_F(ToolbarTest, RepeatedOrStrayCrossingsDoNotBreakThePairs) {
    leave(0);
    enter(0);
    enter(0);
    move(0, {3, 3});
    leave(0);
    leave(0);
    EXPECT_EQ(log, (Log{"A+", "A-"}));
}

TEST_F(ToolbarTest, HidingDisablingOrLosingTheWindowEndsTheHover) {
    enter(0);
    buttons[0]->hide();
    EXPECT_EQ(log, (Log{"A+", "A-"}));
    enter(0);
    EXPECT_EQ(log.size(), 2u) << "a hidden button takes no pointer";

    enter(1);
    buttons[1]->setEnabled(false);
    enter(1);
    EXPECT_EQ(log, (Log{"A+", "A-", "B+", "B-"}));
    buttons[1]->setEnabled(true);

    enter(2);
    QEvent deactivate(QEvent::WindowDeactivate);
    QApplication::sendEvent(&window, &deactivate);
    EXPECT_EQ(log, (Log{"A+", "A-", "B+", "B-", "C+", "C-"}));
    leave(2);
    EXPECT_EQ(log.size(), 6u);
    // Moving over it again starts a new pair.
    move(2, {4, 4});
    leave(2);
    EXPECT_EQ(log, (Log{"A+", "A-", "B+", "B-", "C+", "C-", "C+", "C-"}));
}

TEST_F(ToolbarTest, AModalWindowEndsTheHoverOfTheWindowItBlocks) {
    enter(0);
    QEvent blocked(QEvent::WindowBlocked);
    QApplication::sendEvent(&window, &blocked);
    EXPECT_EQ(log, (Log{"A+", "A-"}));
}

TEST_F(ToolbarTest, ClickComesOnReleaseOverTheButton) {
    ToolbarButton* b = buttons[0];
    enter(0);
    QTest::mousePress(b, Qt::LeftButton, {}, {5, 5});
    EXPECT_TRUE(b->isDown());
    EXPECT_EQ(log, (Log{"A+"})) << "nothing on press";
    QTest::mouseRelease(b, Qt::LeftButton, {}, {6, 6});
    EXPECT_EQ(log, (Log{"A+", "A!"}));
    EXPECT_FALSE(b->isDown());
    EXPECT_TRUE(b->isHovered()) << "the click comes between the pair";

    log.clear();
    QTest::mousePress(b, Qt::LeftButton, {}, {5, 5});
    QTest::mouseRelease(b, Qt::LeftButton, {}, {80, 5}); // released beside it
    QTest::mousePress(b, Qt::RightButton, {}, {5, 5});
    QTest::mouseRelease(b, Qt::RightButton, {}, {5, 5});
    QTest::mouseRelease(b, Qt::LeftButton, {}, {5, 5}); // release without a press
    for (const auto& e : log)
        EXPECT_NE(e, "A!");

    b->setEnabled(false);
    QTest::mouseClick(b, Qt::LeftButton, {}, {5, 5});
    b->setEnabled(true);
    for (const auto& e : log)
        EXPECT_NE(e, "A!");
}

TEST_F(ToolbarTest, KeyboardAndScreenReadersPressTheButtonAsAClick) {
    ToolbarButton* b = buttons[1];
    b->action()->setText("Imprimir");
    b->setFocus(Qt::TabFocusReason);
    QTest::mouseClick(buttons[0], Qt::LeftButton, {}, {5, 5});
    EXPECT_FALSE(buttons[0]->hasFocus()) << "the mouse leaves the focus where it was";
    ASSERT_TRUE(b->hasFocus());
    log.clear();
    QTest::keyClick(b, Qt::Key_Space);
    QTest::keyClick(b, Qt::Key_Return);
    QTest::keyClick(b, Qt::Key_Enter, Qt::KeypadModifier);
    QTest::keyClick(b, Qt::Key_Return, Qt::ControlModifier); // not a press
    EXPECT_EQ(log, (Log{"B!", "B!", "B!"})) << "one Click per key, no pointer events";

    QTest::keyClick(b, Qt::Key_Right);
    EXPECT_TRUE(buttons[2]->hasFocus());
    QTest::keyClick(buttons[2], Qt::Key_Left);
    EXPECT_TRUE(b->hasFocus());

    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(b);
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->role(), QAccessible::Button);
    EXPECT_EQ(a->text(QAccessible::Name), "Imprimir");
    log.clear();
    a->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_TRUE(QTest::qWaitFor([this] { return !log.empty(); }, 2000));
    EXPECT_EQ(log, (Log{"B!"}));
}

TEST_F(ToolbarTest, HandlersMayHideTheButtonsWindow) {
    QObject::connect(buttons[1]->action(), &QAction::triggered, &window, &QWidget::hide);
    enter(1);
    QTest::mouseClick(buttons[1], Qt::LeftButton, {}, {5, 5});
    EXPECT_EQ(log, (Log{"B+", "B!", "B-"}));
    EXPECT_FALSE(window.isVisible());
}

namespace {

bool contains(const QImage& image, const QColor& colour) {
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y) == colour)
                return true;
    return false;
}

} // namespace

TEST_F(ToolbarTest, UnderThePointerTheButtonShowsItsHoveredLook) {
    ToolbarButton* b = buttons[0];
    QPalette pal = b->palette();
    pal.setColor(QPalette::Button, QColor(200, 200, 200));
    pal.setColor(QPalette::Shadow, QColor(10, 10, 10));
    pal.setColor(QPalette::Light, QColor(250, 250, 250));
    b->setPalette(pal);

    QImage plain = b->grab().toImage();
    EXPECT_TRUE(contains(plain, Qt::gray));
    EXPECT_FALSE(contains(plain, Qt::yellow));
    EXPECT_EQ(plain.pixelColor(27, 21), QColor(200, 200, 200)) << "flat: no edge at rest";

    enter(0);
    QImage hover = b->grab().toImage();
    EXPECT_TRUE(contains(hover, Qt::yellow));
    EXPECT_FALSE(contains(hover, Qt::gray));
    EXPECT_EQ(hover.pixelColor(27, 21), QColor(10, 10, 10)) << "raised: shadow bottom right";
    EXPECT_EQ(hover.pixelColor(0, 0), QColor(250, 250, 250)) << "raised: light top left";
    EXPECT_EQ(hover.pixelColor(10, 1).rgb(), pal.color(QPalette::Midlight).rgb());
    EXPECT_EQ(hover.pixelColor(14, 12), QColor(Qt::yellow)) << "picture centred";

    QTest::mousePress(b, Qt::LeftButton, {}, {5, 5});
    QImage down = b->grab().toImage();
    EXPECT_EQ(down.pixelColor(0, 0), QColor(10, 10, 10)) << "sunken: shadow top left";
    EXPECT_EQ(down.pixelColor(27, 21), QColor(250, 250, 250));
    QTest::mouseRelease(b, Qt::LeftButton, {}, {5, 5});

    leave(0);
    EXPECT_EQ(b->grab().toImage().pixelColor(27, 21), QColor(200, 200, 200));
}

TEST_F(ToolbarTest, WithoutAPictureTheCaptionShowsAsALinkUnderThePointer) {
    ToolbarButton* b = buttons[2];
    b->action()->setIcon(QIcon());
    b->action()->setIconText("Lumenfold");
    QPalette pal = b->palette();
    pal.setColor(QPalette::ButtonText, QColor(0, 0, 0));
    pal.setColor(QPalette::Link, QColor(0, 0, 255));
    b->setPalette(pal);
    b->resize(69, 22);
    QImage plain = b->grab().toImage();
    EXPECT_TRUE(contains(plain, QColor(0, 0, 0)));
    EXPECT_FALSE(contains(plain, QColor(0, 0, 255)));
    enter(2);
    QImage hover = b->grab().toImage();
    EXPECT_TRUE(contains(hover, QColor(0, 0, 255)));
    // Underlined: a run of the caption colour as long as most of the caption.
    int longest = 0;
    for (int y = 0; y < hover.height(); ++y) {
        int run = 0;
        for (int x = 0; x < hover.width(); ++x) {
            run = hover.pixelColor(x, y) == QColor(0, 0, 255) ? run + 1 : 0;
            longest = std::max(longest, run);
        }
    }
    EXPECT_GT(longest, 30);
}

namespace {

// The widest run of a colour on any row, and the rows it appears on.
std::pair<int, int> extentOf(const QImage& image, const QColor& colour) {
    int widest = 0, rows = 0;
    for (int y = 0; y < image.height(); ++y) {
        int n = 0;
        for (int x = 0; x < image.width(); ++x)
            n += image.pixelColor(x, y) == colour;
        widest = std::max(widest, n);
        rows += n > 0;
    }
    return {widest, rows};
}

} // namespace

TEST(ToolbarButton, PicturesTooBigForTheButtonKeepTheirPaintedPartOrShrink) {
    QWidget window;
    auto* close = new ToolbarButton(&window);
    close->setGeometry(0, 0, 37, 21); // 33 x 17 inside the edge
    close->setIconSize(QSize(32, 32));
    const QColor green(0, 128, 0);
    QImage band(32, 32, QImage::Format_ARGB32);
    band.fill(Qt::transparent);
    QPainter(&band).fillRect(0, 9, 32, 14, green);
    close->setIcon(QPixmap::fromImage(band));
    window.show();
    QImage shown = close->grab().toImage();
    EXPECT_EQ(shown.size(), QSize(37, 21));
    EXPECT_EQ(extentOf(shown, green), std::make_pair(32, 14)) << "painted part fits: full size";
    EXPECT_NE(shown.pixelColor(18, 0), green) << "drawn inside the edge";
    EXPECT_NE(shown.pixelColor(18, 20), green);

    QImage full(32, 32, QImage::Format_ARGB32);
    full.fill(green);
    close->setIcon(QPixmap::fromImage(full));
    shown = close->grab().toImage();
    const auto [widest, rows] = extentOf(shown, green);
    EXPECT_LE(widest, 17) << "shrunk to fit, keeping its shape";
    EXPECT_LE(rows, 17);
    EXPECT_GE(rows, 15);
}

TEST(ToolbarButton, HighResolutionScreensGetTheTwiceAsFinePicture) {
    QWidget window;
    auto* b = new ToolbarButton(&window);
    b->setGeometry(0, 0, 23, 22);
    QPixmap fine = solid({32, 32}, Qt::red);
    fine.setDevicePixelRatio(2);
    QIcon icon(solid({16, 16}, Qt::green));
    icon.addPixmap(fine);
    b->setIcon(icon);
    window.show();
    for (const qreal ratio : {1.0, 2.0}) {
        QPixmap shown(b->size() * ratio);
        shown.setDevicePixelRatio(ratio);
        b->render(&shown);
        const auto [widest, rows] = extentOf(shown.toImage(), ratio == 1 ? Qt::green : Qt::red);
        EXPECT_EQ(widest, 16 * ratio) << "same place and size at ratio " << ratio;
        EXPECT_EQ(rows, 16 * ratio);
    }
}

TEST(ToolbarBar, DrawsALightTopEdgeAndEtchedLines) {
    QWidget window;
    QPalette pal = window.palette();
    pal.setColor(QPalette::Button, QColor(212, 208, 200));
    pal.setColor(QPalette::Light, QColor(255, 255, 255));
    pal.setColor(QPalette::Dark, QColor(128, 128, 128));
    window.setPalette(pal);
    auto* bar = new vitalune::Toolbar(&window);
    bar->setGeometry(0, 0, 100, 26);
    auto* sep = new ToolbarSeparator(bar);
    sep->setGeometry(50, 2, 2, 22);
    window.show();
    QImage img = bar->grab().toImage();
    EXPECT_EQ(img.pixelColor(10, 0), QColor(255, 255, 255));
    EXPECT_EQ(img.pixelColor(10, 10), QColor(212, 208, 200));
    EXPECT_EQ(img.pixelColor(3, 10), QColor(212, 208, 200)) << "no grip lines";
    EXPECT_EQ(img.pixelColor(50, 12), QColor(128, 128, 128));
    EXPECT_EQ(img.pixelColor(51, 12), QColor(255, 255, 255));
}
