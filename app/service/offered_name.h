#pragma once
// Names the dialog offers: the output name made from the input name, and
// the report file name made from the output name. Text only; no file is
// looked at.
#include <string>

namespace shirl {

// The input's folder and name with "-converted" before the extension
// ("/logs/party.adi" -> "/logs/party-converted.adi", "party" ->
// "party-converted"); "" for an empty name or one that ends in a folder
// separator. A leading dot of the file name does not start an extension.
std::string OfferedOutputName(const std::string& inputName);

// The name with its extension replaced by ".adi" ("/logs/party.log" ->
// "/logs/party.adi", "party" -> "party.adi"), for the ADIF log made from a
// Cabrillo log; "" as OfferedOutputName.
std::string WithAdifExtension(const std::string& name);

// The name first offered when the report is saved: the output's folder and
// name with the extension replaced by "-report.txt" ("out.adi" ->
// "out-report.txt"); "" when the output name is empty.
std::string OfferedReportName(const std::string& outputName);

// The map file beside the output: the extension replaced by "-map.svg"
// ("out.adi" -> "out-map.svg"); "" when the output name is empty.
std::string OfferedMapName(const std::string& outputName);

} // namespace shirl
