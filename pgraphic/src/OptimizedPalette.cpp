// Optimised palettes: median-style box splitting of a 32 x 64 x 32 histogram for true-colour
// pictures, and an octree over the used palette entries for palette pictures.
#include "pgraphic/OptimizedPalette.h"

#include "pgraphic/Palettes.h"

#include <algorithm>
#include <memory>
#include <vector>

namespace pg {
namespace {

// Calls Target's OnProgress for a counted row; true when the handler asks to stop.
bool RowCounted(TPixelGraphic& target, int row, int max) {
    bool abort = false;
    if (target.OnProgress()) target.OnProgress()(target, row, max, abort);
    return abort;
}

// --- Box splitting -----------------------------------------------------------------------------

class THistogram {
public:
    THistogram() : FCounts(std::make_unique<std::uint16_t[]>(32 * 64 * 32)) {}
    void Add(TRGB c) {
        std::uint16_t& n = FCounts[Cell(GetRValue(c) / 8, GetGValue(c) / 4, GetBValue(c) / 8)];
        if (n < 65535) ++n;
    }
    std::uint16_t At(int r, int g, int b) const { return FCounts[Cell(r, g, b)]; }

private:
    static std::size_t Cell(int r, int g, int b) { return std::size_t(r * 2048 + g * 32 + b); }
    std::unique_ptr<std::uint16_t[]> FCounts;
};

struct TBox {
    int Min[3]; // R, G, B cell ranges, inclusive
    int Max[3];
    std::int64_t Spread = 0;
    std::int64_t Volume = 0;
};

constexpr int R = 0, G = 1, B = 2;

// Whether the plane `value` of `axis` holds any pixel within the box's other ranges.
bool PlaneUsed(const THistogram& h, const TBox& box, int axis, int value) {
    int lo[3] = {box.Min[0], box.Min[1], box.Min[2]}, hi[3] = {box.Max[0], box.Max[1], box.Max[2]};
    lo[axis] = hi[axis] = value;
    for (int r = lo[R]; r <= hi[R]; ++r)
        for (int g = lo[G]; g <= hi[G]; ++g)
            for (int b = lo[B]; b <= hi[B]; ++b)
                if (h.At(r, g, b)) return true;
    return false;
}

void Shrink(const THistogram& h, TBox& box) {
    for (int axis : {B, G, R}) {
        if (box.Max[axis] > box.Min[axis])
            for (int v = box.Min[axis]; v <= box.Max[axis]; ++v)
                if (PlaneUsed(h, box, axis, v)) {
                    box.Min[axis] = v;
                    break;
                }
        if (box.Max[axis] > box.Min[axis])
            for (int v = box.Max[axis]; v >= box.Min[axis]; --v)
                if (PlaneUsed(h, box, axis, v)) {
                    box.Max[axis] = v;
                    break;
                }
    }
    const std::int64_t eB = 16 * (box.Max[B] - box.Min[B]), eG = 12 * (box.Max[G] - box.Min[G]),
                       eR = 16 * (box.Max[R] - box.Min[R]);
    box.Spread = eB * eB + eG * eG + eR * eR;
    box.Volume = std::int64_t(box.Max[R] - box.Min[R] + 1) * (box.Max[G] - box.Min[G] + 1) *
                 (box.Max[B] - box.Min[B] + 1);
}

TRGB MeanOf(const THistogram& h, const TBox& box) {
    std::int64_t w = 0, sum[3] = {0, 0, 0};
    for (int r = box.Min[R]; r <= box.Max[R]; ++r)
        for (int g = box.Min[G]; g <= box.Max[G]; ++g)
            for (int b = box.Min[B]; b <= box.Max[B]; ++b) {
                const std::int64_t n = h.At(r, g, b);
                w += n;
                sum[R] += (8 * r + 4) * n;
                sum[G] += (4 * g + 2) * n;
                sum[B] += (8 * b + 4) * n;
            }
    if (w == 0) return RGB(0, 0, 0);
    auto mean = [&](std::int64_t s) { return std::uint8_t((s + w / 2) / w); };
    return RGB(mean(sum[R]), mean(sum[G]), mean(sum[B]));
}

void BoxSplittingPalette(TPixelGraphic& target, const TPixelGraphic& source, int n) {
    THistogram histogram;
    for (std::int32_t y = 0; y < source.Height(); ++y) {
        const std::uint8_t* p = source.ScanLine(y);
        for (std::int32_t x = 0; x < source.Width(); ++x, p += 3) histogram.Add(RGB(p[2], p[1], p[0]));
        if (RowCounted(target, y, source.Height() - 1)) break;
    }
    std::vector<TBox> boxes{TBox{{0, 0, 0}, {31, 63, 31}}};
    Shrink(histogram, boxes[0]);
    while (int(boxes.size()) < n) {
        const bool byVolume = n >= 2 * int(boxes.size());
        int picked = -1;
        for (int i = 0; i < int(boxes.size()); ++i) {
            const TBox& b = boxes[std::size_t(i)];
            if (b.Spread <= 0) continue;
            if (picked < 0 || (byVolume ? b.Volume > boxes[std::size_t(picked)].Volume
                                        : b.Spread > boxes[std::size_t(picked)].Spread))
                picked = i;
        }
        if (picked < 0) break;
        TBox& box = boxes[std::size_t(picked)];
        const int eG = 12 * (box.Max[G] - box.Min[G]), eR = 16 * (box.Max[R] - box.Min[R]),
                  eB = 16 * (box.Max[B] - box.Min[B]);
        int axis = eG < eR ? R : G;
        if (std::max(eG, eR) < eB) axis = B;
        const int mid = (box.Min[axis] + box.Max[axis]) / 2;
        TBox upper = box;
        upper.Min[axis] = mid + 1;
        box.Max[axis] = mid;
        Shrink(histogram, box);
        Shrink(histogram, upper);
        boxes.push_back(upper);
    }
    target.SetPaletteCount(int(boxes.size()));
    for (std::size_t i = 0; i < boxes.size(); ++i)
        target.SetPaletteEntry(int(i), MeanOf(histogram, boxes[i]));
}

// --- Octree ------------------------------------------------------------------------------------

class TOctree {
public:
    explicit TOctree(int maxLeaves) : FMaxLeaves(maxLeaves) { FRoot = NewNode(0); }

