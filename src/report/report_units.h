#pragma once
// Units of the report engine: layout pixels (96 per inch on the screen the layouts were drawn
// for), millimetres and device pixels. Every conversion rounds to the nearest whole number,
// halves to the even neighbour.

// The resolution page pictures are drawn at: layout pixels map 1:1 onto a page picture.
inline constexpr int kScreenResolution = 96;

// Rounds to the nearest whole number, halves to the even neighbour (2.5 gives 2, 3.5 gives 4).
int roundHalfEven(double value);

// Millimetres to pixels at `resolution` pixels per inch: mm × resolution ÷ 25.4.
int mmToPixels(double mm, int resolution);
// A device length to screen pixels: value × screenResolution ÷ deviceResolution.
int deviceToScreen(double value, int screenResolution, int deviceResolution);
