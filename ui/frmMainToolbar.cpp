// SPDX-License-Identifier: MIT
// The toolbar along the bottom of the main window: web link, print, help, status line
// and close.
#include "ClarkTBBar.h"
#include "ClarkTBButton.h"
#include "ClarkTBSeparator.h"
#include "DoubleResolution.h"
#include "FontTable.h"
#include "MainWindow.h"
#include "SystemColours.h"
#include "WindowLayout.h"
#include "frmChoix.h"

#include <QApplication>
#include <QDesktopServices>
#include <QKeyEvent>
#include <QLabel>
#include <QUrl>

namespace vitalune {

const QString kEnderecoWeb = QStringLiteral("https://www.lumenfold.com/");

namespace {
QPixmap picture(const char* name) {
    return QPixmap(QStringLiteral(":/images/") + QString::fromLatin1(name));
}

// A toolbar picture with its twice-as-fine version ("name@2x.png"), so that the button
// draws it at the screen's resolution.
QIcon toolbarPicture(const char* name) {
    const QString path = QStringLiteral(":/images/") + QString::fromLatin1(name);
    QIcon icon{QPixmap(path)};
    icon.addPixmap(QPixmap(doubleResolutionPath(path))); // loads with a device pixel ratio of 2
    return icon;
}

// F1 in any window of the program opens the help page.
class HelpKey : public QObject {
public:
    explicit HelpKey(MainWindow* window) : QObject(window), window_(window) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::KeyPress && watched->isWidgetType() &&
            static_cast<QKeyEvent*>(event)->key() == Qt::Key_F1) {
            window_->openHelp();
            return true;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    MainWindow* window_;
};

void styleButton(ClarkTBButton* b) {
    b->setForecolor(systemColour(SystemColour::ButtonText));
    b->setBackcolor(systemColour(SystemColour::ButtonFace));
    b->setFocusedfrcolor(readableOn(QColor(0, 0, 255), systemColour(SystemColour::ButtonFace)));
    b->setFocusedbkcolor(systemColour(SystemColour::ButtonFace));
    b->setLightcolorin(systemColour(SystemColour::ButtonFace));
    b->setLightcolorout(systemColour(SystemColour::ButtonFace));
    b->setShadowcolorin(systemColour(SystemColour::ButtonFace));
    b->setShadowcolorout(systemColour(SystemColour::ThreeDDarkShadow));
    b->setMargin(0);
    b->setFocusedbold(false);
    b->setActiveborder(true);
    b->setStyle(ClarkTBButton::StyleFlat);
}
} // namespace

void MainWindow::buildToolbar() {
    ClarkTBBar1 = new ClarkTBBar(this);
    ClarkTBBar1->setObjectName(QStringLiteral("ClarkTBBar1"));
    ClarkTBBar1->setAccessibleName(QStringLiteral("Barra de ferramentas"));
    ClarkTBBar1->setGeometry(layout::toolbar);
    ClarkTBBar1->setBackcolor(systemColour(SystemColour::ButtonFace));
    ClarkTBBar1->setLight3dcolor(systemColour(SystemColour::ButtonHighlight));
    ClarkTBBar1->setShadow3dcolor(systemColour(SystemColour::ButtonShadow));
    ClarkTBBar1->setShowleftlines(false);
    ClarkTBBar1->setShowtwoleftlines(false);

    cmdFechar = new ClarkTBButton(ClarkTBBar1);
    cmdFechar->setObjectName(QStringLiteral("cmdFechar"));
    styleButton(cmdFechar);
    cmdFechar->setShadowcolorout(systemColour(SystemColour::ButtonFace));
    cmdFechar->setFont(substituteFont("System", 9.75, true, 96.0));
    cmdFechar->setAccessibleName(QStringLiteral("Fechar"));
    cmdFechar->setPicture(toolbarPicture("close-32.png"));
    cmdFechar->setFocusedpicture(toolbarPicture("close-focused-32.png"));
    cmdFechar->setPictposition(ClarkTBButton::PictTop);
    cmdFechar->setPictsize(ClarkTBButton::PictLarge);
    cmdFechar->setDistance(5);
    cmdFechar->setGeometry(layout::closeButton);

    ClarkTBSeparator1 = new ClarkTBSeparator(ClarkTBBar1);
    ClarkTBSeparator1->setObjectName(QStringLiteral("ClarkTBSeparator1"));
    ClarkTBSeparator1->setBackcolor(systemColour(SystemColour::ButtonFace));
    ClarkTBSeparator1->setLight3dcolor(systemColour(SystemColour::ButtonHighlight));
    ClarkTBSeparator1->setShadow3dcolor(systemColour(SystemColour::ButtonShadow));
    ClarkTBSeparator1->setGeometry(layout::toolbarSeparator);
    ClarkTBSeparator1->setAutoheight(1);

    ClarkTBButton2 = new ClarkTBButton(ClarkTBBar1);
    ClarkTBButton2->setObjectName(QStringLiteral("ClarkTBButton2"));
    styleButton(ClarkTBButton2);
    ClarkTBButton2->setCaption(QStringLiteral("Lumenfold"));
    ClarkTBButton2->setAccessibleName(QStringLiteral("Página da Lumenfold"));
    ClarkTBButton2->setAccessibleDescription(kEnderecoWeb);
    ClarkTBButton2->setFont(substituteFont("MS Sans Serif", 8.25, false, 96.0));
    ClarkTBButton2->setPictposition(ClarkTBButton::PictTop);
    ClarkTBButton2->setFocusedunderline(true);
    ClarkTBButton2->setGeometry(layout::webButton);

    auto smallButton = [this](const char* name, const char* spoken, const char* plain,
                              const char* focused, QRect place) {
        auto* b = new ClarkTBButton(ClarkTBBar1);
        b->setObjectName(QString::fromLatin1(name));
        b->setAccessibleName(QString::fromUtf8(spoken));
        styleButton(b);
        b->setFont(substituteFont("MS Sans Serif", 8.25, false, 96.0));
        b->setPicture(toolbarPicture(plain));
        b->setFocusedpicture(toolbarPicture(focused));
        b->setPictposition(ClarkTBButton::PictLeft);
        b->setPictsize(ClarkTBButton::PictSmall);
        b->setGeometry(place);
        b->setAutosize(true);
        return b;
    };
    ctbimprime = smallButton("ctbimprime", "Imprimir", "print-16.png", "print-focused-16.png",
                             layout::printButton);
    ctbajuda =
        smallButton("ctbajuda", "Ajuda", "help-16.png", "help-focused-16.png", layout::helpButton);

    lblStatus = new QLabel(ClarkTBBar1);
    lblStatus->setObjectName(QStringLiteral("lblStatus"));
    lblStatus->setFont(substituteFont("MS Sans Serif", 8.25, false, 96.0));
    QPalette pal = lblStatus->palette();
    pal.setColor(QPalette::WindowText,
                 readableOn(QColor(0, 0, 255), systemColour(SystemColour::ButtonFace)));
    lblStatus->setPalette(pal);
    lblStatus->setGeometry(layout::statusLine);

    ClarkTBBar1->setAutoheight(1);

    connect(ClarkTBButton2, &ClarkTBButton::MouseEnter, this, [this] {
        setStatus(kEnderecoWeb);
        setCursor(QCursor(picture("hand-32.png"), 0, 0));
    });
    connect(ClarkTBButton2, &ClarkTBButton::MouseExit, this, [this] {
        setStatus(restingStatus_);
        unsetCursor();
    });
    connect(ClarkTBButton2, &ClarkTBButton::Click, this, [this] {
        unsetCursor();
        setStatus(restingStatus_);
        // Whether the browser opens is the desktop's business; the window stays as it is.
        openUrl_(QUrl(kEnderecoWeb));
    });

    connect(ctbimprime, &ClarkTBButton::MouseEnter, this,
            [this] { setStatus(QStringLiteral("Imprimir")); });
    connect(ctbimprime, &ClarkTBButton::MouseExit, this, [this] { setStatus(restingStatus_); });
    connect(ctbimprime, &ClarkTBButton::Click, this, [this] { ctbimprime_Click(); });

    connect(ctbajuda, &ClarkTBButton::MouseEnter, this,
            [this] { setStatus(QStringLiteral("Ajuda")); });
    connect(ctbajuda, &ClarkTBButton::MouseExit, this, [this] { setStatus(restingStatus_); });
    connect(ctbajuda, &ClarkTBButton::Click, this, [this] {
        QWidget* target = QApplication::activeWindow() ? QApplication::activeWindow() : this;
        QCoreApplication::postEvent(target,
                                    new QKeyEvent(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier));
        setStatus(restingStatus_);
    });

    connect(cmdFechar, &ClarkTBButton::MouseEnter, this,
            [this] { setStatus(QStringLiteral("fechar")); });
    connect(cmdFechar, &ClarkTBButton::MouseExit, this, [this] { setStatus(restingStatus_); });
    connect(cmdFechar, &ClarkTBButton::Click, this, [this] { close(); });

    helpKey_ = new HelpKey(this);
    qApp->installEventFilter(helpKey_);
}

void MainWindow::setStatus(const QString& text) {
    statusShown_ = text;
    lblStatus->setText(text);
    // The status line sizes itself to its text, growing to the right up to the close
    // button; a longer text is cut short there and shown whole as the label's hover text.
    const int room = cmdFechar->x() - lblStatus->x();
    int width = text.isEmpty() ? layout::statusLine.width() : lblStatus->sizeHint().width();
    if (width > room) {
        const int frame = width - lblStatus->fontMetrics().horizontalAdvance(text);
        lblStatus->setText(lblStatus->fontMetrics().elidedText(text, Qt::ElideRight, room - frame));
        width = room;
    }
    lblStatus->setToolTip(width == room ? text : QString());
    lblStatus->resize(width, lblStatus->height());
}

void MainWindow::setRestingStatus(const QString& text) {
    // A hover text on show stays until the pointer leaves its button.
    if (statusShown_ == restingStatus_)
        setStatus(text);
    restingStatus_ = text;
}

void MainWindow::ctbimprime_Click() {
    redrawChart();
    setStatus(restingStatus_);
    auto& dialog = frmChoix::instance();
    dialog.setDates(dates_.birth(), dates_.reference());
    dialog.exec();
}

void MainWindow::openHelp() {
    openUrl_(QUrl::fromLocalFile(helpFile_));
}

void MainWindow::setUrlOpener(UrlOpener opener) {
    openUrl_ = opener ? std::move(opener) : [](const QUrl& url) { QDesktopServices::openUrl(url); };
}

} // namespace vitalune
