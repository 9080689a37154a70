// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/PropertyPage.h"

#include <QGridLayout>

#include <QCheckBox>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <cstring>

#include "dialogs/StylePictures.h"
#include "document/PropertyChecks.h"
#include "document/RibPropertyFields.h"
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

bool PropertyPage::readLengths(std::initializer_list<LengthBox> boxes, RibProperties& into) {
    auto say = [this](const LengthBox& length, const std::string& text) {
        complain(length.box, QString::fromUtf8(length.message ? length.message : text.c_str()));
        return false;
    };
    for (const LengthBox& length : boxes) {
        float value = 0.0f;
        switch (readBoxNumber(length.box->text().toStdString(), value)) {
        case BoxText::Empty: break;
        case BoxText::Number: into.*length.field = value; break;
        case BoxText::NotANumber:
            if (!length.box->isEnabled()) break;
            return say(length, "\"" + std::string(length.label) + "\" is not a number.");
        }
    }
    for (const PropertyProblem& problem : checkRibProperties(into)) {
        for (const LengthBox& length : boxes) {
            for (const RibPropertyField& field : ribPropertyFields())
                if (!field.isInteger && field.real == length.field && std::strcmp(field.name, problem.field) == 0)
                    return say(length, problem.messageFor(length.label));
        }
    }
    return true;
}

void PropertyPage::complain(QLineEdit* box, const QString& text) {
    auto* message = new QMessageBox(QMessageBox::Warning, QString::fromUtf8(kSheetCaption), text, QMessageBox::Ok, this);
    message->setAttribute(Qt::WA_DeleteOnClose);
    connect(message, &QMessageBox::finished, box, [box] {
        box->setFocus();
        box->selectAll();
    });
    message->open();
}

void PropertyPage::setState(std::initializer_list<QCheckBox*> boxes, Qt::CheckState state) {
    for (QCheckBox* box : boxes) box->setCheckState(state);
}

void PropertyPage::storeStyle(std::initializer_list<StyleButton> order, std::int32_t& field) {
    for (const StyleButton& button : order)
        if (button.box->checkState() == Qt::Checked) field = button.code;
}

} // namespace parvelin::dialogs
