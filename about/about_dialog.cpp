#include "about_dialog.h"

#include <shellapi.h>

#include "about_ids.h"

namespace zorvan {
namespace {


HFONT CreditsFont(LONG weight) {
  LOGFONTA font = {};
  font.lfHeight = -12;
  font.lfWeight = weight;
  font.lfCharSet = DEFAULT_CHARSET;
  lstrcpyA(font.lfFaceName, "Tahoma");
  return CreateFontIndirectA(&font);
}

// Messages whose dialog-procedure return value is the result itself.
bool ReturnsResultDirectly(UINT message) {
  switch (message) {
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_QUERYDRAGICON:
    case WM_COMPAREITEM:
    case WM_INITDIALOG:
      return true;
    default:
      return message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC;
  }
}

}  // namespace

AboutDialog::AboutDialog(WORD templateId)
    : templateId_(templateId), normalFont_(CreditsFont(FW_NORMAL)), headingFont_(CreditsFont(FW_EXTRABOLD)) {}

AboutDialog::~AboutDialog() {
  if (normalFont_) DeleteObject(normalFont_);
  if (headingFont_) DeleteObject(headingFont_);
}

INT_PTR AboutDialog::ShowModal(HWND owner) {
  PushHandOff(&handOff_, this);
  const INT_PTR result = DialogBoxParamA(g_serverModule.resourceInstance, MAKEINTRESOURCEA(templateId_),
                                         owner, DialogStartProc, 0);
  // A dialog that was never created never took the node: it must not stay
  // in the list once this object is gone.
  CancelHandOff(&handOff_);
  hwnd_ = nullptr;
  return result;
}

// The first message of a new dialog: bind the window to the object that
// this thread announced, then let every message reach the object.
INT_PTR CALLBACK AboutDialog::DialogStartProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  AboutDialog* dialog = static_cast<AboutDialog*>(TakeHandOff());
  if (dialog == nullptr) return FALSE;
  dialog->hwnd_ = window;
  SetWindowLongPtrA(window, DWLP_USER, reinterpret_cast<LONG_PTR>(dialog));
  SetWindowLongPtrA(window, DWLP_DLGPROC, reinterpret_cast<LONG_PTR>(DialogStubProc));
  return DialogStubProc(window, message, wParam, lParam);
}

INT_PTR CALLBACK AboutDialog::DialogStubProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  AboutDialog* dialog = reinterpret_cast<AboutDialog*>(GetWindowLongPtrA(window, DWLP_USER));
  if (dialog == nullptr) return FALSE;
  LRESULT result = 0;
  if (!dialog->ProcessMessage(dialog->hwnd_, message, wParam, lParam, result)) return FALSE;
  if (ReturnsResultDirectly(message)) return static_cast<INT_PTR>(result);
  if (result != 0) SetWindowLongPtrA(window, DWLP_MSGRESULT, result);
  return TRUE;
}

bool AboutDialog::ProcessMessage(HWND, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (message) {
    case WM_INITDIALOG:
      InitializeDialog();
      result = FALSE;
      return true;
    case WM_PAINT:
      PaintCredits(wParam, lParam);
      result = 1;
      return true;
    case WM_ACTIVATE:
      if (LOWORD(wParam) == WA_INACTIVE) StopCredits();
      return false;
    case WM_NCLBUTTONDOWN:
      NoteNonClientClick();
      return false;
    case WM_LBUTTONDOWN:
      TestCreditsClick(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
      return false;
    case WM_TIMER:
      if (wParam != ID_CREDITS_TIMER) return false;
      AdvanceCredits();
      result = 1;
      return true;
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDOK:
        case IDCANCEL:
          StopCredits();
          EndDialog(hwnd_, 0);
          result = 0;
          return true;
        case IDC_WEB_PAGE:
          OpenWebPage();
          result = 0;
          return true;
        case IDC_SYSTEM_INFO:
          ShowSystemInformation();
          result = 0;
          return true;
      }
      return false;
  }
  return false;
}

void AboutDialog::InitializeDialog() {
  char name[64] = "";
  LoadStringA(g_serverModule.resourceInstance, IDS_COMPONENT_NAME, name, sizeof name);
  char line[128];
  wsprintfA(line, "tv%.63s ActiveX Control -  (Build:%.32s)", name, versionText_ ? versionText_ : "");
  SetDlgItemTextA(hwnd_, IDC_BUILD_LINE, line);

  GetClientRect(GetDlgItem(hwnd_, IDC_CREDITS), &creditsRect_);

  // Centred on the screen, not on the owner; truncating divisions.
  RECT window;
  GetWindowRect(hwnd_, &window);
  const int x = (GetSystemMetrics(SM_CXSCREEN) - (window.right - window.left)) / 2;
  const int y = (GetSystemMetrics(SM_CYSCREEN) - (window.bottom - window.top)) / 2;
  SetWindowPos(hwnd_, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);

  SendMessageA(hwnd_, DM_SETDEFID, IDOK, 0);
}

void AboutDialog::OpenWebPage() {
  StopCredits();
  char address[64] = "";
  LoadStringA(g_serverModule.resourceInstance, IDS_WEB_PAGE, address, sizeof address);
  ShellExecuteA(hwnd_, "open", address, nullptr, nullptr, SW_SHOWNORMAL);
}

// Starts the system information tool named in the machine's registry. The
// key is only read, so it is opened for reading: a standard user may.
void AboutDialog::ShowSystemInformation() {
  StopCredits();
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Shared Tools\\MSINFO", 0, KEY_QUERY_VALUE,
                    &key) != ERROR_SUCCESS) {
    return;
  }
  char path[128];
  DWORD type = 0;
  DWORD size = sizeof path;
  const LONG status = RegQueryValueExA(key, "Path", nullptr, &type, reinterpret_cast<BYTE*>(path), &size);
  RegCloseKey(key);
  // Only a string that fits with its terminator is a path to start.
  if (status != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ) || size == 0) return;
  if (path[size - 1] != '\0') {
    if (size >= sizeof path) return;
    path[size] = '\0';
  }
  ShellExecuteA(hwnd_, nullptr, path, nullptr, nullptr, SW_SHOWNORMAL);
}

}  // namespace zorvan
