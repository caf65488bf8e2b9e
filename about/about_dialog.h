// The About box: a modal dialog made from template 7000, bound to its
// AboutDialog object through the module's hand-off list and the dialog's
// window data, with the hidden credits scroller behind its texts.
#pragma once
#include <windows.h>

#include "credits_timing.h"
#include "server_module.h"

namespace zorvan {

class AboutDialog {
 public:
  explicit AboutDialog(WORD templateId);
  ~AboutDialog();
  AboutDialog(const AboutDialog&) = delete;
  AboutDialog& operator=(const AboutDialog&) = delete;

  // The module file version shown in the build line; may stay absent.
  void SetVersionText(const char* text) { versionText_ = text; }
  // Runs the dialog on this thread until it is closed: EndDialog's value,
  // or -1 when the dialog cannot be created.
  INT_PTR ShowModal(HWND owner);

 private:
  static INT_PTR CALLBACK DialogStartProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  static INT_PTR CALLBACK DialogStubProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  bool ProcessMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

  void InitializeDialog();
  void OpenWebPage();
  void ShowSystemInformation();

  // The credits scroller.
  void NoteNonClientClick();
  void TestCreditsClick(int x, int y);
  void StartCredits();
  void StopCredits();
  void AdvanceCredits();
  void PaintCredits(WPARAM wParam, LPARAM lParam);
  void ShowInfoTexts(bool show);

  HWND hwnd_ = nullptr;
  HandOffNode handOff_ = {};
  WORD templateId_;
  const char* versionText_ = nullptr;
  RECT creditsRect_ = {};
  HFONT normalFont_ = nullptr;
  HFONT headingFont_ = nullptr;
  CreditsClock clock_;
  DWORD keyFlags_ = 0;
  UINT_PTR timerRunning_ = 0;
  bool fillAll_ = true;
};

}  // namespace zorvan
