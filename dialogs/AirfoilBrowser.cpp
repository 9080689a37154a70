// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/AirfoilBrowser.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QDoubleSpinBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "dialogs/SectionPicture.h"

namespace parvelin::dialogs {
namespace {

constexpr const char* kLastFolderKey = "airfoilBrowser/lastFolder";
constexpr int kEntryRole = Qt::UserRole;
const QSize kDrawingSize(120, 36);

enum Column { DrawingColumn, NameColumn, FileColumn, PointsColumn, ThicknessColumn, CamberColumn, ColumnCount };

QSettings userSettings() { return QSettings(QStringLiteral("Parvelin"), QStringLiteral("Parvelin")); }

QString percentAt(double value, double at) {
    return QStringLiteral("%1 % at %2 %").arg(100.0 * value, 0, 'f', 1).arg(100.0 * at, 0, 'f', 0);
}

// A label whose mnemonic moves the focus to `buddy`.
QLabel* buddyLabel(const QString& text, QWidget* buddy, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setBuddy(buddy);
    return label;
}

QString cleanFolder(const QString& folder) { return QDir::cleanPath(QFileInfo(folder).absoluteFilePath()); }

// A table item that sorts by a number rather than by its text.
class NumberItem : public QTreeWidgetItem {
public:
    using QTreeWidgetItem::QTreeWidgetItem;
    bool operator<(const QTreeWidgetItem& other) const override {
        const int column = treeWidget() ? treeWidget()->sortColumn() : 0;
        const QVariant a = data(column, Qt::UserRole + 1);
        const QVariant b = other.data(column, Qt::UserRole + 1);
        if (a.isValid() && b.isValid()) return a.toDouble() < b.toDouble();
        if (a.isValid() != b.isValid()) return a.isValid();
        return text(column).toLower() < other.text(column).toLower();
    }
};

} // namespace

QString shippedAirfoilsFolder() {
    const QStringList candidates{
        QCoreApplication::applicationDirPath() + QStringLiteral("/../share/parvelin/airfoils"),
        QStringLiteral(PARVELIN_SHIPPED_AIRFOILS_DIR),
    };
    for (const QString& candidate : candidates)
        if (QFileInfo(candidate).isDir()) return cleanFolder(candidate);
    return {};
}

AirfoilBrowser::AirfoilBrowser(BrowserMode mode, QWidget* parent) : QDialog(parent), mode_(mode) {
    setWindowTitle(QString::fromUtf8(mode == BrowserMode::Open ? kAirfoilBrowserTitle : kTipAirfoilBrowserTitle));
    QPushButton* other = makeFilters();
    makeList();
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Cancel, this);
    choose_ = buttons->addButton(mode == BrowserMode::Open ? QStringLiteral("&Open") : QStringLiteral("&Use as Tip"),
                                 QDialogButtonBox::AcceptRole);
    choose_->setObjectName(QStringLiteral("choose"));
    connect(buttons, &QDialogButtonBox::accepted, this, &AirfoilBrowser::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &AirfoilBrowser::reject);
    layOut(other, buttons);
    resize(860, 560);
    connectControls(other);
    showStartFolder();
    updateButtons();
}

QPushButton* AirfoilBrowser::makeFilters() {
    folders_ = new QComboBox(this);
    folders_->setObjectName(QStringLiteral("folders"));
    folders_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    folders_->setMinimumContentsLength(40);
    auto* other = new QPushButton(QStringLiteral("&Folder..."), this);
    other->setObjectName(QStringLiteral("otherFolder"));
    search_ = new QLineEdit(this);
    search_->setObjectName(QStringLiteral("search"));
    search_->setPlaceholderText(QStringLiteral("name or file"));
    search_->setClearButtonEnabled(true);
    minThickness_ = new QDoubleSpinBox(this);
    minThickness_->setObjectName(QStringLiteral("minThickness"));
    maxThickness_ = new QDoubleSpinBox(this);
    maxThickness_->setObjectName(QStringLiteral("maxThickness"));
    for (QDoubleSpinBox* box : {minThickness_, maxThickness_}) {
        box->setRange(0.0, 100.0);
        box->setDecimals(1);
        box->setSingleStep(1.0);
        box->setSuffix(QStringLiteral(" %"));
    }
    maxThickness_->setValue(100.0);
    return other;
}

