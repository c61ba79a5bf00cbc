// Placement draws its five random numbers per sprite in a fixed order so a seeded run is repeatable.
#include "saver/Sprites.h"

#include "saver/Bitmap.h"
#include "saver/Resources.h"
#include "saver/SettingsText.h"

#include <algorithm>
#include <cmath>

namespace saver {

TSpriteSheets LoadSpriteSheets() {
    TSpriteSheets sheets;
    for (int kind = 0; kind < SpriteKinds; ++kind) {
        sheets[std::size_t(kind)].Sprite = DecodeBitmap(FindResource("BITMAP", SpriteSheetId + kind));
        sheets[std::size_t(kind)].Mask = DecodeBitmap(FindResource("BITMAP", SpriteMaskId + kind));
    }
    return sheets;
}

std::vector<SpriteState> PlaceSprites(double spriteCount, double screenWidthPx, std::int32_t screenHeightPx,
                                      TRandomSource& random) {
    const int last =
        RoundToInt16(spriteCount); // a 16-bit count keeps an edited setting from exhausting memory
    std::vector<SpriteState> sprites(std::size_t(std::max(last + 1, 0)));
    int k = 0;
    for (std::size_t i = 0; i < sprites.size() && double(i) <= spriteCount; ++i) {
        SpriteState& s = sprites[i];
        k = k + 1 > 3 ? 0 : k + 1;
        s.Kind = static_cast<std::int16_t>(k);
        const double r1 = random.Next(), r2 = random.Next(), r3 = random.Next(), r4 = random.Next(),
                     r5 = random.Next();
        s.X = static_cast<std::int32_t>(std::floor((screenWidthPx + 1) * r1));
        s.Y = static_cast<std::int32_t>(std::floor(r2 * (screenHeightPx + 1.0)));
        s.DX = static_cast<std::int16_t>(std::floor(r3 * 7 - 3));
        s.DY = static_cast<std::int16_t>(std::floor(r4 * 7 - 3));
        s.Frame = static_cast<std::int16_t>(std::floor(FrameCount[std::size_t(k)] * r5 + 1));
    }
    return sprites;
}

void AdvanceSprite(SpriteState& s, double screenWidthPx, std::int32_t screenHeightPx) {
    const auto k = std::size_t(s.Kind);
    const int w = FrameWidth[k];
    const int h = FrameHeight[k];
    s.Frame = static_cast<std::int16_t>(s.Frame % FrameCount[k] + 1);
    s.X += s.DX;
    if (s.X < -w) s.X = static_cast<std::int32_t>(screenWidthPx);
    if (s.X > screenWidthPx) s.X = -w;
    s.Y += s.DY;
    if (s.Y < -h) s.Y = screenHeightPx;
    if (s.Y > screenHeightPx) s.Y = -h;
}

TRect FrameRect(const SpriteState& s) {
    const auto k = std::size_t(s.Kind);
    return {(s.Frame - 1) * FrameWidth[k], 0, FrameWidth[k], FrameHeight[k]};
}

} // namespace saver
