#include "award/award_map.h"

#include <array>
#include <map>
#include <vector>

#include "award/award_list.h"
#include "award/award_report.h"
#include "data/gazetteer.h"
#include "data/map_shapes.h"
#include "map/map_projection.h"
#include "map/svg_path.h"

namespace shirl {
namespace {

constexpr int kUnitsPerPixel = 4;
constexpr int kPictureWidth = 960;
constexpr int kMargin = 20;
constexpr int kMaxMapHeight = 600;
constexpr int kTitleHeight = 52;
constexpr int kLegendHeight = 40;
constexpr int kTextSize = 22;

enum Class { kNeeded, kWorked, kConfirmed };

struct ClassStyle {
    const char* fill;
    const char* label;
};
// Lightness 100, about 71 and about 34: apart in grey scale and for every
// kind of colour blindness (orange and blue).
constexpr std::array<ClassStyle, 3> kStyles{{{"#ffffff", "Needed"}, {"#e69f00", "Worked"}, {"#1f4e9c", "Confirmed"}}};

Class ClassOfIndex(const AwardTally& tally, int index) {
    const CountyCredit& credit = tally.Counties()[static_cast<std::size_t>(index)];
    if (!credit.confirmed.Empty()) return kConfirmed;
    return credit.worked.Empty() ? kNeeded : kWorked;
}

// The class of each county shape: its best award county, a claimed place's county.
std::map<int, Class> ShapeClasses(const AwardTally& tally) {
    std::map<int, Class> classes;
    for (const GazetteerRow& row : Gazetteer()) {
        const int id = CountyId(row);
        const int shape = DrawnAsShapeId(id);
        if (shape < 0) continue;
        int index = AwardIndexOfCounty(id);
        if (index == kNotAwardCounty) {
            const auto claim = tally.Options().claims.find(id);
            if (claim != tally.Options().claims.end()) index = claim->second;
        }
        const Class c = index == kNotAwardCounty ? kNeeded : ClassOfIndex(tally, index);
        auto [it, added] = classes.try_emplace(shape, c);
        if (!added && c > it->second) it->second = c;
    }
    return classes;
}

void AppendShapes(std::string& svg, const MapProjection& projection, const AwardTally& tally) {
    std::array<std::string, kStyles.size()> groups;
    for (const auto& [shapeId, c] : ShapeClasses(tally)) {
        const MapShape* shape = FindMapShape(MapCountyShapes(), shapeId);
        if (shape == nullptr) continue;
        const GazetteerRow* row = FindCounty(shapeId);
        std::string& group = groups[c];
        group.append("<path d=\"").append(PathOfShape(*shape, projection).d).append("\">");
        if (row != nullptr) group.append("<title>").append(row->cntyValue).append("</title>");
        group.append("</path>\n");
    }
    const long width = projection.Width(), height = projection.Height();
    svg.append("<svg x=\"").append(std::to_string((kPictureWidth - width / kUnitsPerPixel) / 2));
    svg.append("\" y=\"").append(std::to_string(kTitleHeight)).append("\" width=\"");
    svg.append(std::to_string(width / kUnitsPerPixel)).append("\" height=\"").append(std::to_string(height / kUnitsPerPixel));
    svg.append("\" viewBox=\"0 0 ").append(std::to_string(width)).append(" ").append(std::to_string(height));
    svg.append("\" stroke-linejoin=\"round\">\n<g stroke=\"#8c8c8c\" stroke-width=\"1\">\n");
    for (std::size_t c = 0; c < groups.size(); ++c)
        if (!groups[c].empty())
            svg.append("<g fill=\"").append(kStyles[c].fill).append("\">\n").append(groups[c]).append("</g>\n");
    svg.append("</g>\n<g fill=\"none\" stroke=\"#222222\" stroke-width=\"4\">\n");
    for (const MapShape& state : MapStateShapes())
        svg.append("<path d=\"").append(PathOfShape(state, projection).d).append("\"/>\n");
    svg.append("</g>\n</svg>\n");
}

void AppendLegend(std::string& svg, int top, const std::array<int, 3>& counts) {
    svg.append("<g font-size=\"").append(std::to_string(kTextSize)).append("\">\n");
    int x = kMargin;
    for (std::size_t c = 0; c < kStyles.size(); ++c) {
        const std::string label = std::string(kStyles[c].label) + " " + std::to_string(counts[c]);
        svg.append("<rect x=\"").append(std::to_string(x)).append("\" y=\"").append(std::to_string(top + 2));
        svg.append("\" width=\"24\" height=\"24\" fill=\"").append(kStyles[c].fill).append("\" stroke=\"#222222\"/>");
        svg.append("<text x=\"").append(std::to_string(x + 32)).append("\" y=\"").append(std::to_string(top + 22));
        svg.append("\">").append(label).append("</text>\n");
        x += 70 + 13 * static_cast<int>(label.size());
    }
    svg.append("</g>\n");
}

} // namespace

std::string RenderAwardMap(const AwardTally& tally) {
    const MapProjection projection =
        MapProjection::Nationwide((kPictureWidth - 2 * kMargin) * kUnitsPerPixel, kMaxMapHeight * kUnitsPerPixel);
    const int worked = WorkedCount(tally), confirmed = ConfirmedCount(tally), total = AwardCountyCount();
    const std::array<int, 3> counts = {total - worked, worked - confirmed, confirmed};
    const int legendTop = kTitleHeight + static_cast<int>(projection.Height() / kUnitsPerPixel) + 12;
    const int height = legendTop + kLegendHeight + kMargin / 2;
    const std::string title = "USA Counties Award: " + std::to_string(worked) + " worked, " + std::to_string(confirmed) +
                              " confirmed of " + std::to_string(total);
    std::string svg = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    svg.append("<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"").append(std::to_string(kPictureWidth));
    svg.append("\" height=\"").append(std::to_string(height)).append("\" viewBox=\"0 0 ");
    svg.append(std::to_string(kPictureWidth)).append(" ").append(std::to_string(height));
    svg.append("\" font-family=\"sans-serif\">\n<title>").append(title).append("</title>\n");
    svg.append("<rect width=\"").append(std::to_string(kPictureWidth)).append("\" height=\"");
    svg.append(std::to_string(height)).append("\" fill=\"#ffffff\"/>\n");
    svg.append("<text x=\"").append(std::to_string(kPictureWidth / 2)).append("\" y=\"34\" font-size=\"28\" ");
    svg.append("font-weight=\"bold\" text-anchor=\"middle\">").append(title).append("</text>\n");
    AppendShapes(svg, projection, tally);
    AppendLegend(svg, legendTop, counts);
    svg.append("</svg>\n");
    return svg;
}

} // namespace shirl
