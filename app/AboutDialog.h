#pragma once
// Help > About (dialog 129): the About text (string 4) and an OK button.
#include <QDialog>

class QLabel;
class QPushButton;

namespace parvelin::app {

class AboutDialog : public QDialog {
    Q_OBJECT
public:
    explicit AboutDialog(QWidget* owner);
    // Control 1029 and control 1 (OK).
    QLabel* textControl() const { return text_; }
    QPushButton* okButton() const { return ok_; }

private:
    QLabel* text_ = nullptr;
    QPushButton* ok_ = nullptr;
};

} // namespace parvelin::app
