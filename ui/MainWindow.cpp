// SPDX-License-Identifier: MIT
#include "MainWindow.h"

#include "AccessibleControls.h"
#include "BirthDateText.h"
#include "ChartDescription.h"
#include "ClarkTBButton.h"
#include "Cycles.h"
#include "DateStepper.h"
#include "FontTable.h"
#include "PictureBox.h"
#include "SystemColours.h"
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
#include <QShortcut>

// The window's pictures live in the ui library's resources, which a static library
// has to register itself.
static void initPictures() {
    Q_INIT_RESOURCE(ui_pictures);
}

namespace vitalune {

namespace {
MainWindow* theWindow = nullptr;

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

MainWindow::MainWindow(TodayFn today, QWidget* parent)
    : QWidget(parent), today_(today ? std::move(today) : [] { return QDate::currentDate(); }) {
    initPictures();
    installAccessibleControls();
    setUrlOpener({});
    buildControls();
    connectHandlers();
    load();
}

MainWindow::~MainWindow() {
    if (theWindow == this)
        theWindow = nullptr;
    // The child widgets outlive this part of the window while QWidget tears them down;
    // a button that loses the pointer then must not call back into it.
    for (QObject* button :
         {static_cast<QObject*>(ClarkTBButton2), static_cast<QObject*>(ctbimprime),
          static_cast<QObject*>(ctbajuda), static_cast<QObject*>(cmdFechar)})
        disconnect(button, nullptr, this, nullptr);
    // Hiding the window moves the focus, and the focus frame's handler reads this window.
    delete pictureFocus_;
    delete helpKey_;
}

MainWindow& MainWindow::instance() {
    if (!theWindow)
        theWindow = new MainWindow();
    return *theWindow;
}

bool MainWindow::exists() {
    return theWindow != nullptr;
}

void MainWindow::buildControls() {
    setWindowTitle(QStringLiteral("Vitalune"));
    QIcon icon;
    for (int size : {16, 32, 48, 64, 72, 128, 256})
        icon.addFile(QStringLiteral(":/images/vitalune-%1.png").arg(size), QSize(size, size));
    setWindowIcon(icon);
    setFont(designFont("MS Sans Serif", 9.75, true));
    setFixedSize(px(7245), px(4620));
    setAutoFillBackground(true);

    chartView = new PictureBox(QSize(466, 203), this);
    chartView->setObjectName(QStringLiteral("chartView"));
    chartView->move(px(120), px(75));
    chartView->setBackColour(Qt::white);
    // Text on the white chart is the design's black, whatever the desktop's theme.
    chartView->setForeColour(Qt::black);
    chartView->setAccessibleName(QStringLiteral("Gráfico do Vitalune"));

    const char* names[3] = {"physicalDial", "emotionalDial", "intellectualDial"};
    const char* faces[3] = {":/images/dial-fisico.png", ":/images/dial-emocional.png",
                            ":/images/dial-intelectual.png"};
    const QPoint dialAt[3] = {{px(2400), px(3285)}, {px(3255), px(3300)}, {px(4095), px(3300)}};
    PictureBox** dials[3] = {&physicalDial, &emotionalDial, &intellectualDial};
    for (int i = 0; i < 3; ++i) {
        auto* dial = new PictureBox(QSize(54, 54), this);
        dial->setObjectName(QString::fromLatin1(names[i]));
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
        QPalette pal = label->palette();
        pal.setColor(QPalette::WindowText,
                     readableOn(QColor(128, 0, 128), pal.color(QPalette::Window)));
        label->setPalette(pal);
        return label;
    };
    birthHeading =
        heading("birthHeading", QStringLiteral("Data de Nascimento"), twipsRect(165, 3180, 2040, 255));
    referenceHeading =
        heading("referenceHeading", QStringLiteral("Data do Vitalune"), twipsRect(5040, 3165, 1965, 285));

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
    birthMonthLabel = valueLabel("birthMonthLabel", QStringLiteral("Septembre"), twipsRect(90, 3465, 1095, 255));
    birthDayLabel = valueLabel("birthDayLabel", QStringLiteral("01"), twipsRect(1185, 3465, 435, 255));
    birthYearLabel = valueLabel("birthYearLabel", QStringLiteral("1960"), twipsRect(1620, 3465, 555, 255));
    referenceMonthLabel = valueLabel("referenceMonthLabel", QStringLiteral("Septembre"), twipsRect(5025, 3450, 1095, 255));
    referenceDayLabel = valueLabel("referenceDayLabel", QStringLiteral("01"), twipsRect(6120, 3450, 435, 255));
    referenceYearLabel = valueLabel("referenceYearLabel", QStringLiteral("1960"), twipsRect(6555, 3450, 555, 255));

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
    birthMonthStepper =
        stepper("birthMonthStepper", "Mês de nascimento", birthMonthLabel, 1, 12, 3, twipsRect(435, 3735, 435, 225));
    birthDayStepper =
        stepper("birthDayStepper", "Dia de nascimento", birthDayLabel, 1, 31, 3, twipsRect(1185, 3720, 435, 225));
    birthYearStepper = stepper("birthYearStepper", "Ano de nascimento", birthYearLabel, 1900, 3000, 1,
                       twipsRect(1680, 3720, 435, 225));
    referenceMonthStepper =
        stepper("referenceMonthStepper", "Mês de referência", referenceMonthLabel, 0, 13, 3, twipsRect(5355, 3705, 435, 225));
    referenceDayStepper =
        stepper("referenceDayStepper", "Dia de referência", referenceDayLabel, 1, 31, 3, twipsRect(6120, 3705, 435, 225));
    referenceYearStepper = stepper("referenceYearStepper", "Ano de referência", referenceYearLabel, 1900, 3000, 1,
                       twipsRect(6615, 3705, 435, 225));

    buildToolbar();
    buildKeyboard();
}

void MainWindow::buildKeyboard() {
    // Keyboard order follows the design: reference date first, then the birth date; then
    // the chart and the dials, which take the focus so that a screen reader reads them
    // out; then the toolbar from left to right, and round again.
    for (PictureBox* box : {chartView, physicalDial, emotionalDial, intellectualDial})
        box->setFocusPolicy(Qt::TabFocus); // before the order: Qt skips unfocusable widgets
    QWidget* const order[] = {referenceYearStepper,       referenceMonthStepper,   referenceDayStepper, birthDayStepper, birthMonthStepper,
                              birthYearStepper,       chartView,       physicalDial,     emotionalDial,     intellectualDial,
                              ClarkTBButton2, ctbimprime, ctbajuda, cmdFechar};
    for (std::size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);
    referenceYearStepper->setFocus();

    // The picture boxes draw nothing of their own for the focus: a frame around them does.
    pictureFocus_ = new QFocusFrame(this);
    connect(qApp, &QApplication::focusChanged, pictureFocus_, [this](QWidget*, QWidget* now) {
        const bool picture = now == chartView || now == physicalDial || now == emotionalDial || now == intellectualDial;
        pictureFocus_->setWidget(picture ? now : nullptr);
    });

    // Ctrl+P and Ctrl+W do what the print and close buttons do; F1 is the help key.
    connect(new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_P), this), &QShortcut::activated,
            ctbimprime, &QAbstractButton::click);
    connect(new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_W), this), &QShortcut::activated,
            cmdFechar, &QAbstractButton::click);
}

