#pragma once
// How far apart the objects of a pipeline's threads stand. A thread that
// writes an object takes the cache lines it shares with its neighbours away
// from the other core, and x86 cores fetch lines in pairs of 64 bytes: an
// object that one thread works on while another works on the objects beside
// it is aligned (and so sized) to this, wherever it is made (mostly side by
// side on the stack of the thread that starts the pipeline).
#include <cstddef>

namespace shirl {

inline constexpr std::size_t kThreadApart = 128;

} // namespace shirl
