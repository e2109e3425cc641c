// The hover state of a label: whether the pointer is over it, holding the mouse capture.
#pragma once

namespace ui {

enum class HoverChange {
  kNone,
  kEntered,  // take the capture, set the cursor, repaint
  kLeft,     // release the capture, repaint
};

class HoverTracker {
 public:
  // A pointer move at (x, y) in client coordinates of a label width x height pixels. The
  // first move always enters (the label only gets moves that reach it); a hovered label is
  // left only beyond its edges: x == width or y == height still counts as inside.
  HoverChange OnMouseMove(int x, int y, int width, int height) {
    if (!hovered_) {
      hovered_ = true;
      return HoverChange::kEntered;
    }
    if (x < 0 || x > width || y < 0 || y > height) {
      hovered_ = false;
      return HoverChange::kLeft;
    }
    return HoverChange::kNone;
  }

  // A click or a mode change ends the hover without a repaint; true when it was hovered
  // (the capture is then to be released).
  bool End() {
    const bool was = hovered_;
    hovered_ = false;
    return was;
  }

  bool Hovered() const { return hovered_; }

 private:
  bool hovered_ = false;
};

}  // namespace ui
