#include "map/county_map.h"

#include <algorithm>
#include <array>
#include <vector>

#include "data/abbrev_tables.h"
#include "data/gazetteer.h"
#include "data/map_shapes.h"
#include "map/map_area.h"
#include "map/svg_path.h"

namespace shirl {
namespace {

constexpr int kUnitsPerPixel = 4;    // the paths' coordinates: quarter pixels
constexpr double kMaxMapWidth = 900; // pixels
constexpr double kMaxMapHeight = 560;
constexpr int kMargin = 20;
constexpr int kTitleHeight = 44;
constexpr int kLegendHeight = 40;
constexpr int kLineHeight = 18;
constexpr int kCharacterWidth = 7; // pixels, about, of the 13-pixel text under the map

struct FillClass {
    std::int64_t from; // QSOs
    const char* colour;
    const char* label;
};
constexpr std::array<FillClass, 5> kClasses{{{0, "#eeeeee", "none"},
                                             {1, "#fed976", "1"},
                                             {2, "#fd8d3c", "2-3"},
                                             {4, "#e31a1c", "4-9"},
                                             {10, "#800026", "10 or more"}}};

std::size_t ClassOf(std::int64_t qsos) {
    std::size_t c = 0;
    while (c + 1 < kClasses.size() && qsos >= kClasses[c + 1].from) ++c;
    return c;
}

std::string Escaped(std::string_view text) {
    std::string out;
    for (const char c : text) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        default: out += c;
        }
    }
    return out;
}

std::string QsoText(std::int64_t qsos) {
    if (qsos == 0) return "no QSOs";
    return std::to_string(qsos) + (qsos == 1 ? " QSO" : " QSOs");
}

std::string StateName(std::string_view code) {
    if (code == "DC") return "District of Columbia";
    const auto selection = FindSelectionByCode(code);
    return selection ? std::string(selection->Name()) : std::string(code);
}

// Each county's abbreviations in the Selection's tables ("AUT, AUTA"), in
// the order the lookup searches the tables, each once.
std::map<int, std::string> AbbreviationsOf(Selection selection) {
    std::map<int, std::string> joined;
    for (const TableId table : TablesForSelection(selection))
        for (const AbbrevEntry& row : GetAbbrevTable(table).rows) {
            std::string& text = joined[row.countyId];
            if (("," + text + ",").find("," + std::string(row.abbreviation) + ",") != std::string::npos) continue;
            text.append(text.empty() ? "" : ",").append(row.abbreviation);
        }
    for (auto& [id, text] : joined) {
        std::string spaced;
        for (const char c : text) spaced.append(c == ',' ? ", " : std::string(1, c));
        text = spaced;
    }
    return joined;
}

// A county shape of the map with the gazetteer counties drawn as it.
struct DrawnCounty {
    const MapShape* shape = nullptr;
    std::vector<const GazetteerRow*> rows;
    std::int64_t qsos = 0;
};

struct MapContent {
    std::vector<DrawnCounty> drawn; // ascending shape id
    int counties = 0;               // gazetteer counties of the area
    int worked = 0;                 // of them with a QSO
    std::vector<std::string> elsewhere; // "PR,San Juan: 3 QSOs", gazetteer order
};

std::int64_t QsosOf(const CountyQsoCounts& counts, int countyId) {
    const auto it = counts.find(countyId);
    return it == counts.end() ? 0 : std::max<std::int64_t>(it->second, 0);
}

MapContent CollectCounties(const MapArea& area, const CountyQsoCounts& counts) {
    MapContent content;
    std::map<int, DrawnCounty> byShape;
    for (const GazetteerRow& row : Gazetteer()) {
        const int id = row.stateNumber * 1000 + row.countyNumber;
        const std::int64_t qsos = QsosOf(counts, id);
        const int shapeId = DrawnAsShapeId(id);
        const bool inArea = std::binary_search(area.states.begin(), area.states.end(), row.stateNumber);
        if (shapeId < 0 || !inArea) {
            if (qsos > 0) content.elsewhere.push_back(std::string(row.cntyValue) + ": " + QsoText(qsos));
            continue;
        }
        ++content.counties;
        if (qsos > 0) ++content.worked;
        DrawnCounty& drawn = byShape[shapeId];
        drawn.shape = FindMapShape(MapCountyShapes(), shapeId);
        drawn.rows.push_back(&row);
        drawn.qsos += qsos;
    }
    for (auto& [id, drawn] : byShape) content.drawn.push_back(std::move(drawn));
    return content;
}

