// The credits scroller of the About box: a key-and-click gesture hides the
// information texts and scrolls the credits table up one pixel every 40 ms.
#include <cstring>
#include <initializer_list>

#include "about_dialog.h"
#include "about_ids.h"
#include "credits_table.h"

namespace zorvan {
namespace {

constexpr UINT kTickMilliseconds = 40;
constexpr DWORD kShiftAlone = 1, kControlAlone = 2, kShiftAndControl = 4, kGestureComplete = 7;
constexpr COLORREF kHeadingColour = 0x00FFFF00;
constexpr COLORREF kNameColour = 0x00FFFFFF;

bool KeyDown(int key) { return (GetKeyState(key) & 0x8000) != 0; }

}  // namespace

void AboutDialog::NoteNonClientClick() {
  const bool shift = KeyDown(VK_SHIFT);
  const bool control = KeyDown(VK_CONTROL);
  if (shift && control) keyFlags_ |= kShiftAndControl;
  else if (shift) keyFlags_ |= kShiftAlone;
  else if (control) keyFlags_ |= kControlAlone;
  else keyFlags_ = 0;
}

void AboutDialog::TestCreditsClick(int x, int y) {
  RECT ok, web;
  GetWindowRect(GetDlgItem(hwnd_, IDOK), &ok);
  GetWindowRect(GetDlgItem(hwnd_, IDC_WEB_PAGE), &web);
  POINT topLeft = {ok.left, ok.top};
  POINT bottomRight = {web.right, web.bottom};
  ScreenToClient(hwnd_, &topLeft);
  ScreenToClient(hwnd_, &bottomRight);
  const RECT hot = {topLeft.x, topLeft.y, bottomRight.x, bottomRight.y};
  const POINT click = {x, y};
  if (PtInRect(&hot, click) && keyFlags_ == kGestureComplete) StartCredits();
  else keyFlags_ = 0;
}

void AboutDialog::ShowInfoTexts(bool show) {
  for (int id : {IDC_PRODUCT, IDC_BUILD_LINE, IDC_COPYRIGHT, IDC_DESCRIPTION})
    ShowWindow(GetDlgItem(hwnd_, id), show ? SW_SHOW : SW_HIDE);
  ShowWindow(GetDlgItem(hwnd_, IDC_CREDITS), show ? SW_HIDE : SW_SHOW);
}

void AboutDialog::StartCredits() {
  if (timerRunning_ != 0) return;
  ShowInfoTexts(false);
  fillAll_ = true;
  StartCreditsClock(clock_);
  keyFlags_ = 0;
  HWND credits = GetDlgItem(hwnd_, IDC_CREDITS);
  if (HDC dc = GetDC(credits)) {
    FillRect(dc, &creditsRect_, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    ReleaseDC(credits, dc);
  }
  timerRunning_ = SetTimer(hwnd_, ID_CREDITS_TIMER, kTickMilliseconds, nullptr);
}

void AboutDialog::StopCredits() {
  if (timerRunning_ == 0) return;
  KillTimer(hwnd_, ID_CREDITS_TIMER);
  ShowInfoTexts(true);
  timerRunning_ = 0;
  keyFlags_ = 0;
}

void AboutDialog::AdvanceCredits() {
  TickCreditsClock(clock_);
  // Moves what is drawn up by one pixel; the row uncovered at the bottom
  // becomes invalid and the paint draws it.
  ScrollWindow(GetDlgItem(hwnd_, IDC_CREDITS), 0, -1, &creditsRect_, &creditsRect_);
  InvalidateRect(hwnd_, &creditsRect_, FALSE);
}

void AboutDialog::PaintCredits(WPARAM wParam, LPARAM lParam) {
  DefWindowProcA(hwnd_, WM_PAINT, wParam, lParam);
  if (timerRunning_ == 0) return;
  HWND credits = GetDlgItem(hwnd_, IDC_CREDITS);
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(credits, &paint);
  if (dc == nullptr) return;
  SetBkMode(dc, TRANSPARENT);

  HGDIOBJ previousFont = nullptr;
  const char marker = ApplyLineStyle(clock_);
  if (marker == kHeadingMarker) {
    previousFont = SelectObject(dc, headingFont_);
    SetTextColor(dc, kHeadingColour);
  } else if (marker == kNameMarker) {
    previousFont = SelectObject(dc, normalFont_);
    SetTextColor(dc, kNameColour);
  }

  RECT fill = creditsRect_;
  if (fillAll_) fillAll_ = false;
  else fill.top = fill.bottom - 1;
  FillRect(dc, &fill, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));

  if (clock_.currentLine != nullptr && clock_.currentLine[0] != '\0') {
    RECT text = creditsRect_;
    text.top = text.bottom - clock_.drawnRows;
    DrawTextA(dc, clock_.currentLine, static_cast<int>(std::strlen(clock_.currentLine)) - 1, &text,
              DT_CENTER | DT_SINGLELINE | DT_NOPREFIX);
  }
  if (previousFont) SelectObject(dc, previousFont);
  EndPaint(credits, &paint);
}

}  // namespace zorvan
