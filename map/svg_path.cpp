#include "map/svg_path.h"

#include <algorithm>

namespace shirl {

ShapePath PathOfShape(const MapShape& shape, const MapProjection& projection) {
    ShapePath path;
    bool first = true;
    const int state = shape.id >= 1000 ? shape.id / 1000 : shape.id;
    for (const MapRing& ring : shape.rings) {
        long lastX = 0, lastY = 0;
        bool started = false;
        for (const MapPoint& p : ring.points) {
            const MapUnitsPoint q = projection.Project(state, p);
            const long x = q.x, y = q.y;
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
