// SPDX-License-Identifier: MIT
#pragma once

#include <QLabel>
#include <QPointer>
#include <QScrollBar>
#include <QTimer>

namespace vitalune {

// A scroll bar so narrow it is just its two arrows, keeping its own repeat and keys.
class DateStepper : public QScrollBar {
    Q_OBJECT
public:
    explicit DateStepper(QWidget* parent = nullptr);

    // The label showing the value as read ("Fevereiro", " 17"), given to screen readers.
    void setValueLabel(QLabel* label) { valueLabel_ = label; }
    // The label's text without the blank that stands in the sign position.
    QString valueText() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    enum class Side { None, Down, Up };
    Side sideAt(const QPoint& pos) const;
    void stepOnce();

    Side pressed_ = Side::None;
    bool over_ = false; // the pointer is over the pressed button
    QTimer repeat_;
    QPointer<QLabel> valueLabel_;
};

} // namespace vitalune
