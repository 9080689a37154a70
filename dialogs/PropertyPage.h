// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the five pages of the property sheet share: the two copies they work
// on, the protocol the sheet drives them by, and the small helpers for length
// boxes, unit labels and style check boxes.
#include <QWidget>
#include <cstdint>
#include <initializer_list>

#include "dialogs/ControlIds.h"
#include "document/RibProperties.h"

class QCheckBox;
class QGridLayout;
class QGroupBox;
class QLabel;
class QLineEdit;

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
    // threeState: the box can show the indeterminate mark.
    QCheckBox* makeCheckBox(int id, const char* text, bool threeState);
    QLabel* makeUnitLabel(int id, const char* text);
    QLabel* makeLabel(const char* text);
    QLabel* makePicture(StylePicture picture, QSize size);
    // Calls command(id) whenever the user clicks the box.
    void onClick(QCheckBox* box, int id);
    struct PictureRow {
        StylePicture picture;
        QCheckBox* box;
        int id;
    };
    // One row per style: its picture, then its check box, wired to command().
    // Returns the number of rows added.
    int addPictureRows(QGridLayout* grid, std::initializer_list<PictureRow> rows, QSize pictureSize);
    // The page's answer to a click on one of its boxes.
    virtual void command(int id) { (void)id; }

    // "mm" for millimetres, "inches" for inches.
    static QString unitText(const RibProperties& properties);
    static void showLength(QLineEdit* box, float value, int precision);
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
    static void setState(std::initializer_list<QCheckBox*> boxes, Qt::CheckState state);

    struct StyleButton {
        QCheckBox* box;
        std::int32_t code;
    };
    // Tests the buttons in the given order; each exactly checked button sets
    // the field to its code, so the last checked one tested wins and none
    // checked keeps the field.
    static void storeStyle(std::initializer_list<StyleButton> order, std::int32_t& field);

private:
    SheetCopies copies_;
};

} // namespace parvelin::dialogs
