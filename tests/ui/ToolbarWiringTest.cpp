#include "ClarkTBButton.h"
#include "WindowFixture.h"
#include "frmChoix.h"

#include <QEnterEvent>
#include <QFileInfo>
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
    static void enter(ClarkTBButton* b) {
        const QPointF at(3, 3);
        QEnterEvent e(at, at, b->mapToGlobal(at));
        QApplication::sendEvent(b, &e);
    }
    static void leave(ClarkTBButton* b) {
        QEvent e(QEvent::Leave);
        QApplication::sendEvent(b, &e);
    }
    QString status() const { return window->lblStatus->text(); }

    std::vector<QUrl> opened;
};
} // namespace

TEST_F(ToolbarWiringTest, StatusNamesTheButtonUnderThePointer) {
    EXPECT_EQ(status(), "");
    EXPECT_EQ(window->lblStatus->geometry(), QRect(129, 7, 3, 13));
    const std::vector<std::pair<ClarkTBButton*, QString>> buttons = {
        {window->ClarkTBButton2, "https://www.lumenfold.com/"},
        {window->ctbimprime, "Imprimir"},
        {window->ctbajuda, "Ajuda"},
        {window->cmdFechar, "fechar"}};
    for (const auto& [button, text] : buttons) {
        enter(button);
        EXPECT_EQ(status(), text);
        leave(button);
        EXPECT_EQ(status(), "");
    }
    // The label grows to the right to hold a longer text, and shrinks back.
    enter(window->ClarkTBButton2);
    EXPECT_EQ(window->lblStatus->x(), 129);
    EXPECT_GT(window->lblStatus->width(), 100);
    leave(window->ClarkTBButton2);
    EXPECT_EQ(window->lblStatus->width(), 3);
}

TEST_F(ToolbarWiringTest, StraightFromOneButtonToTheNextShowsTheSecondText) {
    enter(window->ctbimprime);
    enter(window->ctbajuda); // no Leave reported in between
    EXPECT_EQ(status(), "Ajuda");
}

TEST_F(ToolbarWiringTest, WebButtonShowsTheHandAndOpensThePage) {
    enter(window->ClarkTBButton2);
    EXPECT_EQ(window->cursor().shape(), Qt::BitmapCursor);
    EXPECT_EQ(window->cursor().hotSpot(), QPoint(0, 0));
    QTest::mouseClick(window->ClarkTBButton2, Qt::LeftButton, {}, {5, 5});
    EXPECT_EQ(window->cursor().shape(), Qt::ArrowCursor);
    EXPECT_EQ(status(), "");
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0], QUrl("https://www.lumenfold.com/"));
    leave(window->ClarkTBButton2);
    EXPECT_EQ(window->cursor().shape(), Qt::ArrowCursor);
}

TEST_F(ToolbarWiringTest, HelpButtonAndF1OpenTheHelpPage) {
    window->activateWindow();
    QTest::mouseClick(window->ctbajuda, Qt::LeftButton, {}, {5, 5});
    EXPECT_TRUE(QTest::qWaitFor([this] { return !opened.empty(); }, 2000));
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_TRUE(opened[0].isLocalFile());
    EXPECT_TRUE(opened[0].toLocalFile().endsWith("/vitalune.html"));
    EXPECT_TRUE(QFileInfo::exists(opened[0].toLocalFile()))
        << "the help page is next to the program";
    EXPECT_EQ(status(), "");

    QTest::keyClick(window->Défiljj2, Qt::Key_F1);
    EXPECT_EQ(opened.size(), 2u);
}

TEST_F(ToolbarWiringTest, CancellingThePrintDialogLeavesTheWindowAsItWas) {
    const QImage before = window->Img0->image();
    const Date was = target();
    bool sawDialog = false;
    QTimer::singleShot(0, [&] {
        auto& dialog = frmChoix::instance();
        sawDialog = dialog.isVisible();
        QTest::mouseClick(dialog.cannuler, Qt::LeftButton, {}, {5, 5});
        if (dialog.isVisible())
            dialog.reject();
    });
    QTest::mouseClick(window->ctbimprime, Qt::LeftButton, {}, {5, 5});
    EXPECT_TRUE(sawDialog);
    EXPECT_FALSE(frmChoix::instance().isVisible());
    EXPECT_EQ(window->Img0->image(), before);
    EXPECT_EQ(target(), was);
    EXPECT_EQ(status(), "");
}
