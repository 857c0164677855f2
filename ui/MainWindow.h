// SPDX-License-Identifier: MIT
#pragma once

#include "DateModel.h"
#include "HostForm.h"
#include "PagePrinter.h"
#include "PrintModeDialog.h"
#include "ScreenChart.h"

#include <QDate>
#include <QWidget>

#include <array>
#include <functional>
#include <memory>

class QAction;
class QFocusFrame;
class QLabel;
class QUrl;

namespace vitalune {

class DateStepper;
class PictureBox;
class Toolbar;
class ToolbarButton;

// Every change of the date model, whoever made it, comes back through one listener.
class MainWindow : public QWidget {
    Q_OBJECT
public:
    using TodayFn = std::function<QDate()>;

    // Default dates 17/02/1959 and `today` (the system date unless given), first chart.
    explicit MainWindow(TodayFn today = {}, QWidget* parent = nullptr);
    ~MainWindow() override;

    DateModel& dates() { return dates_; }

    // The last Run's form; with `personToRead` its person is read at the next activation.
    void setPendingHost(HostFormPtr host, bool personToRead) {
        pendingHost_ = std::move(host);
        personPending_ = personToRead;
    }
    const HostFormPtr& pendingHost() const { return pendingHost_; }
    bool personPending() const { return personPending_; }
    // The form's host has gone before its person was read: nothing is read.
    void dropPendingPerson() { personPending_ = false; }
    // Runs on every activation, and from the Run queue right after Run has replied.
    void readPendingPerson();
    bool readingHost() const { return readingHost_; }

    // Closing the window ends the process; tests turn that off.
    void setQuitOnClose(bool quit) { quitOnClose_ = quit; }

    void redrawChart();
    // Moves the chart's day cursor to the reference day, leaving the rest as it is.
    void moveDayCursor();
    // Clears the four pictures when a chart stands on them.
    void clearChart();
    // Labels show it as a host writes it: plain digits and month name.
    void loadBirthDate(Date birth);

    // How web pages and the help page are opened (the desktop's browser unless replaced).
    using UrlOpener = std::function<void(const QUrl&)>;
    void setUrlOpener(UrlOpener opener);

    // Prints the page the print command asks for (the default printer unless replaced).
    PagePrinter& pagePrinter() { return pagePrinter_; }
    // The printer-type dialog, made on the first print; null before.
    PrintModeDialog* printModeDialog() const { return printModeDialog_.get(); }

    const ScreenChart& chart() const { return chart_; }

    PictureBox* chartView = nullptr;
    PictureBox* physicalDial = nullptr;
    PictureBox* emotionalDial = nullptr;
    PictureBox* intellectualDial = nullptr;
    DateStepper* birthDayStepper = nullptr;
    DateStepper* birthMonthStepper = nullptr;
    DateStepper* birthYearStepper = nullptr;
    DateStepper* referenceDayStepper = nullptr;
    DateStepper* referenceMonthStepper = nullptr;
    DateStepper* referenceYearStepper = nullptr;
    QLabel* birthDayLabel = nullptr;
    QLabel* birthMonthLabel = nullptr;
    QLabel* birthYearLabel = nullptr;
    QLabel* referenceDayLabel = nullptr;
    QLabel* referenceMonthLabel = nullptr;
    QLabel* referenceYearLabel = nullptr;
    QLabel* birthHeading = nullptr;
    QLabel* referenceHeading = nullptr;
    QLabel* statusLine = nullptr;
    Toolbar* toolbar = nullptr;
    ToolbarButton* webButton = nullptr;
    ToolbarButton* printButton = nullptr;
    ToolbarButton* helpButton = nullptr;
    ToolbarButton* closeButton = nullptr;

    QAction* webPageAction = nullptr;
    QAction* printAction = nullptr;
    QAction* helpAction = nullptr; // F1, in every window of the program
    QAction* closeAction = nullptr;

signals:
    void hostReadFinished(bool ok);

protected:
    bool event(QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // One field of a date group: its step control, its label and where the model keeps it.
    struct DateField {
        DateStepper* stepper;
        QLabel* label;
        bool birth;
        int Date::*part;
        void (DateModel::*set)(int);
    };
    std::array<DateField, 6> fields() const;
    static int valueOf(const DateField& field, Date birth, Date reference);
    // A step control moved: the model takes the value (or keeps its own, at a limit).
    void stepperMoved(const DateField& field, int value);
    // The model changed: step controls, labels, chart and screen-reader texts follow it.
    void showDates(DateModel::Change change);
    void showLabel(const DateField& field, int value);
    void announce(DateStepper* stepper);

    void buildControls();
    void buildActions();
    void buildToolbar();
    void buildKeyboard();
    void applyColours();
    // Screen-reader texts for the chart and dials, announced as changed.
    void describeChart();
    // `problem` empty: the person was read and charted; otherwise what could not be read.
    void finishHostRead(const HostFormPtr& host, const QString& problem);
    void setStatus(const QString& text);
    void setRestingStatus(const QString& text);
    // The printer-type dialog stays on screen while the page is printed.
    void printChart();
    void connectSteppers();

    DateModel dates_;
    Date birthShown_, referenceShown_; // the dates the labels and the chart show
    ScreenChart chart_;
    QString helpFile_;
    bool readingHost_ = false;
    QString restingStatus_; // what could not be read of the last person, until one is read
    QString statusShown_;   // the status line's whole text, even when cut short
    HostFormPtr pendingHost_;
    bool personPending_ = false;
    bool quitOnClose_ = true;
    UrlOpener openUrl_;
    QFocusFrame* pictureFocus_ = nullptr; // shows the focus on the chart and the dials
    PagePrinter pagePrinter_;
    std::unique_ptr<PrintModeDialog> printModeDialog_; // a window of its own: no parent
};

} // namespace vitalune
