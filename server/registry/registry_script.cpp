#include "registry_script.h"

#include <limits>
#include <new>

namespace zorvan {
namespace {

struct RootName {
  const char* name;
  RegRoot root;
};

constexpr RootName kRootNames[] = {
    {"HKCR", RegRoot::ClassesRoot},
    {"HKCU", RegRoot::CurrentUser},
    {"HKLM", RegRoot::LocalMachine},
    {"HKU", RegRoot::Users},
    {"HKPD", RegRoot::PerformanceData},
    {"HKDD", RegRoot::DynData},
    {"HKCC", RegRoot::CurrentConfig},
    {"HKEY_CLASSES_ROOT", RegRoot::ClassesRoot},
    {"HKEY_CURRENT_USER", RegRoot::CurrentUser},
    {"HKEY_LOCAL_MACHINE", RegRoot::LocalMachine},
    {"HKEY_USERS", RegRoot::Users},
    {"HKEY_PERFORMANCE_DATA", RegRoot::PerformanceData},
    {"HKEY_DYN_DATA", RegRoot::DynData},
    {"HKEY_CURRENT_CONFIG", RegRoot::CurrentConfig},
};

bool IsBlank(char c) { return c == '\t' || c == '\n' || c == '\r' || c == ' '; }

enum class Mark { None, ForceRemove, NoRemove, Delete };

// An open key that is closed when it goes out of scope, unless closed
// (and its status looked at) before.
class OpenKey {
 public:
  explicit OpenKey(RegistryAccess& registry) : registry_(registry) {}
  OpenKey(const OpenKey&) = delete;
  OpenKey& operator=(const OpenKey&) = delete;
  ~OpenKey() { Close(); }

  RegKey* Receive() { return &key_; }
  RegKey get() const { return key_; }
  bool IsOpen() const { return key_ != 0; }
  RegStatus Close() {
    if (key_ == 0) return kRegOk;
    const RegStatus status = registry_.CloseKey(key_);
    key_ = 0;
    return status;
  }

 private:
  RegistryAccess& registry_;
  RegKey key_ = 0;
};

class RegistryScript {
 public:
  RegistryScript(std::string text, const ScriptEnvironment& environment)
      : text_(std::move(text)), registry_(environment.registry), isLead_(environment.isLeadByte) {}

  HResult Run(bool doRegister) {
    SkipBlanks();
    while (pos_ < text_.size()) {
      std::string token;
      HResult hr = ReadToken(token);
      if (hr != kSOk) return hr;
      const RootName* root = FindRoot(token);
      if (root == nullptr) return kDispException;
      hr = ReadToken(token);
      if (hr != kSOk) return hr;
      if (token[0] != '{') return kDispException;
      const RegKey rootKey = registry_.Root(root->root);
      // The whole block is read once without touching the registry, so a
      // malformed block changes nothing at all.
      const std::size_t blockStart = pos_;
      hr = ProcessKeyBlock(0, false, true, 1);
      if (hr != kSOk) return hr;
      pos_ = blockStart;
      if (doRegister) {
        hr = ProcessKeyBlock(rootKey, true, false, 1);
        if (hr != kSOk) {
          // Undo what this root block wrote before it failed.
          pos_ = blockStart;
          ProcessKeyBlock(rootKey, false, false, 1);
          return hr;
        }
      } else {
        hr = ProcessKeyBlock(rootKey, false, false, 1);
        if (hr != kSOk) return hr;
      }
      SkipBlanks();
    }
    return kSOk;
  }

 private:
  static const RootName* FindRoot(const std::string& token) {
    if (token.size() > kMaxNameLength) return nullptr;
    for (const RootName& r : kRootNames)
      if (EqualsIgnoringCase(token, r.name)) return &r;
    return nullptr;
  }

  void SkipBlanks() {
    while (pos_ < text_.size() && IsBlank(text_[pos_])) ++pos_;
  }

