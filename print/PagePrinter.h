// SPDX-License-Identifier: MIT
#pragma once

#include "DrawingSurface.h"
#include "PrintQueue.h"
#include "PrintedPage.h"

#include <QString>

#include <functional>
#include <memory>

class QWidget;

namespace vitalune {

// The page's working values carry over from one print to the next.
class PagePrinter {
public:
    // Makes the surface one page is printed on (the default printer unless replaced).
    using SurfaceFactory = std::function<std::unique_ptr<DrawingSurface>()>;
    // Tells the user that nothing could be printed, and why (a message box unless replaced).
    using Reporter = std::function<void(QWidget* parent, const QString& message)>;

    PagePrinter();

    void setSurfaceFactory(SurfaceFactory factory) { makeSurface_ = std::move(factory); }
    void setReporter(Reporter reporter) { report_ = std::move(reporter); }
    // Asked around each job and, unless replaced, gives the surface; CUPS by default.
    void setPrintQueue(std::shared_ptr<PrintQueue> queue) { queue_ = std::move(queue); }

    // With the hourglass on `shownOn`, over which a job that cannot print at all is reported.
    void print(QWidget* shownOn, Date birth, Date reference, PrintMode mode);

private:
    PrintedPage page_;
    SurfaceFactory makeSurface_;
    Reporter report_;
    std::shared_ptr<PrintQueue> queue_;
};

} // namespace vitalune