void MainWindow::describeChart() {
    const Date birth = birthDate(), target = targetDate();
    chartView->setAccessibleName(QStringLiteral("Gráfico de ") +
                            QString::fromStdString(monthAndYear(target)));
    chartView->setAccessibleDescription(QString::fromStdString(chartDescription(birth, target)));
    PictureBox* const dials[3] = {physicalDial, emotionalDial, intellectualDial};
    for (std::size_t c = 0; c < 3; ++c)
        dials[c]->setAccessibleDescription(
            QString::fromStdString(dialDescription(c, birth, target)));
}

void MainWindow::connectHandlers() {
    auto on = [this](QScrollBar* bar, void (MainWindow::*handler)()) {
        connect(bar, &QScrollBar::valueChanged, this, handler);
    };
    on(birthDayStepper, &MainWindow::birthDayStepper_Change);
    on(birthMonthStepper, &MainWindow::birthMonthStepper_Change);
    on(birthYearStepper, &MainWindow::birthYearStepper_Change);
    on(referenceDayStepper, &MainWindow::referenceDayStepper_Change);
    on(referenceMonthStepper, &MainWindow::referenceMonthStepper_Change);
    on(referenceYearStepper, &MainWindow::referenceYearStepper_Change);
    // Moved to a screen of another resolution: the four pictures have followed it, and
    // the chart is drawn again at the new resolution once they all have.
    connect(chartView, &PictureBox::pixelRatioChanged, this, &MainWindow::redrawChart,
            Qt::QueuedConnection);

    // After each handler, when the labels show the new values.
    for (QScrollBar* bar : {birthDayStepper, birthMonthStepper, birthYearStepper, referenceDayStepper, referenceMonthStepper, referenceYearStepper}) {
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

void MainWindow::load() {
    chart_.drawn = false;

    birthDayStepper->setValue(17);
    birthMonthStepper->setValue(2);
    birthYearStepper->setValue(1959);
    birthDayLabel->setText(valueText(birthDayStepper->value()));
    birthYearLabel->setText(valueText(birthYearStepper->value()));
    birthMonthLabel->setText(monthText(birthMonthStepper->value()));

    // Year, then month, then day: every step on the way is a real date, so nothing
    // clamps today's day, 29 February included.
    const QDate today = today_();
    referenceYearStepper->setValue(today.year());
    referenceMonthStepper->setValue(today.month());
    referenceDayStepper->setValue(today.day());
    referenceDayLabel->setText(valueText(referenceDayStepper->value()));
    referenceYearLabel->setText(valueText(referenceYearStepper->value()));
    referenceMonthLabel->setText(monthText(referenceMonthStepper->value()));
    describeChart();

    helpFile_ = locateHelpFile();
}

Date MainWindow::birthDate() const {
    return {birthDayStepper->value(), birthMonthStepper->value(), birthYearStepper->value()};
}

Date MainWindow::targetDate() const {
    return {referenceDayStepper->value(), referenceMonthStepper->value(), referenceYearStepper->value()};
}

void MainWindow::redrawChart() {
    // The chart is drawn for whole dates: the clamp comes first, and a day it moves runs
    // that control's own handling, redraw included, before this redraw goes on.
    VerifieNombreJourVSmaxDansLeMois();
    chart_.redraw(birthDate(), targetDate(), {*chartView, *physicalDial, *emotionalDial, *intellectualDial});
}

void MainWindow::moveDayCursor() {
    chart_.moveDayCursor(referenceDayStepper->value(), *chartView);
}

void MainWindow::VerifieNombreJourVSmaxDansLeMois() {
    // While a host date is being loaded its parts arrive one by one; the birth date is
    // judged once it is whole.
    if (!loadingBirthDate_) {
        const auto day = clampDay(birthDate());
        if (day != birthDayStepper->value()) {
            birthDayStepper->setValue(day);
            birthDayLabel->setText(valueText(birthDayStepper->value()));
        }
    }
    const auto day = clampDay(targetDate());
    if (day != referenceDayStepper->value()) {
        referenceDayStepper->setValue(day);
        referenceDayLabel->setText(valueText(referenceDayStepper->value()));
    }
}

void MainWindow::clearChart() {
    if (!chart_.drawn)
        return;
    chart_.drawn = false;
    for (PictureBox* box : {chartView, physicalDial, emotionalDial, intellectualDial})
        box->clear();
}

void MainWindow::birthDayStepper_Change() {
    birthDayLabel->setText(valueText(birthDayStepper->value()));
    clearChart();
    redrawChart();
}

void MainWindow::birthMonthStepper_Change() {
    birthMonthLabel->setText(monthText(birthMonthStepper->value()));
    clearChart();
    redrawChart();
}

void MainWindow::birthYearStepper_Change() {
    birthYearLabel->setText(valueText(birthYearStepper->value()));
    clearChart();
    redrawChart();
}

void MainWindow::referenceDayStepper_Change() {
    referenceDayLabel->setText(valueText(referenceDayStepper->value()));
    VerifieNombreJourVSmaxDansLeMois();
    moveDayCursor();
    redrawChart();
}

void MainWindow::referenceYearStepper_Change() {
    referenceYearLabel->setText(valueText(referenceYearStepper->value()));
    // A day the new year's month does not have (29 February) moves to its last day.
    const auto limit = daysInMonth(referenceMonthStepper->value(), referenceYearStepper->value());
    if (referenceDayStepper->value() > limit) {
        referenceDayStepper->setValue(limit);
        moveDayCursor();
    }
    redrawChart();
}

void MainWindow::referenceMonthStepper_Change() {
    // The month stops at December 3000 and January 1900: no chart may show a month its
    // heading does not name. (A large step from November 3000 lands on December.)
    if (referenceMonthStepper->value() == 13 && referenceYearStepper->value() >= referenceYearStepper->maximum()) {
        referenceMonthStepper->setValue(12);
        return;
    }
    if (referenceMonthStepper->value() == 0 && referenceYearStepper->value() <= referenceYearStepper->minimum()) {
        referenceMonthStepper->setValue(1);
        return;
    }
    if (referenceMonthStepper->value() == 13) {
        referenceMonthStepper->setValue(1);
        referenceYearStepper->setValue(referenceYearStepper->value() + 1);
        referenceYearLabel->setText(valueText(referenceYearStepper->value()));
    }
    if (referenceMonthStepper->value() == 0) {
        referenceMonthStepper->setValue(12);
        referenceYearStepper->setValue(referenceYearStepper->value() - 1);
        referenceYearLabel->setText(valueText(referenceYearStepper->value()));
    }
    referenceMonthLabel->setText(monthText(referenceMonthStepper->value()));
    const auto limit = daysInMonth(referenceMonthStepper->value(), referenceYearStepper->value());
    if (referenceDayStepper->value() > limit) {
        referenceDayStepper->setValue(limit);
        referenceDayLabel->setText(valueText(referenceDayStepper->value()));
        moveDayCursor();
    }
    redrawChart();
}

bool MainWindow::loadBirthDate() {
    const auto date = parseBirthDate(Text2);
    if (!date)
        return false;
    Text3 = QString::number(date->day);
    Text4 = QString::number(date->month);
    Text5 = QString::number(date->year);

    loadingBirthDate_ = true;
    birthDayStepper->setValue(Text3.toInt());
    birthMonthStepper->setValue(Text4.toInt());
    birthYearStepper->setValue(Text5.toInt());
    loadingBirthDate_ = false;

    birthYearLabel->setText(Text5);
    birthDayLabel->setText(Text3);
    birthMonthLabel->setText(QString::fromStdString(monthName(Text4.toInt())));
    describeChart();
    return true;
}

void MainWindow::readPendingPerson() {
    if (Text1.isEmpty() || !pendingHost || readingHost_)
        return;
    readingHost_ = true;
    HostFormPtr host = pendingHost;
    host->readCaption(QStringLiteral("lblnasc"), [this, host](const HostRead& nasc) {
        if (!nasc.ok)
            return finishHostRead(
                host, QStringLiteral("Não foi possível ler a data de nascimento: ") + nasc.error);
        host->readCaption(QStringLiteral("lblnick"), [this, host, nasc](const HostRead& nick) {
            if (!nick.ok)
                return finishHostRead(host, QStringLiteral("Não foi possível ler o apelido: ") +
                                                nick.error);
            Text2 = nasc.text;
            if (!loadBirthDate())
                return finishHostRead(host,
                                      QStringLiteral("Data de nascimento inválida: ") + nasc.text);
            clearChart();
            redrawChart();
            setWindowTitle(QStringLiteral("Vitalune: ") + nick.text);
            finishHostRead(host, {});
        });
    });
}

void MainWindow::finishHostRead(const HostFormPtr& host, const QString& problem) {
    readingHost_ = false;
    // A Run that came in meanwhile handed over another form: read that one instead.
    if (pendingHost != host) {
        readPendingPerson();
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

void MainWindow::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        readPendingPerson();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    event->accept();
    if (quitOnClose_)
        QCoreApplication::exit(0);
}

} // namespace vitalune
