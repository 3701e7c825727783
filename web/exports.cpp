// The functions the page's worker calls (C linkage, kept by the linker).
// Each answer is JSON text that stays valid until the next call.
#include <emscripten/emscripten.h>

#include <string>
#include <utility>
#include <vector>

#include "data/selections.h"
#include "web/json_text.h"
#include "web/web_convert.h"

namespace {

std::string g_answer;

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

// {"kind":"adif"|"cabrillo"|"utf16"|"none","code":CODE}: what the file holds
// and the Selection its CONTEST_ID values name ("" for none).
EMSCRIPTEN_KEEPALIVE const char* shirl_detect(const char* inputName) {
    const shirl::web::WebDetection detected = shirl::web::WebDetect(inputName);
    return Answer("{\"kind\":" + shirl::web::JsonString(detected.kind) +
                  ",\"code\":" + shirl::web::JsonString(detected.code) + '}');
}

// Converts the log `inputName` (lists and the output names taken in the
// batch: names, one a line) in the current folder: {"error":...,
// "listFault":..., "partyUnknown":..., "output":NAME, "mapName":NAME,
// "map":SVG, "reportName":NAME, "rows":[{"shown":..,"printed":..}]}.
EMSCRIPTEN_KEEPALIVE const char* shirl_convert(const char* inputName, const char* selectionCode, int addMobile,
                                               const char* lists, int replace, const char* taken) {
    shirl::web::WebConvertRequest request;
    request.inputName = inputName;
    request.selectionCode = selectionCode;
    request.addMobile = addMobile != 0;
    request.lists = Lines(lists);
    request.replace = replace != 0;
    request.taken = Lines(taken);
    const shirl::web::WebConvertResult result = shirl::web::WebConvert(request);
    std::string json = "{\"error\":" + (result.error ? shirl::web::JsonString(*result.error) : std::string("null"));
    json += ",\"listFault\":" + std::string(result.listFault ? "true" : "false");
    json += ",\"partyUnknown\":" + std::string(result.partyUnknown ? "true" : "false");
    json += ",\"reportName\":" + shirl::web::JsonString(result.reportName);
    json += ",\"output\":" + shirl::web::JsonString(result.outputName);
    json += ",\"mapName\":" + shirl::web::JsonString(result.mapName) + ",\"map\":" + shirl::web::JsonString(result.map);
    json += ",\"rows\":[";
    json.reserve(json.size() + result.rows.size() * 96);
    for (std::size_t i = 0; i < result.rows.size(); ++i) {
        if (i) json += ',';
        json += "{\"shown\":" + shirl::web::JsonString(result.rows[i].shown) +
                ",\"printed\":" + shirl::web::JsonString(result.rows[i].printed) + '}';
    }
    return Answer(json + "]}");
}

} // extern "C"
