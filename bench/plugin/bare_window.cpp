// SPDX-License-Identifier: MIT
// The yardstick for the plug-in's cold start: a bare Qt window that shows, paints once
// and quits.
#include <QApplication>
#include <QPaintEvent>
#include <QTimer>
#include <QWidget>

namespace {

class BareWindow : public QWidget {
protected:
    void paintEvent(QPaintEvent*) override {
        if (!painted_) {
            painted_ = true;
            QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        }
    }

private:
    bool painted_ = false;
};

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    BareWindow window;
    window.setWindowTitle(QStringLiteral("Bare"));
    window.resize(483, 308);
    window.show();
    return app.exec();
}