  HResult ReadToken(std::string& token) {
    token.clear();
    SkipBlanks();
    if (pos_ >= text_.size()) return kDispException;
    if (text_[pos_] == '\'') {
      ++pos_;
      for (;;) {
        if (pos_ >= text_.size()) return kDispException;
        if (text_[pos_] == '\'') {
          if (pos_ + 1 < text_.size() && text_[pos_ + 1] == '\'') {
            pos_ += 2;
            token += '\'';
          } else {
            ++pos_;
            break;
          }
        } else {
          const std::size_t length = CharLength(text_, pos_, isLead_);
          token.append(text_, pos_, length);
          pos_ += length;
        }
        if (token.size() > kMaxTokenLength) return kDispException;
      }
      return kSOk;
    }
    while (pos_ < text_.size() && !IsBlank(text_[pos_])) {
      const std::size_t length = CharLength(text_, pos_, isLead_);
      token.append(text_, pos_, length);
      pos_ += length;
      if (token.size() > kMaxTokenLength) return kDispException;
    }
    return kSOk;
  }

  bool ContainsBackslash(const std::string& name) const {
    for (std::size_t i = 0; i < name.size(); i += CharLength(name, i, isLead_))
      if (name[i] == '\\') return true;
    return false;
  }

  // "= TYPE VALUE" after its "=" token: reads the type and the value.
  HResult ReadAssignment(std::string& type, std::string& value) {
    HResult hr = ReadToken(type);
    if (hr != kSOk) return hr;
    SkipBlanks();
    hr = ReadToken(value);
    if (hr != kSOk) return hr;
    if (!EqualsIgnoringCase(type, "S") && !EqualsIgnoringCase(type, "D")) return kDispException;
    return kSOk;
  }

  // Writes a value. A write that fails makes the registration fail (and so
  // be rolled back) rather than leave an entry without its value behind.
  HResult WriteValue(RegKey key, const char* valueName, const std::string& type,
                     const std::string& value) {
    RegStatus status = kRegOk;
    if (EqualsIgnoringCase(type, "S")) {
      status = registry_.SetString(key, valueName, value.c_str());
    } else {
      std::int32_t number = 0;
      if (!ParseDwordText(value, number)) return kSOk;  // not a number: nothing is written
      status = registry_.SetDword(key, valueName, static_cast<std::uint32_t>(number));
    }
    return status == kRegOk ? kSOk : kDispException;
  }

  static Mark ReadMark(const std::string& token) {
    if (EqualsIgnoringCase(token, "ForceRemove")) return Mark::ForceRemove;
    if (EqualsIgnoringCase(token, "NoRemove")) return Mark::NoRemove;
    if (EqualsIgnoringCase(token, "Delete")) return Mark::Delete;
    return Mark::None;
  }

  // "Val NAME = TYPE VALUE" after its "Val" token. Reads the entry and the
  // token after it.
  HResult ValueEntry(RegKey parent, bool doRegister, bool recovering, std::string& token) {
    std::string name, equals, type, value;
    HResult hr = ReadToken(name);
    if (hr != kSOk) return hr;
    if (name.size() > kMaxNameLength) return kDispException;
    hr = ReadToken(equals);
    if (hr != kSOk) return hr;
    if (equals[0] != '=') return kDispException;
    hr = ReadAssignment(type, value);
    if (hr != kSOk) return hr;
    if (doRegister) {
      hr = WriteValue(parent, name.c_str(), type, value);
      if (hr != kSOk) return hr;
    } else if (!recovering) {
      registry_.DeleteValue(parent, name.c_str());
    }
    return ReadToken(token);
  }

  // Reads (and drops) an optional assignment; leaves the next token in token.
  HResult SkipAssignment(std::string& token) {
    if (token[0] != '=') return kSOk;
    std::string type, value;
    HResult hr = ReadAssignment(type, value);
    if (hr != kSOk) return hr;
    return ReadToken(token);
  }

  // Walks a block that is not to be touched. The token after it is read.
  HResult PassOverBlock(std::string& token, int depth) {
    if (token[0] != '{') return kSOk;
    HResult hr = ProcessKeyBlock(0, false, true, depth + 1);
    if (hr != kSOk) return hr;
    return ReadToken(token);
  }

