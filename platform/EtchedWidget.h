// SPDX-License-Identifier: MIT
#pragma once

#include <QColor>
#include <QWidget>

namespace vitalune {

// A toolbar part drawn flat on its face colour with light and shadow lines that give it
// an etched, three-dimensional edge: the bar and its separators.
class EtchedWidget : public QWidget {
public:
    explicit EtchedWidget(QWidget* parent = nullptr);

    QColor backcolor() const { return backcolor_; }
    void setBackcolor(const QColor& c);
    QColor light3dcolor() const { return light3dcolor_; }
    void setLight3dcolor(const QColor& c);
    QColor shadow3dcolor() const { return shadow3dcolor_; }
    void setShadow3dcolor(const QColor& c);

protected:
    QColor backcolor_, light3dcolor_, shadow3dcolor_;
};

} // namespace vitalune
