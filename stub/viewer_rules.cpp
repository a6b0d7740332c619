#include "stub/viewer_rules.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <string>

namespace tessaly {

namespace {

constexpr int kRadiusStep = 5;
constexpr int kSmallestRadius = 5;
constexpr int kLargestClientWidth = 600;
constexpr int kLargestClientHeight = 400;

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

ViewerRect viewerClientArea(int imageWidth, int imageHeight)
{
    return {0, 0, std::min(imageWidth, kLargestClientWidth), std::min(imageHeight, kLargestClientHeight)};
}

ViewerLayout viewerLayout(int imageWidth, int imageHeight, int clientWidth, int clientHeight, int barHeight,
                          int barWidth)
{
    ViewerLayout layout;
    layout.horizontalShown = imageWidth > clientWidth;
    layout.verticalShown = imageHeight > clientHeight;
    const int pictureWidth = clientWidth - (layout.verticalShown ? barWidth : 0);
    const int pictureHeight = clientHeight - (layout.horizontalShown ? barHeight : 0);
    layout.horizontal = {0, clientHeight - barHeight, pictureWidth, barHeight};
    layout.vertical = {clientWidth - barWidth, 0, barWidth, pictureHeight};
    layout.picture = {0, 0, std::max(pictureWidth, 0), std::max(pictureHeight, 0)};
    return layout;
}

}  // namespace tessaly
