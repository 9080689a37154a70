// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the five pages of the property sheet share: the two copies they work
// on, the protocol the sheet drives them by, and the small helpers for length
// boxes, unit labels and the buttons of either/or choices.
#include <QWidget>
#include <cstdint>
#include <initializer_list>
#include <span>

#include "dialogs/ControlIds.h"
#include "dialogs/UnitSwitch.h"
#include "model/RibProperties.h"
#include "text/NumberText.h"

class QButtonGroup;
class QGridLayout;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QRadioButton;

namespace parvelin::dialogs {

// The copies the sheet edits: pages load from and store into `edited`; they
// read `kept` (the document's state when the sheet opened) only on Cancel.
struct SheetCopies {
    RibProperties& edited;
    RibProperties& kept;
};

// Which load a page is doing: when it is created, when it becomes the shown
// page, or when Cancel restores it. The loads differ in small ways per page.
enum class LoadStage { Create, Activate, Reset };

// A button of a style choice (its control number) and the style code it stands for.
struct StyleButton {
    int id;
    std::int32_t code;
};

class PropertyPage : public QWidget {
    Q_OBJECT
public:
    PropertyPage(SheetCopies copies, int pageId, QWidget* parent);

    // Created: fill the controls from the edited copy.
    virtual void initialize() = 0;
    // Becoming the shown page: fill the controls from the edited copy again,
    // so that precision and unit changes made elsewhere show.
    virtual void activate() = 0;
    // Being left (another tab, or OK): store the controls into the edited
    // copy. False keeps the user on the page, with nothing stored.
    virtual bool leave() = 0;
    // Cancel: fill the controls from the kept copy; the edited copy is not touched.
    virtual void reset() = 0;

    // A control of this page by its number; null when the page has none.
    template <typename T>
    T* control(int id) const { return findChild<T*>(controlName(id)); }

protected:
    RibProperties& edited() { return copies_.edited; }
    RibProperties& kept() { return copies_.kept; }

    QLineEdit* makeLengthBox(int id);
    // One of the buttons of an either/or choice.
    QRadioButton* makeRadioButton(int id, const char* text);
    // The buttons of one choice, each under its control number; a click on
    // one calls command() with that number. Exactly one is checked at a time.
    QButtonGroup* makeChoice(std::initializer_list<QRadioButton*> buttons);
    QLabel* makeUnitLabel(int id, const char* text);
    QLabel* makeLabel(const char* text);
    QLabel* makePicture(StylePicture picture, QSize size);
    // A labelled size pair: "depth [3.000] x height [10.000] mm".
    QHBoxLayout* makeSizePair(const char* firstName, QLineEdit* first, const char* secondName, QLineEdit* second,
                              QLabel* unit);
    struct PictureRow {
        StylePicture picture;
        QRadioButton* button;
    };
    // One row per style: its picture, then its button. Returns the number of
    // rows added.
    int addPictureRows(QGridLayout* grid, std::initializer_list<PictureRow> rows, QSize pictureSize);
    // The page's answer to a click on one of its buttons.
    virtual void command(int id) { (void)id; }

    // "mm" for millimetres, "in" for inches.
    static QString unitText(const RibProperties& properties);
    static QString unitText(bool millimetres);
    // Shows a length with `precision` decimals. The box remembers the exact
    // value: while its text stays as shown, reading the box gives that value
    // back rather than the rounded text, so that showing a length with fewer
    // decimals, or in the other unit and back, leaves it as it was.
    static void showLength(QLineEdit* box, float value, int precision);
    // What a length box holds: the value it shows while its text is
    // unchanged, else the text read as a number (see readBoxNumber).
    static BoxText readLength(const QLineEdit* box, float& value);
    // Shows the box's length times `factor` (see convertedLength). An empty
    // box converts the length it showed; a box that holds no number is left
    // as it is. False when nothing changed.
    static bool convertLength(QLineEdit* box, double factor, int precision);
    // A length box of the page, the field it edits and the name the user
    // knows it by; `message`, when given, is said for any fault of the box.
    struct LengthBox {
        QLineEdit* box;
        float RibProperties::*field;
        const char* label;
        const char* message = nullptr;
    };
    // Reads the boxes into `into` and checks the result: a decimal comma
    // counts as a point, an empty box leaves its field, and so does a
    // disabled box that holds no number. Returns false, having told the user
    // which box is wrong and why and put the cursor in it, when a box holds
    // text that is no number or a value the rib cannot be built from (see
    // checkRibProperties); `into` may then be partly written.
    bool readLengths(std::initializer_list<LengthBox> boxes, RibProperties& into);
    // A warning about one box; the box gets the focus when it is closed.
    void complain(QLineEdit* box, const QString& text);

    // Checks the button of `code`; an unknown code leaves every button of
    // the choice unchecked.
    static void showStyle(QButtonGroup* choice, std::span<const StyleButton> buttons, std::int32_t code);
    // The code of the checked button into `field`; none checked keeps the field.
    static void storeStyle(QButtonGroup* choice, std::span<const StyleButton> buttons, std::int32_t& field);
    // Checks the button `id` of the choice, or none when the choice has no such button.
    static void check(QButtonGroup* choice, int id);

private:
    SheetCopies copies_;
};

} // namespace parvelin::dialogs
