// The width of the dialog's progress bar.
#pragma once

#include <cstdint>

namespace ui {

// A bar this narrow or narrower is not drawn: its rounded outline would be all corners.
constexpr int kNarrowestDrawnBar = 11;

// The bar's width in pixels for progress position of total over an area areaWidth wide,
// or 0 when no bar is drawn (total not positive, or a width of 10 pixels or less). The
// product is formed in 64 bits so that no position can overflow it, and a position past
// the total never draws beyond the area.
constexpr int ProgressBarWidth(int position, int total, int areaWidth) {
  if (total <= 0) return 0;
  std::int64_t width = static_cast<std::int64_t>(position) * areaWidth / total;
  if (width > areaWidth) width = areaWidth;
  return width < kNarrowestDrawnBar ? 0 : static_cast<int>(width);
}

}  // namespace ui
