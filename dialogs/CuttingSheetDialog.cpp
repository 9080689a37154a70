// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/CuttingSheetDialog.h"

#include <QDialogButtonBox>
#include <QCoreApplication>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressDialog>
#include <QSettings>
#include <QVBoxLayout>
#include <cmath>
#include <utility>

#include "dialogs/FormRows.h"
#include "text/NumberText.h"
#include "platform/Services.h"
#include "wing/WingFiles.h"
#include "geom/Units.h"

namespace parvelin::dialogs {
namespace {

constexpr const char* kWidthKey = "cuttingSheet/width";
constexpr const char* kHeightKey = "cuttingSheet/height";
constexpr const char* kKerfKey = "cuttingSheet/kerf";
constexpr const char* kMetricKey = "cuttingSheet/metric";

QString numberText(double value, int precision) {
    return QString::fromStdString(formatPageNumber(static_cast<float>(value), precision)).trimmed();
}

bool usableSheet(double width, double height, double kerf) {
    return std::isfinite(width) && width > 0.0 && std::isfinite(height) && height > 0.0 && std::isfinite(kerf) &&
           kerf >= 0.0 && kerf < std::min(width, height);
}

} // namespace

CuttingSheetDialog::CuttingSheetDialog(const platform::CuttingSheetSettings& offered, platform::CuttingSheetCheck check,
                                       platform::Window* owner, QWidget* parent)
    : QDialog(parent), offered_(offered), result_(offered), check_(std::move(check)), owner_(owner) {
    setWindowTitle(QString::fromUtf8(kCuttingSheetDialogTitle));
    const QString unit = QString::fromLatin1(geom::unitTraits(geom::unitOf(offered.metric)).name);
    width_ = lengthBox("sheetWidth", offered.width);
    height_ = lengthBox("sheetHeight", offered.height);
    kerf_ = lengthBox("kerf", offered.kerf);

    auto* form = new QFormLayout;
    if (offered.askSheet) {
        form->addRow(QStringLiteral("Sheet width"), unitRow({width_}, unit, this));
        form->addRow(QStringLiteral("Sheet height"), unitRow({height_}, unit, this));
    } else {
        // A single rib is cut on its own: the sheet boxes stay out of sight
        // and keep the sheet last chosen for a wing.
        setWindowTitle(QString::fromUtf8(kCutKerfDialogTitle));
        width_->hide();
        height_->hide();
    }
    form->addRow(QStringLiteral("Kerf (cut width)"), unitRow({kerf_}, unit, this));
    auto* note = new QLabel(offered.askSheet
                                ? QStringLiteral("Each rib is cut half the kerf outside its outline, so that it comes out "
                                                 "at its size; the cuts keep 2 mm apart and 2 mm from the sheet's edge. "
                                                 "More sheets are used when the ribs do not fit on one.")
                                : QStringLiteral("The outline is grown by half the kerf, so that the rib comes out "
                                                 "at its size."),
                            this);
    note->setWordWrap(true);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CuttingSheetDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CuttingSheetDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(note);
    layout->addWidget(buttons);
}

QLineEdit* CuttingSheetDialog::lengthBox(const char* name, double value) {
    auto* box = new QLineEdit(numberText(value, offered_.precision), this);
    box->setObjectName(QString::fromLatin1(name));
    box->setAlignment(Qt::AlignRight);
    box->setMaximumWidth(box->fontMetrics().horizontalAdvance(QStringLiteral("00000.0000")) + 16);
    return box;
}

bool CuttingSheetDialog::readLength(const QLineEdit* box, double offered, double& value) const {
    if (box->text() == numberText(offered, offered_.precision)) {
        value = offered;
        return true;
    }
    return readBoxNumber(box->text().toStdString(), value) == BoxText::Number;
}

void CuttingSheetDialog::refuse(QLineEdit* box, const std::string& text) {
    if (platform::Dialogs* dialogs = platform::dialogs())
        dialogs->messageBox(owner_, text, kCuttingSheetDialogTitle, platform::MessageIcon::Warning);
    box->setFocus();
    box->selectAll();
}

void CuttingSheetDialog::accept() {
    platform::CuttingSheetSettings next = offered_;
    struct Box {
        QLineEdit* box;
        double offered;
        double& value;
        const char* name;
    };
    for (const Box& b : {Box{width_, offered_.width, next.width, "sheet width"},
                         Box{height_, offered_.height, next.height, "sheet height"},
                         Box{kerf_, offered_.kerf, next.kerf, "kerf"}}) {
        if (!readLength(b.box, b.offered, b.value))
            return refuse(b.box, std::string("The ") + b.name + " box holds no number.");
    }
    if (!(next.width > 0.0) || !std::isfinite(next.width))
        return refuse(width_, "The sheet width must be a length above 0.");
    if (!(next.height > 0.0) || !std::isfinite(next.height))
        return refuse(height_, "The sheet height must be a length above 0.");
    if (!(next.kerf >= 0.0) || !std::isfinite(next.kerf))
        return refuse(kerf_, "The kerf must be a length of 0 or more.");
    // A cut as wide as the sheet leaves nothing to cut from.
    const bool heightSmaller = next.height <= next.width;
    if (offered_.askSheet && next.kerf >= std::min(next.width, next.height))
        return refuse(kerf_, std::string("The kerf must be smaller than the sheet ") +
                                 (heightSmaller ? "height." : "width."));
    if (check_) {
        if (const std::string problem = check_(next); !problem.empty())
            return refuse(offered_.askSheet ? width_ : kerf_, problem);
    }
    result_ = next;
    QDialog::accept();
}

std::optional<platform::CuttingSheetSettings> runCuttingSheetDialog(const platform::CuttingSheetSettings& offered,
                                                                    const platform::CuttingSheetCheck& check,
                                                                    platform::Window* owner, QWidget* parent) {
    CuttingSheetDialog dialog(offered, check, owner, parent);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.settings();
}

platform::CuttingSheetSettings rememberedCuttingSheet(QSettings& store, bool metric, int precision) {
    platform::CuttingSheetSettings sheet;
    sheet.metric = metric;
    sheet.precision = precision;
    const double toUnit = 1.0 / geom::millimetresPer(metric);
    sheet.width *= toUnit;
    sheet.height *= toUnit;
    if (!store.contains(QString::fromLatin1(kWidthKey))) return sheet;
    bool okWidth = false, okHeight = false, okKerf = false;
    double width = store.value(QString::fromLatin1(kWidthKey)).toDouble(&okWidth);
    double height = store.value(QString::fromLatin1(kHeightKey)).toDouble(&okHeight);
    double kerf = store.value(QString::fromLatin1(kKerfKey)).toDouble(&okKerf);
    const bool storedMetric = store.value(QString::fromLatin1(kMetricKey), true).toBool();
    if (!okWidth || !okHeight || !okKerf || !usableSheet(width, height, kerf)) return sheet;
    // Kept in the unit it was chosen in: a sheet chosen for millimetre ribs
    // comes back to them unchanged, and converted for ribs in inches.
    if (storedMetric != metric) {
        const double factor = metric ? geom::kMillimetresPerInch : 1.0 / geom::kMillimetresPerInch;
        width *= factor;
        height *= factor;
        kerf *= factor;
    }
    sheet.width = width;
    sheet.height = height;
    sheet.kerf = kerf;
    return sheet;
}

void rememberCuttingSheet(QSettings& store, const platform::CuttingSheetSettings& sheet) {
    store.setValue(QString::fromLatin1(kWidthKey), sheet.width);
    store.setValue(QString::fromLatin1(kHeightKey), sheet.height);
    store.setValue(QString::fromLatin1(kKerfKey), sheet.kerf);
    store.setValue(QString::fromLatin1(kMetricKey), sheet.metric);
}

wing::Nesting nestWithProgress(const wing::RibSet& set, wing::WingSide side, const wing::SheetSize& sheet,
                               wing::NestOptions options, QWidget* parent) {
    constexpr int kSteps = 1000;
    QProgressDialog progress(QStringLiteral("Searching for the fullest sheets..."), QStringLiteral("Cancel"), 0, kSteps,
                             parent);
    progress.setWindowTitle(QString::fromUtf8(kNestingProgressTitle));
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(300);
    options.progress = [&progress](double done) {
        progress.setValue(static_cast<int>(done * kSteps));
        QCoreApplication::processEvents();
        return !progress.wasCanceled();
    };
    wing::Nesting nesting = wing::nestSet(set, side, sheet, options);
    progress.setValue(kSteps);
    return nesting;
}

std::string yieldMessage(const wing::Nesting& nesting) {
    std::string text;
    for (std::size_t s = 0; s < nesting.sheets.size(); ++s) text += wing::sheetYieldText(nesting, s) + "\n";
    return text + wing::setYieldText(nesting) + ".";
}

} // namespace parvelin::dialogs
