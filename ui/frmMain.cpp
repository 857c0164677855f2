// SPDX-License-Identifier: MIT
#include "frmMain.h"

#include "AccessibleControls.h"
#include "BirthDateText.h"
#include "ChartDescription.h"
#include "Cycles.h"
#include "DateStepper.h"
#include "FontTable.h"
#include "PictureBox.h"
#include "ToolbarButton.h"
#include "Twips.h"

#include <QAccessible>
#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QFocusFrame>
#include <QImage>
#include <QLabel>
#include <QScrollBar>

// The window's pictures live in the ui library's resources, which a static library
// has to register itself.
static void initPictures() {
    Q_INIT_RESOURCE(ui_pictures);
}

namespace vitalune {

namespace {
frmMain* theWindow = nullptr;

QFont designFont(const char* name, double points, bool bold) {
    return substituteFont(name, points, bold, 96.0);
}

// Day and year labels show the value with a blank in the sign position.
QString valueText(int value) {
    return QStringLiteral(" %1").arg(value);
}

QString monthText(int month) {
    return QString::fromStdString(paddedMonthName(month));
}

// The help page sits next to the binary in the build tree and in the data folder
// once installed.
QString locateHelpFile() {
    const QString dir = QCoreApplication::applicationDirPath();
    const QStringList candidates = {dir + QStringLiteral("/vitalune.html"),
                                    dir + QStringLiteral("/../share/vitalune/vitalune.html")};
    for (const auto& path : candidates)
        if (QFileInfo::exists(path))
            return QDir::cleanPath(path);
    return QDir::cleanPath(candidates.front());
}
} // namespace

frmMain::frmMain(TodayFn today, QWidget* parent)
    : QWidget(parent), today_(today ? std::move(today) : [] { return QDate::currentDate(); }) {
    initPictures();
    installAccessibleControls();
    setUrlOpener({});
    buildControls();
    connectHandlers();
    load();
}

frmMain::~frmMain() {
    if (theWindow == this)
        theWindow = nullptr;
    // Hiding the window moves the focus, and the focus frame's handler reads this window.
    delete pictureFocus_;
}

frmMain& frmMain::instance() {
    if (!theWindow)
        theWindow = new frmMain();
    return *theWindow;
}

bool frmMain::exists() {
    return theWindow != nullptr;
}

void frmMain::buildControls() {
    setWindowTitle(QStringLiteral("Vitalune"));
    QIcon icon;
    for (int size : {16, 32, 48, 64, 72, 128, 256})
        icon.addFile(QStringLiteral(":/images/vitalune-%1.png").arg(size), QSize(size, size));
    setWindowIcon(icon);
    setFont(designFont("MS Sans Serif", 9.75, true));
    setFixedSize(px(7245), px(4620));
    setAutoFillBackground(true);

    Img0 = new PictureBox(QSize(466, 203), this);
    Img0->setObjectName(QStringLiteral("Img0"));
    Img0->move(px(120), px(75));
    Img0->setBackColour(Qt::white);
    // Text on the white chart is the design's black, whatever the desktop's theme.
    Img0->setForeColour(Qt::black);
    Img0->setAccessibleName(QStringLiteral("Gráfico do Vitalune"));

    const char* faces[3] = {":/images/dial-fisico.png", ":/images/dial-emocional.png",
                            ":/images/dial-intelectual.png"};
    const QPoint dialAt[3] = {{px(2400), px(3285)}, {px(3255), px(3300)}, {px(4095), px(3300)}};
    PictureBox** dials[3] = {&Img1, &Img2, &Img3};
    for (int i = 0; i < 3; ++i) {
        auto* dial = new PictureBox(QSize(54, 54), this);
        dial->setObjectName(QStringLiteral("Img%1").arg(i + 1));
        dial->move(dialAt[i]);
        dial->setBackColour(palette().color(QPalette::Button));
        dial->setBackgroundPicture(QString::fromLatin1(faces[i]));
        dial->clear();
        dial->setAccessibleName(QString::fromUtf8(Cycles[i].name));
        *dials[i] = dial;
    }

    auto heading = [this](const char* name, const QString& text, QRect r) {
        auto* label = new QLabel(text, this);
        label->setObjectName(QString::fromLatin1(name));
        label->setGeometry(r);
        label->setFont(designFont("MS Sans Serif", 9.75, false));
        return label;
    };
    Label1 =
        heading("Label1", QStringLiteral("Data de Nascimento"), twipsRect(165, 3180, 2040, 255));
    Label2 =
        heading("Label2", QStringLiteral("Data do Vitalune"), twipsRect(5040, 3165, 1965, 285));

    auto valueLabel = [this](const char* name, const QString& placeholder, QRect r) {
        auto* label = new QLabel(placeholder, this);
        label->setObjectName(QString::fromUtf8(name));
        label->setGeometry(r);
        label->setFont(designFont("MS Sans Serif", 8.25, true));
        label->setAlignment(Qt::AlignCenter);
        label->setAutoFillBackground(true);
        label->setFrameShape(QFrame::Box);
        label->setFrameShadow(QFrame::Plain);
        label->setLineWidth(1);
        QPalette pal = label->palette();
        // White labels keep black text and border under any theme.
        pal.setColor(QPalette::Window, Qt::white);
        pal.setColor(QPalette::WindowText, Qt::black);
        label->setPalette(pal);
        return label;
    };
    Etimm1 = valueLabel("Etimm1", QStringLiteral("Septembre"), twipsRect(90, 3465, 1095, 255));
    Etijj1 = valueLabel("Etijj1", QStringLiteral("01"), twipsRect(1185, 3465, 435, 255));
    Etiaa1 = valueLabel("Etiaa1", QStringLiteral("1960"), twipsRect(1620, 3465, 555, 255));
    Etimm2 = valueLabel("Etimm2", QStringLiteral("Septembre"), twipsRect(5025, 3450, 1095, 255));
    Etijj2 = valueLabel("Etijj2", QStringLiteral("01"), twipsRect(6120, 3450, 435, 255));
    Etiaa2 = valueLabel("Etiaa2", QStringLiteral("1960"), twipsRect(6555, 3450, 555, 255));

    auto stepper = [this](const char* name, const char* spoken, QLabel* label, int min, int max,
                          int large, QRect r) {
        auto* bar = new DateStepper(this);
        bar->setObjectName(QString::fromUtf8(name));
        bar->setAccessibleName(QString::fromUtf8(spoken));
        bar->setValueLabel(label);
        bar->setGeometry(r);
        bar->setRange(min, max);
        bar->setValue(min == 0 ? 1 : min);
        bar->setSingleStep(1);
        bar->setPageStep(large);
        return bar;
    };
    Défilmm1 =
        stepper("Défilmm1", "Mês de nascimento", Etimm1, 1, 12, 3, twipsRect(435, 3735, 435, 225));
    Défiljj1 =
        stepper("Défiljj1", "Dia de nascimento", Etijj1, 1, 31, 3, twipsRect(1185, 3720, 435, 225));
    Défilaa1 = stepper("Défilaa1", "Ano de nascimento", Etiaa1, 1900, 3000, 1,
                       twipsRect(1680, 3720, 435, 225));
    Défilmm2 =
        stepper("Défilmm2", "Mês de referência", Etimm2, 0, 13, 3, twipsRect(5355, 3705, 435, 225));
    Défiljj2 =
        stepper("Défiljj2", "Dia de referência", Etijj2, 1, 31, 3, twipsRect(6120, 3705, 435, 225));
    Défilaa2 = stepper("Défilaa2", "Ano de referência", Etiaa2, 1900, 3000, 1,
                       twipsRect(6615, 3705, 435, 225));

    buildToolbar();
    buildKeyboard();
    applyColours();
}

void frmMain::buildKeyboard() {
    // Keyboard order follows the design: reference date first, then the birth date; then
    // the chart and the dials, which take the focus so that a screen reader reads them
    // out; then the toolbar from left to right, and round again.
    for (PictureBox* box : {Img0, Img1, Img2, Img3})
        box->setFocusPolicy(Qt::TabFocus); // before the order: Qt skips unfocusable widgets
    QWidget* const order[] = {Défilaa2,  Défilmm2,    Défiljj2,   Défiljj1,   Défilmm1,
                              Défilaa1,  Img0,        Img1,       Img2,       Img3,
                              webButton, printButton, helpButton, closeButton};
    for (std::size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);
    Défilaa2->setFocus();

    // The picture boxes draw nothing of their own for the focus: a frame around them does.
    pictureFocus_ = new QFocusFrame(this);
    connect(qApp, &QApplication::focusChanged, pictureFocus_, [this](QWidget*, QWidget* now) {
        const bool picture = now == Img0 || now == Img1 || now == Img2 || now == Img3;
        pictureFocus_->setWidget(picture ? now : nullptr);
    });
}

void frmMain::describeChart() {
    const Date birth = birthDate(), target = targetDate();
    Img0->setAccessibleName(QStringLiteral("Gráfico de ") +
                            QString::fromStdString(monthAndYear(target)));
    Img0->setAccessibleDescription(QString::fromStdString(chartDescription(birth, target)));
    PictureBox* const dials[3] = {Img1, Img2, Img3};
    for (std::size_t c = 0; c < 3; ++c)
        dials[c]->setAccessibleDescription(
            QString::fromStdString(dialDescription(c, birth, target)));
}

void frmMain::connectHandlers() {
    auto on = [this](QScrollBar* bar, void (frmMain::*handler)()) {
        connect(bar, &QScrollBar::valueChanged, this, handler);
    };
    on(Défiljj1, &frmMain::Défiljj1_Change);
    on(Défilmm1, &frmMain::Défilmm1_Change);
    on(Défilaa1, &frmMain::Défilaa1_Change);
    on(Défiljj2, &frmMain::Défiljj2_Change);
    on(Défilmm2, &frmMain::Défilmm2_Change);
    on(Défilaa2, &frmMain::Défilaa2_Change);
    // Moved to a screen of another resolution: the four pictures have followed it, and
    // the chart is drawn again at the new resolution once they all have.
    connect(Img0, &PictureBox::pixelRatioChanged, this, &frmMain::redrawChart,
            Qt::QueuedConnection);

    // After each handler, when the labels show the new values.
    for (QScrollBar* bar : {Défiljj1, Défilmm1, Défilaa1, Défiljj2, Défilmm2, Défilaa2}) {
        connect(bar, &QScrollBar::valueChanged, this, [this, bar] {
            describeChart();
            // The value a screen reader reads is the label's text, which it also finds
            // under the description.
            QAccessibleValueChangeEvent value(bar, static_cast<DateStepper*>(bar)->valueText());
            QAccessible::updateAccessibility(&value);
            QAccessibleEvent description(bar, QAccessible::DescriptionChanged);
            QAccessible::updateAccessibility(&description);
        });
    }
}

void frmMain::load() {
    chart_.drawn = false;

    Défiljj1->setValue(17);
    Défilmm1->setValue(2);
    Défilaa1->setValue(1959);
    Etijj1->setText(valueText(Défiljj1->value()));
    Etiaa1->setText(valueText(Défilaa1->value()));
    Etimm1->setText(monthText(Défilmm1->value()));

    // Year, then month, then day: every step on the way is a real date, so nothing
    // clamps today's day, 29 February included.
    const QDate today = today_();
    Défilaa2->setValue(today.year());
    Défilmm2->setValue(today.month());
    Défiljj2->setValue(today.day());
    Etijj2->setText(valueText(Défiljj2->value()));
    Etiaa2->setText(valueText(Défilaa2->value()));
    Etimm2->setText(monthText(Défilmm2->value()));
    describeChart();

    helpFile_ = locateHelpFile();
}

Date frmMain::birthDate() const {
    return {Défiljj1->value(), Défilmm1->value(), Défilaa1->value()};
}

Date frmMain::targetDate() const {
    return {Défiljj2->value(), Défilmm2->value(), Défilaa2->value()};
}

void frmMain::redrawChart() {
    // The chart is drawn for whole dates: the clamp comes first, and a day it moves runs
    // that control's own handling, redraw included, before this redraw goes on.
    VerifieNombreJourVSmaxDansLeMois();
    chart_.redraw(birthDate(), targetDate(), {*Img0, *Img1, *Img2, *Img3});
}

void frmMain::moveDayCursor() {
    chart_.moveDayCursor(Défiljj2->value(), *Img0);
}

void frmMain::VerifieNombreJourVSmaxDansLeMois() {
    // While a host date is being loaded its parts arrive one by one; the birth date is
    // judged once it is whole.
    if (!loadingBirthDate_) {
        const auto day = clampDay(birthDate());
        if (day != Défiljj1->value()) {
            Défiljj1->setValue(day);
            Etijj1->setText(valueText(Défiljj1->value()));
        }
    }
    const auto day = clampDay(targetDate());
    if (day != Défiljj2->value()) {
        Défiljj2->setValue(day);
        Etijj2->setText(valueText(Défiljj2->value()));
    }
}

void frmMain::Rafraichir() {
    if (!chart_.drawn)
        return;
    chart_.drawn = false;
    for (PictureBox* box : {Img0, Img1, Img2, Img3})
        box->clear();
}

void frmMain::Défiljj1_Change() {
    Etijj1->setText(valueText(Défiljj1->value()));
    Rafraichir();
    redrawChart();
}

void frmMain::Défilmm1_Change() {
    Etimm1->setText(monthText(Défilmm1->value()));
    Rafraichir();
    redrawChart();
}

void frmMain::Défilaa1_Change() {
    Etiaa1->setText(valueText(Défilaa1->value()));
    Rafraichir();
    redrawChart();
}

void frmMain::Défiljj2_Change() {
    Etijj2->setText(valueText(Défiljj2->value()));
    VerifieNombreJourVSmaxDansLeMois();
    moveDayCursor();
    redrawChart();
}

void frmMain::Défilaa2_Change() {
    Etiaa2->setText(valueText(Défilaa2->value()));
    // A day the new year's month does not have (29 February) moves to its last day.
    const auto limit = daysInMonth(Défilmm2->value(), Défilaa2->value());
    if (Défiljj2->value() > limit) {
        Défiljj2->setValue(limit);
        moveDayCursor();
    }
    redrawChart();
}

void frmMain::Défilmm2_Change() {
    // The month stops at December 3000 and January 1900: no chart may show a month its
    // heading does not name. (A large step from November 3000 lands on December.)
    if (Défilmm2->value() == 13 && Défilaa2->value() >= Défilaa2->maximum()) {
        Défilmm2->setValue(12);
        return;
    }
    if (Défilmm2->value() == 0 && Défilaa2->value() <= Défilaa2->minimum()) {
        Défilmm2->setValue(1);
        return;
    }
    if (Défilmm2->value() == 13) {
        Défilmm2->setValue(1);
        Défilaa2->setValue(Défilaa2->value() + 1);
        Etiaa2->setText(valueText(Défilaa2->value()));
    }
    if (Défilmm2->value() == 0) {
        Défilmm2->setValue(12);
        Défilaa2->setValue(Défilaa2->value() - 1);
        Etiaa2->setText(valueText(Défilaa2->value()));
    }
    Etimm2->setText(monthText(Défilmm2->value()));
    const auto limit = daysInMonth(Défilmm2->value(), Défilaa2->value());
    if (Défiljj2->value() > limit) {
        Défiljj2->setValue(limit);
        Etijj2->setText(valueText(Défiljj2->value()));
        moveDayCursor();
    }
    redrawChart();
}

bool frmMain::DecoupeDateNaissance() {
    const auto date = lisDateNaissance(Text2);
    if (!date)
        return false;
    Text3 = QString::number(date->day);
    Text4 = QString::number(date->month);
    Text5 = QString::number(date->year);

    loadingBirthDate_ = true;
    Défiljj1->setValue(Text3.toInt());
    Défilmm1->setValue(Text4.toInt());
    Défilaa1->setValue(Text5.toInt());
    loadingBirthDate_ = false;

    Etiaa1->setText(Text5);
    Etijj1->setText(Text3);
    Etimm1->setText(QString::fromStdString(monthName(Text4.toInt())));
    describeChart();
    return true;
}

void frmMain::Form_Activate() {
    if (Text1.isEmpty() || !objHost || readingHost_)
        return;
    readingHost_ = true;
    HostFormPtr host = objHost;
    host->readCaption(QStringLiteral("lblnasc"), [this, host](const HostRead& nasc) {
        if (!nasc.ok)
            return finishHostRead(
                host, QStringLiteral("Não foi possível ler a data de nascimento: ") + nasc.error);
        host->readCaption(QStringLiteral("lblnick"), [this, host, nasc](const HostRead& nick) {
            if (!nick.ok)
                return finishHostRead(host, QStringLiteral("Não foi possível ler o apelido: ") +
                                                nick.error);
            Text2 = nasc.text;
            if (!DecoupeDateNaissance())
                return finishHostRead(host,
                                      QStringLiteral("Data de nascimento inválida: ") + nasc.text);
            Rafraichir();
            redrawChart();
            setWindowTitle(QStringLiteral("Vitalune: ") + nick.text);
            finishHostRead(host, {});
        });
    });
}

void frmMain::finishHostRead(const HostFormPtr& host, const QString& problem) {
    readingHost_ = false;
    // A Run that came in meanwhile handed over another form: read that one instead.
    if (objHost != host) {
        Form_Activate();
        return;
    }
    // Whatever the outcome, this person is not read again until the next Run.
    Text1.clear();
    if (!problem.isEmpty()) {
        // The chart keeps its dates, but no earlier person's name stands over them: the
        // user has just opened this person's form and must not take them for theirs.
        setWindowTitle(QStringLiteral("Vitalune"));
    }
    setRestingStatus(problem);
    emit hostReadFinished(problem.isEmpty());
}

void frmMain::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    // A new desktop theme: the design's colours and the dials are laid on it afresh.
    if (event->type() == QEvent::PaletteChange && toolbar) {
        applyColours();
        redrawChart();
    }
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        Form_Activate();
}

void frmMain::closeEvent(QCloseEvent* event) {
    event->accept();
    if (quitOnClose_)
        QCoreApplication::exit(0);
}

} // namespace vitalune
