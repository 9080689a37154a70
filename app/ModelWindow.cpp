// SPDX-License-Identifier: GPL-3.0-or-later
// The 3D view's window (the viewpoint buttons, the panels and the sheet
// thickness over the view) and File > Export Model, which writes what the
// window shows.
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QOpenGLContext>
#include <QPushButton>
#include <QVBoxLayout>
#include <cctype>
#include <cstddef>

#include "app/DocumentWindow.h"
#include "app/ModelView.h"
#include "app/WingPane.h"
#include "commands/FileCommands.h"
#include "mesh/ModelFiles.h"
#include "platform/Services.h"
#include "geom/Units.h"

namespace parvelin::app {

namespace {

// The window's rib, or its wing's whole structure when it has one.
mesh::Model windowModel(const DocumentWindow& window, double thickness, wing::WingSide side) {
    if (!window.wing() || window.ribSet().ribs.empty()) return mesh::ribModel(*window.document(), thickness);
    mesh::ModelOptions options;
    options.thickness = thickness;
    options.side = side;
    return mesh::wingModel(window.ribSet(), window.wing()->panel, options);
}

} // namespace

ModelWindow::ModelWindow(DocumentWindow& owner) : QWidget(&owner, Qt::Window), owner_(&owner) {
    setObjectName("modelWindow");
    setAttribute(Qt::WA_DeleteOnClose, false);
    auto* layout = new QVBoxLayout(this);
    // Without OpenGL (a display that offers none) the view is not shown,
    // for a window holding a view that cannot draw cannot be shown either;
    // the model is still built for Export Model.
    const bool drawable = openGLAvailable();
    view_ = new ModelView(drawable ? this : nullptr);
    if (!drawable) orphan_.reset(view_);
    layout->addLayout(makeBar());
    message_ = new QLabel(this);
    message_->hide();
    layout->addWidget(message_);
    if (drawable) {
        layout->addWidget(view_, 1);
    } else {
        auto* missing = new QLabel(tr(kNoOpenGLMessage), this);
        missing->setAlignment(Qt::AlignCenter);
        layout->addWidget(missing, 1);
    }

    const AirfoilDocument* document = owner.document();
    const bool metric = document == nullptr || inMillimetres(document->properties());
    thickness_->setSuffix(QString::fromLatin1(geom::unitSuffix(metric)));
    thickness_->setValue(mesh::defaultThickness(metric));
    if (owner.wing()) side_->setCurrentIndex(side_->findData(static_cast<int>(owner.wing()->panel.side)));

    connect(side_, &QComboBox::currentIndexChanged, this, [this] { refresh(); });
    connect(thickness_, &QDoubleSpinBox::valueChanged, this, [this] { refresh(); });
    connect(view_, &ModelView::ribPicked, this, [this](int index) {
        // Through the strip, as a click there: the 2D view follows.
        if (owner_ && owner_->wingPane()) owner_->wingPane()->strip()->setCurrentRow(index);
    });
    connect(&owner, &DocumentWindow::shownRibChanged, this, [this] {
        if (owner_) view_->setSelectedRib(owner_->selectedRib());
    });
    resize(900, 600);
    refresh();
}

QHBoxLayout* ModelWindow::makeBar() {
    auto* bar = new QHBoxLayout;
    auto button = [&](const QString& text, auto&& action) {
        auto* b = new QPushButton(text, this);
        b->setAutoDefault(false);
        connect(b, &QPushButton::clicked, this, action);
        bar->addWidget(b);
        return b;
    };
    button(tr("Fit"), [this] { view_->fit(); })->setToolTip(tr("The whole model in view (Home)"));
    button(tr("Front"), [this] { view_->lookFrom(ModelViewpoint::Front); });
    button(tr("Top"), [this] { view_->lookFrom(ModelViewpoint::Top); });
    button(tr("Tip"), [this] { view_->lookFrom(ModelViewpoint::Tip); });
    bar->addSpacing(16);
    bar->addWidget(new QLabel(tr("Panels:"), this));
    side_ = new QComboBox(this);
    for (const wing::WingSide s : {wing::WingSide::Left, wing::WingSide::Right, wing::WingSide::Both})
        side_->addItem(QString::fromUtf8(wing::traits(s).label), static_cast<int>(s));
    side_->setCurrentIndex(2);
    bar->addWidget(side_);
    bar->addSpacing(16);
    bar->addWidget(new QLabel(tr("Rib thickness:"), this));
    thickness_ = new QDoubleSpinBox(this);
    thickness_->setDecimals(3);
    thickness_->setRange(0.001, 100.0);
    thickness_->setSingleStep(0.5);
    bar->addWidget(thickness_);
    bar->addStretch();
    return bar;
}

ModelWindow::~ModelWindow() = default;

bool ModelWindow::openGLAvailable() {
    static const bool available = [] {
        QOpenGLContext probe;
        return probe.create();
    }();
    return available;
}

ModelWindow* ModelWindow::of(DocumentWindow& owner) {
    if (auto* window = owner.findChild<ModelWindow*>(QString(), Qt::FindDirectChildrenOnly)) return window;
    return new ModelWindow(owner);
}

void ModelWindow::setSide(wing::WingSide side) { side_->setCurrentIndex(side_->findData(static_cast<int>(side))); }

void ModelWindow::setThickness(double thickness) { thickness_->setValue(thickness); }

void ModelWindow::refresh() {
    if (!owner_ || owner_->document() == nullptr) return;
    const AirfoilDocument& document = *owner_->document();
    Built now;
    now.properties = document.properties();
    if (owner_->wing()) {
        now.panel = owner_->wing()->panel;
        now.tip = owner_->wing()->tipAirfoilPath;
    }
    now.ribs = owner_->ribSet().ribs.size();
    now.points = document.points().size();
    if (!document.points().empty()) now.firstX = document.points()[0].modelX, now.firstY = document.points()[0].modelY;
    now.side = static_cast<wing::WingSide>(side_->currentData().toInt());
    now.thickness = thickness_->value();
    if (built_ && *built_ == now) {
        view_->setSelectedRib(owner_->selectedRib());
        return;
    }
    built_ = now;
    rebuild();
}

void ModelWindow::rebuild() {
    const AirfoilDocument& document = *owner_->document();
    const QString name = windowTitleFor(document.getName().value_or(std::string())).trimmed();
    setWindowTitle(tr("3D View") + (name.isEmpty() ? QString() : " - " + name));
    side_->setEnabled(owner_->wing() && !owner_->ribSet().ribs.empty());
    mesh::Model model =
        windowModel(*owner_, thickness_->value(), static_cast<wing::WingSide>(side_->currentData().toInt()));
    message_->setVisible(!model.error.empty());
    message_->setText(QString::fromUtf8(model.error.c_str()));
    view_->setModel(std::move(model), owner_->selectedRib());
}

void exportModel(DocumentWindow& window) {
    platform::Dialogs* dialogs = platform::dialogs();
    const AirfoilDocument* document = window.document();
    if (dialogs == nullptr || document == nullptr || !document->isLoaded()) return;
    platform::FileDialogSettings settings;
    settings.title = kExportModelTitle;
    for (const mesh::ModelFormat format : {mesh::ModelFormat::Stl, mesh::ModelFormat::Obj}) {
        const std::string ext = mesh::traits(format).extension;
        std::string pattern = "*";
        for (const char c : ext) pattern += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        settings.filters.push_back({mesh::traits(format).label, pattern});
    }
    std::string name = document->exportFileName();
    if (const std::size_t dot = name.find_last_of('.'); dot != std::string::npos) name.erase(dot);
    settings.initialFileName = name + ".stl";
    settings.defaultExtension = "STL";
    settings.initialFolder = currentFolderForDialog();
    const std::optional<std::string> chosen = dialogs->saveFile(&window, settings);
    if (!chosen) return;
    std::string fileName = enterFolderOf(*chosen);
    if (!mesh::modelFormatFor(fileName)) fileName += ".stl";

    // The 3D view's choices when it is open; otherwise the default sheet and
    // the wing's own panels.
    const ModelWindow* shown = window.findChild<ModelWindow*>(QString(), Qt::FindDirectChildrenOnly);
    const bool metric = inMillimetres(document->properties());
    const double thickness = shown ? shown->thicknessBox()->value() : mesh::defaultThickness(metric);
    const wing::WingSide side = shown ? static_cast<wing::WingSide>(shown->sideBox()->currentData().toInt())
                                      : window.wing() ? window.wing()->panel.side : wing::WingSide::Both;
    const mesh::Model model = windowModel(window, thickness, side);
    std::string problem = model.error.empty() ? mesh::modelProblem(model) : model.error;
    if (problem.empty()) {
        const FileWriteResult result = mesh::writeModelFile(fileName, model);
        if (result != FileWriteResult::Written) problem = fileWriteMessage(result);
    }
    if (!problem.empty()) dialogs->messageBox(&window, problem.c_str(), kExportModelTitle, platform::MessageIcon::Error);
}

} // namespace parvelin::app