  HResult RegisterKeyEntry(RegKey parent, Mark mark, const std::string& name, std::string& token,
                           int depth) {
    if ((mark == Mark::ForceRemove || mark == Mark::Delete) && !EqualsIgnoringCase(name, "CLSID") &&
        !EqualsIgnoringCase(name, "TYPELIB")) {
      // A stale key is replaced by a fresh one. A key that is not there is
      // fine; one that is there and cannot be removed fails the registration.
      const RegStatus status = DeleteKeyTree(registry_, parent, name.c_str());
      if (status != kRegOk && status != kRegFileNotFound) return kDispException;
    }
    HResult hr = ReadToken(token);
    if (hr != kSOk) return hr;
    if (mark == Mark::Delete) {
      // Nothing is created: an assignment or a block after the name is
      // read and left alone.
      hr = SkipAssignment(token);
      if (hr != kSOk) return hr;
      return PassOverBlock(token, depth);
    }

    OpenKey key(registry_);
    if (registry_.OpenKey(parent, name.c_str(), RegAccess::Full, key.Receive()) != kRegOk &&
        registry_.OpenKey(parent, name.c_str(), RegAccess::Read, key.Receive()) != kRegOk &&
        registry_.CreateKey(parent, name.c_str(), key.Receive()) != kRegOk) {
      return kDispException;
    }
    if (token[0] == '=') {
      std::string type, value;
      hr = ReadAssignment(type, value);
      if (hr != kSOk) return hr;
      hr = WriteValue(key.get(), nullptr, type, value);
      if (hr != kSOk) return hr;
      hr = ReadToken(token);
      if (hr != kSOk) return hr;
    }
    if (token[0] == '{') {
      hr = ProcessKeyBlock(key.get(), true, false, depth + 1);
      if (hr != kSOk) return hr;
      hr = ReadToken(token);
      if (hr != kSOk) return hr;
    }
    return kSOk;
  }

  bool HasSubkeysOrNamedValues(RegKey key) {
    std::uint32_t subkeys = 0, values = 0;
    if (registry_.CountSubkeysAndValues(key, &subkeys, &values) != kRegOk) return false;
    std::uint32_t size = 0;
    if (values > 0 && registry_.DefaultValueSize(key, &size) == kRegOk) --values;
    return subkeys > 0 || values > 0;
  }

  bool HasSubkeys(RegKey key) {
    std::uint32_t subkeys = 0, values = 0;
    if (registry_.CountSubkeysAndValues(key, &subkeys, &values) != kRegOk) return false;
    return subkeys > 0;
  }

  HResult UnregisterKeyEntry(RegKey parent, Mark mark, const std::string& name, bool recovering,
                             std::string& token, int depth) {
    OpenKey key(registry_);
    bool entryRecovering = recovering;
    if (!recovering &&
        registry_.OpenKey(parent, name.c_str(), RegAccess::Full, key.Receive()) != kRegOk) {
      entryRecovering = true;
    }
    HResult hr = ReadToken(token);
    if (hr != kSOk) return hr;

    if (entryRecovering || HasSubkeysOrNamedValues(key.get())) {
      hr = SkipAssignment(token);
      if (hr != kSOk) return hr;
      if (token[0] == '{') {
        hr = ProcessKeyBlock(key.get(), false, entryRecovering, depth + 1);
        if (hr != kSOk) return hr;
        hr = ReadToken(token);
        if (hr != kSOk) return hr;
      }
      if (entryRecovering || HasSubkeys(key.get())) return kSOk;
      if (key.Close() != kRegOk) return kDispException;
      if (mark != Mark::NoRemove) registry_.DeleteKey(parent, name.c_str());
      return kSOk;
    }

    if (key.Close() != kRegOk) return kDispException;
    if (mark != Mark::NoRemove) registry_.DeleteKey(parent, name.c_str());
    hr = SkipAssignment(token);
    if (hr != kSOk) return hr;
    return PassOverBlock(token, depth);
  }

