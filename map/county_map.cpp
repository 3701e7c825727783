#include "map/county_map.h"

#include <algorithm>
#include <array>
#include <optional>
#include <set>
#include <string_view>
#include <vector>

#include "base/text_util.h"
#include "data/abbrev_tables.h"
#include "data/contest_ids.h"
#include "data/county_names.h"
#include "data/gazetteer.h"
#include "data/map_shapes.h"
#include "data/search_order.h"
#include "map/map_area.h"
#include "map/map_projection.h"
#include "map/map_text.h"
#include "map/multipliers.h"
#include "map/svg_path.h"

namespace shirl {
namespace {

// Sized so that a phone showing the picture 360 pixels wide still shows the
// text at 11 pixels or more.
constexpr int kUnitsPerPixel = 4; // the paths' coordinates: quarter pixels
constexpr int kPictureWidth = 640; // pixels
constexpr int kMargin = 20;
constexpr int kMaxMapHeight = 480;
constexpr int kTitleHeight = 48;
constexpr int kTitleSize = 24;
constexpr int kLegendHeight = 40;
constexpr int kTextSize = 20;
constexpr int kLineHeight = 26;
constexpr int kLabelSize = 12;           // the bordering states' codes
constexpr int kMostNoteLines = 14;       // under the map; the rest is counted
constexpr int kContextMarginPercent = 4; // around the area, where the bordering states show
constexpr int kSmallSide = 4 * kUnitsPerPixel; // a worked county narrower than this gets a marker
constexpr int kMarkerRadius = 5 * kUnitsPerPixel;
constexpr int kConnecticut = 9;

// The fills by QSOs: each class darker than the one before (apart in grey
// scale too), the first at least 3:1 against the unworked fill. Unworked
// counties are outlined in grey, worked ones in white.
struct FillClass {
    std::int64_t from; // QSOs
    const char* colour;
    const char* label;
};
constexpr std::array<FillClass, 5> kClasses{{{0, "#f2f2f2", "none"},
                                             {1, "#e0600f", "1"},
                                             {2, "#b13d08", "2-3"},
                                             {4, "#7a2105", "4-9"},
                                             {10, "#3a0a02", "10 or more"}}};
constexpr const char* kUnworkedLine = "#8a8a8a";
constexpr const char* kWorkedLine = "#ffffff";
constexpr const char* kStateLine = "#222222";

std::size_t ClassOf(std::int64_t qsos) {
    std::size_t c = 0;
    while (c + 1 < kClasses.size() && qsos >= kClasses[c + 1].from) ++c;
    return c;
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

// Each county's abbreviations ("AUT, AUTA") in the places the lookup
// searches, in its order (the operator's list, then the tables), each once.
// A table's row whose abbreviation the list gives is left out: the lookup
// never reaches it.
std::map<int, std::string> AbbreviationsOf(Selection selection, const AbbrevList* list) {
    std::map<int, std::vector<std::string_view>> found;
    const auto add = [&found](std::string_view abbreviation, int countyId) {
        std::vector<std::string_view>& names = found[countyId];
        if (std::find(names.begin(), names.end(), abbreviation) == names.end()) names.push_back(abbreviation);
    };
    const AbbrevList* searched = nullptr; // the list, once the search has looked in it
    SearchInOrder(selection, list, [&](const SearchPlace& place) {
        if (place.list != nullptr) {
            searched = place.list;
            for (const AbbrevListRow& row : place.list->rows()) add(row.abbreviation, row.countyId);
        } else {
            for (const AbbrevEntry& row : place.table->rows)
                if (searched == nullptr || searched->Find(row.abbreviation) == nullptr) add(row.abbreviation, row.countyId);
        }
        return false;
    });
    std::map<int, std::string> joined;
    for (const auto& [id, names] : found) {
        std::string& text = joined[id];
        for (const std::string_view name : names) text.append(text.empty() ? "" : ", ").append(name);
    }
    return joined;
}

// A county shape of the map with the gazetteer counties drawn as it, or a
// Connecticut region with the QSOs of its entries.
struct DrawnCounty {
    const MapShape* shape = nullptr;
    std::vector<const GazetteerRow*> rows;
    std::int64_t qsos = 0;
    const MapRegion* region = nullptr;
};

struct MapContent {
    std::vector<DrawnCounty> drawn;     // ascending shape id
    int filled = 0;                     // of them with a QSO
    std::vector<std::string> notDrawn;  // of the area's states, without a shape of their own
    std::vector<std::string> byOutline; // of states shown whole, not by county
    std::vector<std::string> byRegion;  // Connecticut's counties where its regions are drawn
    std::vector<std::string> elsewhere; // "PR,San Juan Municipio (3 QSOs)", gazetteer order
    std::vector<std::string> notCounted; // drawn and worked, not among the party's multipliers
};

std::int64_t QsosOf(const CountyQsoCounts& counts, int countyId) {
    const auto it = counts.find(countyId);
    return it == counts.end() ? 0 : std::max<std::int64_t>(it->second, 0);
}

std::string Item(std::string_view name, std::int64_t qsos) {
    return std::string(name) + " (" + QsoText(qsos) + ")";
}

// The QSOs of the entries `others` that are the region's abbreviation.
std::int64_t RegionQsos(const MapRegion& region, const OtherCntyQsos& others) {
    std::int64_t qsos = 0;
    for (const auto& [value, n] : others)
        if (n > 0 && AsciiUpperCase(value) == region.abbreviation) qsos += n;
    return qsos;
}

// The counties of the area (Connecticut's regions instead of its counties
// when `byRegion`) with their QSOs, and every county worked that is not
// drawn, sorted by why.
MapContent CollectCounties(const MapArea& area, const CountyQsoCounts& counts, const OtherCntyQsos& others,
                           const std::vector<MultiplierSet>& sets, bool byRegion) {
    const auto in = [](const std::vector<int>& states, int state) {
        return std::binary_search(states.begin(), states.end(), state);
    };
    MapContent content;
    std::map<int, DrawnCounty> byShape;
    for (const GazetteerRow& row : Gazetteer()) {
        const int id = CountyId(row);
        const std::int64_t qsos = QsosOf(counts, id);
        const int shapeId = DrawnAsShapeId(id);
        const bool regionState = byRegion && row.stateNumber == kConnecticut;
        if (shapeId < 0 || !in(area.states, row.stateNumber) || regionState) {
            if (qsos < 1) continue;
            if (regionState) content.byRegion.push_back(Item(row.cntyValue, qsos));
            else if (in(area.states, row.stateNumber)) content.notDrawn.push_back(Item(row.cntyValue, qsos));
            else if (in(area.fitted, row.stateNumber) || in(area.context, row.stateNumber))
                content.byOutline.push_back(Item(row.cntyValue, qsos));
            else content.elsewhere.push_back(Item(row.cntyValue, qsos));
            continue;
        }
        DrawnCounty& drawn = byShape[shapeId];
        drawn.shape = FindMapShape(MapCountyShapes(), shapeId);
        drawn.rows.push_back(&row);
        drawn.qsos += qsos;
        if (qsos > 0 && !sets.empty() && !CountsCounty(sets, id)) content.notCounted.push_back(Item(row.cntyValue, qsos));
    }
    if (byRegion)
        for (const MapRegion& region : MapRegions())
            byShape[region.id] = {FindMapShape(MapRegionShapes(), region.id), {}, RegionQsos(region, others), &region};
    for (auto& [id, drawn] : byShape) {
        if (drawn.qsos > 0) ++content.filled;
        content.drawn.push_back(std::move(drawn));
    }
    return content;
}

std::string Tooltip(const DrawnCounty& county, const std::map<int, std::string>& abbreviations,
                    const CountyQsoCounts& counts) {
    if (county.region != nullptr)
        return XmlEscaped(std::string(county.region->name) + " planning region, Connecticut (" +
                          std::string(county.region->abbreviation) + "): " + QsoText(county.qsos));
    std::string text;
    for (const GazetteerRow* row : county.rows) {
        const int id = CountyId(*row);
        if (!text.empty()) text += "; ";
        text.append(row->countyName).append(", ").append(StateName(row->stateCode));
        if (const auto it = abbreviations.find(id); it != abbreviations.end()) text.append(" (").append(it->second).append(")");
        text.append(": ").append(QsoText(QsosOf(counts, id)));
    }
    return XmlEscaped(text);
}

MapProjection ProjectionOf(const MapArea& area) {
    constexpr long width = (kPictureWidth - 2 * kMargin) * kUnitsPerPixel;
    constexpr long height = kMaxMapHeight * kUnitsPerPixel;
    if (area.wholeCountry) return MapProjection::Nationwide(width, height);
    return MapProjection::ForArea(area.fitted, width, height, kContextMarginPercent);
}

void AppendOutlines(std::string& svg, const std::vector<int>& states, const MapProjection& projection) {
    for (const int state : states)
        if (const MapShape* shape = FindMapShape(MapStateShapes(), state))
            svg.append("<path d=\"").append(PathOfShape(*shape, projection).d).append("\"/>\n");
}

// Whether the point (x, y) of the picture lies inside the state `state`
// (even-odd over its rings).
bool InsideState(int state, long x, long y, const MapProjection& projection) {
    const MapShape* shape = FindMapShape(MapStateShapes(), state);
    if (shape == nullptr) return false;
    bool inside = false;
    for (const MapRing& ring : shape->rings)
        for (std::size_t i = 0, j = ring.points.size() - 1; i < ring.points.size(); j = i++) {
            const MapUnitsPoint a = projection.Project(state, ring.points[i]);
            const MapUnitsPoint b = projection.Project(state, ring.points[j]);
            if ((a.y > y) != (b.y > y) && x < a.x + (b.x - a.x) * (y - a.y) / (b.y - a.y)) inside = !inside;
        }
    return inside;
}

// The bordering states' codes, each in the middle of the part of it the
// picture shows, unless that falls on one of the area's `states`.
void AppendContextNames(std::string& svg, const std::vector<int>& names, const std::vector<int>& states,
                        const MapProjection& projection) {
    const long width = projection.Width(), height = projection.Height();
    svg.append("<g font-size=\"").append(std::to_string(kLabelSize * kUnitsPerPixel));
    svg.append("\" fill=\"#555555\" text-anchor=\"middle\" aria-hidden=\"true\">\n");
    for (const int state : names) {
        const MapShape* shape = FindMapShape(MapStateShapes(), state);
        if (shape == nullptr) continue;
        const ShapePath path = PathOfShape(*shape, projection);
        const long minX = std::max(path.minX, 0L), maxX = std::min(path.maxX, width);
        const long minY = std::max(path.minY, 0L), maxY = std::min(path.maxY, height);
        if (maxX - minX < 3 * kLabelSize * kUnitsPerPixel || maxY - minY < 2 * kLabelSize * kUnitsPerPixel) continue;
        const long x = (minX + maxX) / 2, y = (minY + maxY) / 2;
        if (std::any_of(states.begin(), states.end(), [&](int area) { return InsideState(area, x, y, projection); }))
            continue;
        std::string code;
        for (const GazetteerRow& county : Gazetteer())
            if (county.stateNumber == state) {
                code = county.stateCode;
                break;
            }
        svg.append("<text x=\"").append(std::to_string(x)).append("\" y=\"");
        svg.append(std::to_string(y + kLabelSize * kUnitsPerPixel / 2)).append("\">");
        svg.append(code).append("</text>\n");
    }
    svg.append("</g>\n");
}

// Where a worked county too small to see gets its marker: the middle of
// its largest ring, when it is narrower than kSmallSide or none of its rings
// covers a square of that side (the Aleutians' islands); nullopt when it is
// large enough.
std::optional<MapUnitsPoint> MarkerOfSmall(const MapShape& shape, const ShapePath& path, const MapProjection& projection) {
    const int state = shape.id / 1000 == 0 ? shape.id : shape.id / 1000;
    long long largest = -1;
    MapUnitsPoint middle{(path.minX + path.maxX) / 2, (path.minY + path.maxY) / 2};
    for (const MapRing& ring : shape.rings) {
        long long twice = 0; // twice the ring's area (shoelace)
        long minX = 0, minY = 0, maxX = 0, maxY = 0;
        for (std::size_t i = 0, j = ring.points.size() - 1; i < ring.points.size(); j = i++) {
            const MapUnitsPoint a = projection.Project(state, ring.points[i]), b = projection.Project(state, ring.points[j]);
            twice += static_cast<long long>(b.x) * a.y - static_cast<long long>(a.x) * b.y;
            if (i == 0) minX = maxX = a.x, minY = maxY = a.y;
            minX = std::min(minX, a.x), maxX = std::max(maxX, a.x), minY = std::min(minY, a.y), maxY = std::max(maxY, a.y);
        }
        twice = twice < 0 ? -twice : twice;
        if (twice > largest) largest = twice, middle = {(minX + maxX) / 2, (minY + maxY) / 2};
    }
    const bool narrow = std::min(path.maxX - path.minX, path.maxY - path.minY) < kSmallSide;
    if (!narrow && largest >= 2LL * kSmallSide * kSmallSide) return std::nullopt;
    return middle;
}

// A county's element: its shape, or a dot where a shape too small to see
// would be.
void AppendCounty(std::string& svg, const ShapePath& path, const char* fill, const std::string& tooltip) {
    const bool dot = path.maxX - path.minX < 2 * kUnitsPerPixel && path.maxY - path.minY < 2 * kUnitsPerPixel;
    if (dot) {
        svg.append("<circle cx=\"").append(std::to_string((path.minX + path.maxX) / 2));
        svg.append("\" cy=\"").append(std::to_string((path.minY + path.maxY) / 2)).append("\" r=\"6\"");
    } else {
        svg.append("<path d=\"").append(path.d).append("\"");
    }
    if (fill != nullptr) svg.append(" fill=\"").append(fill).append("\"");
    if (tooltip.empty()) {
        svg.append("/>\n");
        return;
    }
    svg.append("><title>").append(tooltip).append("</title>").append(dot ? "</circle>\n" : "</path>\n");
}

// The bordering states; the unworked counties; the area's state borders;
// the worked counties over them, larger before smaller; and last a marker
// for each worked county too narrow to see, which nothing covers. In a
// picture of its own, which cuts off what lies outside it.
void AppendShapes(std::string& svg, const MapProjection& projection, const MapArea& area, const MapContent& content,
                  const std::map<int, std::string>& abbreviations, const CountyQsoCounts& counts) {
    std::string unworked;
    struct Worked {
        ShapePath path;
        const DrawnCounty* county;
        long area() const { return (path.maxX - path.minX) * (path.maxY - path.minY); }
    };
    std::vector<Worked> worked;
    for (const DrawnCounty& county : content.drawn) {
        ShapePath path = PathOfShape(*county.shape, projection);
        if (county.qsos > 0) worked.push_back({std::move(path), &county});
        else AppendCounty(unworked, path, nullptr, Tooltip(county, abbreviations, counts));
    }
    std::stable_sort(worked.begin(), worked.end(), [](const Worked& a, const Worked& b) { return a.area() > b.area(); });
    std::string fills, markers;
    for (const Worked& w : worked) {
        const char* colour = kClasses[ClassOf(w.county->qsos)].colour;
        const std::string tooltip = Tooltip(*w.county, abbreviations, counts);
        const std::optional<MapUnitsPoint> marker = MarkerOfSmall(*w.county->shape, w.path, projection);
        AppendCounty(fills, w.path, colour, marker ? std::string() : tooltip);
        if (!marker) continue;
        markers.append("<circle cx=\"").append(std::to_string(marker->x));
        markers.append("\" cy=\"").append(std::to_string(marker->y));
        markers.append("\" r=\"").append(std::to_string(kMarkerRadius)).append("\" fill=\"").append(colour);
        markers.append("\"><title>").append(tooltip).append("</title></circle>\n");
    }
    const long width = projection.Width(), height = projection.Height();
    svg.append("<svg x=\"").append(std::to_string((kPictureWidth - width / kUnitsPerPixel) / 2));
    svg.append("\" y=\"").append(std::to_string(kTitleHeight)).append("\" width=\"");
    svg.append(std::to_string(width / kUnitsPerPixel)).append("\" height=\"").append(std::to_string(height / kUnitsPerPixel));
    svg.append("\" viewBox=\"0 0 ").append(std::to_string(width)).append(" ").append(std::to_string(height));
    svg.append("\" stroke-linejoin=\"round\">\n");
    if (!area.context.empty()) {
        svg.append("<g fill=\"#ffffff\" stroke=\"#bbbbbb\" stroke-width=\"4\">\n");
        AppendOutlines(svg, area.context, projection);
        svg.append("</g>\n");
        AppendContextNames(svg, area.context, area.fitted, projection);
    }
    svg.append("<g fill=\"").append(kClasses[0].colour).append("\" stroke=\"").append(kUnworkedLine);
    svg.append("\" stroke-width=\"2\">\n").append(unworked).append("</g>\n");
    svg.append("<g fill=\"none\" stroke=\"").append(kStateLine).append("\" stroke-width=\"5\">\n");
    AppendOutlines(svg, area.states, projection);
    svg.append("</g>\n");
    if (!fills.empty()) {
        svg.append("<g class=\"worked\" stroke=\"").append(kWorkedLine).append("\" stroke-width=\"2\">\n");
        svg.append(fills).append("</g>\n");
    }
    if (!markers.empty()) {
        svg.append("<g class=\"worked\" stroke=\"#000000\" stroke-width=\"6\">\n").append(markers).append("</g>\n");
    }
    svg.append("</svg>\n");
}

void AppendLegend(std::string& svg, int top) {
    svg.append("<g font-size=\"").append(std::to_string(kTextSize)).append("\">\n<text x=\"");
    svg.append(std::to_string(kMargin)).append("\" y=\"").append(std::to_string(top + 20)).append("\">QSOs:</text>\n");
    constexpr int kSwatch = 20, kGap = 6, kSpace = 16;
    int x = kMargin + TextWidth("QSOs:", kTextSize) + kSpace;
    for (std::size_t c = 0; c < kClasses.size(); ++c) {
        svg.append("<rect x=\"").append(std::to_string(x)).append("\" y=\"").append(std::to_string(top + 3));
        svg.append("\" width=\"20\" height=\"20\" fill=\"").append(kClasses[c].colour).append("\" stroke=\"");
        svg.append(c == 0 ? kUnworkedLine : kClasses[c].colour).append("\"/>");
        svg.append("<text x=\"").append(std::to_string(x + kSwatch + kGap)).append("\" y=\"").append(std::to_string(top + 20));
        svg.append("\">").append(kClasses[c].label).append("</text>\n");
        x += kSwatch + kGap + TextWidth(kClasses[c].label, kTextSize) + kSpace;
    }
    svg.append("</g>\n");
}

// Whether `value` is the abbreviation of one of Connecticut's regions, in
// any letter case.
bool IsConnecticutRegion(std::string_view value) {
    const std::string upper = AsciiUpperCase(value);
    return std::any_of(MapRegions().begin(), MapRegions().end(),
                       [&upper](const MapRegion& region) { return region.abbreviation == upper; });
}

// Whether the party's tables count Connecticut's regions.
bool CountsRegions(const std::vector<MultiplierSet>& sets) {
    return std::any_of(MapRegions().begin(), MapRegions().end(),
                       [&sets](const MapRegion& region) { return CountsEntry(sets, region.abbreviation); });
}

// Whether the area holds independent cities that the Selection's tables
// answer with their state alone (the run still counts their QSOs).
bool AreaHasCityTables(Selection selection, const AbbrevList* list, const MapArea& area) {
    return SearchInOrder(selection, list, [&area](const SearchPlace& place) {
        if (place.table == nullptr || !place.table->independentCities) return false;
        return std::any_of(place.table->rows.begin(), place.table->rows.end(), [&area](const AbbrevEntry& row) {
            return std::binary_search(area.states.begin(), area.states.end(), row.countyId / 1000);
        });
    });
}

// A paragraph under the legend: its lead and the items it names.
struct Note {
    std::string lead;
    std::vector<std::string> items{};
    std::string Text(std::size_t shown, std::size_t more) const {
        std::string text = lead;
        for (std::size_t i = 0; i < shown; ++i) text.append(i == 0 ? " " : "; ").append(items[i]);
        if (more > 0) text.append(shown == 0 ? " and " : "; and ").append(std::to_string(more)).append(" more");
        return text;
    }
};

// The paragraphs under the legend: how the map shows entries that are not
// counties, and every value worked that it does not fill.
std::vector<Note> Notes(Selection selection, const AbbrevList* list, const MapArea& area, const MapContent& content,
                        const OtherCntyQsos& others, bool byRegion) {
    std::vector<Note> notes;
    if (AreaHasCityTables(selection, list, area))
        notes.push_back({"Independent cities are not counties (the log gets their state alone) but are "
                         "drawn and counted on their own."});
    std::vector<std::string> regions, unknown;
    for (const auto& [value, qsos] : others) {
        if (qsos < 1) continue;
        if (value.empty()) unknown.push_back(Item("other values", qsos));
        else if (!IsConnecticutRegion(value)) unknown.push_back(Item(value, qsos));
        else if (!byRegion) regions.push_back(Item(value, qsos));
    }
    const auto add = [&notes](const char* lead, const std::vector<std::string>& items) {
        if (!items.empty()) notes.push_back({lead, items});
    };
    add("Connecticut regions (the party's entries there, not counties; not drawn):", regions);
    add("Drawn but not among the party's multipliers:", content.notCounted);
    add("Worked, without a shape of their own:", content.notDrawn);
    add("Worked in states drawn whole, not by county:", content.byOutline);
    add("Connecticut's counties, drawn by its planning regions:", content.byRegion);
    add("Also worked off this map:", content.elsewhere);
    add("Values that name no county:", unknown);
    return notes;
}

// The notes in lines that fit the picture, at most kMostNoteLines: the last
// items that do not fit are counted instead ("and 12 more").
std::vector<std::string> NoteLines(const std::vector<Note>& notes) {
    constexpr int width = kPictureWidth - 2 * kMargin;
    std::size_t total = 0;
    for (const Note& note : notes) total += note.items.size();
    for (std::size_t named = total;; --named) { // the items named, in the notes' order
        std::vector<std::string> lines;
        std::size_t left = named;
        for (const Note& note : notes) {
            const std::size_t shown = std::min(left, note.items.size());
            const bool cut = shown < note.items.size();
            for (std::string& line : WrappedLines(note.Text(shown, cut ? total - named : 0), kTextSize, width))
                lines.push_back(std::move(line));
            left -= shown;
            if (cut) break;
        }
        if (lines.size() <= static_cast<std::size_t>(kMostNoteLines) || named == 0) return lines;
    }
}

// The picture's description for screen readers: the title, every county
// worked with its QSOs, and the notes.
std::string Description(const std::string& title, const MapContent& content, const CountyQsoCounts& counts,
                        const std::vector<Note>& notes) {
    std::string text = title + ".";
    std::string worked;
    for (const DrawnCounty& county : content.drawn) {
        if (county.region != nullptr && county.qsos > 0)
            worked.append(worked.empty() ? "" : "; ")
                .append(Item("CT," + std::string(county.region->name) + " planning region", county.qsos));
        for (const GazetteerRow* row : county.rows)
            if (const std::int64_t qsos = QsosOf(counts, CountyId(*row)); qsos > 0)
                worked.append(worked.empty() ? "" : "; ").append(Item(row->cntyValue, qsos));
    }
    if (!worked.empty()) text.append(" Worked: ").append(worked).append(".");
    for (const Note& note : notes) {
        text.append(" ").append(note.Text(note.items.size(), 0));
        if (!text.ends_with('.')) text += '.';
    }
    return XmlEscaped(text);
}

} // namespace

std::string RenderCountyMap(Selection selection, const AbbrevList* list, const CountyQsoCounts& counts,
                            const OtherCntyQsos& others) {
    std::set<int> entryStates; // worked by entries that are not counties
    for (const auto& [value, qsos] : others)
        if (qsos > 0 && IsConnecticutRegion(value)) entryStates.insert(kConnecticut);
    const std::vector<MultiplierSet> sets = selection.IsValid() ? PartyMultiplierSets(selection, list)
                                                                : std::vector<MultiplierSet>{};
    MapArea area = MapAreaOfSelection(selection, list, counts, entryStates);
    const bool byRegion = CountsRegions(sets) && std::binary_search(area.fitted.begin(), area.fitted.end(), kConnecticut);
    if (byRegion) { // Connecticut drawn by its regions, as one of the area's states
        area.context.erase(std::remove(area.context.begin(), area.context.end(), kConnecticut), area.context.end());
        if (!std::binary_search(area.states.begin(), area.states.end(), kConnecticut))
            area.states.insert(std::upper_bound(area.states.begin(), area.states.end(), kConnecticut), kConnecticut);
    }
    const MapContent content = CollectCounties(area, counts, others, sets, byRegion);
    const MapProjection projection = ProjectionOf(area);
    const std::vector<Note> notes = Notes(selection, list, area, content, others, byRegion);
    const std::vector<std::string> lines = NoteLines(notes);
    const int legendTop = kTitleHeight + static_cast<int>(projection.Height() / kUnitsPerPixel) + 12;
    const int height = legendTop + kLegendHeight + static_cast<int>(lines.size()) * kLineHeight + kMargin / 2;
    const std::string name = selection.IsValid() ? PartyName(selection) : "Counties worked";
    // N of M: the party's multipliers where it has tables, else the shapes drawn.
    MultiplierCount count{content.filled, static_cast<int>(content.drawn.size())};
    if (!sets.empty()) count = CountMultipliers(sets, counts, others);
    const std::string title = name + ": " + std::to_string(count.worked) + " of " + std::to_string(count.total) + " counties";

    std::string svg = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    svg.append("<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"").append(std::to_string(kPictureWidth));
    svg.append("\" height=\"").append(std::to_string(height)).append("\" viewBox=\"0 0 ");
    svg.append(std::to_string(kPictureWidth)).append(" ").append(std::to_string(height));
    svg.append("\" font-family=\"").append(kMapFontFamily).append("\">\n<title>").append(XmlEscaped(title)).append("</title>\n");
    svg.append("<desc>").append(Description(title, content, counts, notes)).append("</desc>\n");
    svg.append("<rect width=\"").append(std::to_string(kPictureWidth)).append("\" height=\"");
    svg.append(std::to_string(height)).append("\" fill=\"#ffffff\"/>\n");
    svg.append("<text x=\"").append(std::to_string(kPictureWidth / 2)).append("\" y=\"32\" font-size=\"");
    // A long title gets a smaller size, down to the text's, to stay within the picture.
    int titleSize = kTitleSize;
    while (titleSize > kTextSize && TextWidth(title, titleSize) > kPictureWidth - 2 * kMargin) --titleSize;
    svg.append(std::to_string(titleSize)).append("\" font-weight=\"bold\" text-anchor=\"middle\">");
    svg.append(XmlEscaped(title)).append("</text>\n");
    AppendShapes(svg, projection, area, content, AbbreviationsOf(selection, list), counts);
    AppendLegend(svg, legendTop);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        svg.append("<text x=\"").append(std::to_string(kMargin)).append("\" y=\"");
        svg.append(std::to_string(legendTop + kLegendHeight + 14 + static_cast<int>(i) * kLineHeight));
        svg.append("\" font-size=\"").append(std::to_string(kTextSize)).append("\">");
        svg.append(XmlEscaped(lines[i])).append("</text>\n");
    }
    svg.append("</svg>\n");
    return svg;
}

} // namespace shirl
