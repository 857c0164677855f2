// SPDX-License-Identifier: MIT
// The yardstick for the plug-in's cold start: a bare Qt window that shows, paints once
// and quits. With --hold it says "painted" on stdout after that paint and quits only when
// stdin closes, so that its memory can be read meanwhile.
#include <QApplication>
#include <QPaintEvent>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <cstring>

namespace {

bool hold = false;

class BareWindow : public QWidget {
protected:
    void paintEvent(QPaintEvent*) override {
        if (!painted_) {
            painted_ = true;
            QTimer::singleShot(0, qApp, [] {
                if (hold) {
                    std::puts("painted");
                    std::fflush(stdout);
                    while (std::getchar() != EOF) {
                    }
                }
                QCoreApplication::quit();
            });
        }
    }

private:
    bool painted_ = false;
};

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    hold = argc > 1 && std::strcmp(argv[1], "--hold") == 0;
    BareWindow window;
    window.setWindowTitle(QStringLiteral("Bare"));
    window.resize(483, 308);
    window.show();
    return app.exec();
}
