// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ModelView.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QOpenGLContext>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstddef>
#include <vector>

#include "app/DocumentWindow.h"
#include "app/WingPane.h"
#include "commands/FileCommands.h"
#include "mesh/ModelFiles.h"
#include "platform/Services.h"
#include "geom/Constants.h"

namespace parvelin::app {
namespace {

constexpr float kFieldOfView = 30.0f;  // degrees, vertical
// A press and release closer than this many pixels is a click, not a drag.
constexpr int kClickSlop = 4;

struct PartColour {
    mesh::PartKind kind;
    float r, g, b, a;
};
// Balsa ribs, a darker spar and edge stock, translucent sheeting.
constexpr PartColour kColours[] = {
    {mesh::PartKind::Rib, 0.93f, 0.84f, 0.62f, 1.0f},
    {mesh::PartKind::Spar, 0.62f, 0.42f, 0.22f, 1.0f},
    {mesh::PartKind::LeadingEdge, 0.75f, 0.55f, 0.32f, 1.0f},
    {mesh::PartKind::TrailingEdge, 0.75f, 0.55f, 0.32f, 1.0f},
    {mesh::PartKind::Sheeting, 0.85f, 0.78f, 0.55f, 0.35f},
};
constexpr PartColour kSelected{mesh::PartKind::Rib, 0.95f, 0.45f, 0.10f, 1.0f};

const PartColour& colourOf(mesh::PartKind kind) {
    for (const PartColour& c : kColours)
        if (c.kind == kind) return c;
    return kColours[0];
}

const char* const kVertexShader = R"(
attribute highp vec3 position;
attribute highp vec3 normal;
attribute lowp vec4 colour;
uniform highp mat4 mvp;
uniform highp mat3 turn;
varying lowp vec4 shade;
void main() {
    highp vec3 n = normalize(turn * normal);
    // Light from the viewer, both faces lit alike.
    lowp float light = 0.35 + 0.65 * abs(n.z);
    shade = vec4(colour.rgb * light, colour.a);
    gl_Position = mvp * vec4(position, 1.0);
}
)";

const char* const kFragmentShader = R"(
varying lowp vec4 shade;
void main() { gl_FragColor = shade; }
)";

// One vertex as the buffer holds it.
struct GlVertex {
    float position[3];
    float normal[3];
    float colour[4];
};

void appendMesh(std::vector<GlVertex>& out, const mesh::TriangleMesh& m, const PartColour& c) {
    for (const mesh::Triangle& t : m.triangles) {
        const mesh::Vec3 &a = m.vertices[t[0]], &b = m.vertices[t[1]], &cc = m.vertices[t[2]];
        mesh::Vec3 n = mesh::cross(b - a, cc - a);
        const double length = std::sqrt(mesh::dot(n, n));
        n = length > 0.0 ? n * (1.0 / length) : mesh::Vec3{0, 0, 1};
        for (const mesh::Vec3* p : {&a, &b, &cc})
            out.push_back(GlVertex{{static_cast<float>(p->x), static_cast<float>(p->y), static_cast<float>(p->z)},
                                   {static_cast<float>(n.x), static_cast<float>(n.y), static_cast<float>(n.z)},
                                   {c.r, c.g, c.b, c.a}});
    }
}

} // namespace

ModelView::ModelView(QWidget* parent) : QOpenGLWidget(parent) {
    setFocusPolicy(Qt::StrongFocus);
    setMinimumSize(200, 150);
}

ModelView::~ModelView() {
    if (context() == nullptr) return;
    makeCurrent();
    buffer_.destroy();
    program_.reset();
    doneCurrent();
}

QColor ModelView::background() { return QColor(46, 52, 64); }

void ModelView::setModel(mesh::Model model, int selected) {
    const bool first = model_.parts.empty();
    model_ = std::move(model);
    selected_ = selected;
    const mesh::Box3 box = mesh::bounds(model_);
    if (!box.empty) {
        const mesh::Vec3 size = box.max - box.min;
        radius_ = std::max(1.0, 0.5 * std::sqrt(mesh::dot(size, size)));
    }
    dirty_ = true;
    if (first) fit();
    update();
}

void ModelView::setSelectedRib(int selected) {
    if (selected == selected_) return;
    selected_ = selected;
    dirty_ = true;
    update();
}

