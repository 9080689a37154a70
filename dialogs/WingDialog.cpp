// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/WingDialog.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <cmath>

#include "airfoil/NacaSection.h"
#include "dialogs/AirfoilBrowser.h"
#include "model/CoordinateFile.h"
#include "model/ImportReader.h"
#include "text/NumberText.h"
#include "platform/Services.h"
#include "geom/Units.h"

namespace parvelin::dialogs {
namespace {

QString numberText(double value, int precision) {
    return QString::fromStdString(formatPageNumber(static_cast<float>(value), precision)).trimmed();
}

// A box's number, read as the property pages read theirs; false when the box
// holds no number at all.
bool readBox(const QLineEdit* box, double& value) {
    const std::string text = box->text().trimmed().toStdString();
    std::size_t used = 0;
    const double number = parseDouble(text.c_str(), &used);
    if (text.empty() || used != text.size()) return false;
    value = number;
    return true;
}

} // namespace

WingSettings defaultWingSettings(const RibProperties& document) {
    WingSettings s;
    s.panel.rootChord = document.chord;
    s.panel.tipChord = document.chord;
    s.panel.sparInPercent = document.sparDistanceInPercent == 1;
    s.panel.sparRoot = document.sparDistance;
    s.panel.sparTip = document.sparDistance;
    s.panel.washout = document.washout;
    return s;
}

WingDialog::WingDialog(const WingSettings& settings, const RibProperties& document, platform::Window* owner,
                       QWidget* parent)
    : QDialog(parent), result_(settings), precision_(document.precision), owner_(owner) {
    setWindowTitle(QString::fromUtf8(kWingDialogTitle));
    // Made top to bottom, the order the Tab key goes through them.
    makePanelBoxes(settings.panel);
    QHBoxLayout* tip = makeTipAirfoilRow(settings.tipAirfoilPath);
    washout_ = lengthBox("washout", settings.panel.washout);
    side_ = new QComboBox(this);
    side_->setObjectName(QStringLiteral("side"));
    for (wing::WingSide side : {wing::WingSide::Left, wing::WingSide::Right, wing::WingSide::Both})
        side_->addItem(QString::fromUtf8(wing::traits(side).label), static_cast<int>(side));
    side_->setCurrentIndex(side_->findData(static_cast<int>(settings.panel.side)));
    layOut(QString::fromLatin1(geom::unitTraits(geom::unitOf(inMillimetres(document))).name), tip);
    showCountOrSpacing();
}

QRadioButton* WingDialog::radioButton(const char* name, const QString& text) {
    auto* button = new QRadioButton(text, this);
    button->setObjectName(QString::fromLatin1(name));
    return button;
}

void WingDialog::makePanelBoxes(const wing::WingPanel& p) {
    span_ = lengthBox("span", p.span);
    rootChord_ = lengthBox("rootChord", p.rootChord);
    tipChord_ = lengthBox("tipChord", p.tipChord);
    byCount_ = radioButton("byCount", QStringLiteral("Number of ribs"));
    bySpacing_ = radioButton("bySpacing", QStringLiteral("Rib spacing"));
    ribCount_ = new QSpinBox(this);
    ribCount_->setObjectName(QStringLiteral("ribCount"));
    ribCount_->setRange(wing::kMinRibs, wing::kMaxRibs);
    ribCount_->setValue(std::clamp(p.ribCount, wing::kMinRibs, wing::kMaxRibs));
    spacing_ = lengthBox("spacing", p.ribSpacing > 0.0 ? p.ribSpacing : p.span / std::max(1, p.ribCount - 1));
    sweep_ = lengthBox("sweep", p.sweep);
    sparRoot_ = lengthBox("sparRoot", p.sparRoot);
    sparTip_ = lengthBox("sparTip", p.sparTip);
    sparPercent_ = radioButton("sparPercent", QStringLiteral("Percent"));
    sparFixed_ = radioButton("sparFixed", QStringLiteral("Fixed"));
    // Two separate choices: how the ribs are given, how the spar is measured.
    for (const auto& [a, b] : {std::pair{byCount_, bySpacing_}, std::pair{sparPercent_, sparFixed_}}) {
        auto* group = new QButtonGroup(this);
        group->addButton(a);
        group->addButton(b);
    }
    (p.ribSpacing > 0.0 ? bySpacing_ : byCount_)->setChecked(true);
    (p.sparInPercent ? sparPercent_ : sparFixed_)->setChecked(true);
    connect(byCount_, &QRadioButton::toggled, this, &WingDialog::showCountOrSpacing);
}

QHBoxLayout* WingDialog::row(std::initializer_list<QWidget*> widgets, const QString& unit) {
    auto* line = new QHBoxLayout;
    for (QWidget* widget : widgets) line->addWidget(widget);
    if (!unit.isEmpty()) line->addWidget(new QLabel(unit, this));
    line->addStretch(1);
    return line;
}

QHBoxLayout* WingDialog::makeTipAirfoilRow(const std::string& path) {
    tipAirfoil_ = new QLineEdit(QString::fromStdString(path), this);
    tipAirfoil_->setObjectName(QStringLiteral("tipAirfoil"));
    tipAirfoil_->setPlaceholderText(QStringLiteral("the document's airfoil, a file or naca:2412"));
    auto* browse = new QPushButton(QStringLiteral("Browse..."), this);
    browse->setObjectName(QStringLiteral("browseTipAirfoil"));
    connect(browse, &QPushButton::clicked, this, &WingDialog::browseTipAirfoil);
    // The Airfoil Browser picks the tip from a folder of sections.
    auto* library = new QPushButton(QStringLiteral("Library..."), this);
    library->setObjectName(QStringLiteral("libraryTipAirfoil"));
    connect(library, &QPushButton::clicked, this, [this] {
        if (const std::optional<QString> chosen = runAirfoilBrowser(BrowserMode::PickTip, this))
            tipAirfoil_->setText(*chosen);
    });
    auto* tip = new QHBoxLayout;
    tip->addWidget(tipAirfoil_, 1);
    tip->addWidget(browse);
    tip->addWidget(library);
    return tip;
}

void WingDialog::layOut(const QString& unit, QHBoxLayout* tipAirfoil) {
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Span"), row({span_}, unit));
    form->addRow(QStringLiteral("Root chord"), row({rootChord_}, unit));
    form->addRow(QStringLiteral("Tip chord"), row({tipChord_}, unit));
    QHBoxLayout* count = row({byCount_, ribCount_, bySpacing_, spacing_}, unit);
    count->insertSpacing(2, 12);
    form->addRow(QStringLiteral("Ribs"), count);
    form->addRow(QStringLiteral("Sweep (tip LE aft)"), row({sweep_}, unit));
    form->addRow(QStringLiteral("Spar from LE"),
                 row({new QLabel(QStringLiteral("root"), this), sparRoot_, new QLabel(QStringLiteral("tip"), this),
                      sparTip_, sparPercent_, sparFixed_}));
    form->addRow(QStringLiteral("Tip airfoil"), tipAirfoil);
    form->addRow(QStringLiteral("Washout at tip"), row({washout_}, QStringLiteral("degrees")));
    form->addRow(QStringLiteral("Panels"), side_);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &WingDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &WingDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
}

QLineEdit* WingDialog::lengthBox(const char* name, double value) {
    auto* box = new QLineEdit(numberText(value, precision_), this);
    box->setObjectName(QString::fromLatin1(name));
    box->setMaximumWidth(90);
    return box;
}

void WingDialog::showCountOrSpacing() {
    ribCount_->setEnabled(byCount_->isChecked());
    spacing_->setEnabled(!byCount_->isChecked());
}

void WingDialog::browseTipAirfoil() {
    platform::Dialogs* dialogs = platform::dialogs();
    if (dialogs == nullptr) return;
    platform::FileDialogSettings settings;
    settings.title = "Tip Airfoil";
    settings.filters = {{"Airfoil Coordinate Files", "*.DAT"}, {"All Files", "*.*"}};
    settings.initialFileName = "*.DAT";
    settings.fileMustExist = true;
    if (const std::optional<std::string> chosen = dialogs->openFile(owner_, settings))
        tipAirfoil_->setText(QString::fromStdString(*chosen));
}

void WingDialog::accept() {
    WingSettings next = result_;
    wing::WingPanel& p = next.panel;
    std::string problem;
    auto read = [&](QLineEdit* box, double& field, const char* what) {
        if (problem.empty() && !readBox(box, field)) problem = std::string("The ") + what + " box holds no number.";
    };
    read(span_, p.span, "span");
    read(rootChord_, p.rootChord, "root chord");
    read(tipChord_, p.tipChord, "tip chord");
    p.ribCount = ribCount_->value();
    p.ribSpacing = 0.0;
    if (bySpacing_->isChecked()) read(spacing_, p.ribSpacing, "rib spacing");
    if (bySpacing_->isChecked() && problem.empty() && !(p.ribSpacing > 0.0))
        problem = "The rib spacing must be a length above 0.";
    read(sweep_, p.sweep, "sweep");
    read(sparRoot_, p.sparRoot, "spar root");
    read(sparTip_, p.sparTip, "spar tip");
    read(washout_, p.washout, "washout");
    p.sparInPercent = sparPercent_->isChecked();
    p.side = static_cast<wing::WingSide>(side_->currentData().toInt());
    if (problem.empty()) problem = wing::validatePanel(p);

    const std::string tipPath = tipAirfoil_->text().trimmed().toStdString();
    if (problem.empty() && tipPath != result_.tipAirfoilPath) {
        next.tipAirfoilPath = tipPath;
        next.tipSection.clear();
        if (!tipPath.empty()) {
            // Any file Open or Import reads, or naca:DESIGNATION.
            std::string why;
            const std::optional<CoordinateFileContents> contents = readSectionOrNaca(tipPath, why);
            if (!contents) {
                problem = std::string("The tip airfoil could not be read:\n") + why;
            } else {
                for (const CoordinatePair& c : contents->drawingOrder) {
                    AirfoilPoint point;
                    point.modelX = c.modelX;
                    point.modelY = c.modelY;
                    next.tipSection.push_back(point);
                }
            }
        }
    }
    if (!problem.empty()) {
        if (platform::Dialogs* dialogs = platform::dialogs())
            dialogs->messageBox(owner_, problem, kWingDialogTitle, platform::MessageIcon::Warning);
        return;
    }
    result_ = std::move(next);
    QDialog::accept();
}

std::optional<WingSettings> runWingDialog(const WingSettings& settings, const RibProperties& document,
                                          platform::Window* owner, QWidget* parent) {
    WingDialog dialog(settings, document, owner, parent);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.settings();
}

} // namespace parvelin::dialogs
