// SPDX-License-Identifier: MIT
#include "MainWindow.h"

#include "AccessibleControls.h"
#include "ChartDescription.h"
#include "Cycles.h"
#include "DateStepper.h"
#include "FontTable.h"
#include "Person.h"
#include "PictureBox.h"
#include "PictureFile.h"
#include "ToolbarButton.h"
#include "WindowLayout.h"

#include <QAccessible>
#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QFocusFrame>
#include <QLabel>
#include <QPointer>
#include <QScrollBar>
#include <QSignalBlocker>

#include <vector>

// A static library registers its resources itself.
static void initPictures() {
    Q_INIT_RESOURCE(ui_pictures);
}

namespace vitalune {

namespace {
Date todayOf(const MainWindow::TodayFn& today) {
    const QDate date = today ? today() : QDate::currentDate();
    return {date.day(), date.month(), date.year()};
}

// Next to the binary in the build tree, in the data folder once installed.
QString locateHelpFile() {
    const QDir bin(QCoreApplication::applicationDirPath());
    const QString built = bin.filePath(QStringLiteral("vitalune.html"));
    const QString installed = bin.filePath(QStringLiteral("../share/vitalune/vitalune.html"));
    return QDir::cleanPath(!QFileInfo::exists(built) && QFileInfo::exists(installed) ? installed
                                                                                     : built);
}
} // namespace

MainWindow::MainWindow(TodayFn today, QWidget* parent)
    : QWidget(parent), dates_(todayOf(today)), birthShown_(dates_.birth()),
      referenceShown_(dates_.reference()) {
    initPictures();
    installAccessibleControls();
    setUrlOpener({});
    buildControls();
    for (const DateField& field : fields()) {
        const QSignalBlocker quiet(field.stepper);
        field.stepper->setValue(valueOf(field, dates_.birth(), dates_.reference()));
        showLabel(field, field.stepper->value());
    }
    connectSteppers();
    redrawChart();
    describeChart();
    helpFile_ = locateHelpFile();
}

MainWindow::~MainWindow() {
    // Hiding the window moves the focus, and the focus frame's handler reads this window.
    delete pictureFocus_;
}

void MainWindow::buildControls() {
    setWindowTitle(QStringLiteral("Vitalune"));
    // The title bar and task switcher take the small sizes; larger views of the program use
    // the installed theme icon, found through the desktop file's name. Every size given here
    // is kept decoded and copied once more into the window's property, so a large one would
    // cost a megabyte for nothing.
    QIcon icon;
    for (int size : {16, 32, 48, 64})
        icon.addPixmap(readPixmap(QStringLiteral(":/images/vitalune-%1.png").arg(size)));
    setWindowIcon(icon);
    setFont(substituteFont("MS Sans Serif", 9.75, true));
    setFixedSize(layout::mainWindow);
    setAutoFillBackground(true);

    chartView = new PictureBox(layout::chartView.size(), this);
    chartView->setObjectName(QStringLiteral("chartView"));
    chartView->move(layout::chartView.topLeft());
    chartView->setBackColour(Qt::white);
    // Text on the white chart is the design's black, whatever the desktop's theme.
    chartView->setForeColour(Qt::black);
    chartView->setAccessibleName(QStringLiteral("Gráfico do Vitalune"));

    const char* names[3] = {"physicalDial", "emotionalDial", "intellectualDial"};
    const char* faces[3] = {":/images/dial-fisico.png", ":/images/dial-emocional.png",
                            ":/images/dial-intelectual.png"};
    const QRect dialAt[3] = {layout::physicalDial, layout::emotionalDial, layout::intellectualDial};
    PictureBox** dials[3] = {&physicalDial, &emotionalDial, &intellectualDial};
    for (int i = 0; i < 3; ++i) {
        auto* dial = new PictureBox(dialAt[i].size(), this);
        dial->setObjectName(QString::fromLatin1(names[i]));
        dial->move(dialAt[i].topLeft());
        dial->setBackColour(palette().color(QPalette::Button));
        dial->setBackgroundPicture(QString::fromLatin1(faces[i]));
        dial->clear();
        dial->setAccessibleName(QString::fromUtf8(Cycles[i].name));
        *dials[i] = dial;
    }

    auto makeLabel = [this](const char* name, QRect r, const QFont& font,
                            const QString& text = {}) {
        auto* label = new QLabel(text, this);
        label->setObjectName(QString::fromLatin1(name));
        label->setGeometry(r);
        label->setFont(font);
        return label;
    };
    const QFont headingFont = substituteFont("MS Sans Serif", 9.75, false);
    birthHeading = makeLabel("birthHeading", layout::birthHeading, headingFont,
                             QStringLiteral("Data de Nascimento"));
    referenceHeading = makeLabel("referenceHeading", layout::referenceHeading, headingFont,
                                 QStringLiteral("Data do Vitalune"));

    auto valueLabel = [&makeLabel](const char* name, QRect r) {
        QLabel* value = makeLabel(name, r, substituteFont("MS Sans Serif", 8.25, true));
        value->setAlignment(Qt::AlignCenter);
        value->setAutoFillBackground(true);
        value->setFrameShape(QFrame::Box);
        QPalette pal = value->palette();
        // White labels keep black text and border under any theme.
        pal.setColor(QPalette::Window, Qt::white);
        pal.setColor(QPalette::WindowText, Qt::black);
        value->setPalette(pal);
        return value;
    };
    birthMonthLabel = valueLabel("birthMonthLabel", layout::birthMonthLabel);
    birthDayLabel = valueLabel("birthDayLabel", layout::birthDayLabel);
    birthYearLabel = valueLabel("birthYearLabel", layout::birthYearLabel);
    referenceMonthLabel = valueLabel("referenceMonthLabel", layout::referenceMonthLabel);
    referenceDayLabel = valueLabel("referenceDayLabel", layout::referenceDayLabel);
    referenceYearLabel = valueLabel("referenceYearLabel", layout::referenceYearLabel);

    auto stepper = [this](const char* name, const char* spoken, QLabel* label, int min, int max,
                          int large, QRect r) {
        auto* bar = new DateStepper(this);
        bar->setObjectName(QString::fromUtf8(name));
        bar->setAccessibleName(QString::fromUtf8(spoken));
        bar->setValueLabel(label);
        bar->setGeometry(r);
        bar->setRange(min, max);
        bar->setPageStep(large);
        return bar;
    };
    birthMonthStepper = stepper("birthMonthStepper", "Mês de nascimento", birthMonthLabel, 1, 12, 3,
                                layout::birthMonthStepper);
    birthDayStepper = stepper("birthDayStepper", "Dia de nascimento", birthDayLabel, 1, 31, 3,
                              layout::birthDayStepper);
    birthYearStepper = stepper("birthYearStepper", "Ano de nascimento", birthYearLabel, 1900, 3000,
                               1, layout::birthYearStepper);
    referenceMonthStepper = stepper("referenceMonthStepper", "Mês de referência",
                                    referenceMonthLabel, 0, 13, 3, layout::referenceMonthStepper);
    referenceDayStepper = stepper("referenceDayStepper", "Dia de referência", referenceDayLabel, 1,
                                  31, 3, layout::referenceDayStepper);
    referenceYearStepper = stepper("referenceYearStepper", "Ano de referência", referenceYearLabel,
                                   1900, 3000, 1, layout::referenceYearStepper);

    buildToolbar();
    buildKeyboard();
    applyColours();
}

void MainWindow::buildKeyboard() {
    // Design order: reference date, birth date, chart and dials (for screen readers), toolbar.
    for (PictureBox* box : {chartView, physicalDial, emotionalDial, intellectualDial})
        box->setFocusPolicy(Qt::TabFocus); // before the order: Qt skips unfocusable widgets
    QWidget* const order[] = {
        referenceYearStepper, referenceMonthStepper, referenceDayStepper, birthDayStepper,
        birthMonthStepper,    birthYearStepper,      chartView,           physicalDial,
        emotionalDial,        intellectualDial,      webButton,           printButton,
        helpButton,           closeButton,
    };
    for (std::size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);
    referenceYearStepper->setFocus();

    // The picture boxes draw nothing of their own for the focus: a frame around them does.
    pictureFocus_ = new QFocusFrame(this);
    connect(qApp, &QApplication::focusChanged, pictureFocus_, [this](QWidget*, QWidget* now) {
        const bool picture = now == chartView || now == physicalDial || now == emotionalDial ||
                             now == intellectualDial;
        pictureFocus_->setWidget(picture ? now : nullptr);
    });
}

void MainWindow::describeChart() {
    const Date birth = dates_.birth(), reference = dates_.reference();
    chartView->setAccessibleName(QStringLiteral("Gráfico de ") +
                                 QString::fromStdString(monthAndYear(reference)));
    chartView->setAccessibleDescription(QString::fromStdString(chartDescription(birth, reference)));
    PictureBox* const dials[3] = {physicalDial, emotionalDial, intellectualDial};
    for (std::size_t c = 0; c < 3; ++c)
        dials[c]->setAccessibleDescription(
            QString::fromStdString(dialDescription(c, birth, reference)));
}

std::array<MainWindow::DateField, 6> MainWindow::fields() const {
    return {
        {{birthDayStepper, birthDayLabel, true, &Date::day, &DateModel::setBirthDay},
         {birthMonthStepper, birthMonthLabel, true, &Date::month, &DateModel::setBirthMonth},
         {birthYearStepper, birthYearLabel, true, &Date::year, &DateModel::setBirthYear},
         {referenceDayStepper, referenceDayLabel, false, &Date::day, &DateModel::setReferenceDay},
         {referenceMonthStepper, referenceMonthLabel, false, &Date::month,
          &DateModel::setReferenceMonth},
         {referenceYearStepper, referenceYearLabel, false, &Date::year,
          &DateModel::setReferenceYear}}};
}

int MainWindow::valueOf(const DateField& field, Date birth, Date reference) {
    return (field.birth ? birth : reference).*field.part;
}

void MainWindow::connectSteppers() {
    for (const DateField& field : fields())
        connect(field.stepper, &QScrollBar::valueChanged, this,
                [this, field](int value) { stepperMoved(field, value); });
    dates_.addListener([this](DateModel::Change change) { showDates(change); });
    // On a screen of another resolution, redrawn once all four pictures have followed.
    connect(chartView, &PictureBox::pixelRatioChanged, this, &MainWindow::redrawChart,
            Qt::QueuedConnection);
}

void MainWindow::stepperMoved(const DateField& field, int value) {
    (dates_.*field.set)(value);
    // The model kept another value (the month range ends): the control follows and says so.
    const int held = valueOf(field, dates_.birth(), dates_.reference());
    if (field.stepper->value() != held) {
        const QSignalBlocker quiet(field.stepper);
        field.stepper->setValue(held);
        announce(field.stepper);
    }
}

void MainWindow::showDates(DateModel::Change change) {
    const Date birth = dates_.birth(), reference = dates_.reference();
    std::vector<DateStepper*> changed;
    for (const DateField& field : fields()) {
        const int value = valueOf(field, birth, reference);
        if (value == valueOf(field, birthShown_, referenceShown_) &&
            value == field.stepper->value())
            continue;
        if (field.stepper->value() != value) {
            const QSignalBlocker quiet(field.stepper); // no echo into the model
            field.stepper->setValue(value);
        }
        showLabel(field, value);
        changed.push_back(field.stepper);
    }
    birthShown_ = birth;
    referenceShown_ = reference;

    if (change == DateModel::Change::Birth)
        clearChart();
    else if (change == DateModel::Change::ReferenceDay)
        moveDayCursor();
    redrawChart();
    describeChart();
    for (DateStepper* stepper : changed)
        announce(stepper);
}

void MainWindow::showLabel(const DateField& field, int value) {
    // Day and year labels show the value with a blank in the sign position.
    field.label->setText(field.part == &Date::month ? QString::fromStdString(paddedMonthName(value))
                                                    : QStringLiteral(" %1").arg(value));
}

void MainWindow::announce(DateStepper* stepper) {
    // A screen reader reads the label's text, as value and as description.
    QAccessibleValueChangeEvent value(stepper, stepper->valueText());
    QAccessible::updateAccessibility(&value);
    QAccessibleEvent description(stepper, QAccessible::DescriptionChanged);
    QAccessible::updateAccessibility(&description);
}

void MainWindow::redrawChart() {
    chart_.redraw(dates_.birth(), dates_.reference(),
                  {*chartView, *physicalDial, *emotionalDial, *intellectualDial});
}

void MainWindow::moveDayCursor() {
    chart_.moveDayCursor(dates_.reference().day, *chartView);
}

void MainWindow::clearChart() {
    if (!chart_.drawn)
        return;
    chart_.drawn = false;
    for (PictureBox* box : {chartView, physicalDial, emotionalDial, intellectualDial})
        box->clear();
}

void MainWindow::loadBirthDate(Date birth) {
    // Judged once whole: a host's 30/05 never meets the February the controls held.
    dates_.setBirth(birth);
    birth = dates_.birth();
    birthYearLabel->setText(QString::number(birth.year));
    birthDayLabel->setText(QString::number(birth.day));
    birthMonthLabel->setText(QString::fromStdString(monthName(birth.month)));
    describeChart();
}

void MainWindow::readPendingPerson() {
    if (!personPending_ || !pendingHost_ || readingHost_)
        return;
    readingHost_ = true;
    HostFormPtr host = pendingHost_;
    QPointer<MainWindow> self(this);
    readPerson(host, [self, host](const PersonRead& read) {
        if (!self)
            return;
        if (read.person) {
            self->loadBirthDate(read.person->birth);
            self->clearChart();
            self->redrawChart();
            self->setWindowTitle(QStringLiteral("Vitalune: ") + read.person->nickname);
        }
        self->finishHostRead(host, read.problem);
    });
}

void MainWindow::finishHostRead(const HostFormPtr& host, const QString& problem) {
    readingHost_ = false;
    // A Run that came in meanwhile handed over another form: read that one instead.
    if (pendingHost_ != host) {
        readPendingPerson();
        return;
    }
    // Whatever the outcome, this person is not read again until the next Run.
    personPending_ = false;
    if (!problem.isEmpty()) {
        // No earlier person's name over the dates: the user must not take them for this one's.
        setWindowTitle(QStringLiteral("Vitalune"));
    }
    setRestingStatus(problem);
    emit hostReadFinished(problem.isEmpty());
}

void MainWindow::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    // A new desktop theme: the design's colours and the dials are laid on it afresh.
    if (event->type() == QEvent::PaletteChange && toolbar) {
        applyColours();
        redrawChart();
    }
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        readPendingPerson();
}

void MainWindow::closeEvent(QCloseEvent*) {
    if (quitOnClose_)
        QCoreApplication::exit(0);
}

} // namespace vitalune
