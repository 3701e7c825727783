// The functions the page's worker calls (C linkage, kept by the linker).
// Each answer is JSON text that stays valid until the next call.
#include <emscripten/emscripten.h>

#include <string>
#include <utility>
#include <vector>

#include "data/selections.h"
#include "web/json_text.h"
#include "web/web_award.h"
#include "web/web_convert.h"

namespace {

std::string g_answer;
bool g_usaca = false; // the page's county-line form, for Convert and Fill

// The report rows as JSON members: "report" the printed rows, each ended
// by a line feed; "shown" the rows as the list shows them, one a line; and
// "rowCount". Two texts cross to the page at once, where as many objects
// as rows would be rebuilt one by one on its main thread.
std::string RowsJson(const std::vector<shirl::ReportListRow>& rows) {
    std::string printed, shown;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        printed += rows[i].printed + '\n';
        if (i) shown += '\n';
        shown += rows[i].shown;
    }
    return "\"report\":" + shirl::web::JsonString(printed) + ",\"shown\":" + shirl::web::JsonString(shown) +
           ",\"rowCount\":" + std::to_string(rows.size());
}

const char* Answer(std::string text) {
    g_answer = std::move(text);
    return g_answer.c_str();
}

// Splits text at line feeds; no element for an empty text.
std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

} // namespace

extern "C" {

// [{"code":"AL","name":"Alabama"}, ...] in the order the State list shows them.
EMSCRIPTEN_KEEPALIVE const char* shirl_selections() {
    std::string json = "[";
    for (const shirl::Selection s : shirl::DisplayOrder()) {
        if (json.size() > 1) json += ',';
        json += "{\"code\":" + shirl::web::JsonString(s.Code()) + ",\"name\":" + shirl::web::JsonString(s.Name()) + '}';
    }
    return Answer(json + ']');
}

// {"kind":"adif"|"cabrillo"|"utf16"|"none","code":CODE,"fault":TEXT,
// "logbookFault":TEXT}: what the file holds, the Selection its CONTEST_ID
// values name ("" for none), and what Convert and Fill say of it ("" for
// nothing).
EMSCRIPTEN_KEEPALIVE const char* shirl_detect(const char* inputName) {
    const shirl::web::WebDetection detected = shirl::web::WebDetect(inputName);
    return Answer("{\"kind\":" + shirl::web::JsonString(detected.kind) +
                  ",\"code\":" + shirl::web::JsonString(detected.code) +
                  ",\"fault\":" + shirl::web::JsonString(detected.fault) +
                  ",\"logbookFault\":" + shirl::web::JsonString(detected.logbookFault) + '}');
}

// Converts the log `inputName` (lists and the output names taken in the
// batch: names, one a line) in the current folder: {"error":...,
// "listFault":..., "partyUnknown":..., "output":NAME, "mapName":NAME,
// "map":SVG, "noMap":TEXT, "reportName":NAME, "report":TEXT, "shown":TEXT, "rowCount":N}.
EMSCRIPTEN_KEEPALIVE const char* shirl_convert(const char* inputName, const char* selectionCode, int addMobile,
                                               const char* lists, int replace, const char* taken) {
    shirl::web::WebConvertRequest request;
    request.inputName = inputName;
    request.selectionCode = selectionCode;
    request.addMobile = addMobile != 0;
    request.lists = Lines(lists);
    request.replace = replace != 0;
    request.taken = Lines(taken);
    request.usaca = g_usaca;
    const shirl::web::WebConvertResult result = shirl::web::WebConvert(request);
    std::string json = "{\"error\":" + (result.error ? shirl::web::JsonString(*result.error) : std::string("null"));
    json += ",\"listFault\":" + std::string(result.listFault ? "true" : "false");
    json += ",\"partyUnknown\":" + std::string(result.partyUnknown ? "true" : "false");
    json += ",\"reportName\":" + shirl::web::JsonString(result.reportName);
    json += ",\"output\":" + shirl::web::JsonString(result.outputName);
    json += ",\"mapName\":" + shirl::web::JsonString(result.mapName) + ",\"map\":" + shirl::web::JsonString(result.map);
    json += ",\"noMap\":" + shirl::web::JsonString(result.noMap);
    return Answer(json + ',' + RowsJson(result.rows) + '}');
}

// The county-line form of the next runs: 1 one record with
// USACA_COUNTIES, 0 a record per county.
EMSCRIPTEN_KEEPALIVE void shirl_county_lines(int usaca) { g_usaca = usaca != 0; }

// Fills the logbook `logbookName` from the contest log `inputName` (both,
// and the lists, in the current folder or the logbook in a folder below):
// {"error":..., "output":NAME, "report":TEXT, "shown":TEXT, "rowCount":N}.
EMSCRIPTEN_KEEPALIVE const char* shirl_fill(const char* inputName, const char* logbookName, const char* selectionCode,
                                            int addMobile, const char* lists, int replace) {
    shirl::web::WebConvertRequest contest;
    contest.inputName = inputName;
    contest.selectionCode = selectionCode;
    contest.addMobile = addMobile != 0;
    contest.lists = Lines(lists);
    contest.replace = replace != 0;
    contest.usaca = g_usaca;
    const shirl::web::WebFillResult result = shirl::web::WebFill(contest, logbookName);
    std::string json = "{\"error\":" + (result.error ? shirl::web::JsonString(*result.error) : std::string("null"));
    json += ",\"output\":" + shirl::web::JsonString(result.outputName);
    return Answer(json + ',' + RowsJson(result.rows) + '}');
}

// Tallies the logbook `logbookName` (in the current folder) for the USA
// Counties award, its needed list and map written beside it:
// {"error":..., "report":TEXT, "reportName":NAME, "neededName":NAME, "mapName":NAME}.
EMSCRIPTEN_KEEPALIVE const char* shirl_award(const char* logbookName) {
    const shirl::web::WebAwardResult result = shirl::web::WebAward(logbookName);
    std::string json = "{\"error\":" + (result.error ? shirl::web::JsonString(*result.error) : std::string("null"));
    json += ",\"report\":" + shirl::web::JsonString(result.report);
    json += ",\"reportName\":" + shirl::web::JsonString(result.reportName);
    json += ",\"neededName\":" + shirl::web::JsonString(result.neededName);
    return Answer(json + ",\"mapName\":" + shirl::web::JsonString(result.mapName) + '}');
}

} // extern "C"
