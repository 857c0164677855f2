// SPDX-License-Identifier: MIT
#pragma once

#include "HostForm.h"
#include "ScreenChart.h"

#include <QDate>
#include <QWidget>

#include <functional>

class QFocusFrame;
class QLabel;
class QScrollBar;
class QUrl;

namespace vitalune {

class PictureBox;
class ClarkTBBar;
class ClarkTBButton;
class ClarkTBSeparator;

// The plug-in's main window: the monthly chart, the two date groups with the dials
// between them, and the toolbar with its status line.
class MainWindow : public QWidget {
    Q_OBJECT
public:
    using TodayFn = std::function<QDate()>;

    // Loads the window: tables, default dates (17/02/1959 and today), first chart.
    // `today` defaults to the system date.
    explicit MainWindow(TodayFn today = {}, QWidget* parent = nullptr);
    ~MainWindow() override;

    // The one window of the process, created on first use.
    static MainWindow& instance();
    static bool exists();

    // Hand-over slots between the plug-in class and the window's procedures.
    QString Text1; // pending host caption: non-empty while the person is still to be read
    QString Text2; // birth-date text read from the host
    QString Text3, Text4, Text5; // its day, month and year
    HostFormPtr pendingHost;         // the host form handed over by Run

    // Reads the pending person from pendingHost, if any. Runs on every activation of the
    // window; the plug-in also calls it right after Run has replied.
    void readPendingPerson();
    // True while a person is being read from the host.
    bool readingHost() const { return readingHost_; }

    // Closing the window ends the process; tests turn that off.
    void setQuitOnClose(bool quit) { quitOnClose_ = quit; }

    // The window's procedures.
    // Keeps both days inside their month, then redraws the whole chart and the dials.
    void redrawChart();
    // Moves the chart's day cursor to the reference day.
    void moveDayCursor();
    void VerifieNombreJourVSmaxDansLeMois();
    void clearChart();
    // Loads the birth date from the text in Text2; returns false (changing nothing)
    // when the text is not a day/month/year date of 1900..3000.
    bool loadBirthDate();

    // Opens the help page with the desktop's viewer.
    void openHelp();
    // How web pages and the help page are opened (the desktop's browser unless replaced).
    using UrlOpener = std::function<void(const QUrl&)>;
    void setUrlOpener(UrlOpener opener);

    const ScreenChart& chart() const { return chart_; }
    QString helpFile() const { return helpFile_; }

    // Controls, by their names.
    PictureBox* chartView = nullptr;
    PictureBox* physicalDial = nullptr;
    PictureBox* emotionalDial = nullptr;
    PictureBox* intellectualDial = nullptr;
    QScrollBar* birthDayStepper = nullptr;
    QScrollBar* birthMonthStepper = nullptr;
    QScrollBar* birthYearStepper = nullptr;
    QScrollBar* referenceDayStepper = nullptr;
    QScrollBar* referenceMonthStepper = nullptr;
    QScrollBar* referenceYearStepper = nullptr;
    QLabel* birthDayLabel = nullptr;
    QLabel* birthMonthLabel = nullptr;
    QLabel* birthYearLabel = nullptr;
    QLabel* referenceDayLabel = nullptr;
    QLabel* referenceMonthLabel = nullptr;
    QLabel* referenceYearLabel = nullptr;
    QLabel* birthHeading = nullptr;
    QLabel* referenceHeading = nullptr;
    QLabel* lblStatus = nullptr;
    ClarkTBBar* ClarkTBBar1 = nullptr;
    ClarkTBButton* ClarkTBButton2 = nullptr;
    ClarkTBSeparator* ClarkTBSeparator1 = nullptr;
    ClarkTBButton* ctbimprime = nullptr;
    ClarkTBButton* ctbajuda = nullptr;
    ClarkTBButton* cmdFechar = nullptr;

signals:
    // A person has been read from the host and charted (or the read failed).
    void hostReadFinished(bool ok);

protected:
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    Date birthDate() const;
    Date targetDate() const;

    void birthDayStepper_Change();
    void birthMonthStepper_Change();
    void birthYearStepper_Change();
    void referenceDayStepper_Change();
    void referenceMonthStepper_Change();
    void referenceYearStepper_Change();

    void buildControls();
    void buildToolbar();
    void buildKeyboard();
    // Gives the chart and the dials the texts a screen reader reads out for the dates
    // shown, and tells it that they changed.
    void describeChart();
    // `problem` empty: the person was read and charted; otherwise what could not be read.
    void finishHostRead(const HostFormPtr& host, const QString& problem);
    void setStatus(const QString& text);
    // The text the status line shows when no button is hovered.
    void setRestingStatus(const QString& text);
    void ctbimprime_Click();
    void connectHandlers();
    void load();

    TodayFn today_;
    ScreenChart chart_;
    QString helpFile_;
    bool readingHost_ = false;
    QString restingStatus_; // what could not be read of the last person, until one is read
    QString statusShown_;   // the status line's whole text, even when cut short
    bool loadingBirthDate_ = false;
    bool quitOnClose_ = true;
    UrlOpener openUrl_;
    QObject* helpKey_ = nullptr;          // F1 anywhere in the program opens the help page
    QFocusFrame* pictureFocus_ = nullptr; // shows the focus on the chart and the dials
};

} // namespace vitalune
