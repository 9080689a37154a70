// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/LaserGcodeDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QTabWidget>
#include <QVBoxLayout>
#include <cmath>
#include <utility>

#include "dialogs/FormRows.h"
#include "dialogs/PathPreview.h"
#include "machine/ToolPath.h"
#include "platform/Services.h"
#include "text/NumberText.h"

namespace parvelin::dialogs {
namespace {

constexpr const char* kFeedKey = "laserGcode/feed";
constexpr const char* kPowerKey = "laserGcode/power";
constexpr const char* kSMaxKey = "laserGcode/sMax";
constexpr const char* kPassesKey = "laserGcode/passes";
constexpr const char* kConstantKey = "laserGcode/constantPower";

QString shown(double value) { return QString::fromStdString(machine::gcodeNumber(value)); }

// A length or a time as the summary shows it, with `decimals` decimals.
std::string rounded(double value, int decimals) {
    std::string text = formatPageNumber(static_cast<float>(value), decimals);
    text.erase(0, text.find_first_not_of(' '));
    return text;
}

double length(machine::Vec2 a, machine::Vec2 b) { return std::hypot(b.x - a.x, b.y - a.y); }

} // namespace

PathLengths pathLengths(const machine::ToolPath& path) {
    PathLengths lengths;
    machine::Vec2 at = path.start;
    for (const machine::PathMove& m : path.moves) {
        (m.kind == machine::MoveKind::Cut ? lengths.cut : lengths.travel) += length(at, m.to);
        at = m.to;
    }
    return lengths;
}

LaserGcodeDialog::LaserGcodeDialog(const machine::LaserSettings& offered, std::vector<LaserJob> jobs,
                                   std::string title, platform::Window* owner, QWidget* parent,
                                   const std::optional<HotwireOffer>& hotwire)
    : QDialog(parent), offered_(offered), result_(offered), jobs_(std::move(jobs)), title_(std::move(title)),
      owner_(owner) {
    setWindowTitle(QString::fromUtf8(kLaserGcodeDialogTitle));
    // The moves do not depend on the settings: one pass of each job is drawn.
    machine::LaserSettings drawn;
    drawn.feed = 1.0;
    for (const LaserJob& job : jobs_) paths_.push_back(machine::laserProgram(job.contours, drawn, title_).path);
    makeBoxes(offered);
    QWidget* laserPage = makeLaserPage();

    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("Write"), QDialogButtonBox::AcceptRole)->setDefault(true);
    buttons->addButton(QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &LaserGcodeDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &LaserGcodeDialog::reject);
    auto* layout = new QVBoxLayout(this);
    if (hotwire) {
        setWindowTitle(QString::fromUtf8(kGcodeDialogTitle));
        wirePage_ = new HotwireGcodePage(hotwire->settings, hotwire->sections, hotwire->cores, title_, this);
        tabs_ = new QTabWidget(this);
        tabs_->addTab(laserPage, QStringLiteral("Laser: the ribs on sheets"));
        tabs_->addTab(wirePage_, QStringLiteral("Hot wire: the foam cores"));
        layout->addWidget(tabs_, 1);
    } else {
        layout->addWidget(laserPage, 1);
    }
    layout->addWidget(buttons);

    resize(QSize(hotwire ? 1120 : 980, hotwire ? 640 : 540).expandedTo(sizeHint()));
    for (QLineEdit* box : {feed_, passes_}) connect(box, &QLineEdit::textChanged, this, &LaserGcodeDialog::updateSummary);
    showJob(0);
}

void LaserGcodeDialog::makeBoxes(const machine::LaserSettings& offered) {
    feed_ = numberBox("feed", offered.feed > 0.0 ? shown(offered.feed) : QString());
    feed_->setPlaceholderText(QStringLiteral("needed"));
    power_ = numberBox("power", shown(offered.power));
    sMax_ = numberBox("sMax", shown(offered.sMax));
    passes_ = numberBox("passes", QString::number(offered.passes));
    constant_ = new QCheckBox(QStringLiteral("Constant power (M3 instead of M4)"), this);
    constant_->setObjectName(QStringLiteral("constantPower"));
    constant_->setChecked(offered.constantPower);
}

