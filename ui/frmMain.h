// SPDX-License-Identifier: MIT
#pragma once

#include "HostForm.h"
#include "ScreenChart.h"

#include <QDate>
#include <QWidget>

#include <functional>

class QAction;
class QFocusFrame;
class QLabel;
class QScrollBar;
class QUrl;

namespace vitalune {

class PictureBox;
class Toolbar;
class ToolbarButton;
class ToolbarSeparator;

// The plug-in's main window: the monthly chart, the two date groups with the dials
// between them, and the toolbar with its status line.
class frmMain : public QWidget {
    Q_OBJECT
public:
    using TodayFn = std::function<QDate()>;

    // Loads the window: tables, default dates (17/02/1959 and today), first chart.
    // `today` defaults to the system date.
    explicit frmMain(TodayFn today = {}, QWidget* parent = nullptr);
    ~frmMain() override;

    // The one window of the process, created on first use.
    static frmMain& instance();
    static bool exists();

    // Hand-over slots between the plug-in class and the window's procedures.
    QString Text1; // pending host caption: non-empty while the person is still to be read
    QString Text2; // birth-date text read from the host
    QString Text3, Text4, Text5; // its day, month and year
    HostFormPtr objHost;         // the host form handed over by Run

    // Reads the pending person from objHost, if any. Runs on every activation of the
    // window; the plug-in also calls it right after Run has replied.
    void Form_Activate();
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
    void Rafraichir();
    // Loads the birth date from the text in Text2; returns false (changing nothing)
    // when the text is not a day/month/year date of 1900..3000.
    bool DecoupeDateNaissance();

    // Opens the help page with the desktop's viewer.
    void ouvreAide();
    // How web pages and the help page are opened (the desktop's browser unless replaced).
    using UrlOpener = std::function<void(const QUrl&)>;
    void setUrlOpener(UrlOpener opener);

    const ScreenChart& chart() const { return chart_; }
    QString helpFile() const { return helpFile_; }

    // Controls, by their names.
    PictureBox* Img0 = nullptr;
    PictureBox* Img1 = nullptr;
    PictureBox* Img2 = nullptr;
    PictureBox* Img3 = nullptr;
    QScrollBar* Défiljj1 = nullptr;
    QScrollBar* Défilmm1 = nullptr;
    QScrollBar* Défilaa1 = nullptr;
    QScrollBar* Défiljj2 = nullptr;
    QScrollBar* Défilmm2 = nullptr;
    QScrollBar* Défilaa2 = nullptr;
    QLabel* Etijj1 = nullptr;
    QLabel* Etimm1 = nullptr;
    QLabel* Etiaa1 = nullptr;
    QLabel* Etijj2 = nullptr;
    QLabel* Etimm2 = nullptr;
    QLabel* Etiaa2 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* statusLine = nullptr;
    Toolbar* toolbar = nullptr;
    ToolbarButton* webButton = nullptr;
    ToolbarSeparator* toolbarSeparator = nullptr;
    ToolbarButton* printButton = nullptr;
    ToolbarButton* helpButton = nullptr;
    ToolbarButton* closeButton = nullptr;

    // The window's commands, with their shortcuts, status-line texts and spoken names; the
    // toolbar buttons show them.
    QAction* webPageAction = nullptr;
    QAction* printAction = nullptr;
    QAction* helpAction = nullptr; // F1, in every window of the program
    QAction* closeAction = nullptr;

signals:
    // A person has been read from the host and charted (or the read failed).
    void hostReadFinished(bool ok);

protected:
    bool event(QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    Date birthDate() const;
    Date targetDate() const;

    void Défiljj1_Change();
    void Défilmm1_Change();
    void Défilaa1_Change();
    void Défiljj2_Change();
    void Défilmm2_Change();
    void Défilaa2_Change();

    void buildControls();
    void buildActions();
    void buildToolbar();
    void buildKeyboard();
    // The design's colours on the desktop's palette: headings, status line, toolbar
    // buttons, and the dials laid on the window's background.
    void applyColours();
    // Gives the chart and the dials the texts a screen reader reads out for the dates
    // shown, and tells it that they changed.
    void describeChart();
    // `problem` empty: the person was read and charted; otherwise what could not be read.
    void finishHostRead(const HostFormPtr& host, const QString& problem);
    void setStatus(const QString& text);
    // The text the status line shows when no button is hovered.
    void setRestingStatus(const QString& text);
    void printChart();
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
    QFocusFrame* pictureFocus_ = nullptr; // shows the focus on the chart and the dials
};

} // namespace vitalune
