#pragma once

namespace glint {

struct AppSettings;

// Bounds of the icon edge that drawing and layout accept; settings outside them (an App that
// never loaded its settings, a hand-edited value) are brought inside rather than trusted.
inline constexpr int kMinIconPixels = 1;
inline constexpr int kMaxIconPixels = 1024;

// The icon edge S in pixels: `iconPixels` clamped to the bounds above.
int IconEdge(const AppSettings& settings);

// Top of the letter's text cell: S / 2 - fontSize / 1.2 in double precision, halves to even.
int LetterTop(int iconPixels, int fontSize);

// Left of the letter's text cell for a letter `textWidth` pixels wide. Centred, then moved one
// pixel left, except that a centred left edge of 4 or 5 stays where it is.
int LetterLeft(int iconPixels, int textWidth);

// The separator lines an icon carries.
struct IconLines {
  bool right = false;
  bool bottom = false;
  friend bool operator==(const IconLines&, const IconLines&) = default;
};
IconLines IconLinesFor(int showIconLines, int verticalMode, int dualIconWindowMode);

// An axis-aligned box; drawing clips it to the image.
struct Box {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  friend bool operator==(const Box&, const Box&) = default;
};

// The presence square in the top right corner: (S - S / 4, 0), markerSize / 2 square, unclipped.
Box PresenceSquare(int iconPixels, int markerSize);

}  // namespace glint
