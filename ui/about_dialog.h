// The About box: a plain dialog whose OK button closes it.
#pragma once

#include "platform/dialog.h"

namespace ui {

class AboutDialog : public platform::Dialog {
 public:
  using platform::Dialog::Dialog;
};

}  // namespace ui
