#pragma once
// How a failed check shows a Fault: its kind's number, subject and detail
// (header only; the texts are the report view's, not every test links it).
#include <ostream>

#include "base/fault.h"

namespace shirl {

inline void PrintTo(const Fault& fault, std::ostream* os) {
    *os << "Fault{kind " << static_cast<int>(fault.kind) << ", subject \"" << fault.subject << "\", detail \""
        << fault.detail << "\"}";
}

} // namespace shirl
