#include "registry_script.h"

#include <gtest/gtest.h>

#include "memory_registry.h"
#include "module_script.h"

namespace zorvan {
namespace {

using test::MemoryRegistry;

constexpr const char* kModulePath = "C:\\Program Files\\Kel\\ZORVAN60.DLL";

// A registry as a machine has it before registration: other classes under
// HKCR\CLSID and unrelated keys around ours.
void FillMachine(MemoryRegistry& reg) {
  reg.SetStringAt("HKCR\\CLSID\\{00000000-1111-2222-3333-444444444444}", "", "Other Class");
  reg.SetStringAt("HKCR\\CLSID\\{00000000-1111-2222-3333-444444444444}\\InprocServer32", "",
                  "C:\\other.dll");
  reg.SetStringAt("HKCR\\Kel.Other", "", "Another component");
  reg.SetStringAt("HKCU\\Software\\Kel", "Setting", "1");
}

HResult RunScript(MemoryRegistry& reg, const std::string& script, bool doRegister) {
  ReplacementMap map;
  map.Add("Module", kModulePath);
  return RunRegistryScript(script.c_str(), doRegister, map, ScriptEnvironment{reg});
}

// What the module's script adds under HKEY_CLASSES_ROOT, as Dump() lists it.
const char* const kRegisteredEntries[] = {
    "HKCR\\CLSID\\{2C9E4A17-B35D-4E08-8F61-7D0A3B95C2E4}",
    "HKCR\\CLSID\\{2C9E4A17-B35D-4E08-8F61-7D0A3B95C2E4} : (default) = sz:KEL Zorvan Object 6.0",
    "HKCR\\CLSID\\{2C9E4A17-B35D-4E08-8F61-7D0A3B95C2E4}\\InprocServer32",
    "HKCR\\CLSID\\{2C9E4A17-B35D-4E08-8F61-7D0A3B95C2E4}\\InprocServer32 : (default) = "
    "sz:C:\\Program Files\\Kel\\ZORVAN60.DLL",
    "HKCR\\CLSID\\{2C9E4A17-B35D-4E08-8F61-7D0A3B95C2E4}\\InprocServer32 : ThreadingModel = "
    "sz:Apartment",
    "HKCR\\CLSID\\{2C9E4A17-B35D-4E08-8F61-7D0A3B95C2E4}\\ProgID",
    "HKCR\\CLSID\\{2C9E4A17-B35D-4E08-8F61-7D0A3B95C2E4}\\ProgID : (default) = sz:Kel.Zorvan6.6",
    "HKCR\\CLSID\\{2C9E4A17-B35D-4E08-8F61-7D0A3B95C2E4}\\Programmable",
    "HKCR\\CLSID\\{2C9E4A17-B35D-4E08-8F61-7D0A3B95C2E4}\\VersionIndependentProgID",
    "HKCR\\CLSID\\{2C9E4A17-B35D-4E08-8F61-7D0A3B95C2E4}\\VersionIndependentProgID : (default) "
    "= sz:Kel.Zorvan6",
    "HKCR\\Kel.Zorvan6",
    "HKCR\\Kel.Zorvan6 : (default) = sz:KEL Zorvan Object 6.0",
    "HKCR\\Kel.Zorvan6\\CLSID",
    "HKCR\\Kel.Zorvan6\\CLSID : (default) = sz:{2C9E4A17-B35D-4E08-8F61-7D0A3B95C2E4}",
    "HKCR\\Kel.Zorvan6\\CurVer",
    "HKCR\\Kel.Zorvan6\\CurVer : (default) = sz:Kel.Zorvan6.6",
    "HKCR\\Kel.Zorvan6.6",
    "HKCR\\Kel.Zorvan6.6 : (default) = sz:KEL Zorvan Object 6.0",
    "HKCR\\Kel.Zorvan6.6\\CLSID",
    "HKCR\\Kel.Zorvan6.6\\CLSID : (default) = sz:{2C9E4A17-B35D-4E08-8F61-7D0A3B95C2E4}",
};


// The dump without the lines of the given machine: what registration added.
std::string Added(const std::string& before, const std::string& after) {
  std::string added;
  std::size_t pos = 0;
  while (pos < after.size()) {
    const std::size_t end = after.find('\n', pos);
    const std::string line = after.substr(pos, end - pos);
    if (before.find(line + "\n") == std::string::npos) added += line + "\n";
    pos = end + 1;
  }
  return added;
}

TEST(ModuleScript, IsTheExactResourceText) {
  const std::string script = test::ModuleScript();
  EXPECT_EQ(588u, script.size());
  EXPECT_EQ(0u, script.find("HKCR\r\n{\r\n\tForceRemove Kel.Zorvan6.6 = s 'KEL Zorvan Object 6.0'\r\n"));
  EXPECT_NE(std::string::npos, script.find("\t\t\t\tval ThreadingModel = s 'Apartment'\r\n"));
  EXPECT_EQ(script.size() - 3, script.rfind("}\r\n"));
}

TEST(ModuleScript, RegistersExactlyTheClassEntries) {
  MemoryRegistry reg;
  FillMachine(reg);
  const std::string before = reg.Dump();
  ASSERT_EQ(kSOk, RunScript(reg, test::ModuleScript(), true));
  std::string expected;
  for (const char* line : kRegisteredEntries) expected += std::string(line) + "\n";
  EXPECT_EQ(expected, Added(before, reg.Dump()));
  // Nothing that was there is gone.
  EXPECT_EQ("", Added(reg.Dump(), before));
  EXPECT_EQ(0u, reg.OpenHandles());
}

TEST(ModuleScript, UnregistersInOrderAndKeepsOtherClasses) {
  MemoryRegistry reg;
  FillMachine(reg);
  const std::string before = reg.Dump();
  ASSERT_EQ(kSOk, RunScript(reg, test::ModuleScript(), true));
  ASSERT_EQ(kSOk, RunScript(reg, test::ModuleScript(), false));
  const std::vector<std::string> expected = {
      "key HKCR\\Kel.Zorvan6.6\\CLSID",
      "key HKCR\\Kel.Zorvan6.6",
      "key HKCR\\Kel.Zorvan6\\CLSID",
      "key HKCR\\Kel.Zorvan6\\CurVer",
      "key HKCR\\Kel.Zorvan6",
      std::string("key ") + test::kClassKey + "\\ProgID",
      std::string("key ") + test::kClassKey + "\\VersionIndependentProgID",
      std::string("key ") + test::kClassKey + "\\Programmable",
      std::string("value ") + test::kClassKey + "\\InprocServer32:ThreadingModel",
      std::string("key ") + test::kClassKey + "\\InprocServer32",
      std::string("key ") + test::kClassKey,
  };
  EXPECT_EQ(expected, reg.Deletions());
  EXPECT_EQ(before, reg.Dump());
  EXPECT_EQ(0u, reg.OpenHandles());
}

TEST(ModuleScript, UnregisterOnACleanMachineDeletesNothing) {
  MemoryRegistry reg;
  FillMachine(reg);
  const std::string before = reg.Dump();
  EXPECT_EQ(kSOk, RunScript(reg, test::ModuleScript(), false));
  EXPECT_TRUE(reg.Deletions().empty());
  EXPECT_EQ(before, reg.Dump());
}

TEST(ModuleScript, UnregisterLeavesAnEmptyClsidKeyInPlace) {
  MemoryRegistry reg;
  ASSERT_EQ(kSOk, RunScript(reg, test::ModuleScript(), true));
  ASSERT_EQ(kSOk, RunScript(reg, test::ModuleScript(), false));
  EXPECT_TRUE(reg.KeyExists("HKCR\\CLSID"));
  EXPECT_EQ("HKCR\\CLSID\n", reg.Dump());
}

TEST(ModuleScript, ReplacesStaleEntries) {
  MemoryRegistry reg;
  FillMachine(reg);
  const std::string clean = reg.Dump();
  reg.SetStringAt("HKCR\\Kel.Zorvan6.6\\Stale\\Deeper", "", "old");
  reg.SetStringAt("HKCR\\Kel.Zorvan6.6", "Extra", "old");
  reg.SetStringAt("HKCR\\Kel.Zorvan6\\CurVer", "", "Kel.Zorvan6.5");
  reg.SetStringAt(std::string(test::kClassKey) + "\\InprocServer32", "", "C:\\old\\ZORVAN60.DLL");
  reg.SetStringAt(std::string(test::kClassKey) + "\\Implemented Categories", "", "");
  ASSERT_EQ(kSOk, RunScript(reg, test::ModuleScript(), true));
  std::string expected;
  for (const char* line : kRegisteredEntries) expected += std::string(line) + "\n";
  EXPECT_EQ(expected, Added(clean, reg.Dump()));
  EXPECT_EQ("", Added(reg.Dump(), clean));
}

// Every registry operation of a registration fails in turn. Either the
// failure is absorbed (an open falls back to a create) and the registration
// is complete, or it is reported and the registry is exactly as before.
TEST(ModuleScript, AnyFailingOperationLeavesNothingHalfWritten) {
  MemoryRegistry reference;
  FillMachine(reference);
  const std::string before = reference.Dump();
  ASSERT_EQ(kSOk, RunScript(reference, test::ModuleScript(), true));
  const std::string registered = reference.Dump();
  const long operations = reference.OperationCount();
  ASSERT_GT(operations, 20);

  int reported = 0;
  for (long n = 1; n <= operations; ++n) {
    MemoryRegistry reg;
    FillMachine(reg);
    reg.FailOperation(n);
    const HResult hr = RunScript(reg, test::ModuleScript(), true);
    if (hr == kSOk) {
      EXPECT_EQ(registered, reg.Dump()) << "operation " << n << " failed silently";
    } else {
      ++reported;
      EXPECT_EQ(kDispException, hr) << "operation " << n;
      EXPECT_EQ(before, reg.Dump()) << "operation " << n;
    }
    EXPECT_EQ(0u, reg.OpenHandles()) << "operation " << n;
  }
  EXPECT_GT(reported, 10);
}

// The same over a stale registration: a failure may have removed what
// ForceRemove deleted on purpose (the stale keys) but nothing else.
TEST(ModuleScript, AnyFailingOperationOverStaleEntriesTouchesOnlyOurKeys) {
  auto prepare = [](MemoryRegistry& reg) {
    FillMachine(reg);
    reg.SetStringAt("HKCR\\Kel.Zorvan6.6\\Stale", "", "old");
    reg.SetStringAt(std::string(test::kClassKey) + "\\Old", "", "old");
  };
  MemoryRegistry reference;
  prepare(reference);
  MemoryRegistry machine;
  FillMachine(machine);
  const std::string others = machine.Dump();
  ASSERT_EQ(kSOk, RunScript(reference, test::ModuleScript(), true));
  const long operations = reference.OperationCount();
  for (long n = 1; n <= operations; ++n) {
    MemoryRegistry reg;
    prepare(reg);
    reg.FailOperation(n);
    if (RunScript(reg, test::ModuleScript(), true) == kSOk) continue;
    // Whatever is left beyond the machine's own keys is stale, never new.
    const std::string left = Added(others, reg.Dump());
    EXPECT_EQ(std::string::npos, left.find("InprocServer32")) << "operation " << n;
    EXPECT_EQ(std::string::npos, left.find("CurVer")) << "operation " << n;
    EXPECT_EQ("", Added(reg.Dump(), others)) << "operation " << n;
  }
}

struct ScriptCase {
  const char* name;
  std::string script;
  HResult expected;
  friend void PrintTo(const ScriptCase& c, std::ostream* os) { *os << c.name; }
};

class ScriptErrors : public ::testing::TestWithParam<ScriptCase> {};

TEST_P(ScriptErrors, AreReportedWithTheirCode) {
  const ScriptCase& c = GetParam();
  for (bool doRegister : {true, false}) {
    MemoryRegistry reg;
    FillMachine(reg);
    const std::string before = reg.Dump();
    EXPECT_EQ(c.expected, RunScript(reg, c.script, doRegister)) << (doRegister ? "register" : "unregister");
    if (c.expected != kSOk) {
      EXPECT_EQ(before, reg.Dump());
    }
    EXPECT_EQ(0u, reg.OpenHandles());
  }
}

INSTANTIATE_TEST_SUITE_P(
    Table, ScriptErrors,
    ::testing::Values(
        ScriptCase{"empty script", "", kSOk}, ScriptCase{"blank script", " \r\n\t", kSOk},
        ScriptCase{"percent without close", "HKCR { A = s '%Module' }", kDispException},
        ScriptCase{"unknown replacement", "HKCR { A = s '%Modul%' }", kDispException},
        ScriptCase{"replacement name of 32 bytes", "HKCR { A = s '%" + std::string(32, 'M') + "%' }",
                   kEFail},
        ScriptCase{"replacement name of 31 bytes unknown",
                   "HKCR { A = s '%" + std::string(31, 'M') + "%' }", kDispException},
        ScriptCase{"no root name", "{ A }", kDispException},
        ScriptCase{"bad entry after good ones", "HKCR { Made = s 'x' { val V = s 'y' } Bad\\Name }",
                   kDispException},
        ScriptCase{"unknown root", "HKXX { A }", kDispException},
        ScriptCase{"root name over 259 bytes", std::string(300, 'H') + " { }", kDispException},
        ScriptCase{"no brace after root", "HKCR A { }", kDispException},
        ScriptCase{"text ends in block", "HKCR { A", kDispException},
        ScriptCase{"text ends in quote", "HKCR { 'A", kDispException},
        ScriptCase{"text ends after equals", "HKCR { A =", kDispException},
        ScriptCase{"backslash in key name", "HKCR { A\\B }", kDispException},
        ScriptCase{"empty key name", "HKCR { '' }", kDispException},
        ScriptCase{"val without equals", "HKCR { A { val X s 'y' } }", kDispException},
        ScriptCase{"unknown value type", "HKCR { A = b 'y' }", kDispException},
        ScriptCase{"value type of two letters", "HKCR { A = sz 'y' }", kDispException},
        ScriptCase{"val name over 259 bytes",
                   "HKCR { A { val " + std::string(260, 'v') + " = s 'y' } }", kDispException},
        ScriptCase{"unquoted token over 4094 bytes", "HKCR { " + std::string(4095, 'k') + " }",
                   kDispException},
        ScriptCase{"quoted token of 4095 bytes", "HKCR { A = s '" + std::string(4095, 'x') + "' }",
                   kDispException},
        ScriptCase{"nesting deeper than the registry allows",
                   "HKCR { " + [] {
                     std::string s;
                     for (int i = 0; i < 600; ++i) s += "k { ";
                     for (int i = 0; i < 600; ++i) s += "} ";
                     return s;
                   }() + "}",
                   kDispException}));

TEST(RegistryScript, ReadsQuotedTokensAndCaseFreeWords) {
  MemoryRegistry reg;
  const std::string script =
      "hkcr { 'Kel Quoted' = S 'it''s' { VAL Count = d 123 val Neg = D '-2147483648' "
      "val Text = s '' } }\r\n"
      "hkey_classes_root { Second = s '100%%' }";
  ASSERT_EQ(kSOk, RunScript(reg, script, true));
  EXPECT_EQ(
      "HKCR\\Kel Quoted\n"
      "HKCR\\Kel Quoted : (default) = sz:it's\n"
      "HKCR\\Kel Quoted : Count = dword:123\n"
      "HKCR\\Kel Quoted : Neg = dword:2147483648\n"
      "HKCR\\Kel Quoted : Text = sz:\n"
      "HKCR\\Second\n"
      "HKCR\\Second : (default) = sz:100%\n",
      reg.Dump());
}

TEST(RegistryScript, ReplacementNamesIgnoreCaseAndExpandInsideQuotes) {
  for (const char* name : {"%Module%", "%MODULE%", "%module%"}) {
    MemoryRegistry reg;
    ASSERT_EQ(kSOk, RunScript(reg, std::string("HKCR { A = s '") + name + "' }", true));
    EXPECT_EQ(std::string("HKCR\\A\nHKCR\\A : (default) = sz:") + kModulePath + "\n", reg.Dump());
  }
}

TEST(RegistryScript, QuotedTokenOf4094BytesIsAccepted) {
  MemoryRegistry reg;
  const std::string data(4094, 'x');
  ASSERT_EQ(kSOk, RunScript(reg, "HKCR { A = s '" + data + "' }", true));
  EXPECT_EQ("HKCR\\A\nHKCR\\A : (default) = sz:" + data + "\n", reg.Dump());
}

TEST(RegistryScript, NonNumericDwordWritesNothing) {
  MemoryRegistry reg;
  ASSERT_EQ(kSOk, RunScript(reg, "HKCR { A { val N = d 'twelve' val M = d 4294967296 } }", true));
  EXPECT_EQ("HKCR\\A\n", reg.Dump());
}

TEST(RegistryScript, DeleteRemovesATreeAndCreatesNothing) {
  MemoryRegistry reg;
  reg.SetStringAt("HKCR\\Gone\\Sub\\Deeper", "v", "x");
  reg.SetStringAt("HKCR\\CLSID\\Kept", "", "x");
  ASSERT_EQ(kSOk, RunScript(reg, "HKCR { Delete Gone = s 'ignored' Delete CLSID Next }", true));
  EXPECT_EQ("HKCR\\CLSID\nHKCR\\CLSID\\Kept\nHKCR\\CLSID\\Kept : (default) = sz:x\nHKCR\\Next\n",
            reg.Dump());
}

TEST(RegistryScript, ABlockAfterDeleteIsLeftAlone) {
  MemoryRegistry reg;
  reg.SetStringAt("HKCR\\Gone\\Sub", "", "x");
  ASSERT_EQ(kSOk, RunScript(reg, "HKCR { Delete Gone { Sub = s 'y' { Deeper } } After }", true));
  EXPECT_EQ("HKCR\\After\n", reg.Dump());
}

TEST(RegistryScript, FailingKeyCreationRollsTheRootBlockBack) {
  MemoryRegistry reg;
  FillMachine(reg);
  const std::string before = reg.Dump();
  // The third key's name is too long for the registry: it cannot be created.
  const std::string script = "HKCR { First = s 'a' { Inner = s 'b' } Second { val V = s 'c' } " +
                             std::string(300, 'n') + " Never }";
  EXPECT_EQ(kDispException, RunScript(reg, script, true));
  EXPECT_EQ(before, reg.Dump());
}

TEST(RegistryScript, EarlierRootBlocksStayWhenALaterOneFails) {
  MemoryRegistry reg;
  EXPECT_EQ(kDispException, RunScript(reg, "HKCU { Kept } HKCR { Made " + std::string(300, 'n') + " }", true));
  EXPECT_EQ("HKCU\\Kept\n", reg.Dump());
}

bool ShiftJisLead(unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }

TEST(RegistryScript, DoubleByteNamesAreNotSplit) {
  // 表 is 0x95 0x5C in Shift-JIS: its second byte is a backslash.
  const std::string name = "Kel\x95\x5C";
  MemoryRegistry reg;
  ReplacementMap map;
  const std::string script = "HKCR { " + name + " = s '\x95\x5C' }";
  EXPECT_EQ(kDispException, RunRegistryScript(script.c_str(), true, map, ScriptEnvironment{reg}));
  EXPECT_EQ(kSOk, RunRegistryScript(script.c_str(), true, map, ScriptEnvironment{reg, ShiftJisLead}));
  EXPECT_TRUE(reg.KeyExists("HKCR\\" + name));
}

TEST(RegistryScript, NoRemoveKeepsOnlyItsOwnKey) {
  MemoryRegistry reg;
  const std::string script = "HKCR { NoRemove Kept { Inner } Plain }";
  ASSERT_EQ(kSOk, RunScript(reg, script, true));
  ASSERT_EQ(kSOk, RunScript(reg, script, false));
  EXPECT_EQ("HKCR\\Kept\n", reg.Dump());
}

TEST(RegistryScript, UnregisterKeepsKeysThatStillHoldOtherSubkeys) {
  MemoryRegistry reg;
  const std::string script = "HKCR { Shared { Ours } }";
  ASSERT_EQ(kSOk, RunScript(reg, script, true));
  reg.CreateKeyAt("HKCR\\Shared\\Theirs");
  ASSERT_EQ(kSOk, RunScript(reg, script, false));
  EXPECT_EQ("HKCR\\Shared\nHKCR\\Shared\\Theirs\n", reg.Dump());
}

struct DwordCase {
  const char* text;
  bool ok;
  std::int32_t value;
};

TEST(RegistryScript, DwordTextIsASigned32BitInteger) {
  const DwordCase cases[] = {{"123", true, 123},          {" -7 ", true, -7},
                             {"+5", true, 5},             {"2147483647", true, 2147483647},
                             {"-2147483648", true, INT32_MIN}, {"2147483648", false, 0},
                             {"", false, 0},              {"1x", false, 0},
                             {"-", false, 0},             {"99999999999999999999", false, 0}};
  for (const DwordCase& c : cases) {
    std::int32_t v = 0;
    EXPECT_EQ(c.ok, ParseDwordText(c.text, v)) << c.text;
    if (c.ok) {
      EXPECT_EQ(c.value, v) << c.text;
    }
  }
}

}  // namespace
}  // namespace zorvan