std::string Tooltip(const DrawnCounty& county, const std::map<int, std::string>& abbreviations,
                    const CountyQsoCounts& counts) {
    std::string text;
    for (const GazetteerRow* row : county.rows) {
        const int id = row->stateNumber * 1000 + row->countyNumber;
        if (!text.empty()) text += "; ";
        text.append(row->countyName).append(", ").append(StateName(row->stateCode));
        if (const auto it = abbreviations.find(id); it != abbreviations.end()) text.append(" (").append(it->second).append(")");
        text.append(": ").append(QsoText(QsosOf(counts, id)));
    }
    return Escaped(text);
}

struct Layout {
    FrameBox box;
    double scale = 1;    // map pixels per frame unit
    int width = 0;       // the picture's, pixels
    int mapWidth = 0, mapHeight = 0;
    int mapLeft = 0;
};

Layout LayOut(const MapArea& area) {
    Layout layout;
    if (area.wholeCountry) {
        layout.box = {0, 0, kMapFrameWidth, kMapFrameHeight};
    } else {
        bool empty = true;
        for (const int state : area.states)
            if (const MapShape* shape = FindMapShape(MapStateShapes(), state)) GrowBox(layout.box, empty, *shape);
    }
    const double w = std::max(1, layout.box.maxX - layout.box.minX);
    const double h = std::max(1, layout.box.maxY - layout.box.minY);
    layout.scale = std::min(kMaxMapWidth / w, kMaxMapHeight / h);
    layout.mapWidth = static_cast<int>(w * layout.scale + 0.5);
    layout.mapHeight = static_cast<int>(h * layout.scale + 0.5);
    layout.width = std::max(layout.mapWidth + 2 * kMargin, 640);
    layout.mapLeft = (layout.width - layout.mapWidth) / 2;
    return layout;
}

// The counties, grouped by their fill, then the state borders over them.
void AppendShapes(std::string& svg, const Layout& layout, const MapArea& area, const MapContent& content,
                  Selection selection, const CountyQsoCounts& counts) {
    const MapProjection projection(layout.box, layout.scale * kUnitsPerPixel);
    const auto abbreviations = AbbreviationsOf(selection);
    std::array<std::string, kClasses.size()> groups;
    for (const DrawnCounty& county : content.drawn) {
        const ShapePath path = PathOfShape(*county.shape, projection);
        std::string& group = groups[ClassOf(county.qsos)];
        // A county too small to see at this scale is drawn as a dot where it is.
        const bool dot = path.maxX - path.minX < 2 * kUnitsPerPixel && path.maxY - path.minY < 2 * kUnitsPerPixel;
        if (dot) {
            group.append("<circle cx=\"").append(std::to_string((path.minX + path.maxX) / 2));
            group.append("\" cy=\"").append(std::to_string((path.minY + path.maxY) / 2)).append("\" r=\"6\">");
        } else {
            group.append("<path d=\"").append(path.d).append("\">");
        }
        group.append("<title>").append(Tooltip(county, abbreviations, counts)).append("</title>");
        group.append(dot ? "</circle>\n" : "</path>\n");
    }
    svg.append("<g transform=\"translate(").append(std::to_string(layout.mapLeft)).append(" ");
    svg.append(std::to_string(kTitleHeight)).append(") scale(0.25)\" stroke-linejoin=\"round\">\n");
    svg.append("<g stroke=\"#ffffff\" stroke-width=\"2\">\n");
    for (std::size_t c = 0; c < groups.size(); ++c)
        if (!groups[c].empty())
            svg.append("<g fill=\"").append(kClasses[c].colour).append("\">\n").append(groups[c]).append("</g>\n");
    svg.append("</g>\n<g fill=\"none\" stroke=\"#333333\" stroke-width=\"5\">\n");
    for (const int state : area.states)
        if (const MapShape* shape = FindMapShape(MapStateShapes(), state))
            svg.append("<path d=\"").append(PathOfShape(*shape, projection).d).append("\"/>\n");
    svg.append("</g>\n</g>\n");
}

