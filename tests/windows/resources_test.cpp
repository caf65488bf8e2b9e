// The module's resources as the platform reads them: the About dialog's
// template, its picture, the strings and the version.
#include <cstring>
#include <string>
#include <vector>

#include "server_fixture.h"

namespace zorvan::test {
namespace {

// Reads a standard (not extended) dialog template.
class TemplateReader {
 public:
  explicit TemplateReader(const BYTE* data) : p_(data) {}
  WORD Word() {
    WORD w;
    std::memcpy(&w, p_, 2);
    p_ += 2;
    return w;
  }
  DWORD Dword() {
    const DWORD low = Word();
    return low | (static_cast<DWORD>(Word()) << 16);
  }
  // A string or an ordinal (0xFFFF and a number, written "#n").
  std::wstring NameOrOrdinal() {
    const WORD first = Word();
    if (first == 0xFFFF) return L"#" + std::to_wstring(Word());
    std::wstring s;
    for (WORD c = first; c != 0; c = Word()) s += static_cast<wchar_t>(c);
    return s;
  }
  void AlignDword(const BYTE* base) {
    while ((p_ - base) % 4) ++p_;
  }

 private:
  const BYTE* p_;
};

struct Control {
  int id;
  const wchar_t* windowClass;  // as its predefined class ordinal
  std::wstring text;
  DWORD style;
  short x, y, cx, cy;
};

TEST(Resources, AboutDialogTemplate) {
  HRSRC found = FindResourceW(Server().module, MAKEINTRESOURCEW(7000), MAKEINTRESOURCEW(5));  // RT_DIALOG
  ASSERT_NE(nullptr, found);
  const BYTE* base = static_cast<const BYTE*>(LockResource(LoadResource(Server().module, found)));
  TemplateReader r(base);
  EXPECT_EQ(0x80C800C0u, r.Dword());  // style
  EXPECT_EQ(0u, r.Dword());           // extended style
  const WORD count = r.Word();
  EXPECT_EQ(0, static_cast<short>(r.Word()));
  EXPECT_EQ(0, static_cast<short>(r.Word()));
  EXPECT_EQ(222, static_cast<short>(r.Word()));
  EXPECT_EQ(185, static_cast<short>(r.Word()));
  EXPECT_EQ(L"", r.NameOrOrdinal());  // no menu
  EXPECT_EQ(L"", r.NameOrOrdinal());  // the system dialog class
  EXPECT_EQ(L"Tavelin Pro \xFF8A\xFF9E\xFF70\xFF7C\xFF9E\xFF6E\xFF9D\x60C5\x5831", r.NameOrOrdinal());
  EXPECT_EQ(9, r.Word());
  EXPECT_EQ(L"\xFF2D\xFF33 \xFF30\x30B4\x30B7\x30C3\x30AF", r.NameOrOrdinal());

  const std::vector<Control> expected = {
      {7008, L"#129", L"", 0x58010000, 55, 6, 158, 110},
      {1, L"#128", L"OK", 0x50010001, 161, 130, 52, 14},
      {7004, L"#128", L"\xFF7C\xFF7D\xFF83\xFF91\x60C5\x5831(&S)", 0x50010000, 161, 146, 52, 14},
      {7003, L"#128", L"KEL &WEB\xFF7B\xFF72\xFF84", 0x50010000, 161, 163, 52, 14},
      {7011, L"#130", L"", 0x50020000, 57, 58, 156, 28},
      {0xFFFF, L"#130", L"#7001", 0x5000180E, 10, 6, 39, 101},
      {7009, L"#130", L"Tavelin Pro Ver.6.0J", 0x50020000, 57, 14, 82, 8},
      {7005, L"#130", L"", 0x50020000, 57, 24, 180, 8},
      {7010, L"#130", L"", 0x50020000, 57, 43, 164, 8},
      {0xFFFF, L"#130", L"", 0x50001007, 10, 123, 203, 1},
  };
  ASSERT_EQ(expected.size(), count);
  for (const Control& c : expected) {
    r.AlignDword(base);
    EXPECT_EQ(c.style, r.Dword()) << c.id;
    EXPECT_EQ(0u, r.Dword()) << c.id;
    EXPECT_EQ(c.x, static_cast<short>(r.Word())) << c.id;
    EXPECT_EQ(c.y, static_cast<short>(r.Word())) << c.id;
    EXPECT_EQ(c.cx, static_cast<short>(r.Word())) << c.id;
    EXPECT_EQ(c.cy, static_cast<short>(r.Word())) << c.id;
    EXPECT_EQ(c.id, r.Word());
    EXPECT_EQ(std::wstring(c.windowClass), r.NameOrOrdinal()) << c.id;
    const std::wstring text = r.NameOrOrdinal();
    // The description and the copyright notice are ours to word: not empty.
    if (c.id == 7011 || c.id == 7010) {
      EXPECT_FALSE(text.empty()) << c.id;
    } else {
      EXPECT_EQ(c.text, text) << c.id;
    }
    EXPECT_EQ(0, r.Word()) << c.id;  // no creation data
  }
}

TEST(Resources, PortraitBitmap) {
  HRSRC found = FindResourceW(Server().module, MAKEINTRESOURCEW(7001), MAKEINTRESOURCEW(2));  // RT_BITMAP
  ASSERT_NE(nullptr, found);
  const auto* info = static_cast<const BITMAPINFOHEADER*>(LockResource(LoadResource(Server().module, found)));
  EXPECT_EQ(60, info->biWidth);
  EXPECT_EQ(165, info->biHeight);
  EXPECT_EQ(8, info->biBitCount);
  EXPECT_EQ(static_cast<DWORD>(BI_RGB), info->biCompression);
  EXPECT_EQ(256u, info->biClrUsed);
  EXPECT_EQ(3779, info->biXPelsPerMeter);
  EXPECT_EQ(3779, info->biYPelsPerMeter);
  EXPECT_EQ(sizeof(BITMAPINFOHEADER) + 256 * 4 + 60 * 165, SizeofResource(Server().module, found));
}

TEST(Resources, StringsAndVersion) {
  char text[256] = "";
  EXPECT_EQ(6, LoadStringA(Server().module, 100, text, sizeof text));
  EXPECT_STREQ("Zorvan", text);
  ASSERT_GT(LoadStringA(Server().module, 8000, text, 64), 0);
  EXPECT_EQ(0, std::strncmp(text, "https://www.example.com/", 24)) << text;
  EXPECT_LT(std::strlen(text), 64u);

  char path[MAX_PATH];
  GetModuleFileNameA(Server().module, path, MAX_PATH);
  DWORD handle = 0;
  std::vector<char> block(GetFileVersionInfoSizeA(path, &handle));
  ASSERT_FALSE(block.empty());
  ASSERT_TRUE(GetFileVersionInfoA(path, 0, static_cast<DWORD>(block.size()), block.data()));
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT size = 0;
  ASSERT_TRUE(VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &size));
  EXPECT_EQ(0x00060000u, fixed->dwFileVersionMS);
  EXPECT_EQ(0x00020003u, fixed->dwFileVersionLS);
}

}  // namespace
}  // namespace zorvan::test
