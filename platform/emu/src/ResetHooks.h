// Lets each part of the emulation clear its state when emu::Reset runs.
#pragma once

namespace emu::detail {

// Lower stages run first: windows are destroyed (stage 0) while every other part still works.
enum class ResetStage { Windows = 0, Services = 1, Last = 2 };

struct ResetHook {
    ResetHook(ResetStage stage, void (*reset)());
};

void RunResetHooks();

} // namespace emu::detail
