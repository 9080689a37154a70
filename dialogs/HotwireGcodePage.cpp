// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/HotwireGcodePage.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSettings>
#include <QVBoxLayout>
#include <cmath>
#include <utility>

#include "dialogs/FormRows.h"
#include "dialogs/PathPreview.h"
#include "machine/ToolPathSvg.h"
#include "text/NumberText.h"

namespace parvelin::dialogs {
namespace {

constexpr const char* kKeys[] = {"hotwireGcode/feed",  "hotwireGcode/towerDistance", "hotwireGcode/panelOffset",
                                 "hotwireGcode/kerfRoot", "hotwireGcode/kerfTip",   "hotwireGcode/travelX",
                                 "hotwireGcode/travelY",  "hotwireGcode/heat"};
constexpr const char* kAxesKey = "hotwireGcode/axes";

QString shown(double value) {
    return std::isfinite(value) && value != 0.0 ? QString::fromStdString(machine::gcodeNumber(value)) : QString();
}

// The settings' lengths in the order of kKeys.
std::vector<double*> fields(machine::HotwireSettings& s) {
    return {&s.feed, &s.towerDistance, &s.panelOffset, &s.kerfRoot, &s.kerfTip, &s.travelX, &s.travelY, &s.heat};
}

} // namespace

HotwireGcodePage::HotwireGcodePage(const machine::HotwireSettings& offered, machine::CoreSections sections,
                                   std::vector<HotwireCore> cores, std::string title, QWidget* parent)
    : QWidget(parent), sections_(std::move(sections)), cores_(std::move(cores)), title_(std::move(title)) {
    makeBoxes(offered);
    QWidget* settings = settingsColumn(form(),
                                       QStringLiteral("One core a panel. Root and tip are matched point for point "
                                                      "and projected out to the towers; the wire comes down behind "
                                                      "the trailing edge and keeps half the kerf off the core at "
                                                      "each end."),
                                       380, this);
    preview_ = new PathPreview(this);
    preview_->setObjectName(QStringLiteral("wirePreview"));
    preview_->setMinimumSize(520, 300);
    summary_ = new QLabel(this);
    summary_->setObjectName(QStringLiteral("wireSummary"));
    summary_->setWordWrap(true);
    auto* legend = new QLabel(QStringLiteral("Red: the left tower's path. Blue: the right tower's. Grey dashes: "
                                             "travel. Grey frame: the machine's travel."),
                              this);
    legend->setWordWrap(true);
    QStringList panels;
    for (const HotwireCore& c : cores_) panels << QString::fromStdString(c.name) + QStringLiteral(" panel");
    QVBoxLayout* right = previewColumn(QStringLiteral("Preview of the"), panels, core_, preview_, {legend, summary_}, this);
    if (core_) {
        core_->setObjectName(QStringLiteral("core"));
        connect(core_, &QComboBox::currentIndexChanged, this, &HotwireGcodePage::showCore);
    }
    auto* columns = new QHBoxLayout(this);
    columns->addWidget(settings);
    columns->addLayout(right, 1);
    for (QLineEdit* b : {feed_, towers_, offset_, kerfRoot_, kerfTip_, axes_, travelX_, travelY_, heat_})
        connect(b, &QLineEdit::editingFinished, this, &HotwireGcodePage::refresh);
    refresh();
}

void HotwireGcodePage::makeBoxes(const machine::HotwireSettings& offered) {
    auto number = [](double value) { return QString::fromStdString(machine::gcodeNumber(value)); };
    feed_ = box("wireFeed", shown(offered.feed));
    feed_->setPlaceholderText(QStringLiteral("needed"));
    towers_ = box("towerDistance", shown(offered.towerDistance));
    towers_->setPlaceholderText(QStringLiteral("needed"));
    offset_ = box("panelOffset", std::isnan(offered.panelOffset) ? QString() : number(offered.panelOffset));
    offset_->setPlaceholderText(QStringLiteral("centred"));
    kerfRoot_ = box("kerfRoot", number(offered.kerfRoot));
    kerfTip_ = box("kerfTip", number(offered.kerfTip));
    axes_ = box("axes", QString::fromStdString(offered.axes));
    travelX_ = box("travelX", shown(offered.travelX));
    travelY_ = box("travelY", shown(offered.travelY));
    heat_ = box("heat", number(offered.heat));
}

QFormLayout* HotwireGcodePage::form() {
    auto* form = new QFormLayout;
    const QString mm = QStringLiteral("mm");
    form->addRow(QStringLiteral("Feed (faster end)"), unitRow({feed_}, QStringLiteral("mm/min"), this));
    form->addRow(QStringLiteral("Tower distance"), unitRow({towers_}, mm, this));
    form->addRow(QStringLiteral("Panel from left tower"), unitRow({offset_}, mm, this));
    form->addRow(QStringLiteral("Kerf at the root"), unitRow({kerfRoot_}, mm, this));
    form->addRow(QStringLiteral("Kerf at the tip"), unitRow({kerfTip_}, mm, this));
    form->addRow(QStringLiteral("Axes"), unitRow({axes_}, QStringLiteral("left tower, then right"), this));
    form->addRow(QStringLiteral("Travel, chordwise"), unitRow({travelX_}, mm, this));
    form->addRow(QStringLiteral("Travel, up"), unitRow({travelY_}, mm, this));
    form->addRow(QStringLiteral("Heat (M3)"), unitRow({heat_}, QStringLiteral("% (0: set at the machine)"), this));
    return form;
}

QLineEdit* HotwireGcodePage::box(const char* name, const QString& text) {
    auto* b = new QLineEdit(text, this);
    b->setObjectName(QString::fromLatin1(name));
    b->setAlignment(Qt::AlignRight);
    const int wide = b->fontMetrics().horizontalAdvance(QStringLiteral("0000000.000")) + 16;
    b->setMinimumWidth(wide * 2 / 3);
    b->setMaximumWidth(wide);
    return b;
}

std::string HotwireGcodePage::check(machine::HotwireSettings& s, std::vector<machine::HotwireProgram>& programs,
                                    QLineEdit*& wrong) const {
    programs.clear();
    const std::vector<QLineEdit*> boxes{feed_, towers_, offset_, kerfRoot_, kerfTip_, travelX_, travelY_, heat_};
    const char* names[] = {"feed", "tower distance", "panel offset", "root's kerf", "tip's kerf",
                           "chordwise travel", "upward travel", "heat"};
    const std::vector<double*> values = fields(s);
    for (std::size_t k = 0; k < boxes.size(); ++k) {
        const BoxText read = readBoxNumber(boxes[k]->text().toStdString(), *values[k]);
        // Empty: no feed or towers (which the check names), a centred panel, no kerf or heat.
        if (read == BoxText::Empty)
            *values[k] = boxes[k] == offset_ ? std::nan("") : 0.0;
        else if (read != BoxText::Number) {
            wrong = boxes[k];
            return std::string("The ") + names[k] + " box holds no number.";
        }
    }
    s.axes = axes_->text().trimmed().toUpper().toStdString();
    if (const machine::SettingProblem problem = machine::hotwireSettingsProblem(s, sections_.span)) {
        const std::string& n = problem.setting;
        wrong = n == "feed"             ? feed_
                : n == "tower-distance" ? towers_
                : n == "panel-offset"   ? offset_
                : n == "kerf"           ? (s.kerfRoot >= 0.0 && s.kerfRoot <= 100.0 ? kerfTip_ : kerfRoot_)
                : n == "axes"           ? axes_
                : n == "travel"         ? travelX_
                : n == "heat"           ? heat_
                                        : feed_;
        return problem.message;
    }
    for (const HotwireCore& c : cores_) {
        programs.push_back(machine::hotwireProgram(sections_, s, c.rootAtLeft, title_ + ", " + c.name + " panel"));
        if (!programs.back().error.empty()) {
            wrong = travelX_;
            std::string error = programs.back().error;
            programs.clear();
            return error;
        }
    }
    wrong = nullptr;
    return {};
}

void HotwireGcodePage::showCore(int index) {
    if (index < 0 || index >= static_cast<int>(cores_.size())) return;
    shown_ = index;
    if (core_ != nullptr && core_->currentIndex() != index) core_->setCurrentIndex(index);
    refresh();
}

void HotwireGcodePage::refresh() {
    // The picture follows the settings: it is drawn again whenever a box is left.
    machine::HotwireSettings s;
    std::vector<machine::HotwireProgram> programs;
    QLineEdit* wrong = nullptr;
    const std::string problem = check(s, programs, wrong);
    if (!problem.empty()) {
        svg_.clear();
        preview_->load(svg_);
        summary_->setText(QString::fromStdString(problem));
        return;
    }
    const machine::HotwireProgram& program = programs[static_cast<std::size_t>(shown_)];
    const HotwireCore& c = cores_[static_cast<std::size_t>(shown_)];
    svg_ = machine::hotwirePreviewSvg(program.path, machine::PreviewArea{s.travelX, s.travelY},
                                      title_ + ", " + c.name + " panel");
    preview_->load(svg_);
    std::size_t cuts = 0;
    for (const machine::PathMove& m : program.path.moves) cuts += m.kind == machine::MoveKind::Cut;
    summary_->setText(QStringLiteral("Span %1 mm; the root %2 mm and the tip %3 mm from the left tower; "
                                     "%4 cutting moves for each end.")
                          .arg(QString::fromStdString(machine::gcodeNumber(sections_.span)))
                          .arg(QString::fromStdString(machine::gcodeNumber(program.rootZ)))
                          .arg(QString::fromStdString(machine::gcodeNumber(program.tipZ)))
                          .arg(cuts));
}

machine::HotwireSettings rememberedHotwireSettings(QSettings& store) {
    machine::HotwireSettings s;
    if (!store.contains(QString::fromLatin1(kKeys[1]))) return s;
    machine::HotwireSettings stored;
    const std::vector<double*> values = fields(stored);
    for (std::size_t k = 0; k < values.size(); ++k) {
        bool ok = false;
        *values[k] = store.value(QString::fromLatin1(kKeys[k])).toDouble(&ok);
        // A centred panel is kept as no number.
        if (!ok) *values[k] = std::nan("");
        if (!ok && k != 2) return s;
    }
    stored.axes = store.value(QString::fromLatin1(kAxesKey)).toString().toStdString();
    // Only settings a file could be written with are offered again; the span
    // is not known here, so none is asked of the towers.
    if (machine::hotwireSettingsProblem(stored, 0.0)) return s;
    return stored;
}

void rememberHotwireSettings(QSettings& store, const machine::HotwireSettings& s) {
    machine::HotwireSettings copy = s;
    const std::vector<double*> values = fields(copy);
    for (std::size_t k = 0; k < values.size(); ++k)
        store.setValue(QString::fromLatin1(kKeys[k]), std::isnan(*values[k]) ? QVariant(QString()) : QVariant(*values[k]));
    store.setValue(QString::fromLatin1(kAxesKey), QString::fromStdString(s.axes));
}

} // namespace parvelin::dialogs