QWidget* LaserGcodeDialog::makeLaserPage() {
    auto* page = new QWidget(this);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Feed"), unitRow({feed_}, QStringLiteral("mm/min"), this));
    form->addRow(QStringLiteral("Power"), unitRow({power_}, QStringLiteral("% of the maximum S"), this));
    form->addRow(QStringLiteral("Maximum S"), unitRow({sMax_}, QStringLiteral("($30 in GRBL)"), this));
    form->addRow(QStringLiteral("Passes"), unitRow({passes_}, QString(), this));
    form->addRow(QString(), constant_);
    QWidget* settings = settingsColumn(form,
                                       QStringLiteral("Millimetres, absolute positions. The beam is off on every "
                                                      "travel move; holes are cut before the outline round them; "
                                                      "the file ends with M5 and a return to X0 Y0."),
                                       340, page);

    // The preview: the path over the sheet, with a choice of sheet for a wing.
    preview_ = new PathPreview(this);
    preview_->setObjectName(QStringLiteral("preview"));
    preview_->setMinimumSize(560, 320);
    auto* legend = new QLabel(QStringLiteral("Red: cutting, beam on. Grey dashes: travel, beam off."), this);
    summary_ = new QLabel(this);
    summary_->setObjectName(QStringLiteral("summary"));
    summary_->setWordWrap(true);
    QStringList sheets;
    for (std::size_t k = 0; k < jobs_.size(); ++k) sheets << QStringLiteral("Sheet %1 of %2").arg(k + 1).arg(jobs_.size());
    QVBoxLayout* right = previewColumn(QStringLiteral("Preview of"), sheets, sheet_, preview_, {legend, summary_}, this);
    if (sheet_) {
        sheet_->setObjectName(QStringLiteral("sheet"));
        connect(sheet_, &QComboBox::currentIndexChanged, this, &LaserGcodeDialog::showJob);
    }

    auto* columns = new QHBoxLayout(page);
    columns->addWidget(settings);
    columns->addLayout(right, 1);
    return page;
}

bool LaserGcodeDialog::previewShown() const { return preview_->valid(); }

QLineEdit* LaserGcodeDialog::numberBox(const char* name, const QString& text) {
    auto* box = new QLineEdit(text, this);
    box->setObjectName(QString::fromLatin1(name));
    box->setAlignment(Qt::AlignRight);
    box->setMaximumWidth(box->fontMetrics().horizontalAdvance(QStringLiteral("0000000.000")) + 16);
    return box;
}

void LaserGcodeDialog::showJob(int index) {
    if (index < 0 || index >= static_cast<int>(jobs_.size())) return;
    shown_ = index;
    const LaserJob& job = jobs_[static_cast<std::size_t>(index)];
    const std::string title = job.name.empty() ? title_ : title_ + ", " + job.name;
    svg_ = machine::laserPreviewSvg(paths_[static_cast<std::size_t>(index)], job.area, title);
    preview_->load(svg_);
    if (sheet_ != nullptr && sheet_->currentIndex() != index) sheet_->setCurrentIndex(index);
    updateSummary();
}

void LaserGcodeDialog::updateSummary() {
    if (paths_.empty()) return;
    const machine::ToolPath& path = paths_[static_cast<std::size_t>(shown_)];
    const PathLengths lengths = pathLengths(path);
    double feed = 0.0, passes = 1.0;
    const bool feedRead = readBoxNumber(feed_->text().toStdString(), feed) == BoxText::Number && feed > 0.0;
    if (readBoxNumber(passes_->text().toStdString(), passes) != BoxText::Number || !(passes >= 1.0)) passes = 1.0;
    const double cut = lengths.cut * std::floor(passes);
    const std::size_t contours = jobs_[static_cast<std::size_t>(shown_)].contours.size();
    QString text = QStringLiteral("%1 %2; cutting %3 mm, travel %4 mm")
                       .arg(contours)
                       .arg(contours == 1 ? QStringLiteral("contour") : QStringLiteral("contours"))
                       .arg(QString::fromStdString(rounded(cut, 0)))
                       .arg(QString::fromStdString(rounded(lengths.travel, 0)));
    if (feedRead && std::isfinite(feed))
        text += QStringLiteral(", about %1 min at the feed").arg(QString::fromStdString(rounded(cut / feed, 1)));
    summary_->setText(text + QStringLiteral("."));
}

