// SPDX-License-Identifier: MIT
#include "HostWindow.h"

#include "Identity.h"
#include "ScriptedHost.h"

#include <QDBusObjectPath>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace vitalune::host {

constexpr int CallTimeoutMs = 25000;

HostWindow::HostWindow(QDBusConnection bus, const QString& formPath, const QString& nick,
                       const QString& birth, const QString& caption, QWidget* parent)
    : QWidget(parent), bus_(std::move(bus)),
      form_(formPath,
            {QString::fromLatin1(identity::NicknameMember),
             QString::fromLatin1(identity::BirthDateMember)},
            [this](const QString& member) -> ControlValue {
                if (member.isEmpty())
                    return ControlValue::caption(windowTitle());
                if (member == QLatin1String(identity::NicknameMember))
                    return ControlValue::caption(lblnick_->text());
                if (member == QLatin1String(identity::BirthDateMember))
                    return ControlValue::caption(lblnasc_->text());
                return {};
            }) {
    setWindowTitle(caption);

    lblnick_ = new QLabel(nick);
    lblnick_->setObjectName(QLatin1String(identity::NicknameMember));
    QFont big = lblnick_->font();
    big.setPointSizeF(big.pointSizeF() * 1.6);
    big.setBold(true);
    lblnick_->setFont(big);
    lblnasc_ = new QLabel(birth);
    lblnasc_->setObjectName(QLatin1String(identity::BirthDateMember));

    nickEdit_ = new QLineEdit(nick);
    birthEdit_ = new QLineEdit(birth);
    birthEdit_->setPlaceholderText(QStringLiteral("dd/mm/aaaa"));
    captionEdit_ = new QLineEdit(caption);
    connect(nickEdit_, &QLineEdit::textChanged, lblnick_, &QLabel::setText);
    connect(birthEdit_, &QLineEdit::textChanged, lblnasc_, &QLabel::setText);
    connect(captionEdit_, &QLineEdit::textChanged, this, &QWidget::setWindowTitle);

    pluginButton_ = new QPushButton(QStringLiteral("…"));
    pluginButton_->setEnabled(false);
    connect(pluginButton_, &QPushButton::clicked, this, &HostWindow::runPlugin);
    status_ = new QLabel;
    status_->setWordWrap(true);
    status_->setStyleSheet(QStringLiteral("color: #a00000"));

    auto* fields = new QFormLayout;
    fields->addRow(QStringLiteral("Apelido:"), nickEdit_);
    fields->addRow(QStringLiteral("Nascimento:"), birthEdit_);
    fields->addRow(QStringLiteral("Título da ficha:"), captionEdit_);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblnick_);
    layout->addWidget(lblnasc_);
    layout->addLayout(fields);
    layout->addWidget(pluginButton_);
    layout->addWidget(status_);
    layout->addStretch();
    resize(360, 260);

    if (!form_.registerOn(bus_))
        status_->setText(QStringLiteral("Não foi possível publicar a ficha em %1").arg(formPath));
}

void HostWindow::identify(bool runAfterwards) {
    callPlugin(bus_, "Identify", CallTimeoutMs, this, [this, runAfterwards](const auto& reply) {
        pluginButton_->setEnabled(true);
        if (reply.isError()) {
            pluginButton_->setText(QStringLiteral("Plug-in"));
            status_->setText(callErrorText(reply.error()));
            return;
        }
        pluginButton_->setText(reply.value());
        if (runAfterwards)
            runPlugin();
    });
}

void HostWindow::runPlugin() {
    pluginButton_->setEnabled(false);
    status_->clear();
    callPlugin(bus_, "Run", CallTimeoutMs, this,
               [this](const auto& reply) {
                   pluginButton_->setEnabled(true);
                   // "" when the plug-in opened
                   status_->setText(reply.isError() ? callErrorText(reply.error()) : reply.value());
               },
               {QVariant::fromValue(QDBusObjectPath(form_.formPath()))});
}

} // namespace vitalune::host
