#include "dialogs/PropertyPage.h"

#include <QGridLayout>

#include <QCheckBox>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>

#include "dialogs/StylePictures.h"
#include "text/NumberText.h"

namespace parvelin::dialogs {

PropertyPage::PropertyPage(SheetCopies copies, int pageId, QWidget* parent) : QWidget(parent), copies_(copies) {
    setObjectName(pageName(pageId));
}

QLineEdit* PropertyPage::makeLengthBox(int id) {
    auto* box = new QLineEdit(this);
    box->setObjectName(controlName(id));
    box->setAlignment(Qt::AlignRight);
    // Room for a length of some thousands with four decimals.
    const int width = box->fontMetrics().horizontalAdvance(QStringLiteral("00000.0000")) + 16;
    box->setMinimumWidth(width);
    box->setMaximumWidth(width + 20);
    return box;
}

QCheckBox* PropertyPage::makeCheckBox(int id, const char* text, bool threeState) {
    auto* box = new QCheckBox(QString::fromUtf8(text), this);
    box->setObjectName(controlName(id));
    box->setTristate(threeState);
    return box;
}

QLabel* PropertyPage::makeUnitLabel(int id, const char* text) {
    auto* label = new QLabel(QString::fromUtf8(text), this);
    label->setObjectName(controlName(id));
    // Wide enough for "inches" whatever the label holds when laid out.
    label->setMinimumWidth(label->fontMetrics().horizontalAdvance(QStringLiteral("inches")) + 4);
    return label;
}

QLabel* PropertyPage::makeLabel(const char* text) { return new QLabel(QString::fromUtf8(text), this); }

QLabel* PropertyPage::makePicture(StylePicture picture, QSize size) {
    auto* label = new QLabel(this);
    label->setObjectName(pictureName(static_cast<int>(picture)));
    label->setPixmap(renderStylePicture(picture, size));
    label->setFrameShape(QFrame::Panel);
    label->setFrameShadow(QFrame::Sunken);
    label->setLineWidth(1);
    label->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    return label;
}

int PropertyPage::addPictureRows(QGridLayout* grid, std::initializer_list<PictureRow> rows, QSize pictureSize) {
    int row = 0;
    for (const PictureRow& r : rows) {
        grid->addWidget(makePicture(r.picture, pictureSize), row, 0);
        grid->addWidget(r.box, row, 1);
        onClick(r.box, r.id);
        ++row;
    }
    return row;
}

void PropertyPage::onClick(QCheckBox* box, int id) {
    connect(box, &QCheckBox::clicked, this, [this, id] { command(id); });
}

QString PropertyPage::unitText(const RibProperties& properties) {
    return properties.metric == 1 ? QStringLiteral("mm") : QStringLiteral("inches");
}

void PropertyPage::showLength(QLineEdit* box, float value, int precision) {
    box->setText(QString::fromStdString(formatPageNumber(value, precision)));
}

void PropertyPage::storeLength(const QLineEdit* box, float& field) {
    readPageNumber(box->text().toStdString(), field);
}

void PropertyPage::setState(std::initializer_list<QCheckBox*> boxes, Qt::CheckState state) {
    for (QCheckBox* box : boxes) box->setCheckState(state);
}

void PropertyPage::storeStyle(std::initializer_list<StyleButton> order, std::int32_t& field) {
    for (const StyleButton& button : order)
        if (button.box->checkState() == Qt::Checked) field = button.code;
}

} // namespace parvelin::dialogs
