#pragma once
// Text in the map's picture: escaped for XML, measured in the font the
// picture names, and broken into lines that fit a width.
#include <string>
#include <string_view>
#include <vector>

namespace shirl {

// The font the picture's text asks for; the widths below are its own.
inline constexpr const char* kMapFontFamily = "DejaVu Sans, Verdana, sans-serif";

// `text` with & < > " written as XML entities.
std::string XmlEscaped(std::string_view text);

// The width in pixels of `text` (UTF-8) set at `size` pixels in the map's
// font, rounded up; a character outside ASCII counts as wide as the widest.
int TextWidth(std::string_view text, int size);

// `text` broken at blanks into lines no wider than `width` pixels at
// `size` (a word wider than the line is cut by characters); at least one line.
std::vector<std::string> WrappedLines(std::string_view text, int size, int width);

} // namespace shirl
