// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ToolBar.h"

#include <QAction>
#include <QIcon>
#include <QStyle>
#include <QToolBar>
#include <array>

#include "app/FrameWindow.h"
#include "app/Resources.h"

namespace parvelin::app {

namespace {

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

} // namespace

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
