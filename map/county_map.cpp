#include "map/county_map.h"

#include <algorithm>
#include <array>
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
constexpr int kTitleCharacters = 40; // that fit the picture at kTitleSize
constexpr int kLegendHeight = 40;
constexpr int kTextSize = 20;
constexpr int kLineHeight = 26;
constexpr int kCharacterWidth = 11; // pixels, about, of the text under the map
constexpr int kContextMarginPercent = 4; // around the area, where the bordering states show
constexpr int kConnecticut = 9;

struct FillClass {
    std::int64_t from; // QSOs
    const char* colour;
    const char* label;
};
constexpr std::array<FillClass, 5> kClasses{{{0, "#ececec", "none"},
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

// A county shape of the map with the gazetteer counties drawn as it.
struct DrawnCounty {
    const MapShape* shape = nullptr;
    std::vector<const GazetteerRow*> rows;
    std::int64_t qsos = 0;
};

struct MapContent {
    std::vector<DrawnCounty> drawn;     // ascending shape id
    int filled = 0;                     // of them with a QSO
    std::vector<std::string> elsewhere; // "PR,San Juan Municipio (3 QSOs)", gazetteer order
};

std::int64_t QsosOf(const CountyQsoCounts& counts, int countyId) {
    const auto it = counts.find(countyId);
    return it == counts.end() ? 0 : std::max<std::int64_t>(it->second, 0);
}

std::string Item(std::string_view name, std::int64_t qsos) {
    return std::string(name) + " (" + QsoText(qsos) + ")";
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
            if (qsos > 0) content.elsewhere.push_back(Item(row.cntyValue, qsos));
            continue;
        }
        DrawnCounty& drawn = byShape[shapeId];
        drawn.shape = FindMapShape(MapCountyShapes(), shapeId);
        drawn.rows.push_back(&row);
        drawn.qsos += qsos;
    }
    for (auto& [id, drawn] : byShape) {
        if (drawn.qsos > 0) ++content.filled;
        content.drawn.push_back(std::move(drawn));
    }
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

// The bordering states, then the counties grouped by their fill, then the
// area's state borders over them; in a picture of its own, which cuts off
// what lies outside it.
void AppendShapes(std::string& svg, const MapProjection& projection, const MapArea& area, const MapContent& content,
                  const std::map<int, std::string>& abbreviations, const CountyQsoCounts& counts) {
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
    }
    svg.append("<g stroke=\"#9e9e9e\" stroke-width=\"2\">\n");
    for (std::size_t c = 0; c < groups.size(); ++c)
        if (!groups[c].empty())
            svg.append("<g fill=\"").append(kClasses[c].colour).append("\">\n").append(groups[c]).append("</g>\n");
    svg.append("</g>\n<g fill=\"none\" stroke=\"#333333\" stroke-width=\"5\">\n");
    AppendOutlines(svg, area.states, projection);
    svg.append("</g>\n</svg>\n");
}

void AppendLegend(std::string& svg, int top) {
    svg.append("<g font-size=\"").append(std::to_string(kTextSize)).append("\">\n<text x=\"");
    svg.append(std::to_string(kMargin)).append("\" y=\"").append(std::to_string(top + 20)).append("\">QSOs:</text>\n");
    int x = kMargin + 64;
    for (const FillClass& c : kClasses) {
        svg.append("<rect x=\"").append(std::to_string(x)).append("\" y=\"").append(std::to_string(top + 3));
        svg.append("\" width=\"20\" height=\"20\" fill=\"").append(c.colour).append("\" stroke=\"#9e9e9e\"/>");
        svg.append("<text x=\"").append(std::to_string(x + 26)).append("\" y=\"").append(std::to_string(top + 20));
        svg.append("\">").append(c.label).append("</text>\n");
        x += 44 + kCharacterWidth * static_cast<int>(std::string_view(c.label).size());
    }
    svg.append("</g>\n");
}

