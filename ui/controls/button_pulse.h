// The pulse of a rounded button's caption: a grey level that rises from black to white and
// falls back, one step per paint. Below 0 the caption stays black, which gives the pulse
// its long dark pause.
#pragma once

namespace ui {

class ButtonPulse {
 public:
  static constexpr int kStep = 16;
  static constexpr int kTop = 255;
  static constexpr int kBottom = -350;

  // The level the next paint shows: 0 (black) to 255 (white).
  int ShownLevel() const { return level_ > 0 ? level_ : 0; }
  int Level() const { return level_; }
  bool Rising() const { return rising_; }

  // One paint's step. Passing a turn point stores the turn point itself and reverses.
  void Step() {
    if (rising_) {
      level_ += kStep;
      if (level_ > kTop) {
        rising_ = false;
        level_ = kTop;
      }
    } else {
      level_ -= kStep;
      if (level_ < kBottom) {
        rising_ = true;
        level_ = kBottom;
      }
    }
  }

 private:
  int level_ = 0;
  bool rising_ = true;
};

}  // namespace ui