    void Add(TRGB color, std::int64_t weight) {
        Insert(FRoot, color, weight);
        if (FLeafCount > FMaxLeaves) Reduce();
    }

    // The leaves' mean colours, depth first with children in slot order.
    std::vector<TRGB> Colors() const {
        std::vector<TRGB> colors;
        Collect(FRoot, colors);
        return colors;
    }

private:
    struct TNode {
        int Level = 0;
        bool Leaf = false;
        bool Listed = false;
        std::int64_t Count = 0;
        std::int64_t Sum[3] = {0, 0, 0};
        int ChildCount = 0;
        int Child[8] = {-1, -1, -1, -1, -1, -1, -1, -1};
        int Prev = -1, Next = -1; // the reducible list of its level
    };

    int NewNode(int level) {
        TNode node;
        node.Level = level;
        node.Leaf = level >= FDepthLimit;
        if (node.Leaf) ++FLeafCount;
        FNodes.push_back(node);
        return int(FNodes.size()) - 1;
    }

    void Insert(int index, TRGB color, std::int64_t weight) {
        for (;;) {
            TNode& node = FNodes[std::size_t(index)];
            node.Count += weight;
            node.Sum[0] += GetRValue(color) * weight;
            node.Sum[1] += GetGValue(color) * weight;
            node.Sum[2] += GetBValue(color) * weight;
            if (node.Leaf || node.Level >= FDepthLimit) return;
            const int bit = 7 - node.Level;
            const int slot = 4 * ((GetRValue(color) >> bit) & 1) + 2 * ((GetGValue(color) >> bit) & 1) +
                             ((GetBValue(color) >> bit) & 1);
            if (node.Child[slot] >= 0) {
                if (node.ChildCount > 1 && !node.Listed) List(index);
            } else {
                const int level = node.Level + 1;
                const int child = NewNode(level); // may move the nodes
                FNodes[std::size_t(index)].Child[slot] = child;
                ++FNodes[std::size_t(index)].ChildCount;
            }
            index = FNodes[std::size_t(index)].Child[slot];
        }
    }

    void List(int index) {
        TNode& node = FNodes[std::size_t(index)];
        node.Listed = true;
        node.Prev = -1;
        node.Next = FReducible[std::size_t(node.Level)];
        if (node.Next >= 0) FNodes[std::size_t(node.Next)].Prev = index;
        FReducible[std::size_t(node.Level)] = index;
    }

