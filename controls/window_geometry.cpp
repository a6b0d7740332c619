#include "controls/window_geometry.h"

#include <array>
#include <charconv>

namespace tessaly {

namespace {

// Wider or higher than this is no screen's window.
constexpr int kLargestSide = 32767;
constexpr std::string_view kMaximised = ",max";

}  // namespace

Box anchoredBox(const Box& original, Anchor anchor, int grownWidth, int grownHeight)
{
    Box box = original;
    const auto moveX = [&](int by) { box.left += by, box.right += by; };
    const auto moveY = [&](int by) { box.top += by, box.bottom += by; };
    switch (anchor) {
    case Anchor::Fixed:
        break;
    case Anchor::Grow:
        box.right += grownWidth;
        box.bottom += grownHeight;
        break;
    case Anchor::Right:
        moveX(grownWidth);
        break;
    case Anchor::BottomLeft:
        moveY(grownHeight);
        break;
    case Anchor::BottomRight:
        moveX(grownWidth);
        moveY(grownHeight);
        break;
    case Anchor::Centre:
        moveX(grownWidth / 2);
        moveY(grownHeight / 2);
        break;
    case Anchor::AlongBottom:
        box.right += grownWidth;
        moveY(grownHeight);
        break;
    case Anchor::AlongRight:
        moveX(grownWidth);
        box.bottom += grownHeight;
        break;
    }
    return box;
}

std::optional<WindowPlace> parseWindowPlace(std::string_view stored, int smallestWidth, int smallestHeight)
{
    WindowPlace place;
    if (stored.size() >= kMaximised.size() && stored.substr(stored.size() - kMaximised.size()) == kMaximised) {
        place.maximised = true;
        stored.remove_suffix(kMaximised.size());
    }
    std::array<int, 4> sides{};
    const char* at = stored.data();
    const char* end = stored.data() + stored.size();
    for (size_t index = 0; index < sides.size(); ++index) {
        if (index > 0) {
            if (at == end || *at != ',') return std::nullopt;
            ++at;
        }
        const auto [next, error] = std::from_chars(at, end, sides[index]);
        if (error != std::errc()) return std::nullopt;
        at = next;
    }
    if (at != end) return std::nullopt;
    place.normal = {sides[0], sides[1], sides[2], sides[3]};
    const long long width = static_cast<long long>(sides[2]) - sides[0];
    const long long height = static_cast<long long>(sides[3]) - sides[1];
    if (width < smallestWidth || height < smallestHeight || width > kLargestSide || height > kLargestSide) {
        return std::nullopt;
    }
    return place;
}

std::string formatWindowPlace(const WindowPlace& place)
{
    const Box& box = place.normal;
    std::string text = std::to_string(box.left) + ',' + std::to_string(box.top) + ',' + std::to_string(box.right) +
                       ',' + std::to_string(box.bottom);
    if (place.maximised) text += kMaximised;
    return text;
}

}  // namespace tessaly
