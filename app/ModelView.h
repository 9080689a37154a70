// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// View > 3D View: the wing's structure (or the single rib) as solids in an
// OpenGL view. Rotate with the left button, pan with the middle or right
// button (or the left with Shift), zoom with the wheel; a click on a rib
// selects it in the window's strip and 2D view.
#include <QMatrix4x4>
#include <QOpenGLBuffer>
#include <QOpenGLFunctions>
#include <QOpenGLShaderProgram>
#include <QOpenGLWidget>
#include <QPointer>
#include <QWidget>
#include <memory>
#include <optional>
#include <string>

#include "mesh/WingModel.h"

class QComboBox;
class QDoubleSpinBox;
class QHBoxLayout;
class QLabel;

namespace parvelin::app {

class DocumentWindow;

// The directions the view can be set to look from.
enum class ModelViewpoint { Front, Top, Tip, Angled };

class ModelView : public QOpenGLWidget, protected QOpenGLFunctions {
    Q_OBJECT
public:
    explicit ModelView(QWidget* parent = nullptr);
    ~ModelView() override;

    // The model drawn; the rib with index `selected` (in the rib set) is
    // drawn highlighted on both sides, none for -1. Keeps the camera.
    void setModel(mesh::Model model, int selected);
    const mesh::Model& model() const { return model_; }
    void setSelectedRib(int selected);

    // Home: the whole model in view from where the camera looks now.
    void fit();
    void lookFrom(ModelViewpoint viewpoint);
    void rotateBy(double yawDegrees, double pitchDegrees);
    void zoomBy(double factor);

    // Where a model point (millimetres) falls in the widget, in pixels.
    QPointF project(const mesh::Vec3& point) const;
    // The rib (index in the rib set) under the widget pixel; -1 for none.
    int ribAt(const QPointF& pixel) const;
    // The colour the view clears to.
    static QColor background();

    QSize sizeHint() const override { return {800, 500}; }

signals:
    // A rib was clicked: its index in the rib set.
    void ribPicked(int index);

protected:
    void initializeGL() override;
    void resizeGL(int w, int h) override;
    void paintGL() override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QMatrix4x4 viewMatrix() const;
    QMatrix4x4 projectionMatrix() const;
    void upload();

    mesh::Model model_;
    int selected_ = -1;
    double yaw_ = 35.0;     // degrees about z: 0 looks from aft (+x) towards the nose, 90 from the right tip
    double pitch_ = 30.0;   // degrees above the xy plane
    double distance_ = 1000.0;
    QVector3D target_;
    double radius_ = 100.0;  // of the model's bounding sphere
    bool dirty_ = true;
    int opaqueCount_ = 0;     // vertices of the solid parts, then the translucent ones
    int translucentCount_ = 0;
    std::unique_ptr<QOpenGLShaderProgram> program_;
    QOpenGLBuffer buffer_{QOpenGLBuffer::VertexBuffer};
    QPoint pressAt_;
    QPoint lastAt_;
    Qt::MouseButton dragging_ = Qt::NoButton;
    bool moved_ = false;
};

// The window around the view: the viewpoint buttons, the side and the sheet
// thickness, for one document window; it follows that window's rib set,
// properties and selected rib.
class ModelWindow : public QWidget {
    Q_OBJECT
public:
    explicit ModelWindow(DocumentWindow& owner);
    ~ModelWindow() override;
    // Whether an OpenGL context can be made on this display.
    static bool openGLAvailable();
    ModelView* view() const { return view_; }
    // Rebuilds the model when the document, its wing or the choices changed
    // since the last build; otherwise only follows the selected rib.
    void refresh();
    void setSide(wing::WingSide side);
    void setThickness(double thickness);  // the chord's unit
    QComboBox* sideBox() const { return side_; }
    QDoubleSpinBox* thicknessBox() const { return thickness_; }

    // The window of a document window, made on first use.
    static ModelWindow* of(DocumentWindow& owner);

private:
    // The viewpoint buttons, the panels and the thickness.
    QHBoxLayout* makeBar();
    void rebuild();

    QPointer<DocumentWindow> owner_;
    ModelView* view_ = nullptr;
    QComboBox* side_ = nullptr;
    QDoubleSpinBox* thickness_ = nullptr;
    QLabel* message_ = nullptr;
    // What the model was last built from.
    struct Built {
        RibProperties properties;
        std::optional<wing::WingPanel> panel;
        std::string tip;
        std::size_t ribs = 0;
        std::size_t points = 0;
        double firstX = 0.0, firstY = 0.0;
        wing::WingSide side = wing::WingSide::Both;
        double thickness = 0.0;
        bool operator==(const Built&) const = default;
    };
    std::optional<Built> built_;
    std::unique_ptr<ModelView> orphan_;  // the view when it cannot be shown
};

inline constexpr const char* kNoOpenGLMessage =
    "The 3D view needs OpenGL, which this display does not offer. Export Model still writes the model.";

// File > Export Model: asks for an STL or OBJ file name and writes the
// window's rib, or its wing's whole structure, as the 3D view shows it.
inline constexpr const char* kExportModelTitle = "Export Model";
void exportModel(DocumentWindow& window);

} // namespace parvelin::app
