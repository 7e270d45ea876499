#pragma once

#include "platform/win32/windows_include.h"

#include <optional>
#include <string>

#include "platform/geometry.h"

namespace solvarine::win32 {

// Pixels for twips at the window's resolution: px = twips * dpi / 1440, rounded.
int TwipsToPixels(int twips, UINT dpi);
RECT PixelRect(const TwipsRect& rect, UINT dpi);
UINT WindowDpi(HWND window);

// A control inside one of our windows. The child's GWLP_USERDATA points here, so the parent can
// hand notifications on and order its children without keeping a list.
class ChildControl {
 public:
  ChildControl(const ChildControl&) = delete;
  ChildControl& operator=(const ChildControl&) = delete;
  virtual ~ChildControl() = default;

  static ChildControl* FromHandle(HWND child);
  virtual void OnCommand(WORD /*code*/) {}
  virtual void OnScroll(WORD /*code*/) {}
  // A brush for the background, or null for the default one.
  virtual HBRUSH OnColor(HDC /*dc*/) { return nullptr; }
  // Follows a resolution change of the parent window.
  virtual void Relayout(UINT /*dpi*/, HFONT /*font*/) {}
  int tab_index() const { return tab_index_; }

 protected:
  explicit ChildControl(int tab_index) : tab_index_(tab_index) {}
  void Attach(HWND child);

 private:
  int tab_index_;
};

// A standard control (button, static, scroll bar) laid out in twips.
class StandardControl : public ChildControl {
 public:
  struct Options {
    const wchar_t* window_class;
    std::string text;
    DWORD style;
    TwipsRect rect;
    int tab_index;
  };
  StandardControl(HWND parent, const Options& layout);
  ~StandardControl() override;
  HWND hwnd() const { return window_; }
  void Relayout(UINT dpi, HFONT font) override;

 private:
  HWND window_ = nullptr;  // destroyed with its parent, or by us if we go first
  TwipsRect rect_;
};

// Routes WM_COMMAND, WM_HSCROLL and WM_CTLCOLOR* from a child to its control object; nothing
// for other messages and for children that are not ours.
std::optional<LRESULT> RouteToChild(UINT message, WPARAM wparam, LPARAM lparam);
// Z-order is tab order: children go in tab_index order; option buttons next to each other form a
// group with one tab stop.
void ArrangeTabOrder(HWND parent);
void MarkRadioGroups(HWND parent);
bool IsRadioButton(HWND window);
void RelayoutChildren(HWND parent, UINT dpi, HFONT font);
// The first visible, enabled tab stop of the window, or null.
HWND FirstTabStop(HWND parent);

}  // namespace solvarine::win32
