// What the rest of the emulation tells the loader.
#pragma once

namespace emu::detail {

// Makes the calling thread's end known to the attached modules' entry points (once per thread).
void WatchThreadEnd();

} // namespace emu::detail
