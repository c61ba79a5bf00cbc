// Formatted text as the Windows DrawText function lays it out.
#include "platform/TextLayout.h"

namespace platform {
namespace {

std::u32string DecodeUtf8(std::string_view s) {
    std::u32string out;
    for (std::size_t i = 0; i < s.size();) {
        const auto b = static_cast<unsigned char>(s[i]);
        int extra = b < 0x80             ? 0
                    : (b & 0xE0) == 0xC0 ? 1
                    : (b & 0xF0) == 0xE0 ? 2
                    : (b & 0xF8) == 0xF0 ? 3
                                         : -1;
        char32_t c = extra == 0 ? b : extra == 1 ? b & 0x1F : extra == 2 ? b & 0x0F : b & 0x07;
        bool ok = extra >= 0 && i + std::size_t(extra) < s.size();
        for (int k = 1; ok && k <= extra; ++k) {
            const auto next = static_cast<unsigned char>(s[i + std::size_t(k)]);
            ok = (next & 0xC0) == 0x80;
            c = c << 6 | (next & 0x3F);
        }
        if (!ok) {
            out += U'\uFFFD';
            ++i;
            continue;
        }
        out += c;
        i += std::size_t(extra) + 1;
    }
    return out;
}

int WidthOf(TFontFace& face, std::u32string_view text) {
    int width = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        width += face.Advance(text[i]);
        if (i + 1 < text.size()) width += face.Kerning(text[i], text[i + 1]);
    }
    return width;
}

bool IsBlank(char32_t c) {
    return c == U' ';
}

std::u32string_view WithoutTrailingBlanks(std::u32string_view text) {
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

void AddLine(TFontFace& face, std::vector<TLayoutLine>& lines, std::u32string_view text) {
    lines.push_back({std::u32string(text), WidthOf(face, WithoutTrailingBlanks(text))});
}

// Breaks one paragraph (no line breaks inside) at blanks so that its lines fit `width`.
void BreakParagraph(TFontFace& face, std::u32string_view paragraph, int width,
                    std::vector<TLayoutLine>& lines) {
    std::size_t lineStart = 0, lineEnd = 0; // the line so far is paragraph[lineStart, lineEnd)
    std::size_t i = 0;
    while (i < paragraph.size()) {
        // The next piece: blanks, then a word.
        std::size_t wordEnd = i;
        while (wordEnd < paragraph.size() && IsBlank(paragraph[wordEnd])) ++wordEnd;
        while (wordEnd < paragraph.size() && !IsBlank(paragraph[wordEnd])) ++wordEnd;
        const bool lineEmpty = lineEnd == lineStart;
        if (!lineEmpty &&
            WidthOf(face, WithoutTrailingBlanks(paragraph.substr(lineStart, wordEnd - lineStart))) > width) {
            AddLine(face, lines, paragraph.substr(lineStart, lineEnd - lineStart));
            // The blanks at the break are dropped.
            while (i < paragraph.size() && IsBlank(paragraph[i])) ++i;
            lineStart = lineEnd = i;
            continue;
        }
        lineEnd = i = wordEnd;
    }
    if (lineEnd > lineStart || lines.empty() || paragraph.empty())
        AddLine(face, lines, paragraph.substr(lineStart, lineEnd - lineStart));
}

} // namespace

std::vector<TLayoutLine> LayoutText(TFontFace& face, std::string_view text, int width, unsigned flags) {
    const std::u32string all = DecodeUtf8(text);
    std::vector<TLayoutLine> lines;
    if (all.empty()) return lines;
    std::size_t start = 0;
    while (start <= all.size()) {
        std::size_t end = start;
        while (end < all.size() && all[end] != U'\r' && all[end] != U'\n') ++end;
        const std::u32string_view paragraph = std::u32string_view(all).substr(start, end - start);
        if (flags & DT_WORDBREAK) {
            std::vector<TLayoutLine> broken;
            BreakParagraph(face, paragraph, width, broken);
            lines.insert(lines.end(), broken.begin(), broken.end());
        } else {
            AddLine(face, lines, paragraph);
        }
        if (end == all.size()) break;
        start = end + (all[end] == U'\r' && end + 1 < all.size() && all[end + 1] == U'\n' ? 2 : 1);
        if (start == all.size()) break; // a line break at the very end adds no line
    }
    return lines;
}

int DrawText(TFontFace& face, std::string_view text, TTextRect& rect, unsigned flags,
             const TCoveragePlot& plot) {
    const std::vector<TLayoutLine> lines = LayoutText(face, text, rect.Right - rect.Left, flags);
    const int height = int(lines.size()) * face.LineHeight();
    if (flags & DT_CALCRECT) {
        rect.Bottom = rect.Top + height;
        return height;
    }
    for (std::size_t n = 0; n < lines.size(); ++n) {
        const TLayoutLine& line = lines[n];
        int pen = (flags & DT_CENTER) ? rect.Left + (rect.Right - rect.Left - line.Width) / 2 : rect.Left;
        const int baseline = rect.Top + int(n) * face.LineHeight() + face.Ascent();
        for (std::size_t i = 0; i < line.Text.size(); ++i) {
            const char32_t c = line.Text[i];
            const TGlyphImage& glyph = face.Glyph(c);
            for (int gy = 0; gy < glyph.Height; ++gy) {
                const int y = baseline - glyph.Top + gy;
                if (y < rect.Top || y >= rect.Bottom) continue;
                for (int gx = 0; gx < glyph.Width; ++gx) {
                    const int x = pen + glyph.Left + gx;
                    const std::uint8_t coverage = glyph.Coverage[std::size_t(gy * glyph.Width + gx)];
                    if (coverage && x >= rect.Left && x < rect.Right) plot(x, y, coverage);
                }
            }
            pen += face.Advance(c);
            if (i + 1 < line.Text.size()) pen += face.Kerning(c, line.Text[i + 1]);
        }
    }
    return height;
}

} // namespace platform