void AirfoilBrowser::makeList() {
    list_ = new QTreeWidget(this);
    list_->setObjectName(QStringLiteral("airfoils"));
    list_->setColumnCount(ColumnCount);
    list_->setHeaderLabels({QStringLiteral("Section"), QStringLiteral("Name"), QStringLiteral("File"),
                            QStringLiteral("Points"), QStringLiteral("Thickness"), QStringLiteral("Camber")});
    list_->setRootIsDecorated(false);
    list_->setUniformRowHeights(true);
    list_->setIconSize(kDrawingSize);
    list_->setSortingEnabled(true);
    list_->sortByColumn(FileColumn, Qt::AscendingOrder);
    list_->setAlternatingRowColors(true);
    list_->header()->setSectionResizeMode(NameColumn, QHeaderView::Stretch);
    list_->header()->setStretchLastSection(false);
    list_->setColumnWidth(DrawingColumn, kDrawingSize.width() + 16);
    list_->setColumnWidth(FileColumn, 150);
    list_->setColumnWidth(PointsColumn, 60);
    list_->setColumnWidth(ThicknessColumn, 120);
    list_->setColumnWidth(CamberColumn, 120);
    status_ = new QLabel(this);
    status_->setObjectName(QStringLiteral("status"));
}

void AirfoilBrowser::layOut(QPushButton* otherFolder, QDialogButtonBox* buttons) {
    auto* top = new QHBoxLayout;
    top->addWidget(buddyLabel(QStringLiteral("Fol&der"), folders_, this));
    top->addWidget(folders_, 1);
    top->addWidget(otherFolder);
    auto* filter = new QHBoxLayout;
    filter->addWidget(buddyLabel(QStringLiteral("&Search"), search_, this));
    filter->addWidget(search_, 1);
    filter->addWidget(buddyLabel(QStringLiteral("&Thickness from"), minThickness_, this));
    filter->addWidget(minThickness_);
    filter->addWidget(new QLabel(QStringLiteral("to"), this));
    filter->addWidget(maxThickness_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(filter);
    layout->addWidget(list_, 1);
    layout->addWidget(status_);
    layout->addWidget(buttons);
}

void AirfoilBrowser::connectControls(QPushButton* otherFolder) {
    connect(otherFolder, &QPushButton::clicked, this, &AirfoilBrowser::chooseFolder);
    connect(search_, &QLineEdit::textChanged, this, &AirfoilBrowser::applyFilter);
    connect(minThickness_, &QDoubleSpinBox::valueChanged, this, &AirfoilBrowser::applyFilter);
    connect(maxThickness_, &QDoubleSpinBox::valueChanged, this, &AirfoilBrowser::applyFilter);
    connect(list_, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item) {
        list_->setCurrentItem(item);
        accept();
    });
    connect(list_, &QTreeWidget::currentItemChanged, this, &AirfoilBrowser::updateButtons);
    connect(folders_, &QComboBox::activated, this, [this](int index) { showFolder(folders_->itemData(index).toString()); });
}

void AirfoilBrowser::showStartFolder() {
    // The shipped airfoils first, then the folder shown last time.
    const QString shipped = shippedAirfoilsFolder();
    if (!shipped.isEmpty()) folders_->addItem(QStringLiteral("Shipped airfoils (%1)").arg(shipped), shipped);
    const QString last = userSettings().value(kLastFolderKey).toString();
    if (!last.isEmpty() && QFileInfo(last).isDir())
        showFolder(last);
    else if (!shipped.isEmpty())
        showFolder(shipped);
}

