#include "map/svg_path.h"

#include <algorithm>
#include <cmath>

namespace shirl {

void GrowBox(FrameBox& box, bool& empty, const MapShape& shape) {
    for (const MapRing& ring : shape.rings)
        for (const MapPoint& p : ring.points) {
            if (empty) {
                box = {p.x, p.y, p.x, p.y};
                empty = false;
            }
            box.minX = std::min(box.minX, p.x);
            box.minY = std::min(box.minY, p.y);
            box.maxX = std::max(box.maxX, p.x);
            box.maxY = std::max(box.maxY, p.y);
        }
}

long MapProjection::X(std::int32_t x) const { return std::lround((x - m_box.minX) * m_scale); }
long MapProjection::Y(std::int32_t y) const { return std::lround((y - m_box.minY) * m_scale); }

ShapePath PathOfShape(const MapShape& shape, const MapProjection& projection) {
    ShapePath path;
    bool first = true;
    for (const MapRing& ring : shape.rings) {
        long lastX = 0, lastY = 0;
        bool started = false;
        for (const MapPoint& p : ring.points) {
            const long x = projection.X(p.x), y = projection.Y(p.y);
            if (first) {
                path.minX = path.maxX = x;
                path.minY = path.maxY = y;
                first = false;
            }
            path.minX = std::min(path.minX, x);
            path.maxX = std::max(path.maxX, x);
            path.minY = std::min(path.minY, y);
            path.maxY = std::max(path.maxY, y);
            if (!started) {
                path.d.append("M").append(std::to_string(x)).append(" ").append(std::to_string(y)).append("l");
                started = true;
            } else if (x != lastX || y != lastY) {
                path.d.append(std::to_string(x - lastX)).append(" ").append(std::to_string(y - lastY)).append(" ");
            } else {
                continue;
            }
            lastX = x;
            lastY = y;
        }
        if (!started) continue;
        if (path.d.back() == ' ') path.d.pop_back();
        if (path.d.back() == 'l') path.d.pop_back();
        path.d.append("z");
    }
    return path;
}

} // namespace shirl
