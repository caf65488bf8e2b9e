// The About box on a real display (Xvfb), driven with real mouse and
// keyboard input: one thread shows it through AboutBox while the test's
// own thread finds the dialog, checks it, performs the credits gesture and
// closes it. Screenshots go to the folder named by ZORVAN_SHOTS.
#include <cstdlib>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "server_fixture.h"

namespace zorvan::test {
namespace {

const wchar_t kCaption[] = L"Tavelin Pro \xFF8A\xFF9E\xFF70\xFF7C\xFF9E\xFF6E\xFF9D\x60C5\x5831";
constexpr int kCredits = 7008, kBuildLine = 7005, kSystemInfo = 7004, kWebPage = 7003;
const int kInfoTexts[] = {7009, 7005, 7010, 7011};

std::string Env(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

// Runs AboutBox on a thread of its own apartment; the result lands in hr.
struct AboutThread {
  HRESULT hr = E_FAIL;
  DWORD id = 0;
  std::thread thread;
  void Start() {
    thread = std::thread([this] {
      id = GetCurrentThreadId();
      CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
      IZorvan* object = nullptr;
      if (SUCCEEDED(CoCreateInstance(CLSID_tvZorvan, nullptr, CLSCTX_INPROC_SERVER, IID_IZorvan,
                                     reinterpret_cast<void**>(&object)))) {
        hr = object->AboutBox();
        object->Release();
      }
      CoUninitialize();
    });
  }
};

struct FoundDialogs {
  std::vector<HWND> windows;
};

BOOL CALLBACK CollectDialog(HWND window, LPARAM data) {
  wchar_t caption[64] = L"";
  GetWindowTextW(window, caption, 64);
  if (IsWindowVisible(window) && wcscmp(caption, kCaption) == 0)
    reinterpret_cast<FoundDialogs*>(data)->windows.push_back(window);
  return TRUE;
}

std::vector<HWND> WaitForDialogs(size_t count) {
  for (int i = 0; i < 200; ++i) {
    FoundDialogs found;
    EnumWindows(CollectDialog, reinterpret_cast<LPARAM>(&found));
    if (found.windows.size() >= count) return found.windows;
    Sleep(50);
  }
  return {};
}

bool WaitFor(const std::function<bool()>& condition, int milliseconds = 5000) {
  for (int waited = 0; waited < milliseconds; waited += 50) {
    if (condition()) return true;
    Sleep(50);
  }
  return condition();
}

void Input(std::vector<INPUT> inputs) {
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
  Sleep(150);
}

INPUT Key(WORD key, bool up) {
  INPUT input = {};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = key;
  input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  return input;
}

INPUT Mouse(DWORD flags, POINT at = {0, 0}) {
  INPUT input = {};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = flags;
  if (flags & MOUSEEVENTF_MOVE) {
    input.mi.dwFlags |= MOUSEEVENTF_ABSOLUTE;
    input.mi.dx = MulDiv(at.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
    input.mi.dy = MulDiv(at.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
  }
  return input;
}

// Moves first, then presses the modifiers, then clicks without moving:
// a pointer move while they are held would release them.
void ClickWith(POINT at, std::vector<WORD> modifiers) {
  Input({Mouse(MOUSEEVENTF_MOVE, at)});
  std::vector<INPUT> inputs;
  for (WORD key : modifiers) inputs.push_back(Key(key, false));
  inputs.push_back(Mouse(MOUSEEVENTF_LEFTDOWN));
  inputs.push_back(Mouse(MOUSEEVENTF_LEFTUP));
  for (WORD key : modifiers) inputs.push_back(Key(key, true));
  Input(inputs);
}

POINT CaptionPoint(HWND dialog) {
  RECT window;
  GetWindowRect(dialog, &window);
  POINT client = {0, 0};
  ClientToScreen(dialog, &client);
  return {(window.left + window.right) / 2, (window.top + client.y) / 2};
}

RECT ScreenRectOf(HWND dialog, int id) {
  RECT r;
  GetWindowRect(GetDlgItem(dialog, id), &r);
  return r;
}

// The pixels of a window, from its own device context, for comparing and
// for screenshots (the screen's DC does not read back what Wine drew).
std::vector<DWORD> Grab(HWND source, int& w, int& h) {
  RECT r;
  GetWindowRect(source, &r);
  w = r.right - r.left;
  h = r.bottom - r.top;
  HDC screen = GetWindowDC(source);
  HDC memory = CreateCompatibleDC(screen);
  BITMAPINFO info = {};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, w, h, screen, 0, 0, SRCCOPY);
  GdiFlush();
  std::vector<DWORD> pixels(static_cast<DWORD*>(bits), static_cast<DWORD*>(bits) + w * h);
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(source, screen);
  return pixels;
}

std::vector<DWORD> Grab(HWND source) {
  int w, h;
  return Grab(source, w, h);
}

void SaveShot(HWND source, const std::string& name) {
  const std::string folder = Env("ZORVAN_SHOTS");
  if (folder.empty()) return;
  int w = 0, h = 0;
  std::vector<DWORD> pixels = Grab(source, w, h);
  for (DWORD& p : pixels) p |= 0xFF000000u;  // opaque: a zero alpha byte reads as transparent
  BITMAPFILEHEADER file = {0x4D42, 0, 0, 0, sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER)};
  BITMAPINFOHEADER info = {sizeof(BITMAPINFOHEADER), w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  file.bfSize = file.bfOffBits + static_cast<DWORD>(pixels.size() * 4);
  HANDLE out = CreateFileA((folder + "\\" + name + ".bmp").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
  DWORD written;
  WriteFile(out, &file, sizeof file, &written, nullptr);
  WriteFile(out, &info, sizeof info, &written, nullptr);
  WriteFile(out, pixels.data(), static_cast<DWORD>(pixels.size() * 4), &written, nullptr);
  CloseHandle(out);
}

bool Visible(HWND dialog, int id) { return IsWindowVisible(GetDlgItem(dialog, id)) != FALSE; }

bool InfoTextsShown(HWND dialog) {
  for (int id : kInfoTexts)
    if (!Visible(dialog, id)) return false;
  return !Visible(dialog, kCredits);
}

bool CreditsShown(HWND dialog) {
  for (int id : kInfoTexts)
    if (Visible(dialog, id)) return false;
  return Visible(dialog, kCredits);
}

bool FileHolds(const std::string& path, std::string& text) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  char buffer[512];
  DWORD got = 0;
  ReadFile(file, buffer, sizeof buffer, &got, nullptr);
  CloseHandle(file);
  text.assign(buffer, got);
  return got > 0;
}

void SetString(HKEY root, const char* key, const char* name, const std::string& value) {
  HKEY k;
  ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(root, key, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &k, nullptr));
  RegSetValueExA(k, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                 static_cast<DWORD>(value.size() + 1));
  RegCloseKey(k);
}

TEST(AboutBox, DialogGestureCreditsButtonsAndEscape) {
  const std::string marker = Env("ZORVAN_MARKER");
  const std::string folder = Env("ZORVAN_SHOTS");
  ASSERT_FALSE(marker.empty());
  ASSERT_FALSE(folder.empty());
  const std::string ranFile = folder + "\\started.txt";
  DeleteFileA(ranFile.c_str());
  SetEnvironmentVariableA("ZORVAN_MARKER_OUT", ranFile.c_str());
  // The system information tool is a program of the tests' own.
  SetString(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Shared Tools\\MSINFO", "Path", marker);
  SetString(HKEY_CLASSES_ROOT, "https\\shell\\open\\command", nullptr, "\"" + marker + "\" \"%1\"");

  AboutThread about;
  about.Start();
  std::vector<HWND> dialogs = WaitForDialogs(1);
  ASSERT_EQ(1u, dialogs.size());
  HWND dialog = dialogs[0];
  EXPECT_EQ(about.id, GetWindowThreadProcessId(dialog, nullptr));

  char line[128] = "";
  GetDlgItemTextA(dialog, kBuildLine, line, sizeof line);
  EXPECT_STREQ("tvZorvan ActiveX Control -  (Build:6.0.2.3)", line);
  RECT window;
  GetWindowRect(dialog, &window);
  EXPECT_EQ((GetSystemMetrics(SM_CXSCREEN) - (window.right - window.left)) / 2, window.left);
  EXPECT_EQ((GetSystemMetrics(SM_CYSCREEN) - (window.bottom - window.top)) / 2, window.top);
  EXPECT_EQ(MAKELONG(IDOK, DC_HASDEFID), SendMessageW(dialog, DM_GETDEFID, 0, 0));
  for (int id : kInfoTexts) EXPECT_TRUE(Visible(dialog, id)) << id;
  RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  Sleep(500);
  SaveShot(dialog, "about-dialog");

  // The gesture: caption clicks with Shift, with Ctrl and with both, then a
  // click in the gap between OK and System Information.
  SetForegroundWindow(dialog);
  const POINT caption = CaptionPoint(dialog);
  ClickWith(caption, {VK_SHIFT});
  ClickWith(caption, {VK_CONTROL});
  ClickWith(caption, {VK_SHIFT, VK_CONTROL});
  const RECT ok = ScreenRectOf(dialog, IDOK), info = ScreenRectOf(dialog, kSystemInfo);
  const POINT gap = {(ok.left + ok.right) / 2, (ok.bottom + info.top) / 2};
  ASSERT_LT(ok.bottom, info.top) << "no gap between the buttons";
  ClickWith(gap, {});
  ASSERT_TRUE(WaitFor([&] { return CreditsShown(dialog); })) << "the gesture did not start the credits";

  // Row 0 starts after 600 ms; the picture then changes from tick to tick.
  HWND credits = GetDlgItem(dialog, kCredits);
  Sleep(1500);
  const std::vector<DWORD> first = Grab(credits);
  Sleep(400);
  const std::vector<DWORD> second = Grab(credits);
  EXPECT_NE(first, second) << "the credits do not move";
  int black = 0, lit = 0;
  for (DWORD p : second) ((p & 0xFFFFFF) == 0 ? black : lit)++;
  EXPECT_GT(black, lit) << "the credits area is not black";
  EXPECT_GT(lit, 0) << "no text drawn in the credits area";
  SaveShot(dialog, "about-credits");

  // Another window takes the activation: the credits stop, the texts return.
  HWND other = CreateWindowExW(0, L"STATIC", L"other", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr,
                               nullptr, nullptr);
  SetForegroundWindow(other);
  EXPECT_TRUE(WaitFor([&] { return InfoTextsShown(dialog); })) << "deactivation did not stop the credits";
  DestroyWindow(other);

  // System Information starts the tool named in the registry.
  SetForegroundWindow(dialog);
  const RECT infoButton = ScreenRectOf(dialog, kSystemInfo);
  ClickWith({(infoButton.left + infoButton.right) / 2, (infoButton.top + infoButton.bottom) / 2}, {});
  std::string ran;
  EXPECT_TRUE(WaitFor([&] { return FileHolds(ranFile, ran); }, 10000)) << "the tool did not start";
  EXPECT_EQ("started\n", ran);

  // The web-page button opens the maker's page with the handler of https
  // addresses, here the tests' own program.
  const RECT webButton = ScreenRectOf(dialog, kWebPage);
  ClickWith({(webButton.left + webButton.right) / 2, (webButton.top + webButton.bottom) / 2}, {});
  EXPECT_TRUE(WaitFor([&] { return FileHolds(ranFile, ran) && ran.find("https://") != std::string::npos; }, 10000))
      << "the web page was not opened";
  EXPECT_EQ("started\nhttps://www.example.com/kel/tavelin/zorvan/\n", ran);

  // Escape closes it; AboutBox returns S_OK.
  EXPECT_TRUE(WaitFor([&] {
    SetForegroundWindow(dialog);
    return GetForegroundWindow() == dialog;
  })) << "the dialog does not take the foreground back";
  Input({Key(VK_ESCAPE, false), Key(VK_ESCAPE, true)});
  if (!WaitFor([&] { return !IsWindow(dialog); })) {
    ADD_FAILURE() << "Escape did not close the dialog";
    PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);  // end it so the test ends
  }
  about.thread.join();
  EXPECT_EQ(S_OK, about.hr);
  EXPECT_FALSE(IsWindow(dialog));
}

TEST(AboutBox, TwoThreadsEachGetTheirOwnDialog) {
  AboutThread first, second;
  first.Start();
  second.Start();
  std::vector<HWND> dialogs = WaitForDialogs(2);
  ASSERT_EQ(2u, dialogs.size());
  HWND ofFirst = nullptr, ofSecond = nullptr;
  for (HWND d : dialogs) {
    const DWORD thread = GetWindowThreadProcessId(d, nullptr);
    if (thread == first.id) ofFirst = d;
    if (thread == second.id) ofSecond = d;
    char line[128] = "";
    GetDlgItemTextA(d, kBuildLine, line, sizeof line);
    EXPECT_STREQ("tvZorvan ActiveX Control -  (Build:6.0.2.3)", line);
  }
  ASSERT_NE(nullptr, ofFirst);
  ASSERT_NE(nullptr, ofSecond);
  // Closing one ends that thread's call only.
  PostMessageW(ofFirst, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
  first.thread.join();
  EXPECT_EQ(S_OK, first.hr);
  EXPECT_FALSE(IsWindow(ofFirst));
  EXPECT_TRUE(IsWindow(ofSecond));
  PostMessageW(ofSecond, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  second.thread.join();
  EXPECT_EQ(S_OK, second.hr);
}

}  // namespace
}  // namespace zorvan::test
