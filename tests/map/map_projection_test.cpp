// The projection of a map, measured on the picture: states drawn upright.
#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "map/county_map.h"

namespace shirl {
namespace {

// The points of the path of the county whose tooltip starts with `tooltip`,
// in the picture's units.
std::vector<std::pair<long, long>> PointsOf(const std::string& svg, const std::string& tooltip) {
    std::vector<std::pair<long, long>> points;
    const auto at = svg.find("<title>" + tooltip);
    const auto path = svg.rfind("<path d=\"", at);
    if (at == std::string::npos || path == std::string::npos) return points;
    // "M x y l dx dy ... z" per ring: a ring starts after each 'z'.
    std::istringstream rings(svg.substr(path + 9, svg.find('"', path + 9) - path - 9));
    std::string ring;
    while (std::getline(rings, ring, 'z')) {
        std::istringstream numbers(ring.substr(ring.find('M') + 1));
        long x = 0, y = 0, dx = 0, dy = 0;
        numbers >> x >> y;
        points.emplace_back(x, y);
        numbers.ignore(1); // 'l'
        while (numbers >> dx >> dy) points.emplace_back(x += dx, y += dy);
    }
    return points;
}

// The slope in degrees of the line through the southernmost (or
// northernmost) points of two counties.
double EdgeSlope(const std::string& svg, const std::string& a, const std::string& b, bool south) {
    const auto extreme = [&](const std::string& county) {
        const auto points = PointsOf(svg, county);
        std::pair<long, long> best{0, 0};
        for (const auto& p : points)
            if (best == std::pair<long, long>{0, 0} || (south ? p.second > best.second : p.second < best.second)) best = p;
        return best;
    };
    const auto pa = extreme(a), pb = extreme(b);
    if (pa.first == pb.first) return 90;
    return std::atan(static_cast<double>(pb.second - pa.second) / static_cast<double>(pb.first - pa.first)) * 180 /
           3.14159265358979;
}

TEST(CountyMap, StatesAreUpright) {
    struct Case {
        const char* code;
        const char* a;
        const char* b;
        bool south; // the two counties' southern edges lie on one parallel (else their northern)
    };
    const Case cases[] = {
        {"NY", "Chautauqua, New York", "Broome, New York", true},          // 42 degrees north
        {"TX", "Dallam, Texas", "Lipscomb, Texas", false},                 // 36.5
        {"CO", "Moffat, Colorado", "Sedgwick, Colorado", false},           // 41
        {"7QP", "Humboldt, Nevada", "Box Elder, Utah", false},             // 42, a regional party
        {"VA", "Lee, Virginia", "Brunswick, Virginia", true},              // about 36.5
    };
    for (const Case& c : cases) {
        const std::string svg = RenderCountyMap(*FindSelectionByCode(c.code), nullptr, {});
        ASSERT_FALSE(PointsOf(svg, c.a).empty()) << c.a;
        ASSERT_FALSE(PointsOf(svg, c.b).empty()) << c.b;
        EXPECT_LT(std::abs(EdgeSlope(svg, c.a, c.b, c.south)), 2.0) << c.code;
    }
}

} // namespace
} // namespace shirl
