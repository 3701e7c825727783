// A county field takes the answer for its value: renamed and rewritten, or
// left, with the answer's messages in the report.
#include "convert/resolve.h"

namespace shirl {

int ApplyCountyAnswer(QsoField& field, CountyAnswer answer, RunReport& report) {
    for (ReportMessage& message : answer.messages) report.countyProblems.Push(std::move(message));
    const bool own = IsOwnCountyField(field.kind);
    switch (answer.kind) {
    case CountyAnswer::Kind::County:
        RenameField(field, own ? "MY_CNTY" : "CNTY", own ? FieldKind::MyCnty : FieldKind::Cnty);
        SetValueView(field, answer.value);
        return 1;
    case CountyAnswer::Kind::State:
        RenameField(field, own ? "MY_STATE" : "STATE", own ? FieldKind::MyState : FieldKind::State);
        SetValueView(field, answer.value);
        if (!own) field.city = answer.city;
        return 0;
    case CountyAnswer::Kind::Silent:
    case CountyAnswer::Kind::None: break;
    }
    return 0;
}

int ResolveCountyField(QsoField& field, const CountyQuestion& question, RunReport& report) {
    if (!field.value) return 0; // nothing to resolve
    return ApplyCountyAnswer(field, AnswerCountyValue(*field.value, question), report);
}

} // namespace shirl
