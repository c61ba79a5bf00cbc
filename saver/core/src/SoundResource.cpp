// The clip is copied into SoundBytes, which the player reads from for as long as it loops.
#include "saver/SoundResource.h"

#include "platform/SoundPlayer.h"
#include "saver/Resources.h"

#include <cstdint>
#include <vector>

namespace saver {
namespace {
std::vector<std::uint8_t> SoundBytes;
}

bool PlaySoundResource(int id) {
    const auto bytes = FindResource("SOUND", id);
    platform::StopSound(); // the player must let go of SoundBytes before they change
    SoundBytes.assign(bytes.begin(), bytes.end());
    return platform::PlaySoundLoop(SoundBytes);
}

void StopSound() {
    platform::StopSound();
}

} // namespace saver
