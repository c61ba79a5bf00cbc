// The sound player: one clip at a time, played from memory in an endless loop until stopped.
// Without an audio device it stays silent and reports failure; nothing else changes.
#pragma once

#include <cstdint>
#include <span>

namespace platform {

// Starts looping the WAVE file in `file`, replacing whatever plays. The bytes are read for as long as
// the clip loops, so they must outlive the playing. Returns whether the clip plays.
bool PlaySoundLoop(std::span<const std::uint8_t> file);
// Stops the looping clip, if any.
void StopSound();
// Whether a clip is looping right now.
bool IsSoundPlaying();

} // namespace platform