QLineEdit* LaserGcodeDialog::readBoxes(machine::LaserSettings& s) const {
    double passes = 0.0;
    struct Box {
        QLineEdit* box;
        double& value;
    };
    for (const Box& b : {Box{feed_, s.feed}, Box{power_, s.power}, Box{sMax_, s.sMax}, Box{passes_, passes}}) {
        const BoxText read = readBoxNumber(b.box->text().toStdString(), b.value);
        // An empty feed box is no feed, which the settings' check names.
        if (read == BoxText::Empty && b.box == feed_) b.value = 0.0;
        else if (read != BoxText::Number) return b.box;
    }
    // A fraction of a pass is as wrong as too many.
    s.passes = passes == std::floor(passes) && std::fabs(passes) < 1e6 ? static_cast<int>(passes) : 0;
    s.constantPower = constant_->isChecked();
    return nullptr;
}

void LaserGcodeDialog::accept() {
    if (tabs_ != nullptr && tabs_->currentWidget() == wirePage_) {
        GcodeChoice wire;
        wire.hotwire = true;
        QLineEdit* wrong = nullptr;
        if (const std::string problem = wirePage_->check(wire.wire, wire.programs, wrong); !problem.empty()) {
            if (platform::Dialogs* dialogs = platform::dialogs())
                dialogs->messageBox(owner_, problem, windowTitle().toStdString(), platform::MessageIcon::Warning);
            if (wrong != nullptr) {
                wrong->setFocus();
                wrong->selectAll();
            }
            return;
        }
        choice_ = std::move(wire);
        QDialog::accept();
        return;
    }
    machine::LaserSettings next = offered_;
    QLineEdit* wrong = readBoxes(next);
    std::string problem;
    if (wrong != nullptr) {
        problem = "The " + std::string(wrong == feed_ ? "feed" : wrong == power_ ? "power" : wrong == sMax_ ? "maximum S" : "passes") +
                  " box holds no number.";
    } else if (const machine::SettingProblem bad = machine::laserSettingsProblem(next)) {
        problem = bad.message;
        wrong = bad.setting == "feed" ? feed_ : bad.setting == "power" ? power_ : bad.setting == "s-max" ? sMax_ : passes_;
    }
    if (!problem.empty()) {
        if (platform::Dialogs* dialogs = platform::dialogs())
            dialogs->messageBox(owner_, problem, windowTitle().toStdString(), platform::MessageIcon::Warning);
        wrong->setFocus();
        wrong->selectAll();
        return;
    }
    result_ = next;
    choice_ = GcodeChoice{};
    choice_.laser = next;
    QDialog::accept();
}

std::optional<machine::LaserSettings> runLaserGcodeDialog(const machine::LaserSettings& offered,
                                                          std::vector<LaserJob> jobs, const std::string& title,
                                                          platform::Window* owner, QWidget* parent) {
    LaserGcodeDialog dialog(offered, std::move(jobs), title, owner, parent);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.settings();
}

std::optional<GcodeChoice> runGcodeDialog(const machine::LaserSettings& offered, std::vector<LaserJob> jobs,
                                          const std::string& title, const std::optional<HotwireOffer>& hotwire,
                                          platform::Window* owner, QWidget* parent) {
    LaserGcodeDialog dialog(offered, std::move(jobs), title, owner, parent, hotwire);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.choice();
}

machine::LaserSettings rememberedLaserSettings(QSettings& store) {
    machine::LaserSettings remembered;
    if (!store.contains(QString::fromLatin1(kPowerKey))) return remembered;
    machine::LaserSettings s;
    bool ok[4] = {};
    s.feed = store.value(QString::fromLatin1(kFeedKey)).toDouble(&ok[0]);
    s.power = store.value(QString::fromLatin1(kPowerKey)).toDouble(&ok[1]);
    s.sMax = store.value(QString::fromLatin1(kSMaxKey)).toDouble(&ok[2]);
    s.passes = store.value(QString::fromLatin1(kPassesKey)).toInt(&ok[3]);
    s.constantPower = store.value(QString::fromLatin1(kConstantKey), false).toBool();
    // Only settings a file was written with are kept; anything else is ignored.
    if (!ok[0] || !ok[1] || !ok[2] || !ok[3] || machine::laserSettingsProblem(s)) return remembered;
    return s;
}

void rememberLaserSettings(QSettings& store, const machine::LaserSettings& s) {
    store.setValue(QString::fromLatin1(kFeedKey), s.feed);
    store.setValue(QString::fromLatin1(kPowerKey), s.power);
    store.setValue(QString::fromLatin1(kSMaxKey), s.sMax);
    store.setValue(QString::fromLatin1(kPassesKey), s.passes);
    store.setValue(QString::fromLatin1(kConstantKey), s.constantPower);
}

} // namespace parvelin::dialogs
