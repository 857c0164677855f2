// SPDX-License-Identifier: MIT
// The yardstick for the plug-in's cold start: a bare Qt window that shows, paints once
// and quits. With --hold it says "painted" on stdout after that paint and quits only when
// stdin closes, so that its memory can be read meanwhile. With --text that paint draws one
// line of text, which brings in Qt's whole text stack (fontconfig, FreeType, HarfBuzz).
#include <QApplication>
#include <QPaintEvent>
#include <QPainter>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <cstring>

namespace {

bool hold = false;
bool text = false;

class BareWindow : public QWidget {
protected:
    void paintEvent(QPaintEvent*) override {
        if (text)
            QPainter(this).drawText(10, 20, QStringLiteral("Data de Nascimento"));
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
    for (int i = 1; i < argc; ++i) {
        hold |= std::strcmp(argv[i], "--hold") == 0;
        text |= std::strcmp(argv[i], "--text") == 0;
    }
    BareWindow window;
    window.setWindowTitle(QStringLiteral("Bare"));
    window.resize(483, 308);
    window.show();
    return app.exec();
}
