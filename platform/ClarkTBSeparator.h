#pragma once

#include <QColor>
#include <QPointer>
#include <QWidget>

namespace vitalune {

// A thin etched vertical line between groups of toolbar buttons.
class ClarkTBSeparator : public QWidget {
    Q_OBJECT
public:
    explicit ClarkTBSeparator(QWidget* parent = nullptr);

    QColor backcolor() const { return backcolor_; }
    void setBackcolor(const QColor& c);
    QColor light3dcolor() const { return light3dcolor_; }
    void setLight3dcolor(const QColor& c);
    QColor shadow3dcolor() const { return shadow3dcolor_; }
    void setShadow3dcolor(const QColor& c);
    // 0: keeps its height. Otherwise it follows its container's height, keeping the same
    // space below as above.
    int autoheight() const { return autoheight_; }
    void setAutoheight(int mode);

    QSize sizeHint() const override { return {2, 22}; }

protected:
    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void watchParent();
    void followParent();

    QColor backcolor_, light3dcolor_, shadow3dcolor_;
    int autoheight_ = 0;
    QPointer<QWidget> watched_;
};

} // namespace vitalune
