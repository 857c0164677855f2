// SPDX-License-Identifier: MIT
#include "frmChoix.h"

#include "DoubleResolution.h"
#include "FontTable.h"
#include "PictureFile.h"
#include "PrintModule.h"
#include "PrinterSurface.h"
#include "SystemColours.h"
#include "ToolbarButton.h"
#include "WindowLayout.h"

#include <QIcon>
#include <QLabel>
#include <QMessageBox>
#include <QPainter>
#include <QPixmap>
#include <QPointer>
#include <QScopedValueRollback>

#include <exception>

// Resources of a static library are registered by hand; the call must stand outside any
// namespace.
static void initPrintPictures() {
    Q_INIT_RESOURCE(print_pictures);
}

namespace vitalune {

namespace {

// Adds a picture from the resources, in `mode`, with its twice-as-fine version
// ("name@2x.png"), so that the button draws it at the screen's resolution; a plain square
// of the given colour should one be missing, so the button still shows something to click.
void addPicture(QIcon& icon, const char* name, const QColor& stand_in,
                QIcon::Mode mode = QIcon::Normal) {
    const QString path = QStringLiteral(":/print/") + QLatin1String(name);
    QPixmap pixmap = readPixmap(path);
    if (pixmap.isNull()) {
        pixmap = QPixmap(32, 32);
        pixmap.fill(stand_in);
        icon.addPixmap(pixmap, mode);
        return;
    }
    icon.addPixmap(pixmap, mode);
    icon.addPixmap(readPixmap(doubleResolutionPath(path)), mode); // with a device pixel ratio of 2
}

QIcon picture(const char* name, const QColor& stand_in) {
    QIcon icon;
    addPicture(icon, name, stand_in);
    return icon;
}

void showMessage(QWidget* parent, const QString& message) {
    QMessageBox::warning(parent, QStringLiteral("Vitalune"), message);
}

} // namespace

frmChoix::frmChoix(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      report_(showMessage) {
    initPrintPictures();
    buildControls();
}

frmChoix::~frmChoix() = default;

frmChoix& frmChoix::instance() {
    // Never deleted by the program, only hidden; if the application tears it down at
    // exit, a later call makes a new one rather than touching a dead one.
    static QPointer<frmChoix> one;
    if (!one)
        one = new frmChoix;
    return *one;
}

void frmChoix::setDates(Date birth, Date reference) {
    birth_ = birth;
    reference_ = reference;
}

void frmChoix::setSurfaceFactory(SurfaceFactory factory) {
    makeSurface_ = std::move(factory);
}

void frmChoix::setReporter(Reporter reporter) {
    report_ = std::move(reporter);
}

void frmChoix::setPrintQueue(std::shared_ptr<PrintQueue> queue) {
    queue_ = std::move(queue);
}

void frmChoix::buildControls() {
    // No text in the title bar. An empty title would not do: the platform shows the
    // application's name in its place.
    setWindowTitle(QStringLiteral(" "));
    setAccessibleName(QStringLiteral("Tipo de Impressora"));
    setFixedSize(layout::printModeDialog);

    QPalette pal = palette();
    pal.setColor(QPalette::Window, systemColour(SystemColour::ButtonFace));
    pal.setColor(QPalette::WindowText, systemColour(SystemColour::WindowText));
    setPalette(pal);
    setAutoFillBackground(true);
    setFont(substituteFont("MS Sans Serif", 8.25, true, 96));

    // Pictures alone, 37 x 37, with a raised edge under the pointer.
    auto makeButton = [this](const char* name, const char* spoken, QRect place, const QIcon& icon) {
        auto* b = new ToolbarButton(this);
        b->setObjectName(QLatin1String(name));
        b->setAccessibleName(QString::fromUtf8(spoken));
        b->setIcon(icon);
        b->setIconSize(QSize(32, 32));
        b->setGeometry(place);
        return b;
    };

    // In the order the form lists them.
    QIcon cross = picture("cross-32.png", Qt::black);
    addPicture(cross, "cross-focused-32.png", Qt::red, QIcon::Active);
    cancelButton = makeButton("cancelButton", "Cancelar", layout::cancelButton, cross);
    blackAndWhiteButton = makeButton("blackAndWhiteButton", "Preto e branco",
                                     layout::blackAndWhiteButton, picture("grey-32.png", Qt::gray));
    colourButton = makeButton("colourButton", "Colorida", layout::colourButton,
                              picture("colour-32.png", Qt::magenta));
    // Tab and the arrow keys go from left to right: colour, black and white, cancel.
    setTabOrder(colourButton, blackAndWhiteButton);
    setTabOrder(blackAndWhiteButton, cancelButton);

    Label1 = new QLabel(QStringLiteral("Tipo de Impressora"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(layout::printModeHeading);
    QPalette labelPal = Label1->palette();
    labelPal.setColor(QPalette::WindowText,
                      readableOn(QColor(128, 0, 128), systemColour(SystemColour::ButtonFace)));
    Label1->setPalette(labelPal);

    connect(colourButton, &QAbstractButton::clicked, this, &frmChoix::Cimpcoul_Click);
    connect(blackAndWhiteButton, &QAbstractButton::clicked, this, &frmChoix::Cimpnoir_Click);
    connect(cancelButton, &QAbstractButton::clicked, this, &frmChoix::Cannuler_Click);
}

void frmChoix::showEvent(QShowEvent* event) {
    // Every opening starts on the colour button, whichever button ended the last one.
    colourButton->setFocus(Qt::OtherFocusReason);
    QDialog::showEvent(event);
}

void frmChoix::Cimpcoul_Click() {
    if (printing_)
        return;
    ModeCouleur = 1;
    Imprime();
    hide();
}

void frmChoix::Cimpnoir_Click() {
    if (printing_)
        return;
    ModeCouleur = 0;
    Imprime();
    hide();
}

void frmChoix::Cannuler_Click() {
    if (!printing_)
        hide();
}

void frmChoix::reject() {
    Cannuler_Click();
}

void frmChoix::Imprime() {
    // The event loop runs while the print service is asked: the buttons wait meanwhile.
    const QScopedValueRollback<bool> busy(printing_, true);
    setCursor(Qt::WaitCursor);

    if (!queue_ && !makeSurface_)
        queue_ = systemPrintQueue();
    QStringList problems;
    bool send = true;
    if (queue_) {
        const PrintQueue::Verdict verdict = queue_->beforeJob();
        send = verdict.send;
        if (!verdict.warning.isEmpty())
            problems << verdict.warning;
    }

    if (send) {
        std::unique_ptr<DrawingSurface> printer;
        try {
            printer = makeSurface_ ? makeSurface_() : queue_->openJob();
        } catch (const std::exception&) {
            printer.reset();
        }
        if (!printer) {
            problems << QStringLiteral("Nenhuma impressora disponível.");
        } else {
            // Single failing steps are skipped by the page itself; only a page that never
            // reached the printer is worth telling the user about.
            if (!page_.draw(*printer, birth_, reference_, ModeCouleur)) {
                const auto* real = dynamic_cast<const PrinterSurface*>(printer.get());
                problems << (real && !real->errorString().isEmpty()
                                 ? real->errorString()
                                 : QStringLiteral("Não foi possível imprimir a página."));
            } else if (queue_) {
                printer.reset(); // the page is complete once its surface has gone
                const QString after = queue_->afterJob();
                if (!after.isEmpty())
                    problems << after;
            }
        }
    }

    unsetCursor();
    if (!problems.isEmpty() && report_)
        report_(this, problems.join(u'\n'));
}

} // namespace vitalune