void ModelView::fit() {
    const mesh::Box3 box = mesh::bounds(model_);
    if (box.empty) return;
    const mesh::Vec3 c = (box.min + box.max) * 0.5;
    target_ = QVector3D(static_cast<float>(c.x), static_cast<float>(c.y), static_cast<float>(c.z));
    // Near enough that every corner of the box just stays inside the view.
    QMatrix4x4 turn;
    turn.rotate(static_cast<float>(pitch_ - 90.0), 1.0f, 0.0f, 0.0f);
    turn.rotate(static_cast<float>(-yaw_ - 90.0), 0.0f, 0.0f, 1.0f);
    const double tanV = std::tan(kFieldOfView * 0.5 * geom::kPi / 180.0);
    const double tanH = tanV * (height() > 0 ? static_cast<double>(width()) / height() : 1.0);
    double needed = 0.0;
    for (int k = 0; k < 8; ++k) {
        const QVector3D corner(static_cast<float>(k & 1 ? box.max.x : box.min.x),
                               static_cast<float>(k & 2 ? box.max.y : box.min.y),
                               static_cast<float>(k & 4 ? box.max.z : box.min.z));
        const QVector3D v = turn.map(corner - target_);
        needed = std::max(needed, v.z() + std::max(std::abs(v.x()) / tanH, std::abs(v.y()) / tanV));
    }
    distance_ = std::max(needed * 1.08, radius_ * 0.05);
    update();
}

void ModelView::lookFrom(ModelViewpoint viewpoint) {
    switch (viewpoint) {
    case ModelViewpoint::Front: yaw_ = 180.0, pitch_ = 0.0; break;    // from ahead of the leading edge
    case ModelViewpoint::Top: yaw_ = 0.0, pitch_ = 90.0; break;      // from above, the nose up the screen
    case ModelViewpoint::Tip: yaw_ = 90.0, pitch_ = 0.0; break;       // from beyond the right tip
    case ModelViewpoint::Angled: yaw_ = 35.0, pitch_ = 30.0; break;
    }
    fit();
}

void ModelView::rotateBy(double yawDegrees, double pitchDegrees) {
    yaw_ = std::fmod(yaw_ + yawDegrees, 360.0);
    pitch_ = std::clamp(pitch_ + pitchDegrees, -90.0, 90.0);
    update();
}

void ModelView::zoomBy(double factor) {
    distance_ = std::clamp(distance_ / factor, radius_ * 0.05, radius_ * 50.0);
    update();
}

QMatrix4x4 ModelView::viewMatrix() const {
    // The camera on a sphere round the target; at the poles its up is the
    // direction of the yaw, so that the top view keeps the nose up.
    QMatrix4x4 view;
    view.translate(0.0f, 0.0f, static_cast<float>(-distance_));
    view.rotate(static_cast<float>(pitch_ - 90.0), 1.0f, 0.0f, 0.0f);
    view.rotate(static_cast<float>(-yaw_ - 90.0), 0.0f, 0.0f, 1.0f);
    view.translate(-target_);
    return view;
}

QMatrix4x4 ModelView::projectionMatrix() const {
    QMatrix4x4 projection;
    const float aspect = height() > 0 ? static_cast<float>(width()) / static_cast<float>(height()) : 1.0f;
    projection.perspective(kFieldOfView, aspect, static_cast<float>(std::max(0.01, distance_ - 2.0 * radius_)),
                           static_cast<float>(distance_ + 2.0 * radius_));
    return projection;
}

QPointF ModelView::project(const mesh::Vec3& point) const {
    const QVector3D p = (projectionMatrix() * viewMatrix())
                            .map(QVector3D(static_cast<float>(point.x), static_cast<float>(point.y),
                                           static_cast<float>(point.z)));
    return QPointF((p.x() + 1.0) * 0.5 * width(), (1.0 - p.y()) * 0.5 * height());
}

int ModelView::ribAt(const QPointF& pixel) const {
    if (width() <= 0 || height() <= 0) return -1;
    const QMatrix4x4 inverse = (projectionMatrix() * viewMatrix()).inverted();
    const float nx = static_cast<float>(2.0 * pixel.x() / width() - 1.0);
    const float ny = static_cast<float>(1.0 - 2.0 * pixel.y() / height());
    const QVector3D nearPoint = inverse.map(QVector3D(nx, ny, -1.0f));
    const QVector3D farPoint = inverse.map(QVector3D(nx, ny, 1.0f));
    const QVector3D d = farPoint - nearPoint;
    const int part = mesh::pickPart(model_, mesh::Vec3{nearPoint.x(), nearPoint.y(), nearPoint.z()},
                                    mesh::Vec3{d.x(), d.y(), d.z()}, {mesh::PartKind::Rib});
    return part < 0 ? -1 : model_.parts[static_cast<std::size_t>(part)].rib;
}

void ModelView::initializeGL() {
    initializeOpenGLFunctions();
    program_ = std::make_unique<QOpenGLShaderProgram>();
    program_->addShaderFromSourceCode(QOpenGLShader::Vertex, kVertexShader);
    program_->addShaderFromSourceCode(QOpenGLShader::Fragment, kFragmentShader);
    program_->bindAttributeLocation("position", 0);
    program_->bindAttributeLocation("normal", 1);
    program_->bindAttributeLocation("colour", 2);
    program_->link();
    buffer_.create();
    dirty_ = true;
}

