// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/AboutDialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/AppIcons.h"
#include "app/Resources.h"
#include "resources/Strings.h"

namespace parvelin::app {

QString aboutText() {
    return QStringLiteral("%1 %2\n\n%3\n\n%4\n\nBuilt with Qt %5, running on Qt %6.")
        .arg(QString::fromStdString(resources::loadString(resources::kStringAppTitle)),
             QStringLiteral(PARVELIN_VERSION), QString::fromStdString(resources::loadString(resources::kStringAbout)),
             QString::fromUtf8(kLicenceText), QStringLiteral(QT_VERSION_STR), QString::fromLatin1(qVersion()));
}

AboutDialog::AboutDialog(QWidget* owner) : QDialog(owner) {
    setWindowTitle(QStringLiteral("About"));
    setWindowIcon(frameIcon());

    auto* icon = new QLabel(this);
    icon->setPixmap(frameIcon().pixmap(64, 64));
    icon->setAlignment(Qt::AlignTop);

    text_ = new QLabel(this);
    text_->setObjectName(QStringLiteral("control%1").arg(kControlAboutText));
    text_->setWordWrap(true);
    text_->setText(aboutText());
    text_->setTextInteractionFlags(Qt::TextSelectableByMouse);

    ok_ = new QPushButton(QStringLiteral("OK"), this);
    ok_->setObjectName(QStringLiteral("control%1").arg(kControlAboutOk));
    ok_->setDefault(true);
    // The dialog ends with the OK button's id as its result.
    connect(ok_, &QPushButton::clicked, this, [this] { done(kControlAboutOk); });

    auto* body = new QHBoxLayout;
    body->addWidget(icon);
    body->addWidget(text_, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(body);
    layout->addLayout(buttons);
    setMinimumWidth(420);
}

} // namespace parvelin::app
