#include "stub/viewer_rules.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <string>

namespace tessaly {

namespace {

constexpr int kRadiusStep = 5;
constexpr int kSmallestRadius = 5;
constexpr int kLargestClientWidth = 600;
constexpr int kLargestClientHeight = 400;

struct BarsShown {
    bool horizontal = false;
    bool vertical = false;
};

// Each bar takes room from the other direction, so one may call for the
// other: decided together.
BarsShown barsFor(int imageWidth, int imageHeight, int areaWidth, int areaHeight, int barHeight, int barWidth)
{
    BarsShown bars;
    for (int pass = 0; pass < 2; ++pass) {
        bars.horizontal = imageWidth > areaWidth - (bars.vertical ? barWidth : 0);
        bars.vertical = imageHeight > areaHeight - (bars.horizontal ? barHeight : 0);
    }
    return bars;
}

}  // namespace

SpotlightStart spotlightFromString(std::string_view text)
{
    const std::string digits(text);
    const long long value = std::clamp<long long>(std::strtoll(digits.c_str(), nullptr, 10), -INT_MAX, INT_MAX);
    return {static_cast<int>(value < 0 ? -value : value), value < 0};
}

int grownRadius(int radius)
{
    return radius > INT_MAX - kRadiusStep ? radius : radius + kRadiusStep;
}

int shrunkRadius(int radius)
{
    return radius >= 2 * kRadiusStep ? radius - kRadiusStep : kSmallestRadius;
}

int radiusWithin(int radius, int width, int height)
{
    const double diagonal = std::ceil(std::hypot(static_cast<double>(width), static_cast<double>(height)));
    return radius > diagonal ? static_cast<int>(diagonal) : radius;
}

ViewerRect viewerClientArea(int imageWidth, int imageHeight, int barHeight, int barWidth)
{
    const BarsShown bars = barsFor(imageWidth, imageHeight, kLargestClientWidth, kLargestClientHeight, barHeight,
                                   barWidth);
    return {0, 0, std::min(imageWidth + (bars.vertical ? barWidth : 0), kLargestClientWidth),
            std::min(imageHeight + (bars.horizontal ? barHeight : 0), kLargestClientHeight)};
}

ViewerLayout viewerLayout(int imageWidth, int imageHeight, int clientWidth, int clientHeight, int barHeight,
                          int barWidth)
{
    ViewerLayout layout;
    const BarsShown bars = barsFor(imageWidth, imageHeight, clientWidth, clientHeight, barHeight, barWidth);
    layout.horizontalShown = bars.horizontal;
    layout.verticalShown = bars.vertical;
    const int pictureWidth = clientWidth - (layout.verticalShown ? barWidth : 0);
    const int pictureHeight = clientHeight - (layout.horizontalShown ? barHeight : 0);
    layout.horizontal = {0, clientHeight - barHeight, pictureWidth, barHeight};
    layout.vertical = {clientWidth - barWidth, 0, barWidth, pictureHeight};
    layout.picture = {0, 0, std::max(pictureWidth, 0), std::max(pictureHeight, 0)};
    return layout;
}

}  // namespace tessaly