  // Runs the entries of a block whose "{" has been read, up to and
  // including its closing "}".
  HResult ProcessKeyBlock(RegKey parent, bool doRegister, bool recovering, int depth) {
    if (depth > kMaxBlockDepth) return kDispException;
    std::string token;
    HResult hr = ReadToken(token);
    if (hr != kSOk) return hr;
    while (token[0] != '}') {
      if (EqualsIgnoringCase(token, "Val")) {
        hr = ValueEntry(parent, doRegister, recovering, token);
        if (hr != kSOk) return hr;
        continue;
      }
      const Mark mark = ReadMark(token);
      if (mark != Mark::None) {
        hr = ReadToken(token);
        if (hr != kSOk) return hr;
      }
      // One entry names one key: no path, and no empty name (which would
      // address the parent itself).
      const std::string name = token;
      if (name.empty() || ContainsBackslash(name)) return kDispException;
      hr = doRegister ? RegisterKeyEntry(parent, mark, name, token, depth)
                      : UnregisterKeyEntry(parent, mark, name, recovering, token, depth);
      if (hr != kSOk) return hr;
    }
    return kSOk;
  }

  std::string text_;
  std::size_t pos_ = 0;
  RegistryAccess& registry_;
  LeadBytePredicate isLead_;
};

}  // namespace

HResult ExpandReplacements(std::string_view script, const ReplacementMap& replacements,
                           LeadBytePredicate isLeadByte, std::string& expanded) {
  expanded.clear();
  expanded.reserve(script.size() * 2);
  for (std::size_t pos = 0; pos < script.size();) {
    if (script[pos] != '%') {
      const std::size_t length = CharLength(script, pos, isLeadByte);
      expanded.append(script.substr(pos, length));
      pos += length;
      continue;
    }
    if (pos + 1 < script.size() && script[pos + 1] == '%') {
      expanded += '%';
      pos += 2;
      continue;
    }
    const std::size_t close = script.find('%', pos + 1);
    if (close == std::string_view::npos) return kDispException;
    const std::string_view name = script.substr(pos + 1, close - pos - 1);
    if (name.size() > kMaxReplacementName) return kEFail;
    const std::string* value = replacements.Find(name);
    if (value == nullptr) return kDispException;
    expanded += *value;
    pos = close + 1;
  }
  return kSOk;
}

RegStatus DeleteKeyTree(RegistryAccess& registry, RegKey parent, const char* name) {
  OpenKey key(registry);
  RegStatus status = registry.OpenKey(parent, name, RegAccess::Full, key.Receive());
  if (status != kRegOk) return status;
  char subkey[kSubkeyNameBuffer];
  while (registry.FirstSubkeyName(key.get(), subkey, sizeof subkey) == kRegOk) {
    status = DeleteKeyTree(registry, key.get(), subkey);
    if (status != kRegOk) return status;
  }
  key.Close();
  return registry.DeleteKey(parent, name);
}

bool ParseDwordText(std::string_view text, std::int32_t& value) {
  std::size_t pos = 0;
  while (pos < text.size() && (text[pos] == ' ' || text[pos] == '\t')) ++pos;
  bool negative = false;
  if (pos < text.size() && (text[pos] == '-' || text[pos] == '+')) negative = text[pos++] == '-';
  const std::size_t digitsStart = pos;
  std::int64_t magnitude = 0;
  while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9') {
    magnitude = magnitude * 10 + (text[pos++] - '0');
    if (magnitude > std::int64_t{1} << 31) return false;
  }
  if (pos == digitsStart) return false;
  while (pos < text.size() && (text[pos] == ' ' || text[pos] == '\t')) ++pos;
  if (pos != text.size()) return false;
  const std::int64_t signedValue = negative ? -magnitude : magnitude;
  if (signedValue > std::numeric_limits<std::int32_t>::max() ||
      signedValue < std::numeric_limits<std::int32_t>::min())
    return false;
  value = static_cast<std::int32_t>(signedValue);
  return true;
}

HResult RunRegistryScript(const char* script, bool doRegister, const ReplacementMap& replacements,
                          const ScriptEnvironment& environment) {
  try {
    std::string expanded;
    const HResult hr = ExpandReplacements(script, replacements, environment.isLeadByte, expanded);
    if (hr != kSOk) return hr;
    RegistryScript interpreter(std::move(expanded), environment);
    return interpreter.Run(doRegister);
  } catch (const std::bad_alloc&) {
    return kEOutOfMemory;
  }
}

}  // namespace zorvan