void AirfoilBrowser::showFolder(const QString& folder) {
    folder_ = cleanFolder(folder);
    int index = folders_->findData(folder_);
    if (index < 0) {
        folders_->addItem(folder_, folder_);
        index = folders_->count() - 1;
    }
    folders_->setCurrentIndex(index);
    userSettings().setValue(kLastFolderKey, folder_);

    listing_ = listAirfoilFolder(folder_.toStdString());
    list_->setSortingEnabled(false);
    list_->clear();
    for (std::size_t i = 0; i < listing_.entries.size(); ++i) {
        const AirfoilEntry& entry = listing_.entries[i];
        auto* item = new NumberItem(list_);
        item->setData(DrawingColumn, kEntryRole, static_cast<qulonglong>(i));
        item->setText(FileColumn, QString::fromStdString(entry.fileName));
        item->setToolTip(FileColumn, QString::fromStdString(entry.path));
        if (!entry.readable) {
            // What the reader said, in place of the name.
            item->setText(NameColumn, QStringLiteral("Cannot be read: ") + QString::fromStdString(entry.error));
            item->setForeground(NameColumn, QColor(170, 0, 0));
            item->setToolTip(NameColumn, QString::fromStdString(entry.error));
            continue;
        }
        item->setIcon(DrawingColumn, QIcon(sectionPixmap(entry.drawingOrder, kDrawingSize)));
        // Names are UTF-8 or, in older files, Latin-1 bytes.
        QString name = QString::fromUtf8(entry.name);
        if (name.contains(QChar::ReplacementCharacter)) name = QString::fromLatin1(entry.name);
        item->setText(NameColumn, name.trimmed());
        item->setText(PointsColumn, QString::number(entry.drawingOrder.size()));
        item->setData(PointsColumn, Qt::UserRole + 1, static_cast<double>(entry.drawingOrder.size()));
        item->setTextAlignment(PointsColumn, Qt::AlignRight | Qt::AlignVCenter);
        if (entry.measure) {
            item->setText(ThicknessColumn, percentAt(entry.measure->thickness, entry.measure->thicknessAt));
            item->setData(ThicknessColumn, Qt::UserRole + 1, entry.measure->thickness);
            item->setText(CamberColumn, percentAt(entry.measure->camber, entry.measure->camberAt));
            item->setData(CamberColumn, Qt::UserRole + 1, entry.measure->camber);
        }
    }
    list_->setSortingEnabled(true);
    applyFilter();
}

void AirfoilBrowser::chooseFolder() {
    const QString chosen = QFileDialog::getExistingDirectory(this, QStringLiteral("Airfoil Folder"), folder_);
    if (!chosen.isEmpty()) showFolder(chosen);
}

const AirfoilEntry* AirfoilBrowser::entryOf(const QTreeWidgetItem* item) const {
    if (item == nullptr) return nullptr;
    const auto index = item->data(DrawingColumn, kEntryRole).toULongLong();
    return index < listing_.entries.size() ? &listing_.entries[index] : nullptr;
}

void AirfoilBrowser::applyFilter() {
    const std::string search = search_->text().trimmed().toStdString();
    const double from = minThickness_->value() / 100.0;
    const double to = maxThickness_->value() / 100.0;
    int shown = 0;
    int unreadable = 0;
    for (int i = 0; i < list_->topLevelItemCount(); ++i) {
        QTreeWidgetItem* item = list_->topLevelItem(i);
        const AirfoilEntry* entry = entryOf(item);
        const bool show = entry != nullptr && airfoilEntryMatches(*entry, search, from, to);
        item->setHidden(!show);
        if (show) ++shown;
        if (show && !entry->readable) ++unreadable;
    }
    QString text;
    if (!listing_.folderRead)
        text = QStringLiteral("The folder cannot be read: %1").arg(QString::fromStdString(listing_.error));
    else
        text = QStringLiteral("%1 of %2 files shown").arg(shown).arg(listing_.entries.size());
    if (unreadable > 0) text += QStringLiteral(", %1 cannot be read").arg(unreadable);
    status_->setText(text);
    updateButtons();
}

int AirfoilBrowser::shownCount() const {
    int shown = 0;
    for (int i = 0; i < list_->topLevelItemCount(); ++i)
        if (!list_->topLevelItem(i)->isHidden()) ++shown;
    return shown;
}

void AirfoilBrowser::updateButtons() {
    const QTreeWidgetItem* item = list_->currentItem();
    const AirfoilEntry* entry = item && !item->isHidden() ? entryOf(item) : nullptr;
    choose_->setEnabled(entry != nullptr && entry->readable);
}

void AirfoilBrowser::accept() {
    const QTreeWidgetItem* item = list_->currentItem();
    const AirfoilEntry* entry = item && !item->isHidden() ? entryOf(item) : nullptr;
    if (entry == nullptr || !entry->readable) return;
    chosen_ = QString::fromStdString(entry->path);
    QDialog::accept();
}

std::optional<QString> runAirfoilBrowser(BrowserMode mode, QWidget* parent) {
    AirfoilBrowser browser(mode, parent);
    if (browser.exec() != QDialog::Accepted) return std::nullopt;
    return browser.chosenPath();
}

} // namespace parvelin::dialogs
