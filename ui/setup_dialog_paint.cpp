// The setup dialog's own painting: the banner, the progress bar and the minimised icon.
// The white background comes from the dialog's erase; the controls paint themselves.
#include <cstdint>

#include "platform/application.h"
#include "platform/gdi.h"
#include "platform/unique_handle.h"
#include "res/resource_ids.h"
#include "ui/progress_bar.h"
#include "ui/setup_dialog.h"
#include "ui/skin_image.h"

namespace {
constexpr int kProgressAreaId = IDC_PROGRESS_AREA;
constexpr int kImageAnchorId = IDC_IMAGE_ANCHOR;
constexpr COLORREF kProgressBarColour = RGB(192, 192, 192);
}  // namespace

RECT SetupDialog::ItemRectInDialog(int id) const {
  RECT r{};
  HWND item = Item(id);
  if (!item) return r;
  GetClientRect(item, &r);
  MapWindowPoints(item, Hwnd(), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

void SetupDialog::OnPaint() {
  if (IsIconic(Hwnd())) {
    PaintMinimised();
    return;
  }
  platform::PaintDc dc(Hwnd());
  PaintSkinImage(dc.Get());
  PaintProgressBar(dc.Get());
}

void SetupDialog::PaintMinimised() {
  platform::PaintDc dc(Hwnd());
  SendMessageA(Hwnd(), WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.Get()), 0);
  const int cx = GetSystemMetrics(SM_CXICON);
  const int cy = GetSystemMetrics(SM_CYICON);
  RECT r;
  GetClientRect(Hwnd(), &r);
  const int x = (r.right - r.left - cx + 1) / 2;
  const int y = (r.bottom - r.top - cy + 1) / 2;
  DrawIcon(dc.Get(), x, y, icon_);
}

// Drawn straight from the resource bytes on every paint, unscaled, with its top-left
// corner on the anchor's; it reaches far beyond the small anchor.
void SetupDialog::PaintSkinImage(HDC dc) {
  if (!skinImage_) return;
  const auto* bytes = static_cast<const std::uint8_t*>(LockResource(skinImage_));
  if (!bytes) return;
  ui::SkinPlacement placement;
  if (!ui::ReadSkinPlacement(bytes, SizeofResource(platform::ProgramModule(), skinResource_), placement)) return;
  const RECT anchor = ItemRectInDialog(kImageAnchorId);
  SetDIBitsToDevice(dc, anchor.left, anchor.top, static_cast<DWORD>(placement.width),
                    static_cast<DWORD>(placement.height), 0, 0, 0, static_cast<UINT>(placement.height),
                    bytes + placement.bitsOffset,
                    reinterpret_cast<const BITMAPINFO*>(bytes + ui::skin_layout::kInfoHeaderOffset), DIB_RGB_COLORS);
}

// The bar is never cleared here: a longer bar covers the previous one, and the progress
// message invalidates without erasing.
void SetupDialog::PaintProgressBar(HDC dc) {
  if (progressTotal_ <= 0) return;
  platform::UniqueBrush brush(CreateSolidBrush(kProgressBarColour));
  HWND area = Item(kProgressAreaId);
  if (!area) return;
  RECT r;
  GetClientRect(area, &r);
  const int width = ui::ProgressBarWidth(progressPosition_, progressTotal_, r.right - r.left);
  if (width == 0) return;
  r.right = r.left + width;
  MapWindowPoints(area, Hwnd(), reinterpret_cast<POINT*>(&r), 2);
  platform::SelectedObject selectedBrush(dc, brush.Get());
  RoundRect(dc, r.left, r.top, r.right, r.bottom, 5, 5);
}
