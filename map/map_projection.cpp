#include "map/map_projection.h"

#include <algorithm>

namespace shirl {
namespace {

constexpr int kAlaska = 2;
constexpr int kHawaii = 15;
constexpr std::int32_t kDegree = 100000;
constexpr std::int32_t kTenthDegree = kDegree / 10;

// The conics of the usual nationwide Albers map and of its two insets
// (central meridian, standard parallels, latitude of the origin).
constexpr ConicParameters kLower48Conic{-96 * kDegree, 295 * kTenthDegree, 455 * kTenthDegree, 375 * kTenthDegree};
constexpr ConicParameters kAlaskaConic{-154 * kDegree, 55 * kDegree, 65 * kDegree, 585 * kTenthDegree};
constexpr ConicParameters kHawaiiConic{-157 * kDegree, 8 * kDegree, 18 * kDegree, 199 * kTenthDegree};
// Alaska is drawn at this share of its size (percent).
constexpr std::int64_t kAlaskaScalePercent = 35;
// Hawaii stands this fraction of the lower 48's width right of Alaska.
constexpr std::int64_t kInsetGapDivisor = 50;

// Rounded to the nearest, halves away from zero.
std::int64_t DivideRounded(std::int64_t a, std::int64_t b) {
    return (a >= 0 ? a + b / 2 : a - b / 2) / b;
}

// Calls `visit(state, point)` for every point of the outlines of `states`.
template <class Visit>
void ForEachOutlinePoint(const std::vector<int>& states, Visit visit) {
    for (const int state : states)
        if (const MapShape* shape = FindMapShape(MapStateShapes(), state))
            for (const MapRing& ring : shape->rings)
                for (const MapPoint& p : ring.points) visit(state, p);
}

} // namespace

void MapProjection::Box::Grow(const PlanePoint& p) {
    if (empty) {
        minX = maxX = p.x;
        minY = maxY = p.y;
        empty = false;
    }
    minX = std::min(minX, p.x);
    maxX = std::max(maxX, p.x);
    minY = std::min(minY, p.y);
    maxY = std::max(maxY, p.y);
}

const MapProjection::Panel& MapProjection::PanelOf(int stateFips) const {
    for (const Panel& panel : m_panels)
        if (panel.stateFips == stateFips) return panel;
    return m_panels.front();
}

PlanePoint MapProjection::OnPlane(const Panel& panel, MapPoint p) const {
    const PlanePoint q = panel.conic.Project(p);
    return PlanePoint{DivideRounded(q.x * panel.scalePercent, 100) + panel.offsetX,
                      DivideRounded(q.y * panel.scalePercent, 100) + panel.offsetY};
}

MapProjection::Box MapProjection::StatesBox(const std::vector<int>& states) const {
    Box box;
    ForEachOutlinePoint(states, [&](int state, MapPoint p) { box.Grow(OnPlane(PanelOf(state), p)); });
    return box;
}

void MapProjection::Fit(Box box, long maxWidth, long maxHeight) {
    const std::int64_t w = std::max<std::int64_t>(box.maxX - box.minX, 1);
    const std::int64_t h = std::max<std::int64_t>(box.maxY - box.minY, 1);
    // The smaller of maxWidth / w and maxHeight / h.
    if (w * maxHeight >= h * maxWidth) {
        m_scaleNumerator = maxWidth;
        m_scaleDenominator = w;
    } else {
        m_scaleNumerator = maxHeight;
        m_scaleDenominator = h;
    }
    m_originX = box.minX;
    m_originY = box.minY;
    m_width = static_cast<long>(DivideRounded(w * m_scaleNumerator, m_scaleDenominator));
    m_height = static_cast<long>(DivideRounded(h * m_scaleNumerator, m_scaleDenominator));
}

MapProjection MapProjection::ForArea(const std::vector<int>& fitted, long maxWidth, long maxHeight,
                                     int marginPercent) {
    std::int32_t west = 0, east = 0, south = 0, north = 0;
    bool first = true;
    ForEachOutlinePoint(fitted, [&](int, MapPoint p) {
        if (first) {
            west = east = p.x;
            south = north = p.y;
            first = false;
        }
        west = std::min(west, p.x);
        east = std::max(east, p.x);
        south = std::min(south, p.y);
        north = std::max(north, p.y);
    });
    MapProjection projection;
    projection.m_panels.push_back(Panel{ConicProjection(ConicForArea(west, east, south, north))});
    Box box = projection.StatesBox(fitted);
    const std::int64_t margin = std::max(box.maxX - box.minX, box.maxY - box.minY) * marginPercent / 100;
    box.minX -= margin;
    box.minY -= margin;
    box.maxX += margin;
    box.maxY += margin;
    projection.Fit(box, maxWidth, maxHeight);
    return projection;
}

MapProjection MapProjection::Nationwide(long maxWidth, long maxHeight) {
    MapProjection projection;
    projection.m_panels.push_back(Panel{ConicProjection(kLower48Conic)});
    projection.m_panels.push_back(Panel{ConicProjection(kAlaskaConic), kAlaska, kAlaskaScalePercent});
    projection.m_panels.push_back(Panel{ConicProjection(kHawaiiConic), kHawaii});
    std::vector<int> lower48;
    for (const MapShape& state : MapStateShapes())
        if (state.id != kAlaska && state.id != kHawaii) lower48.push_back(state.id);
    const Box main = projection.StatesBox(lower48);
    // Alaska in the lower left corner, Hawaii beside it.
    Panel& alaska = projection.m_panels[1];
    const Box alaskaBox = projection.StatesBox({kAlaska});
    alaska.offsetX = main.minX - alaskaBox.minX;
    alaska.offsetY = main.maxY - alaskaBox.maxY;
    Panel& hawaii = projection.m_panels[2];
    const Box hawaiiBox = projection.StatesBox({kHawaii});
    hawaii.offsetX = alaskaBox.maxX + alaska.offsetX - hawaiiBox.minX + (main.maxX - main.minX) / kInsetGapDivisor;
    hawaii.offsetY = main.maxY - hawaiiBox.maxY;
    projection.Fit(main, maxWidth, maxHeight);
    return projection;
}

MapUnitsPoint MapProjection::Project(int stateFips, MapPoint p) const {
    const PlanePoint q = OnPlane(PanelOf(stateFips), p);
    return MapUnitsPoint{static_cast<long>(DivideRounded((q.x - m_originX) * m_scaleNumerator, m_scaleDenominator)),
                         static_cast<long>(DivideRounded((q.y - m_originY) * m_scaleNumerator, m_scaleDenominator))};
}

} // namespace shirl
