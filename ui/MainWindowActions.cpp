// SPDX-License-Identifier: MIT
// The main window's commands, its toolbar and status line, and printing.
#include "FontTable.h"
#include "MainWindow.h"
#include "PictureFile.h"
#include "Toolbar.h"
#include "ToolbarButton.h"
#include "ToolbarSeparator.h"
#include "WindowLayout.h"

#include <QAction>
#include <QDesktopServices>
#include <QLabel>
#include <QStatusTipEvent>
#include <QUrl>

namespace vitalune {

const QString kWebAddress = QStringLiteral("https://www.lumenfold.com/");

namespace {
QIcon toolbarPicture(const char* plain, const char* hovered) {
    const QString folder = QStringLiteral(":/images/");
    return ToolbarButton::picture(folder + QLatin1String(plain), folder + QLatin1String(hovered));
}
} // namespace

void MainWindow::buildActions() {
    auto command = [this](const QString& name, const QString& status, const QKeySequence& key) {
        auto* action = new QAction(name, this);
        action->setStatusTip(status);
        action->setShortcut(key);
        addAction(action);
        return action;
    };
    webPageAction = command(QStringLiteral("Página da Lumenfold"), kWebAddress, {});
    webPageAction->setIconText(QStringLiteral("Lumenfold"));
    printAction = command(QStringLiteral("Imprimir"), QStringLiteral("Imprimir"),
                          QKeySequence(Qt::CTRL | Qt::Key_P));
    printAction->setIcon(toolbarPicture("print-16.png", "print-focused-16.png"));
    helpAction = command(QStringLiteral("Ajuda"), QStringLiteral("Ajuda"), Qt::Key_F1);
    helpAction->setShortcutContext(Qt::ApplicationShortcut);
    helpAction->setIcon(toolbarPicture("help-16.png", "help-focused-16.png"));
    closeAction = command(QStringLiteral("Fechar"), QStringLiteral("fechar"),
                          QKeySequence(Qt::CTRL | Qt::Key_W));
    closeAction->setIcon(toolbarPicture("close-32.png", "close-focused-32.png"));

    // Over the web page's button the pointer is a hand; leaving the button sets it back (event()).
    connect(webPageAction, &QAction::hovered, this, [this] {
        setCursor(QCursor(readPixmap(QStringLiteral(":/images/hand-32.png")), 0, 0));
    });
    connect(webPageAction, &QAction::triggered, this, [this] {
        unsetCursor();
        setStatus(restingStatus_);
        // Whether the browser opens is the desktop's business; the window stays as it is.
        openUrl_(QUrl(kWebAddress));
    });
    connect(printAction, &QAction::triggered, this, &MainWindow::printChart);
    connect(helpAction, &QAction::triggered, this, [this] {
        setStatus(restingStatus_);
        openUrl_(QUrl::fromLocalFile(helpFile_));
    });
    connect(closeAction, &QAction::triggered, this, &QWidget::close);
}

void MainWindow::buildToolbar() {
    buildActions();
    toolbar = new Toolbar(this);
    toolbar->setObjectName(QStringLiteral("toolbar"));
    toolbar->setAccessibleName(QStringLiteral("Barra de ferramentas"));
    toolbar->setGeometry(layout::toolbar);

    auto button = [this](QAction* action, const char* name, QRect geometry) {
        auto* b = new ToolbarButton(toolbar);
        b->setObjectName(QString::fromLatin1(name));
        b->setAction(action);
        b->setGeometry(geometry);
        return b;
    };
    closeButton = button(closeAction, "closeButton", layout::closeButton);
    closeButton->setIconSize(QSize(32, 32));

    auto* separator = new ToolbarSeparator(toolbar);
    separator->setObjectName(QStringLiteral("toolbarSeparator"));
    separator->setGeometry(layout::toolbarSeparator);

    webButton = button(webPageAction, "webButton", layout::webButton);
    webButton->setAccessibleDescription(kWebAddress);
    webButton->setFont(substituteFont("MS Sans Serif", 8.25, false));
    printButton = button(printAction, "printButton", layout::printButton);
    helpButton = button(helpAction, "helpButton", layout::helpButton);

    statusLine = new QLabel(toolbar);
    statusLine->setObjectName(QStringLiteral("statusLine"));
    statusLine->setFont(substituteFont("MS Sans Serif", 8.25, false));
    statusLine->setGeometry(layout::statusLine);
}

bool MainWindow::event(QEvent* event) {
    // The toolbar's status texts: the hovered command's, then none (and the pointer back).
    if (event->type() == QEvent::StatusTip) {
        const QString tip = static_cast<QStatusTipEvent*>(event)->tip();
        setStatus(tip.isEmpty() ? restingStatus_ : tip);
        if (tip.isEmpty())
            unsetCursor();
        return true;
    }
    return QWidget::event(event);
}

void MainWindow::setStatus(const QString& text) {
    statusShown_ = text;
    statusLine->setText(text);
    // Grows to the close button; a longer text is cut there and shown whole on hover.
    const int room = closeButton->x() - statusLine->x();
    int width = text.isEmpty() ? layout::statusLine.width() : statusLine->sizeHint().width();
    if (width > room) {
        const int frame = width - statusLine->fontMetrics().horizontalAdvance(text);
        statusLine->setText(
            statusLine->fontMetrics().elidedText(text, Qt::ElideRight, room - frame));
        width = room;
    }
    statusLine->setToolTip(width == room ? text : QString());
    statusLine->resize(width, statusLine->height());
}

void MainWindow::setRestingStatus(const QString& text) {
    // A hover text on show stays until the pointer leaves its button.
    if (statusShown_ == restingStatus_)
        setStatus(text);
    restingStatus_ = text;
}

void MainWindow::printChart() {
    redrawChart();
    setStatus(restingStatus_);
    if (!printModeDialog_) {
        printModeDialog_ = std::make_unique<PrintModeDialog>();
        // The dialog blocks the window's shortcuts while it is shown: F1 must be its own too.
        printModeDialog_->addAction(helpAction);
    }
    // The dates of the moment print was asked for, whatever a host does meanwhile.
    PrintModeDialog* dialog = printModeDialog_.get();
    const auto printing =
        connect(dialog, &PrintModeDialog::printRequested, this,
                [this, dialog, birth = dates_.birth(), reference = dates_.reference()](
                    PrintMode mode) { pagePrinter_.print(dialog, birth, reference, mode); });
    dialog->choose();
    disconnect(printing);
}

void MainWindow::setUrlOpener(UrlOpener opener) {
    openUrl_ = opener ? std::move(opener) : [](const QUrl& url) { QDesktopServices::openUrl(url); };
}

} // namespace vitalune
