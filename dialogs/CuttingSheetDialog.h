// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Export for Cutting: for a wing the sheet the ribs are nested on and the
// cutter's kerf, for a single rib the kerf alone, asked before the file name. The last choice is kept in the
// user's settings for the next export, in this run and the next.
#include <QDialog>
#include <optional>
#include <string>

#include "platform/Dialogs.h"
#include "wing/Nesting.h"
#include "wing/RibSet.h"

class QLineEdit;
class QSettings;

namespace parvelin::dialogs {

inline constexpr const char* kCuttingSheetDialogTitle = "Cutting Sheet";
// The same dialog for a single rib asks the kerf only.
inline constexpr const char* kCutKerfDialogTitle = "Kerf";

class CuttingSheetDialog : public QDialog {
    Q_OBJECT
public:
    CuttingSheetDialog(const platform::CuttingSheetSettings& offered, platform::CuttingSheetCheck check,
                       platform::Window* owner, QWidget* parent = nullptr);
    // The sheet the boxes hold; valid once the dialog was accepted.
    const platform::CuttingSheetSettings& settings() const { return result_; }

    // OK: reads and checks every box, then asks the check whether the ribs
    // fit; tells the user what is wrong and stays open, or closes.
    void accept() override;

private:
    QLineEdit* lengthBox(const char* name, double value);
    // The box's value: the offered one while the box still shows it
    // unchanged (so that a rounded display does not change the sheet),
    // otherwise what the box reads as. False when it holds no number.
    bool readLength(const QLineEdit* box, double offered, double& value) const;
    void refuse(QLineEdit* box, const std::string& text);

    platform::CuttingSheetSettings offered_;
    platform::CuttingSheetSettings result_;
    platform::CuttingSheetCheck check_;
    platform::Window* owner_;
    QLineEdit* width_ = nullptr;
    QLineEdit* height_ = nullptr;
    QLineEdit* kerf_ = nullptr;
};

// Runs the dialog; the chosen sheet on OK, nothing on Cancel.
std::optional<platform::CuttingSheetSettings> runCuttingSheetDialog(const platform::CuttingSheetSettings& offered,
                                                                    const platform::CuttingSheetCheck& check,
                                                                    platform::Window* owner, QWidget* parent);

// The sheet last chosen, in the unit asked for (`metric`), or a 600 x 100 mm
// sheet and no kerf when none was chosen yet or what is stored is unusable.
platform::CuttingSheetSettings rememberedCuttingSheet(QSettings& store, bool metric, int precision);
// Keeps `sheet` (with its unit) for rememberedCuttingSheet.
void rememberCuttingSheet(QSettings& store, const platform::CuttingSheetSettings& sheet);

inline constexpr const char* kNestingProgressTitle = "Nesting";

// Nests the set's ribs with the search's progress on a bar; Cancel stops the
// search and keeps the best layout found so far.
wing::Nesting nestWithProgress(const wing::RibSet& set, wing::WingSide side, const wing::SheetSize& sheet,
                               wing::NestOptions options, QWidget* parent);

// The yield after nesting: each sheet's share and the set's, as lines.
std::string yieldMessage(const wing::Nesting& nesting);

} // namespace parvelin::dialogs
