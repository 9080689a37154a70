// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/NacaDialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "airfoil/SectionMeasure.h"
#include "dialogs/SectionPicture.h"

namespace parvelin::dialogs {
namespace {

QString percent(double fraction) { return QString::number(100.0 * fraction, 'f', 1) + QStringLiteral(" %"); }

} // namespace

NacaDialog::NacaDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QString::fromUtf8(kNacaDialogTitle));
    designation_ = new QLineEdit(QStringLiteral("2412"), this);
    designation_->setObjectName(QStringLiteral("designation"));
    designation_->setPlaceholderText(QStringLiteral("2412, 23012, 23112"));
    points_ = new QSpinBox(this);
    points_->setObjectName(QStringLiteral("points"));
    points_->setRange(kNacaMinPoints, kNacaMaxPoints);
    points_->setValue(kNacaDefaultPoints);
    points_->setToolTip(QStringLiteral("Points on each surface, cosine-spaced (closer at the nose and the tail)"));
    closed_ = new QCheckBox(QStringLiteral("Closed trailing edge"), this);
    closed_->setObjectName(QStringLiteral("closedTrailingEdge"));
    preview_ = new SectionPicture(this);
    preview_->setObjectName(QStringLiteral("preview"));
    preview_->setMinimumSize(420, 120);
    summary_ = new QLabel(this);
    summary_->setObjectName(QStringLiteral("summary"));
    summary_->setWordWrap(true);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("NACA &section"), designation_);
    form->addRow(QStringLiteral("&Points on each surface"), points_);
    form->addRow(QString(), closed_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &NacaDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &NacaDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(preview_, 1);
    layout->addWidget(summary_);
    layout->addWidget(buttons);

    connect(designation_, &QLineEdit::textChanged, this, &NacaDialog::refresh);
    connect(points_, &QSpinBox::valueChanged, this, &NacaDialog::refresh);
    connect(closed_, &QCheckBox::toggled, this, &NacaDialog::refresh);
    refresh();
}

std::optional<CoordinateFileContents> NacaDialog::contents() const {
    std::string error;
    const std::optional<NacaDesignation> section = parseNacaDesignation(designation_->text().toStdString(), error);
    if (!section) return std::nullopt;
    return nacaSectionContents(*section, NacaOptions{points_->value(), closed_->isChecked()});
}

void NacaDialog::refresh() {
    std::string error;
    const std::optional<NacaDesignation> section = parseNacaDesignation(designation_->text().toStdString(), error);
    if (auto* ok = findChild<QDialogButtonBox*>()) ok->button(QDialogButtonBox::Ok)->setEnabled(section.has_value());
    if (!section) {
        preview_->setSection({});
        summary_->setText(QString::fromStdString(error));
        return;
    }
    const CoordinateFileContents made = nacaSectionContents(*section, NacaOptions{points_->value(), closed_->isChecked()});
    preview_->setSection(made.drawingOrder);
    QString text = QString::fromStdString(section->name()) + QStringLiteral(": ");
    if (const std::optional<SectionMeasure> m = measureSection(made.drawingOrder))
        text += QStringLiteral("thickness %1 at %2, camber %3 at %4")
                    .arg(percent(m->thickness), percent(m->thicknessAt), percent(m->camber), percent(m->camberAt));
    text += QStringLiteral(", %1 points").arg(made.accepted.size());
    if (section->series == NacaSeries::FiveDigit)
        text += section->reflexed ? QStringLiteral(", reflexed mean line") : QStringLiteral(", five-digit mean line");
    summary_->setText(text);
}

void NacaDialog::accept() {
    if (!contents()) return;
    QDialog::accept();
}

std::optional<CoordinateFileContents> runNacaDialog(QWidget* parent) {
    NacaDialog dialog(parent);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.contents();
}

} // namespace parvelin::dialogs
