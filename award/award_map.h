#pragma once
// The award's map: the whole country (Alaska and Hawaii as insets), each
// county in one of three classes, needed, worked and confirmed, told apart by
// lightness as well as by hue (white, orange, dark blue), with a legend and
// the totals. Alaska's boroughs take their district's class; a place in no
// award county is drawn in the class of the county claimed for it, else
// left white.
#include <string>

#include "award/award_tally.h"

namespace shirl {

// The SVG document (UTF-8, the same bytes on every platform).
std::string RenderAwardMap(const AwardTally& tally);

} // namespace shirl
