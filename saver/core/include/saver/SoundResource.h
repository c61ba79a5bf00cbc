// The saver's music: the "SOUND" resource looped by the platform's sound player.
#pragma once

namespace saver {

// Starts looping the sound resource with this id; returns whether it plays.
bool PlaySoundResource(int id);
void StopSound();

} // namespace saver
