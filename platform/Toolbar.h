// SPDX-License-Identifier: MIT
#pragma once

#include "EtchedWidget.h"

#include <QColor>
#include <QWidget>

namespace vitalune {

// A flat toolbar holding buttons, separators and labels at fixed places: a plain face
// with a light line along its top edge and, optionally, one or two etched grip lines at
// its left end.
class Toolbar : public EtchedWidget {
    Q_OBJECT
public:
    explicit Toolbar(QWidget* parent = nullptr);

    bool showleftlines() const { return showleftlines_; }
    void setShowleftlines(bool on);
    bool showtwoleftlines() const { return showtwoleftlines_; }
    void setShowtwoleftlines(bool on);
    // 0: the bar keeps the height it is given. Otherwise it takes the height of its
    // visible children with the same space below them as above.
    int autoheight() const { return autoheight_; }
    void setAutoheight(int mode);

    // The height autoheight gives, from the children as they stand.
    int fittingHeight() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void childEvent(QChildEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void fitHeight();

    bool showleftlines_ = false;
    bool showtwoleftlines_ = false;
    int autoheight_ = 0;
    bool fitting_ = false;
};

} // namespace vitalune