    void Unlist(int index) {
        TNode& node = FNodes[std::size_t(index)];
        if (node.Prev >= 0)
            FNodes[std::size_t(node.Prev)].Next = node.Next;
        else
            FReducible[std::size_t(node.Level)] = node.Next;
        if (node.Next >= 0) FNodes[std::size_t(node.Next)].Prev = node.Prev;
        node.Listed = false;
        node.Prev = node.Next = -1;
    }

    void FreeChildren(int index) {
        TNode& node = FNodes[std::size_t(index)];
        for (int& child : node.Child) {
            if (child < 0) continue;
            FreeChildren(child);
            TNode& c = FNodes[std::size_t(child)];
            if (c.Listed) Unlist(child);
            if (c.Leaf) --FLeafCount;
            child = -1;
        }
        node.ChildCount = 0;
    }

    void Reduce() {
        int level = FDepthLimit - 1;
        while (level >= 0 && FReducible[std::size_t(level)] < 0) --level;
        if (level < 0) return; // nothing left to merge
        int best = FReducible[std::size_t(level)];
        auto weightOf = [&](int i) {
            const TNode& n = FNodes[std::size_t(i)];
            return 2 * n.Sum[0] + 3 * n.Sum[1] + n.Sum[2];
        };
        for (int i = FNodes[std::size_t(best)].Next; i >= 0; i = FNodes[std::size_t(i)].Next)
            if (weightOf(i) < weightOf(best)) best = i;
        Unlist(best);
        FreeChildren(best);
        TNode& node = FNodes[std::size_t(best)];
        node.Leaf = true;
        ++FLeafCount;
        if (node.Level < FDepthLimit - 1) FDepthLimit = node.Level + 1;
    }

    void Collect(int index, std::vector<TRGB>& colors) const {
        const TNode& node = FNodes[std::size_t(index)];
        if (node.Leaf) {
            auto mean = [&](int k) { return std::uint8_t(node.Count ? node.Sum[k] / node.Count : 0); };
            colors.push_back(RGB(mean(0), mean(1), mean(2)));
            return;
        }
        for (int child : node.Child)
            if (child >= 0) Collect(child, colors);
    }

    std::vector<TNode> FNodes;
    int FRoot = -1;
    int FReducible[8] = {-1, -1, -1, -1, -1, -1, -1, -1};
    int FLeafCount = 0;
    int FDepthLimit = 8;
    int FMaxLeaves;
};

void OctreePalette(TPixelGraphic& target, const TPixelGraphic& source, int n) {
    std::int64_t counts[256] = {};
    for (std::int32_t y = 0; y < source.Height(); ++y) {
        for (std::int32_t x = 0; x < source.Width(); ++x) ++counts[source.GetPixel(x, y) & 0xFF];
        if (RowCounted(target, y, source.Height() - 1)) break;
    }
    TOctree tree(n);
    for (int i = 0; i < 256; ++i)
        if (counts[i]) tree.Add(source.GetPaletteEntry(i), counts[i]);
    const std::vector<TRGB> colors = tree.Colors();
    target.SetPaletteCount(int(colors.size()));
    for (std::size_t i = 0; i < colors.size(); ++i) target.SetPaletteEntry(int(i), colors[i]);
}

} // namespace

void CreateOptimizedPalette(TPixelGraphic& Target, const TPixelGraphic& Source, int ColorCount,
                            bool AddSystemColors) {
    const int n = AddSystemColors ? ColorCount - 16 : ColorCount;
    if (Source.Width() < 1 || Source.Height() < 1 || Source.GetEmpty() || n < 1) {
        Target.SetPaletteIdent(pSys16);
        Target.SetPaletteCount(std::min(ColorCount, 16));
        return;
    }
    Target.SetPaletteCount(0);
    if (Source.PixelFormat() == pf24Bit)
        BoxSplittingPalette(Target, Source, std::min(n, 256));
    else
        OctreePalette(Target, Source, n);
    if (AddSystemColors)
        for (int i = 0; i < 16 && Target.PaletteCount() < ColorCount; ++i) {
            Target.SetPaletteCount(Target.PaletteCount() + 1);
            Target.SetPaletteEntry(Target.PaletteCount() - 1, SystemColors()[std::size_t(i)]);
        }
}

} // namespace pg
