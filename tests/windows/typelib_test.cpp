// The type library that ZORVAN60.DLL carries, read as clients read it.
#include <cstring>
#include <string>
#include <vector>

#include "help_strings.h"
#include "server_fixture.h"

namespace zorvan::test {
namespace {

struct TypeLibrary : ::testing::Test {
  void SetUp() override {
    const std::wstring path(DllPath().begin(), DllPath().end());
    ASSERT_EQ(S_OK, LoadTypeLibEx(path.c_str(), REGKIND_NONE, &library));
  }
  void TearDown() override {
    if (library) library->Release();
  }
  ITypeInfo* Info(UINT index) {
    ITypeInfo* info = nullptr;
    EXPECT_EQ(S_OK, library->GetTypeInfo(index, &info));
    return info;
  }
  ITypeLib* library = nullptr;
};

std::wstring Name(ITypeInfo* info, MEMBERID id = MEMBERID_NIL) {
  BSTR name = nullptr;
  info->GetDocumentation(id, &name, nullptr, nullptr, nullptr);
  std::wstring text = name ? name : L"";
  SysFreeString(name);
  return text;
}

TEST_F(TypeLibrary, LibraryAttributes) {
  TLIBATTR* attr = nullptr;
  ASSERT_EQ(S_OK, library->GetLibAttr(&attr));
  EXPECT_TRUE(IsEqualGUID(LIBID_tvZorvan6Lib, attr->guid));
  EXPECT_EQ(0u, attr->lcid);
  EXPECT_EQ(SYS_WIN32, attr->syskind);
  EXPECT_EQ(1, attr->wMajorVerNum);
  EXPECT_EQ(0, attr->wMinorVerNum);
  EXPECT_EQ(0, attr->wLibFlags & (LIBFLAG_FRESTRICTED | LIBFLAG_FCONTROL | LIBFLAG_FHIDDEN));
  library->ReleaseTLibAttr(attr);

  BSTR name = nullptr, doc = nullptr, helpFile = nullptr;
  ASSERT_EQ(S_OK, library->GetDocumentation(-1, &name, &doc, nullptr, &helpFile));
  EXPECT_STREQ(L"tvZorvan6Lib", name);
  EXPECT_STREQ(L"KEL Zorvan Object 6.0", doc);
  EXPECT_STREQ(L"Tavlin6.hlp", helpFile);
  SysFreeString(name);
  SysFreeString(doc);
  SysFreeString(helpFile);
}

// The raw resource: header fields that the platform does not report, and
// the help strings' code page 932 bytes.
TEST_F(TypeLibrary, ResourceHoldsHeaderFieldsAndHelpStringBytes) {
  HMODULE module = Server().module;
  HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(1), "TYPELIB");
  ASSERT_NE(nullptr, found);
  const char* bytes = static_cast<const char*>(LockResource(LoadResource(module, found)));
  const std::string data(bytes, SizeofResource(module, found));
  auto field = [&data](std::size_t offset) {
    std::uint32_t v;
    std::memcpy(&v, data.data() + offset, 4);
    return v;
  };
  EXPECT_EQ(0x5446534Du, field(0));      // "MSFT"
  EXPECT_EQ(0x0409u, field(0x0C));       // the header's other locale
  EXPECT_EQ(0u, field(0x10));            // the library locale
  EXPECT_EQ(0u, field(0x1C));            // library flags
  EXPECT_EQ(5u, field(0x20));            // types
  EXPECT_EQ(23000u, field(0x2C));        // help context
  // The type records: kind in the low bits of their first field, flags at
  // offset 0x30. The offsets table follows the 0x54-byte header; the
  // segment directory (whose first entry locates the records) follows it.
  const std::uint32_t types = field(0x20);
  const std::size_t offsets = 0x54 + ((field(0x14) & 0x100) ? 4 : 0);
  const std::uint32_t records = field(offsets + 4 * types);
  const std::uint32_t kinds[] = {TKIND_COCLASS, TKIND_DISPATCH, TKIND_ENUM, TKIND_ENUM, TKIND_ENUM};
  const std::uint32_t flags[] = {TYPEFLAG_FCANCREATE,
                                 TYPEFLAG_FDUAL | TYPEFLAG_FOLEAUTOMATION | TYPEFLAG_FDISPATCHABLE, 0, 0, 0};
  for (std::uint32_t i = 0; i < types && i < 5; ++i) {
    const std::uint32_t record = records + field(offsets + 4 * i);
    EXPECT_EQ(kinds[i], field(record) & 0xF) << i;
    EXPECT_EQ(flags[i], field(record + 0x30)) << i;
  }
  for (const HelpStringBytes& help : kHelpStrings) {
    // Stored with a 16-bit length before the text.
    const std::string text(help.bytes);
    const std::string stored = std::string(1, static_cast<char>(text.size() & 0xFF)) +
                               std::string(1, static_cast<char>(text.size() >> 8)) + text;
    EXPECT_NE(std::string::npos, data.find(stored)) << help.member;
  }
}

// In the Japanese code page the stored bytes read back as the texts.
TEST_F(TypeLibrary, HelpStringsReadBackInTheJapaneseCodePage) {
  if (GetACP() != 932) GTEST_SKIP() << "the ANSI code page is " << GetACP();
  ITypeInfo* dispatch = Info(1);
  for (const HelpStringBytes& help : kHelpStrings) {
    const std::wstring member(help.member, help.member + std::strlen(help.member));
    LPOLESTR names[] = {const_cast<LPOLESTR>(member.c_str())};
    MEMBERID id = 0;
    ASSERT_EQ(S_OK, dispatch->GetIDsOfNames(names, 1, &id)) << help.member;
    BSTR doc = nullptr;
    ASSERT_EQ(S_OK, dispatch->GetDocumentation(id, nullptr, &doc, nullptr, nullptr));
    wchar_t expected[128] = {};
    MultiByteToWideChar(932, 0, help.bytes, -1, expected, 128);
    EXPECT_STREQ(expected, doc) << help.member;
    SysFreeString(doc);
  }
  dispatch->Release();
}

TEST_F(TypeLibrary, FiveTypesInOrder) {
  ASSERT_EQ(5u, library->GetTypeInfoCount());
  const struct {
    TYPEKIND kind;
    const wchar_t* name;
  } expected[] = {{TKIND_COCLASS, L"tvZorvan"},
                  {TKIND_DISPATCH, L"IZorvan"},
                  {TKIND_ENUM, L"tvRateTypeConst"},
                  {TKIND_ENUM, L"tvRoundTypeConst"},
                  {TKIND_ENUM, L"tvTaxTypeConst"}};
  for (UINT i = 0; i < 5; ++i) {
    TYPEKIND kind;
    ASSERT_EQ(S_OK, library->GetTypeInfoType(i, &kind));
    EXPECT_EQ(expected[i].kind, kind) << i;
    ITypeInfo* info = Info(i);
    EXPECT_EQ(expected[i].name, Name(info)) << i;
    info->Release();
  }
}

TEST_F(TypeLibrary, CoclassIsCreatableWithIZorvanAsDefault) {
  ITypeInfo* info = Info(0);
  TYPEATTR* attr = nullptr;
  ASSERT_EQ(S_OK, info->GetTypeAttr(&attr));
  EXPECT_TRUE(IsEqualGUID(CLSID_tvZorvan, attr->guid));
  EXPECT_EQ(TYPEFLAG_FCANCREATE, attr->wTypeFlags);
  EXPECT_EQ(1, attr->cImplTypes);
  EXPECT_EQ(0, attr->wMajorVerNum);
  EXPECT_EQ(0, attr->wMinorVerNum);
  info->ReleaseTypeAttr(attr);
  INT flags = 0;
  EXPECT_EQ(S_OK, info->GetImplTypeFlags(0, &flags));
  EXPECT_EQ(IMPLTYPEFLAG_FDEFAULT, flags);
  BSTR doc = nullptr;
  info->GetDocumentation(MEMBERID_NIL, nullptr, &doc, nullptr, nullptr);
  EXPECT_STREQ(L"Zorvan Class", doc);
  SysFreeString(doc);
  info->Release();
}

struct Member {
  const wchar_t* name;
  INVOKEKIND kind;
  MEMBERID id;
  VARTYPE type;  // of the parameter; VT_EMPTY for none
  DWORD helpContext;
};

const Member kMembers[] = {
    {L"Price", INVOKE_PROPERTYGET, 1, VT_R8, 23201},
    {L"RateType", INVOKE_PROPERTYGET, 2, VT_USERDEFINED, 23202},
    {L"RateType", INVOKE_PROPERTYPUT, 2, VT_USERDEFINED, 23202},
    {L"RoundDigit", INVOKE_PROPERTYGET, 3, VT_I2, 23203},
    {L"RoundDigit", INVOKE_PROPERTYPUT, 3, VT_I2, 23203},
    {L"RoundType", INVOKE_PROPERTYGET, 4, VT_USERDEFINED, 23204},
    {L"RoundType", INVOKE_PROPERTYPUT, 4, VT_USERDEFINED, 23204},
    {L"Tax", INVOKE_PROPERTYGET, 5, VT_R8, 23205},
    {L"TaxRate", INVOKE_PROPERTYGET, 6, VT_R8, 23206},
    {L"TaxRate", INVOKE_PROPERTYPUT, 6, VT_R8, 23206},
    {L"TaxType", INVOKE_PROPERTYGET, 7, VT_USERDEFINED, 23207},
    {L"TaxType", INVOKE_PROPERTYPUT, 7, VT_USERDEFINED, 23207},
    {L"Total", INVOKE_PROPERTYGET, 8, VT_R8, 23208},
    {L"Value", INVOKE_PROPERTYGET, 0, VT_R8, 23209},
    {L"Value", INVOKE_PROPERTYPUT, 0, VT_R8, 23209},
    {L"Version", INVOKE_PROPERTYGET, 10, VT_BSTR, 23210},
    {L"AboutBox", INVOKE_FUNC, 12, VT_EMPTY, 23602},
    {L"TaxCalc", INVOKE_FUNC, 11, VT_BOOL, 23601},
};

TEST_F(TypeLibrary, DualInterfaceWithItsFunctionTable) {
  ITypeInfo* dispatch = Info(1);
  TYPEATTR* attr = nullptr;
  ASSERT_EQ(S_OK, dispatch->GetTypeAttr(&attr));
  EXPECT_TRUE(IsEqualGUID(IID_IZorvan, attr->guid));
  // The dispatch view that the platform builds for a dual interface drops
  // FOLEAUTOMATION (the stored flags are checked on the raw resource).
  EXPECT_EQ(TYPEFLAG_FDUAL, attr->wTypeFlags & TYPEFLAG_FDUAL);
  EXPECT_EQ(TYPEFLAG_FDISPATCHABLE, attr->wTypeFlags & TYPEFLAG_FDISPATCHABLE);
  EXPECT_EQ(0, attr->wTypeFlags & (TYPEFLAG_FHIDDEN | TYPEFLAG_FNONEXTENSIBLE));
  dispatch->ReleaseTypeAttr(attr);
  BSTR doc = nullptr;
  dispatch->GetDocumentation(MEMBERID_NIL, nullptr, &doc, nullptr, nullptr);
  EXPECT_STREQ(L"IZorvan Interface", doc);
  SysFreeString(doc);

  // The vtable side of the dual interface.
  HREFTYPE ref = 0;
  ASSERT_EQ(S_OK, dispatch->GetRefTypeOfImplType(-1, &ref));
  ITypeInfo* vtable = nullptr;
  ASSERT_EQ(S_OK, dispatch->GetRefTypeInfo(ref, &vtable));
  ASSERT_EQ(S_OK, vtable->GetTypeAttr(&attr));
  EXPECT_EQ(TKIND_INTERFACE, attr->typekind);
  EXPECT_EQ(TYPEFLAG_FDUAL | TYPEFLAG_FOLEAUTOMATION | TYPEFLAG_FDISPATCHABLE, attr->wTypeFlags);
  EXPECT_EQ(18, attr->cFuncs);
  EXPECT_EQ(25 * 4, attr->cbSizeVft);
  vtable->ReleaseTypeAttr(attr);

  for (UINT i = 0; i < 18; ++i) {
    const Member& m = kMembers[i];
    FUNCDESC* f = nullptr;
    ASSERT_EQ(S_OK, vtable->GetFuncDesc(i, &f));
    EXPECT_EQ(m.id, f->memid) << i;
    EXPECT_EQ(m.kind, f->invkind) << i;
    EXPECT_EQ(static_cast<SHORT>((7 + i) * 4), f->oVft) << i;
    EXPECT_EQ(FUNC_PUREVIRTUAL, f->funckind) << i;
    EXPECT_EQ(CC_STDCALL, f->callconv) << i;
    EXPECT_EQ(VT_HRESULT, f->elemdescFunc.tdesc.vt) << i;
    EXPECT_EQ(m.id == 12 ? FUNCFLAG_FHIDDEN : 0, f->wFuncFlags) << i;
    if (m.type == VT_EMPTY) {
      EXPECT_EQ(0, f->cParams) << i;
    } else {
      ASSERT_EQ(1, f->cParams) << i;
      const ELEMDESC& p = f->lprgelemdescParam[0];
      if (m.kind == INVOKE_PROPERTYPUT) {
        EXPECT_EQ(PARAMFLAG_FIN, p.paramdesc.wParamFlags) << i;
        EXPECT_EQ(m.type, p.tdesc.vt) << i;
      } else {
        EXPECT_EQ(PARAMFLAG_FOUT | PARAMFLAG_FRETVAL, p.paramdesc.wParamFlags) << i;
        EXPECT_EQ(VT_PTR, p.tdesc.vt) << i;
        EXPECT_EQ(m.type, p.tdesc.lptdesc->vt) << i;
      }
    }
    DWORD context = 0;
    BSTR name = nullptr;
    vtable->GetDocumentation(f->memid, &name, nullptr, &context, nullptr);
    EXPECT_STREQ(m.name, name) << i;
    EXPECT_EQ(m.helpContext, context) << i;
    SysFreeString(name);
    vtable->ReleaseFuncDesc(f);
  }
  vtable->Release();
  dispatch->Release();
}

// Every get and TaxCalc names its parameter pVal.
TEST_F(TypeLibrary, RetvalParametersArePVal) {
  ITypeInfo* dispatch = Info(1);
  HREFTYPE ref = 0;
  ASSERT_EQ(S_OK, dispatch->GetRefTypeOfImplType(-1, &ref));
  ITypeInfo* vtable = nullptr;
  ASSERT_EQ(S_OK, dispatch->GetRefTypeInfo(ref, &vtable));
  for (MEMBERID id : {0, 1, 2, 3, 4, 5, 6, 7, 8, 10, 11}) {
    BSTR names[3] = {};
    UINT count = 0;
    ASSERT_EQ(S_OK, vtable->GetNames(id, names, 3, &count));
    EXPECT_EQ(2u, count) << id;
    if (count == 2) {
      EXPECT_STREQ(L"pVal", names[1]) << id;
    }
    for (BSTR& n : names) SysFreeString(n);
  }
  vtable->Release();
  dispatch->Release();
}

TEST_F(TypeLibrary, Enumerations) {
  const struct {
    UINT index;
    std::vector<std::pair<const wchar_t*, int>> constants;
  } expected[] = {
      {2, {{L"tvRateNormal", 0}, {L"tvRatePercentage", 1}}},
      {3, {{L"tvRoundNone", 0}, {L"tvRound", 1}, {L"tvRoundUp", 2}, {L"tvRoundDown", 3}}},
      {4, {{L"tvPreTax", 0}, {L"tvAfterTax", 1}}},
  };
  for (const auto& e : expected) {
    ITypeInfo* info = Info(e.index);
    TYPEATTR* attr = nullptr;
    ASSERT_EQ(S_OK, info->GetTypeAttr(&attr));
    EXPECT_TRUE(IsEqualGUID(GUID_NULL, attr->guid)) << e.index;
    ASSERT_EQ(e.constants.size(), static_cast<std::size_t>(attr->cVars));
    info->ReleaseTypeAttr(attr);
    BSTR doc = nullptr;
    DWORD context = 1;
    info->GetDocumentation(MEMBERID_NIL, nullptr, &doc, &context, nullptr);
    EXPECT_EQ(nullptr, doc);
    EXPECT_EQ(0u, context);
    for (UINT v = 0; v < e.constants.size(); ++v) {
      VARDESC* var = nullptr;
      ASSERT_EQ(S_OK, info->GetVarDesc(v, &var));
      EXPECT_EQ(VAR_CONST, var->varkind);
      EXPECT_EQ(VT_I4, V_VT(var->lpvarValue));
      EXPECT_EQ(e.constants[v].second, V_I4(var->lpvarValue));
      EXPECT_EQ(e.constants[v].first, Name(info, var->memid));
      info->ReleaseVarDesc(var);
    }
    info->Release();
  }
}

}  // namespace
}  // namespace zorvan::test
