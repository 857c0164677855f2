// SPDX-License-Identifier: MIT
#pragma once

#include "HostFormObject.h"

#include <QDBusConnection>
#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;

namespace vitalune::host {

// The sample host's window: a person's record, the labels the plug-in reads, its button.
class HostWindow : public QWidget {
    Q_OBJECT
public:
    HostWindow(QDBusConnection bus, const QString& formPath, const QString& nick,
               const QString& birth, const QString& caption, QWidget* parent = nullptr);

    // Asks the plug-in for its name (the button's text), then presses it if `runAfterwards`.
    void identify(bool runAfterwards = false);
    void runPlugin();

private:
    QDBusConnection bus_;
    HostFormObject form_;
    QLineEdit* nickEdit_;
    QLineEdit* birthEdit_;
    QLineEdit* captionEdit_;
    QLabel* lblnick_;
    QLabel* lblnasc_;
    QPushButton* pluginButton_;
    QLabel* status_;
};

} // namespace vitalune::host