// Whether `value` is one of the Connecticut regions of the New England QSO
// Party table (rows that name no county), in any letter case.
bool IsConnecticutRegion(std::string_view value) {
    for (const AbbrevEntry& row : GetAbbrevTable(TableId::NewEngland).rows)
        if (!IsGazetteerCountyId(row.countyId) && AsciiUpperCase(value) == row.abbreviation) return true;
    return false;
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

// The paragraphs under the legend: how the map shows entries that are not
// counties, and what it does not draw.
std::vector<std::string> Notes(Selection selection, const AbbrevList* list, const MapArea& area,
                               const MapContent& content, const OtherCntyQsos& others) {
    std::vector<std::string> notes;
    if (AreaHasCityTables(selection, list, area))
        notes.push_back("Independent cities are not counties (the log gets their state alone) but are "
                        "drawn and counted on their own.");
    std::vector<std::string> regions, unknown;
    for (const auto& [value, qsos] : others) {
        if (qsos < 1) continue;
        if (value.empty()) unknown.push_back(Item("other values", qsos));
        else (IsConnecticutRegion(value) ? regions : unknown).push_back(Item(value, qsos));
    }
    const auto joined = [](std::string text, const std::vector<std::string>& items) {
        for (std::size_t i = 0; i < items.size(); ++i) text.append(i == 0 ? " " : "; ").append(items[i]);
        return text;
    };
    if (!regions.empty())
        notes.push_back(joined("Connecticut regions (the party's entries there, not counties; not drawn):", regions));
    if (!content.elsewhere.empty()) notes.push_back(joined("Also worked off this map:", content.elsewhere));
    if (!unknown.empty()) notes.push_back(joined("CNTY values that name no county:", unknown));
    return notes;
}

// The notes in lines that fit the picture, broken between words.
std::vector<std::string> NoteLines(const std::vector<std::string>& notes) {
    const std::size_t lineLength = static_cast<std::size_t>((kPictureWidth - 2 * kMargin) / kCharacterWidth);
    std::vector<std::string> lines;
    for (const std::string& note : notes) {
        std::string line;
        std::size_t start = 0;
        while (start < note.size()) {
            std::size_t end = note.find(' ', start + 1);
            if (end == std::string::npos) end = note.size();
            const std::string_view word = std::string_view(note).substr(start, end - start);
            if (!line.empty() && line.size() + word.size() > lineLength) {
                lines.push_back(line);
                line.clear();
                start += word.front() == ' ' ? 1 : 0;
                continue;
            }
            line += word;
            start = end;
        }
        lines.push_back(line);
    }
    return lines;
}

} // namespace

std::string RenderCountyMap(Selection selection, const AbbrevList* list, const CountyQsoCounts& counts,
                            const OtherCntyQsos& others) {
    std::set<int> entryStates; // worked by entries that are not counties
    for (const auto& [value, qsos] : others)
        if (qsos > 0 && IsConnecticutRegion(value)) entryStates.insert(kConnecticut);
    const MapArea area = MapAreaOfSelection(selection, list, counts, entryStates);
    const MapContent content = CollectCounties(area, counts);
    const MapProjection projection = ProjectionOf(area);
    const std::vector<std::string> lines = NoteLines(Notes(selection, list, area, content, others));
    const int legendTop = kTitleHeight + static_cast<int>(projection.Height() / kUnitsPerPixel) + 12;
    const int height = legendTop + kLegendHeight + static_cast<int>(lines.size()) * kLineHeight + kMargin / 2;
    const std::string name = selection.IsValid() ? PartyName(selection) : "Counties worked";
    const std::string title = Escaped(name) + ": " + std::to_string(content.filled) + " of " +
                              std::to_string(content.drawn.size()) + " counties";

    std::string svg = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    svg.append("<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"").append(std::to_string(kPictureWidth));
    svg.append("\" height=\"").append(std::to_string(height)).append("\" viewBox=\"0 0 ");
    svg.append(std::to_string(kPictureWidth)).append(" ").append(std::to_string(height));
    svg.append("\" font-family=\"sans-serif\">\n<title>").append(title).append("</title>\n");
    svg.append("<rect width=\"").append(std::to_string(kPictureWidth)).append("\" height=\"");
    svg.append(std::to_string(height)).append("\" fill=\"#ffffff\"/>\n");
    svg.append("<text x=\"").append(std::to_string(kPictureWidth / 2)).append("\" y=\"32\" font-size=\"");
    // A long title gets a smaller size, down to the text's, to stay within the picture.
    const int titleSize = std::clamp(kTitleSize * kTitleCharacters / static_cast<int>(std::max<std::size_t>(title.size(), 1)),
                                     kTextSize, kTitleSize);
    svg.append(std::to_string(titleSize)).append("\" font-weight=\"bold\" text-anchor=\"middle\">");
    svg.append(title).append("</text>\n");
    AppendShapes(svg, projection, area, content, AbbreviationsOf(selection, list), counts);
    AppendLegend(svg, legendTop);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        svg.append("<text x=\"").append(std::to_string(kMargin)).append("\" y=\"");
        svg.append(std::to_string(legendTop + kLegendHeight + 14 + static_cast<int>(i) * kLineHeight));
        svg.append("\" font-size=\"").append(std::to_string(kTextSize)).append("\">");
        svg.append(Escaped(lines[i])).append("</text>\n");
    }
    svg.append("</svg>\n");
    return svg;
}

} // namespace shirl
