// The view of the active space of a drawing: model space on the model tab;
// on a layout tab the paper-space objects and, inside each floating
// viewport, model space as that viewport shows it.  Objects are drawn in
// their effective colour, only on layers that are on and thawed (and not
// frozen in the viewport).  Wheel zooms, the middle button pans, a double
// click into a viewport activates its model space.
#pragma once

#include "host/flatten.h"
#include "host/host.h"

#include <QTransform>
#include <QWidget>

#include <map>
#include <optional>
#include <unordered_set>

class QEventLoop;

namespace host {

class DrawingView : public QWidget {
    Q_OBJECT
public:
    DrawingView(Host &host, QWidget *parent = nullptr);
    ~DrawingView() override;

    // The drawing shown (null: none) and its active layout.
    void showDrawing(OpenDrawing *drawing);
    OpenDrawing *drawing() const { return m_drawing; }

    void zoomExtents();
    // Drops what was built for drawings no longer open.
    void forgetClosed();

    // Lets the user pick objects of the active space until Enter (or the
    // right button) ends the pick or Esc cancels it.
    PickAnswer runPick();
    bool picking() const { return m_pick.has_value(); }
    // Ends a running pick (window closed, keys typed on the command line).
    void endPick(bool cancelled);

    // The world-to-widget transform now shown (for tests).
    QTransform viewTransform() const { return m_view; }
    // How many objects the last paint drew (for tests).
    int lastPaintedItems() const { return m_painted; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    struct Cache {
        quint64 generation = ~0ull;
        std::vector<DrawItem> items;
        std::vector<QRectF> bounds;
    };
    // One set of items drawn with one transformation (model space inside a
    // viewport, or a space itself).
    struct Group {
        const Cache *cache = nullptr;
        QTransform toSpace;                   // item coordinates to the space shown
        std::optional<QRectF> clip;           // in the space shown
        std::unordered_set<LayerId> frozen;   // frozen in this viewport
        bool pickable = true;
    };

    const Cache &cacheFor(int layout);
    std::vector<Group> groups();
    QRectF spaceExtents();
    void paintGroup(QPainter &p, const Group &g, const QRectF &visibleSpace);
    std::vector<EntityId> entitiesIn(const QRectF &spaceRect, bool crossing);
    EntityId entityAt(const QPointF &widgetPos);
    QString viewKey() const;

    Host &m_host;
    OpenDrawing *m_drawing = nullptr;
    std::map<const OpenDrawing *, std::map<int, Cache>> m_caches;
    std::map<QString, QTransform> m_views; // per drawing and layout
    QString m_shownKey;                    // viewKey() of what m_view shows
    QTransform m_view;                     // space -> widget
    bool m_viewSet = false;
    bool m_autoFit = false; // follows the widget's size until the user zooms or pans
    QPoint m_panStart;
    bool m_panning = false;
    int m_painted = 0;

    struct Pick {
        std::vector<EntityId> picked;
        std::unordered_set<EntityId> members;
        bool cancelled = false;
        QEventLoop *loop = nullptr;
        std::optional<QPoint> dragStart;
        QPoint dragNow;
    };
    std::optional<Pick> m_pick;
};

} // namespace host
