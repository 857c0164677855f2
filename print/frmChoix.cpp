// SPDX-License-Identifier: MIT
#include "frmChoix.h"

#include "ClarkTBButton.h"
#include "CupsPrintQueue.h"
#include "DoubleResolution.h"
#include "FontTable.h"
#include "PrinterSurface.h"
#include "SystemColours.h"
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

// A picture from the resources with its twice-as-fine version ("name@2x.png"), so that
// the button draws it at the screen's resolution; a plain square of the given colour
// should one be missing, so the button still shows something to click.
QIcon picture(const char* name, const QColor& stand_in) {
    const QString path = QStringLiteral(":/print/") + QLatin1String(name);
    QPixmap pixmap(path);
    if (pixmap.isNull()) {
        pixmap = QPixmap(32, 32);
        pixmap.fill(stand_in);
        return QIcon(pixmap);
    }
    QIcon icon(pixmap);
    icon.addPixmap(QPixmap(doubleResolutionPath(path))); // loads with a device pixel ratio of 2
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

    auto makeButton = [this](const char* name, const char* spoken, QRect place, int pictposition,
                             const QIcon& pict, const QIcon& focused) {
        auto* b = new ClarkTBButton(this);
        b->setObjectName(QLatin1String(name));
        b->setAccessibleName(QString::fromUtf8(spoken));
        b->setCaption(QString());
        b->setEnabled(true);
        b->setFont(substituteFont("MS Sans Serif", 8.25, false, 96));
        b->setForecolor(systemColour(SystemColour::ButtonText));
        b->setBackcolor(systemColour(SystemColour::ButtonFace));
        b->setFocusedfrcolor(readableOn(QColor(0, 0, 255), systemColour(SystemColour::ButtonFace)));
        b->setFocusedbkcolor(systemColour(SystemColour::ButtonFace));
        b->setLightcolorin(systemColour(SystemColour::ThreeDLight));
        b->setLightcolorout(systemColour(SystemColour::ButtonHighlight));
        b->setShadowcolorin(systemColour(SystemColour::ButtonShadow));
        b->setShadowcolorout(systemColour(SystemColour::ThreeDDarkShadow));
        b->setPictposition(pictposition);
        b->setPictsize(ClarkTBButton::PictLarge);
        b->setMargin(0);
        b->setDistance(0);
        b->setFocusedbold(false);
        b->setFocusedunderline(false);
        b->setActiveborder(true);
        b->setStyle(ClarkTBButton::StyleFlat);
        b->setAutosize(true);
        b->setPicture(pict);
        if (!focused.isNull())
            b->setFocusedpicture(focused);
        // Placed last: the design size holds the 32-pixel picture and its edge, and a
        // button only grows to fit when its settings change.
        b->setGeometry(place);
        return b;
    };

    // In the order the form lists them.
    cannuler =
        makeButton("cannuler", "Cancelar", layout::cancelButton, ClarkTBButton::PictLeft,
                   picture("cross-32.png", Qt::black), picture("cross-focused-32.png", Qt::red));
    Cimpnoir = makeButton("Cimpnoir", "Preto e branco", layout::blackAndWhiteButton,
                          ClarkTBButton::PictTop, picture("grey-32.png", Qt::gray), {});
    Cimpcoul = makeButton("Cimpcoul", "Colorida", layout::colourButton, ClarkTBButton::PictTop,
                          picture("colour-32.png", Qt::magenta), {});
    // Tab and the arrow keys go from left to right: colour, black and white, cancel.
    setTabOrder(Cimpcoul, Cimpnoir);
    setTabOrder(Cimpnoir, cannuler);

    Label1 = new QLabel(QStringLiteral("Tipo de Impressora"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(layout::printModeHeading);
    QPalette labelPal = Label1->palette();
    labelPal.setColor(QPalette::WindowText,
                      readableOn(QColor(128, 0, 128), systemColour(SystemColour::ButtonFace)));
    Label1->setPalette(labelPal);

    connect(Cimpcoul, &ClarkTBButton::Click, this, &frmChoix::Cimpcoul_Click);
    connect(Cimpnoir, &ClarkTBButton::Click, this, &frmChoix::Cimpnoir_Click);
    connect(cannuler, &ClarkTBButton::Click, this, &frmChoix::Cannuler_Click);
}

void frmChoix::showEvent(QShowEvent* event) {
    // Every opening starts on the colour button, whichever button ended the last one.
    Cimpcoul->setFocus(Qt::OtherFocusReason);
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
        queue_ = std::make_shared<CupsPrintQueue>();
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
