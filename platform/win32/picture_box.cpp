#include "platform/win32/picture_box.h"

#include "platform/win32/opaque_handles.h"

namespace solvarine::win32 {
namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);

}  // namespace

PictureBoxWindow::PictureBoxWindow(EventLoop& loop, HWND parent, const PictureBoxSpec& layout,
                                   InputHandlers input)
    : ChildControl(layout.tab_index),
      MessageWindow(loop),
      rect_(layout.rect),
      auto_size_(layout.auto_size),
      input_(std::move(input)) {
  CreateSpec create;
  const bool takes_focus = layout.visible && (input_.mouse_down || input_.key_down);
  create.style = WS_CHILD | WS_CLIPSIBLINGS | (layout.visible ? WS_VISIBLE : 0) |
                 (takes_focus ? WS_TABSTOP : 0);
  create.rect = PixelRect(layout.rect, WindowDpi(parent));
  create.parent = parent;
  Create({L"SolvarinePictureBox", static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH))}, create);
  Attach(hwnd());
  const SizeF size = ScaleSize();
  image_.Reset(static_cast<int>(size.width), static_cast<int>(size.height), kWhite);
}

Hdc PictureBoxWindow::hDC() {
  ::InvalidateRect(hwnd(), nullptr, FALSE);  // what is drawn now shows at the next paint
  return Opaque(image_.dc());
}

SizeF PictureBoxWindow::ScaleSize() const {
  return ClientSize();
}

// An auto-sized box takes the picture's own size but keeps only its decoded pixels, so a photo
// decoded small costs no full-size bitmap.
void PictureBoxWindow::SetPicture(const Picture& picture) {
  if (auto_size_) {
    ::SetWindowPos(hwnd(), nullptr, 0, 0, picture.width, picture.height,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    image_.ShowPicture(picture);
  } else {
    image_.Fill(kWhite);
    image_.CopyPicture(picture);
  }
  ::InvalidateRect(hwnd(), nullptr, FALSE);
}

void PictureBoxWindow::ClearPicture() {
  image_.Fill(kWhite);
  ::InvalidateRect(hwnd(), nullptr, FALSE);
}

void PictureBoxWindow::SetSize(std::int32_t width, std::int32_t height) {
  Resize(width, height);
}

void PictureBoxWindow::Move(std::int32_t left, std::int32_t top) {
  ::SetWindowPos(hwnd(), nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void PictureBoxWindow::Refresh() {
  ::InvalidateRect(hwnd(), nullptr, FALSE);
  ::UpdateWindow(hwnd());
}

// A new size means a new, white image of that size.
void PictureBoxWindow::Resize(int width, int height) {
  ::SetWindowPos(hwnd(), nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  const SizeF size = ScaleSize();
  image_.Reset(static_cast<int>(size.width), static_cast<int>(size.height), kWhite);
  ::InvalidateRect(hwnd(), nullptr, FALSE);
}

// A box laid out in twips follows the dialog to another resolution; its image is scaled along, so
// the preview stays whole. An auto-sized box keeps the size of its picture.
void PictureBoxWindow::Relayout(UINT dpi, HFONT) {
  const RECT r = PixelRect(rect_, dpi);
  UINT flags = SWP_NOZORDER | SWP_NOACTIVATE;
  if (auto_size_)
    flags |= SWP_NOSIZE;
  ::SetWindowPos(hwnd(), nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top, flags);
  if (!auto_size_) {
    const SizeF size = ScaleSize();
    image_.Rescale(static_cast<int>(size.width), static_cast<int>(size.height));
  }
  ::InvalidateRect(hwnd(), nullptr, FALSE);
}

bool PictureBoxWindow::focusable() const {
  return (::GetWindowLongPtrW(hwnd(), GWL_STYLE) & WS_TABSTOP) != 0;
}

LRESULT PictureBoxWindow::OnMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  if (IsButtonDown(message) && focusable())
    ::SetFocus(hwnd());
  if (const std::optional<LRESULT> routed = RouteInput(input_, message))
    return *routed;
  switch (message) {
    case WM_PAINT: {
      ScopedPaint paint(hwnd());
      image_.PaintTo(paint.get(), paint.paint().rcPaint);
      return 0;
    }
    case WM_ERASEBKGND:
      return 1;  // the image covers the whole box
    default:
      return Default(message, wparam, lparam);
  }
}

}  // namespace solvarine::win32
