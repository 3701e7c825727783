// The page's award view: the same Award command as shirl-cli award.
#include "web/web_award.h"

#include "app/service/award_command.h"
#include "app/service/report_view.h"

namespace shirl::web {

WebAwardResult WebAward(const std::string& logbookName) {
    const std::string base = logbookName.substr(logbookName.rfind('/') + 1);
    const std::size_t dot = base.rfind('.');
    const std::string stem = base.substr(0, dot == 0 ? std::string::npos : dot);
    AwardRequest request;
    request.logbookName = logbookName;
    request.neededName = stem + "-needed.csv";
    request.mapName = stem + "-award-map.svg";
    const AwardOutcome outcome = RunAwardCommand(request);
    WebAwardResult result;
    for (const std::string& line : outcome.lines) result.report += line + '\n';
    if (outcome.fault) {
        result.error = FaultText(*outcome.fault);
        return result;
    }
    result.reportName = stem + "-award.txt";
    result.neededName = request.neededName;
    result.mapName = request.mapName;
    return result;
}

} // namespace shirl::web
