// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ToolBar.h"

#include <QAction>
#include <QIcon>
#include <QKeySequence>
#include <QShortcut>
#include <QStyle>
#include <QToolBar>
#include <array>

#include "app/FrameWindow.h"
#include "app/Resources.h"

namespace parvelin::app {

namespace {

struct StandardKey {
    int id;
    QKeySequence::StandardKey key;
};

constexpr std::array kStandardKeys{
    StandardKey{kCmdFileOpen, QKeySequence::Open},       StandardKey{kCmdFileSave, QKeySequence::Save},
    StandardKey{kCmdFileSaveAs, QKeySequence::SaveAs},   StandardKey{kCmdFileClose, QKeySequence::Close},
    StandardKey{kCmdFilePrint, QKeySequence::Print},     StandardKey{kCmdFileExit, QKeySequence::Quit},
    StandardKey{kCmdEditUndo, QKeySequence::Undo},       StandardKey{kCmdEditRedo, QKeySequence::Redo},
    StandardKey{kCmdEditCopy, QKeySequence::Copy},
};

struct ToolButton {
    int id;             // 0: a separator
    const char* theme;  // the freedesktop icon name
    QStyle::StandardPixmap fallback;
    const char* text;   // the button's tooltip
};

constexpr std::array kToolButtons{
    ToolButton{kCmdFileOpen, "document-open", QStyle::SP_DialogOpenButton, "Open"},
    ToolButton{kCmdFileSave, "document-save", QStyle::SP_DialogSaveButton, "Save"},
    ToolButton{kCmdFilePrint, "document-print", QStyle::SP_FileDialogDetailedView, "Print"},
    ToolButton{kCmdFileExportCut, "document-export", QStyle::SP_DriveFDIcon, "Export for Cutting"},
    ToolButton{0, nullptr, QStyle::SP_CustomBase, nullptr},
    ToolButton{kCmdEditUndo, "edit-undo", QStyle::SP_ArrowBack, "Undo"},
    ToolButton{kCmdEditRedo, "edit-redo", QStyle::SP_ArrowForward, "Redo"},
    ToolButton{0, nullptr, QStyle::SP_CustomBase, nullptr},
    ToolButton{kCmdViewFitToWindow, "zoom-fit-best", QStyle::SP_TitleBarMaxButton, "Fit to Window"},
    ToolButton{kCmdAirfoilProperties, "document-properties", QStyle::SP_FileDialogInfoView, "Airfoil Properties"},
};

bool tableBinds(const QKeySequence& keys) {
    for (const Accelerator& accelerator : acceleratorTable())
        if (keys == QKeySequence(accelerator.keys)) return true;
    return false;
}

} // namespace

void applyStandardKeys(FrameWindow& frame) {
    for (const StandardKey& standard : kStandardKeys) {
        QAction* action = frame.action(standard.id);
        if (action == nullptr) continue;
        // An item whose text names its key already (after the tab) shows that one.
        if (action->text().contains(QLatin1Char('\t'))) continue;
        const QList<QKeySequence> keys = QKeySequence::keyBindings(standard.key);
        if (keys.isEmpty()) continue;
        // The item names its keys in the menu; the frame's shortcuts act on
        // them (as the accelerator table's do), through the item, so that a
        // grey item's key does nothing. A key the table binds stays the table's.
        action->setShortcuts(keys);
        action->setShortcutContext(Qt::WidgetShortcut);
        // Close's keys are the document window's own (it closes itself on
        // them, asking as File > Close does); bound twice they would do nothing.
        if (standard.id == kCmdFileClose) continue;
        for (const QKeySequence& k : keys) {
            if (tableBinds(k)) continue;
            auto* shortcut = new QShortcut(k, &frame);
            shortcut->setContext(Qt::WindowShortcut);
            QObject::connect(shortcut, &QShortcut::activated, action, &QAction::trigger);
        }
    }
}

QToolBar* buildToolBar(FrameWindow& frame) {
    auto* bar = new QToolBar(QStringLiteral("Toolbar"), &frame);
    bar->setObjectName(QStringLiteral("mainToolBar"));
    bar->setMovable(false);
    for (const ToolButton& button : kToolButtons) {
        if (button.id == 0) {
            bar->addSeparator();
            continue;
        }
        QAction* action = frame.action(button.id);
        if (action == nullptr) continue;
        action->setIcon(QIcon::fromTheme(QString::fromLatin1(button.theme), frame.style()->standardIcon(button.fallback)));
        action->setIconText(QString::fromUtf8(button.text));
        // The menu keeps its text without a picture.
        action->setIconVisibleInMenu(false);
        bar->addAction(action);
    }
    return bar;
}

} // namespace parvelin::app
