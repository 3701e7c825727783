// libFuzzer target: LookupAbbreviation and the conversion's answer for a
// county value (AnswerCountyValue), also as a run's remembered answers give
// it (AnswerMemo, kept from input to input: the memory of a long run). The first
// byte picks the Selection (mod 61), the rest is the abbreviation.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string_view>

#include "convert/answer_memo.h"
#include "convert/county_answer.h"
#include "convert/lookup.h"
#include "data/gazetteer.h"
#include "data/selections.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const shirl::Selection selection(data[0] % shirl::kSelectionCount);
    const std::string_view abbreviation(reinterpret_cast<const char*>(data + 1), size - 1);
    const shirl::LookupResult result = shirl::LookupAbbreviation(abbreviation, selection);
    using Kind = shirl::LookupResult::Kind;
    switch (result.kind) {
    case Kind::County:
        if (result.county == nullptr || result.county->stateCode.size() != 2 ||
            result.county->countyName.empty())
            std::abort();
        break;
    case Kind::State:
        if (result.county != nullptr || result.state.size() != 2) std::abort();
        break;
    case Kind::None:
        if (result.county != nullptr) std::abort();
        break;
    default:
        std::abort();
    }
    // The answer a conversion gives: a county value is "ST,Name", a state two letters.
    const shirl::CountyAnswer answer = shirl::AnswerCountyValue(abbreviation, selection, "VE3AAA", nullptr);
    if (answer.kind == shirl::CountyAnswer::Kind::County && (answer.value.size() < 4 || answer.value[2] != ','))
        std::abort();
    if (answer.kind == shirl::CountyAnswer::Kind::State && answer.value.size() != 2) std::abort();
    if (answer.kind == shirl::CountyAnswer::Kind::None && answer.messages.empty()) std::abort();
    static shirl::AnswerMemo answers;
    for (const auto call : {std::optional<std::string_view>(), std::optional<std::string_view>("VE3AAA"),
                            std::optional<std::string_view>("4X4AA"), std::optional<std::string_view>("AB/CD")})
        for (const auto field : {shirl::FieldKind::Cnty, shirl::FieldKind::MyCounty, shirl::FieldKind::Qth}) {
            shirl::CountyQuestion question{selection, nullptr, call, "TX", field, "F"};
            const shirl::CountyAnswer plain = shirl::AnswerCountyValue(abbreviation, question);
            const shirl::CountyAnswer remembered = answers.Answer(abbreviation, question);
            if (remembered.kind != plain.kind || remembered.value != plain.value || remembered.city != plain.city ||
                remembered.messages != plain.messages)
                std::abort();
        }
    return 0;
}
