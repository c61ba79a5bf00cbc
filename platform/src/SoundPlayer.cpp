// The sound player on SDL2's audio subsystem; the callback copies the clip round and round.
#include "platform/SoundPlayer.h"

#include "platform/WaveFile.h"

#include <SDL2/SDL.h>
#include <algorithm>
#include <cstring>

namespace platform {
namespace {

struct TLoop {
    std::span<const std::uint8_t> Samples;
    std::size_t Position = 0;
};

class TPlayer {
public:
    ~TPlayer() { Stop(); }

    bool Play(std::span<const std::uint8_t> file) {
        Stop();
        const auto clip = ParseWave(file);
        if (!clip || clip->Samples.empty()) return false;
        if (!SDL_WasInit(SDL_INIT_AUDIO) && SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
        FLoop = TLoop{clip->Samples, 0};
        SDL_AudioSpec wanted{};
        wanted.freq = static_cast<int>(clip->Format.SamplesPerSecond);
        wanted.format = clip->Format.BitsPerSample == 8 ? AUDIO_U8 : AUDIO_S16LSB;
        wanted.channels = static_cast<Uint8>(clip->Format.Channels);
        wanted.samples = 1024;
        wanted.callback = &TPlayer::Fill;
        wanted.userdata = &FLoop;
        FDevice = SDL_OpenAudioDevice(nullptr, 0, &wanted, nullptr, 0);
        if (FDevice == 0) return false;
        SDL_PauseAudioDevice(FDevice, 0);
        return true;
    }

    void Stop() {
        if (FDevice != 0) SDL_CloseAudioDevice(FDevice);
        FDevice = 0;
    }

    bool Playing() const { return FDevice != 0; }

private:
    static void SDLCALL Fill(void* userdata, Uint8* stream, int length) {
        auto& loop = *static_cast<TLoop*>(userdata);
        auto wanted = static_cast<std::size_t>(length);
        while (wanted > 0) {
            const std::size_t n = std::min(wanted, loop.Samples.size() - loop.Position);
            std::memcpy(stream, loop.Samples.data() + loop.Position, n);
            stream += n;
            wanted -= n;
            loop.Position = (loop.Position + n) % loop.Samples.size();
        }
    }

    TLoop FLoop;
    SDL_AudioDeviceID FDevice = 0;
};

TPlayer& Player() {
    static TPlayer player;
    return player;
}

} // namespace

bool PlaySoundLoop(std::span<const std::uint8_t> file) {
    return Player().Play(file);
}
void StopSound() {
    Player().Stop();
}
bool IsSoundPlaying() {
    return Player().Playing();
}

} // namespace platform
