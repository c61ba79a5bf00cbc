// The dancing Bopplers: the four sprite kinds, their sheets, placement and movement.
#pragma once

#include "saver/FrameBuffer.h"
#include "saver/Random.h"

#include <array>
#include <cstdint>
#include <vector>

namespace saver {

struct SpriteState {
    std::int16_t Kind = 0;
    std::int16_t DX = 0;
    std::int16_t DY = 0;
    std::int32_t X = 0;
    std::int32_t Y = 0;
    std::int16_t Frame = 0;
    bool operator==(const SpriteState&) const = default;
};

inline constexpr int SpriteKinds = 4;
inline constexpr std::array<std::int16_t, SpriteKinds> FrameWidth{34, 60, 60, 53};
inline constexpr std::array<std::int16_t, SpriteKinds> FrameHeight{45, 70, 70, 74};
inline constexpr std::array<std::int16_t, SpriteKinds> FrameCount{5, 8, 23, 6};

// Resource ids of the sheets (type "BITMAP"): sprite kind k at SpriteSheetId + k, its mask at
// SpriteMaskId + k.
inline constexpr int SpriteSheetId = 200;
inline constexpr int SpriteMaskId = 210;

// A horizontal strip of frames and its mask: white where the background shows, black where the
// sprite is opaque.
struct TSpriteSheet {
    TFrameBuffer Sprite;
    TFrameBuffer Mask;
};
using TSpriteSheets = std::array<TSpriteSheet, SpriteKinds>;

// Decodes the sheets and masks stored in the program.
TSpriteSheets LoadSpriteSheets();

// The sprites for a configured count: indices 0 to the count rounded (none for a negative count),
// placed while the index is not above the count; kinds run 1, 2, 3, 0, 1, ...
std::vector<SpriteState> PlaceSprites(double spriteCount, double screenWidthPx, std::int32_t screenHeightPx,
                                      TRandomSource& random);

// Next frame and position, with the wrap rules tested in their order.
void AdvanceSprite(SpriteState& s, double screenWidthPx, std::int32_t screenHeightPx);

// The rectangle of the sheet that shows the sprite's current frame.
TRect FrameRect(const SpriteState& s);

} // namespace saver
