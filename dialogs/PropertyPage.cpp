// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/PropertyPage.h"

#include <QButtonGroup>
#include <QEvent>
#include <QFontMetrics>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QRadioButton>
#include <cstring>

#include "dialogs/StylePictures.h"
#include "model/PropertyChecks.h"
#include "model/RibPropertyFields.h"
#include "text/NumberText.h"

namespace parvelin::dialogs {

namespace {
// Where a button keeps its control number, and a length box what it shows.
constexpr const char* kControlId = "controlId";
constexpr const char* kShownText = "shownText";
constexpr const char* kShownValue = "shownValue";
} // namespace

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

QRadioButton* PropertyPage::makeRadioButton(int id, const char* text) {
    auto* button = new QRadioButton(QString::fromUtf8(text), this);
    button->setObjectName(controlName(id));
    button->setProperty(kControlId, id);
    return button;
}

QButtonGroup* PropertyPage::makeChoice(std::initializer_list<QRadioButton*> buttons) {
    auto* choice = new QButtonGroup(this);
    for (QRadioButton* button : buttons)
        choice->addButton(button, button->property(kControlId).toInt());
    connect(choice, &QButtonGroup::idClicked, this, [this](int id) { command(id); });
    return choice;
}

QLabel* PropertyPage::makeUnitLabel(int id, const char* text) {
    auto* label = new QLabel(QString::fromUtf8(text), this);
    label->setObjectName(controlName(id));
    // Wide enough for either unit whatever the label holds when laid out.
    label->setMinimumWidth(label->fontMetrics().horizontalAdvance(QStringLiteral("mm")) + 4);
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

namespace {

// Greys a box's name along with the box.
class NameFollowsBox : public QObject {
public:
    NameFollowsBox(QWidget* box, QLabel* name) : QObject(name), name_(name) {
        box->installEventFilter(this);
        name->setEnabled(box->isEnabled());
    }
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::EnabledChange) name_->setEnabled(static_cast<QWidget*>(watched)->isEnabled());
        return false;
    }

private:
    QLabel* name_;
};

} // namespace

QHBoxLayout* PropertyPage::makeSizePair(const char* firstName, QLineEdit* first, const char* secondName,
                                        QLineEdit* second, QLabel* unit) {
    auto* pair = new QHBoxLayout;
    auto* firstLabel = makeLabel(firstName);
    auto* secondLabel = makeLabel(secondName);
    firstLabel->setBuddy(first);
    secondLabel->setBuddy(second);
    new NameFollowsBox(first, firstLabel);
    new NameFollowsBox(second, secondLabel);
    pair->addWidget(firstLabel);
    pair->addWidget(first);
    pair->addWidget(makeLabel("x"));
    pair->addWidget(secondLabel);
    pair->addWidget(second);
    pair->addWidget(unit);
    return pair;
}

int PropertyPage::addPictureRows(QGridLayout* grid, std::initializer_list<PictureRow> rows, QSize pictureSize) {
    int row = 0;
    for (const PictureRow& r : rows) {
        grid->addWidget(makePicture(r.picture, pictureSize), row, 0);
        grid->addWidget(r.button, row, 1);
        ++row;
    }
    return row;
}

QString PropertyPage::unitText(const RibProperties& properties) { return unitText(inMillimetres(properties)); }

QString PropertyPage::unitText(bool millimetres) { return millimetres ? QStringLiteral("mm") : QStringLiteral("in"); }

void PropertyPage::showLength(QLineEdit* box, float value, int precision) {
    const QString text = QString::fromStdString(formatPageNumber(value, precision));
    box->setText(text);
    box->setProperty(kShownText, text);
    box->setProperty(kShownValue, QVariant::fromValue(value));
}

BoxText PropertyPage::readLength(const QLineEdit* box, float& value) {
    const QVariant shown = box->property(kShownText);
    if (shown.isValid() && shown.toString() == box->text()) {
        value = box->property(kShownValue).value<float>();
        return BoxText::Number;
    }
    return readBoxNumber(box->text().toStdString(), value);
}

bool PropertyPage::convertLength(QLineEdit* box, double factor, int precision) {
    float value = 0.0f;
    switch (readLength(box, value)) {
    case BoxText::Number: break;
    case BoxText::Empty:
        if (!box->property(kShownValue).isValid()) return false;
        value = box->property(kShownValue).value<float>();
        break;
    case BoxText::NotANumber: return false;
    }
    showLength(box, convertedLength(value, factor), precision);
    return true;
}

bool PropertyPage::readLengths(std::initializer_list<LengthBox> boxes, RibProperties& into) {
    auto say = [this](const LengthBox& length, const std::string& text) {
        complain(length.box, QString::fromUtf8(length.message ? length.message : text.c_str()));
        return false;
    };
    for (const LengthBox& length : boxes) {
        float value = 0.0f;
        switch (readLength(length.box, value)) {
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

void PropertyPage::check(QButtonGroup* choice, int id) {
    if (QAbstractButton* button = choice->button(id)) {
        button->setChecked(true);
        return;
    }
    // An exclusive choice keeps its checked button: let go of that for a moment.
    choice->setExclusive(false);
    for (QAbstractButton* button : choice->buttons()) button->setChecked(false);
    choice->setExclusive(true);
}

void PropertyPage::showStyle(QButtonGroup* choice, std::span<const StyleButton> buttons, std::int32_t code) {
    int id = -1;
    for (const StyleButton& button : buttons)
        if (button.code == code) id = button.id;
    check(choice, id);
}

void PropertyPage::storeStyle(QButtonGroup* choice, std::span<const StyleButton> buttons, std::int32_t& field) {
    for (const StyleButton& button : buttons)
        if (button.id == choice->checkedId()) field = button.code;
}

} // namespace parvelin::dialogs
