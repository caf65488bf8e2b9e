// The registry-script interpreter that registration runs.
//
// A script is a sequence of root blocks, "HKCR { ... }", each a nested list
// of key entries ("[ForceRemove|NoRemove|Delete] Name [= S|D 'value'] [{...}]")
// and value entries ("Val Name = S|D 'value'"). In register mode it creates
// the keys and writes the values; in unregister mode it removes what the
// script names. A failure while registering a root block runs that block in
// unregister mode before the failure is returned, so nothing half-written
// stays behind.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "ansi_text.h"
#include "registry_access.h"
#include "replacement_map.h"

namespace zorvan {

using HResult = std::int32_t;
inline constexpr HResult kSOk = 0;
inline constexpr HResult kDispException = static_cast<HResult>(0x80020009u);  // DISP_E_EXCEPTION
inline constexpr HResult kEFail = static_cast<HResult>(0x80004005u);          // E_FAIL
inline constexpr HResult kEOutOfMemory = static_cast<HResult>(0x8007000Eu);   // E_OUTOFMEMORY

// Limits of the language, in bytes.
inline constexpr std::size_t kMaxTokenLength = 4094;
inline constexpr std::size_t kMaxNameLength = 259;         // value names after Val, root names
inline constexpr std::size_t kMaxReplacementName = 31;
inline constexpr std::size_t kSubkeyNameBuffer = 256;
// Deeper nesting than the registry itself allows is refused.
inline constexpr int kMaxBlockDepth = 512;

struct ScriptEnvironment {
  RegistryAccess& registry;
  LeadBytePredicate isLeadByte = NoLeadBytes;
};

// Runs a NUL-terminated ANSI script. S_OK when every root block succeeded,
// else the first failure.
HResult RunRegistryScript(const char* script, bool doRegister, const ReplacementMap& replacements,
                          const ScriptEnvironment& environment);

// The replacement pass: "%%" becomes "%", "%Name%" the named value.
HResult ExpandReplacements(std::string_view script, const ReplacementMap& replacements,
                           LeadBytePredicate isLeadByte, std::string& expanded);

// Deletes parent\name with all its subkeys; the Win32 status of the deletion.
RegStatus DeleteKeyTree(RegistryAccess& registry, RegKey parent, const char* name);

// Reads a "D" value's text as a signed 32-bit integer: optional blanks, an
// optional sign, decimal digits, optional blanks. False when it is not one.
bool ParseDwordText(std::string_view text, std::int32_t& value);

}  // namespace zorvan
