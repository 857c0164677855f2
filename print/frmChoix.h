// SPDX-License-Identifier: MIT
#pragma once

#include "DateModel.h"
#include "DrawingSurface.h"
#include "PrintQueue.h"
#include "PrintedPage.h"

#include <QDialog>
#include <QString>

#include <cstdint>
#include <functional>
#include <memory>

class QLabel;

namespace vitalune {

class ToolbarButton;

// The printer-type dialog: colour, black and white, or cancel. A print button stores
// the print mode, prints the page at once and then hides the dialog. The application
// uses one instance, created on first use and only ever hidden afterwards; the main
// window shows it modally with exec().
class frmChoix : public QDialog {
    Q_OBJECT
public:
    // Makes the surface one page is printed on (the default printer unless replaced).
    using SurfaceFactory = std::function<std::unique_ptr<DrawingSurface>()>;
    // Tells the user that nothing could be printed, and why (a message box unless replaced).
    using Reporter = std::function<void(QWidget* parent, const QString& message)>;

    explicit frmChoix(QWidget* parent = nullptr);
    ~frmChoix() override;

    // The application's one dialog.
    static frmChoix& instance();

    // The two dates Imprime prints: the main window's, as its date model holds them.
    void setDates(Date birth, Date reference);
    void setSurfaceFactory(SurfaceFactory factory);
    void setReporter(Reporter reporter);
    // Who is asked about the queue around each job and, unless the surface factory has been
    // replaced, gives the surface the page is drawn on; the CUPS scheduler's default queue
    // when neither has been replaced.
    void setPrintQueue(std::shared_ptr<PrintQueue> queue);

    // Prints the page in the mode ModeCouleur gives, on the default printer. A step that
    // fails is skipped; a job that cannot be printed at all (no printer, the job would not
    // start or not finish) is reported to the user.
    void Imprime();

    std::int16_t modeCouleur() const { return ModeCouleur; }
    const PrintedPage& page() const { return page_; }

    void Cimpcoul_Click();
    void Cimpnoir_Click();
    void Cannuler_Click();

    // Escape and the window frame's close box end the dialog as cancel does.
    void reject() override;

    ToolbarButton* cancelButton = nullptr;
    ToolbarButton* blackAndWhiteButton = nullptr;
    ToolbarButton* colourButton = nullptr;
    QLabel* Label1 = nullptr;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildControls();

    std::int16_t ModeCouleur = 0;
    PrintedPage page_;
    Date birth_ = DateModel::DefaultBirth;
    Date reference_;
    SurfaceFactory makeSurface_;
    Reporter report_;
    std::shared_ptr<PrintQueue> queue_;
    bool printing_ = false; // Imprime is running: the buttons, Escape and the close box wait
};

} // namespace vitalune