void ModelView::upload() {
    std::vector<GlVertex> vertices;
    for (const bool translucent : {false, true}) {
        for (const mesh::Part& part : model_.parts) {
            const PartColour& c = part.kind == mesh::PartKind::Rib && part.rib == selected_ ? kSelected : colourOf(part.kind);
            if ((c.a < 1.0f) != translucent) continue;
            appendMesh(vertices, part.mesh, c);
        }
        (translucent ? translucentCount_ : opaqueCount_) =
            static_cast<int>(vertices.size()) - (translucent ? opaqueCount_ : 0);
    }
    buffer_.bind();
    buffer_.allocate(vertices.data(), static_cast<int>(vertices.size() * sizeof(GlVertex)));
    buffer_.release();
    dirty_ = false;
}

void ModelView::resizeGL(int, int) {}

void ModelView::paintGL() {
    if (!program_) return;  // no OpenGL context could be made
    const QColor bg = background();
    glClearColor(static_cast<float>(bg.redF()), static_cast<float>(bg.greenF()), static_cast<float>(bg.blueF()), 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    if (!program_->isLinked() || model_.parts.empty()) return;
    if (dirty_) upload();
    glEnable(GL_DEPTH_TEST);
    const QMatrix4x4 view = viewMatrix();
    program_->bind();
    program_->setUniformValue("mvp", projectionMatrix() * view);
    program_->setUniformValue("turn", view.normalMatrix());
    buffer_.bind();
    const int stride = static_cast<int>(sizeof(GlVertex));
    program_->enableAttributeArray(0);
    program_->enableAttributeArray(1);
    program_->enableAttributeArray(2);
    program_->setAttributeBuffer(0, GL_FLOAT, offsetof(GlVertex, position), 3, stride);
    program_->setAttributeBuffer(1, GL_FLOAT, offsetof(GlVertex, normal), 3, stride);
    program_->setAttributeBuffer(2, GL_FLOAT, offsetof(GlVertex, colour), 4, stride);
    glDrawArrays(GL_TRIANGLES, 0, opaqueCount_);
    if (translucentCount_ > 0) {
        // The sheeting over the structure: blended, not hiding what lies behind it.
        glEnable(GL_BLEND);
        // The picture stays opaque: its alpha is kept at 1 under the skin.
        glBlendFuncSeparate(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA, GL_ONE, GL_ONE_MINUS_SRC_ALPHA);
        glDepthMask(GL_FALSE);
        glDrawArrays(GL_TRIANGLES, opaqueCount_, translucentCount_);
        glDepthMask(GL_TRUE);
        glDisable(GL_BLEND);
    }
    buffer_.release();
    program_->release();
}

void ModelView::mousePressEvent(QMouseEvent* event) {
    pressAt_ = lastAt_ = event->position().toPoint();
    dragging_ = event->button();
    if (dragging_ == Qt::LeftButton && (event->modifiers() & Qt::ShiftModifier)) dragging_ = Qt::MiddleButton;
    moved_ = false;
}

void ModelView::mouseMoveEvent(QMouseEvent* event) {
    if (dragging_ == Qt::NoButton) return;
    const QPoint at = event->position().toPoint();
    if ((at - pressAt_).manhattanLength() > kClickSlop) moved_ = true;
    const QPoint d = at - lastAt_;
    lastAt_ = at;
    if (dragging_ == Qt::LeftButton) {
        rotateBy(-d.x() * 0.4, d.y() * 0.4);
    } else {
        // Pan: the target moves with the cursor across the view's plane.
        const double perPixel = 2.0 * distance_ * std::tan(kFieldOfView * 0.5 * geom::kPi / 180.0) /
                                std::max(1, height());
        const QMatrix4x4 inverse = viewMatrix().inverted();
        const QVector3D right = inverse.mapVector(QVector3D(1, 0, 0));
        const QVector3D up = inverse.mapVector(QVector3D(0, 1, 0));
        target_ -= (right * static_cast<float>(d.x()) - up * static_cast<float>(d.y())) * static_cast<float>(perPixel);
        update();
    }
}

void ModelView::mouseReleaseEvent(QMouseEvent* event) {
    if (dragging_ == Qt::LeftButton && !moved_) {
        const int rib = ribAt(event->position());
        if (rib >= 0) emit ribPicked(rib);
    }
    dragging_ = Qt::NoButton;
}

void ModelView::wheelEvent(QWheelEvent* event) {
    zoomBy(std::pow(1.0015, event->angleDelta().y()));
    event->accept();
}

void ModelView::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Home) {
        fit();
        return;
    }
    QOpenGLWidget::keyPressEvent(event);
}

} // namespace parvelin::app