void AppendLegend(std::string& svg, int top) {
    svg.append("<g font-size=\"13\">\n<text x=\"").append(std::to_string(kMargin)).append("\" y=\"");
    svg.append(std::to_string(top + 15)).append("\">QSOs:</text>\n");
    int x = kMargin + 52;
    for (const FillClass& c : kClasses) {
        svg.append("<rect x=\"").append(std::to_string(x)).append("\" y=\"").append(std::to_string(top + 3));
        svg.append("\" width=\"16\" height=\"16\" fill=\"").append(c.colour).append("\" stroke=\"#999999\"/>");
        svg.append("<text x=\"").append(std::to_string(x + 22)).append("\" y=\"").append(std::to_string(top + 15));
        svg.append("\">").append(c.label).append("</text>\n");
        x += 40 + 8 * static_cast<int>(std::string_view(c.label).size());
    }
    svg.append("</g>\n");
}

// "Also worked: PR,San Juan: 3 QSOs, ..." in lines that fit the picture.
std::vector<std::string> NoteLines(const std::vector<std::string>& elsewhere, int width) {
    const std::size_t lineLength = static_cast<std::size_t>((width - 2 * kMargin) / kCharacterWidth);
    std::vector<std::string> lines;
    std::string line = "Also worked, not on this map:";
    for (std::size_t i = 0; i < elsewhere.size(); ++i) {
        const std::string item = " " + elsewhere[i] + (i + 1 < elsewhere.size() ? "," : "");
        if (line.size() + item.size() > lineLength) {
            lines.push_back(line);
            line.clear();
        }
        line += item;
    }
    if (!elsewhere.empty()) lines.push_back(line);
    return lines;
}

} // namespace

std::string RenderCountyMap(Selection selection, const CountyQsoCounts& counts) {
    const MapArea area = MapAreaOfSelection(selection);
    const MapContent content = CollectCounties(area, counts);
    const Layout layout = LayOut(area);
    const std::vector<std::string> notes = NoteLines(content.elsewhere, layout.width);
    const int legendTop = kTitleHeight + layout.mapHeight + 12;
    const int height = legendTop + kLegendHeight + static_cast<int>(notes.size()) * kLineHeight + kMargin / 2;
    const std::string title = Escaped(MapTitleOfSelection(selection)) + ": " + std::to_string(content.worked) +
                              " of " + std::to_string(content.counties) + " counties";

    std::string svg = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    svg.append("<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"").append(std::to_string(layout.width));
    svg.append("\" height=\"").append(std::to_string(height)).append("\" viewBox=\"0 0 ");
    svg.append(std::to_string(layout.width)).append(" ").append(std::to_string(height));
    svg.append("\" font-family=\"sans-serif\">\n<title>").append(title).append("</title>\n");
    svg.append("<rect width=\"").append(std::to_string(layout.width)).append("\" height=\"");
    svg.append(std::to_string(height)).append("\" fill=\"#ffffff\"/>\n");
    svg.append("<text x=\"").append(std::to_string(layout.width / 2)).append("\" y=\"28\" font-size=\"20\" ");
    svg.append("font-weight=\"bold\" text-anchor=\"middle\">").append(title).append("</text>\n");
    AppendShapes(svg, layout, area, content, selection, counts);
    AppendLegend(svg, legendTop);
    for (std::size_t i = 0; i < notes.size(); ++i) {
        svg.append("<text x=\"").append(std::to_string(kMargin)).append("\" y=\"");
        svg.append(std::to_string(legendTop + kLegendHeight + static_cast<int>(i) * kLineHeight));
        svg.append("\" font-size=\"13\">").append(Escaped(notes[i])).append("</text>\n");
    }
    svg.append("</svg>\n");
    return svg;
}

} // namespace shirl
