#pragma once
// Names made from other names, by the platform's own separators (Windows
// also takes '/' and a drive's ':'), without touching the disk.
#include <string>

namespace shirl {

// `name` inside `folder` (just `name` when `folder` is empty).
std::string JoinName(const std::string& folder, const std::string& name);

// The last part of `name` (its file name without the folders).
std::string LastNamePart(const std::string& name);

// `folder` joined with the file name of `input` (its last path part): the
// output name of one log converted into a folder.
std::string NameInFolder(const std::string& folder, const std::string& input);

} // namespace shirl
