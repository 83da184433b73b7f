#pragma once
// Window layouts are given in twips; the screen has 15 twips per pixel (96 dpi).

#include <QRect>
#include <QSize>

namespace callcfg {

constexpr int twipsPerPixel = 15;

// Nearest whole pixel for a (non-negative) twips value.
constexpr int px(int twips) {
    return (twips + twipsPerPixel / 2) / twipsPerPixel;
}

constexpr QRect twipsRect(int left, int top, int width, int height) {
    return QRect(px(left), px(top), px(width), px(height));
}

constexpr QSize twipsSize(int width, int height) {
    return QSize(px(width), px(height));
}

// A window's height in the layouts counts its title bar and frame; this is what they take.
constexpr int windowFrameTwips = 390;

// The client height, in pixels, of a window whose whole height is `windowTwips`.
constexpr int clientHeight(int windowTwips) {
    return px(windowTwips - windowFrameTwips);
}

} // namespace callcfg
