#include "memory_registry.h"

#include <algorithm>
#include <cstring>

namespace zorvan::test {
namespace {

constexpr std::uint32_t kRegSz = 1;
constexpr std::uint32_t kRegDword = 4;
constexpr RegStatus kInvalidParameter = 87;
constexpr std::size_t kMaxKeyName = 255;
constexpr RegKey kRootBase = 0x80000000u;

const char* const kRootNames[] = {"HKCR", "HKCU", "HKLM", "HKU", "HKPD", "HKDD", "HKCC"};

std::string Upper(const std::string& s) {
  std::string u = s;
  for (char& c : u)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return u;
}

std::vector<std::string> Split(const std::string& path) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  while (start <= path.size()) {
    const std::size_t end = path.find('\\', start);
    const std::string part = path.substr(start, end == std::string::npos ? std::string::npos : end - start);
    if (!part.empty()) parts.push_back(part);
    if (end == std::string::npos) break;
    start = end + 1;
  }
  return parts;
}

}  // namespace

MemoryRegistry::MemoryRegistry() {
  for (const char* name : kRootNames) {
    roots_.push_back(std::make_unique<Node>());
    roots_.back()->name = name;
  }
}

MemoryRegistry::~MemoryRegistry() = default;

void MemoryRegistry::FailOperation(long n) {
  operations_ = 0;
  failAt_ = n;
}

bool MemoryRegistry::Fails() {
  ++operations_;
  return failAt_ != 0 && operations_ == failAt_;
}

RegKey MemoryRegistry::Root(RegRoot root) { return kRootBase + static_cast<RegKey>(root); }

MemoryRegistry::Node* MemoryRegistry::Resolve(RegKey key, RegStatus& status, bool needWrite) {
  status = kRegOk;
  if (key >= kRootBase && key < kRootBase + roots_.size()) return roots_[key - kRootBase].get();
  auto it = handles_.find(key);
  if (it == handles_.end()) {
    status = kRegInvalidHandle;
    return nullptr;
  }
  if (it->second.node->deleted) {
    status = kRegKeyDeleted;
    return nullptr;
  }
  if (needWrite && it->second.access != RegAccess::Full) {
    status = kRegAccessDenied;
    return nullptr;
  }
  return it->second.node;
}

MemoryRegistry::Node* MemoryRegistry::Find(Node* from, const std::string& path, bool create,
                                           RegStatus& status) {
  status = kRegOk;
  Node* node = from;
  for (const std::string& part : Split(path)) {
    if (part.size() > kMaxKeyName) {
      status = kInvalidParameter;
      return nullptr;
    }
    auto it = node->children.find(Upper(part));
    if (it == node->children.end()) {
      if (!create) {
        status = kRegFileNotFound;
        return nullptr;
      }
      auto child = std::make_unique<Node>();
      child->name = part;
      child->parent = node;
      it = node->children.emplace(Upper(part), std::move(child)).first;
    }
    node = it->second.get();
  }
  return node;
}

RegKey MemoryRegistry::NewHandle(Node* node, RegAccess access) {
  const RegKey key = nextHandle_++;
  handles_[key] = {node, access};
  return key;
}

RegStatus MemoryRegistry::OpenKey(RegKey parent, const char* name, RegAccess access, RegKey* key) {
  if (Fails()) return kRegAccessDenied;
  RegStatus status;
  Node* from = Resolve(parent, status, false);
  if (!from) return status;
  Node* node = Find(from, name, false, status);
  if (!node) return status;
  *key = NewHandle(node, access);
  return kRegOk;
}

RegStatus MemoryRegistry::CreateKey(RegKey parent, const char* name, RegKey* key) {
  if (Fails()) return kRegAccessDenied;
  RegStatus status;
  Node* from = Resolve(parent, status, true);
  if (!from) return status;
  Node* node = Find(from, name, true, status);
  if (!node) return status;
  *key = NewHandle(node, RegAccess::Full);
  return kRegOk;
}

RegStatus MemoryRegistry::SetString(RegKey key, const char* valueName, const char* data) {
  if (Fails()) return kRegAccessDenied;
  RegStatus status;
  Node* node = Resolve(key, status, true);
  if (!node) return status;
  const std::string name = valueName ? valueName : "";
  node->values[Upper(name)] = {name, kRegSz, data};
  return kRegOk;
}

RegStatus MemoryRegistry::SetDword(RegKey key, const char* valueName, std::uint32_t data) {
  if (Fails()) return kRegAccessDenied;
  RegStatus status;
  Node* node = Resolve(key, status, true);
  if (!node) return status;
  const std::string name = valueName ? valueName : "";
  node->values[Upper(name)] = {name, kRegDword, std::to_string(data)};
  return kRegOk;
}

RegStatus MemoryRegistry::DeleteKey(RegKey parent, const char* name) {
  if (Fails()) return kRegAccessDenied;
  RegStatus status;
  Node* from = Resolve(parent, status, true);
  if (!from) return status;
  Node* node = Find(from, name, false, status);
  if (!node) return status;
  if (!node->children.empty() || node->parent == nullptr) return kRegAccessDenied;
  deletions_.push_back("key " + PathOf(node));
  auto& siblings = node->parent->children;
  auto it = siblings.find(Upper(node->name));
  node->deleted = true;
  graveyard_.push_back(std::move(it->second));
  siblings.erase(it);
  return kRegOk;
}

RegStatus MemoryRegistry::DeleteValue(RegKey key, const char* valueName) {
  if (Fails()) return kRegAccessDenied;
  RegStatus status;
  Node* node = Resolve(key, status, true);
  if (!node) return status;
  auto it = node->values.find(Upper(valueName ? valueName : ""));
  if (it == node->values.end()) return kRegFileNotFound;
  deletions_.push_back("value " + PathOf(node) + ":" + it->second.name);
  node->values.erase(it);
  return kRegOk;
}

RegStatus MemoryRegistry::FirstSubkeyName(RegKey key, char* name, std::size_t size) {
  if (Fails()) return kRegAccessDenied;
  RegStatus status;
  Node* node = Resolve(key, status, false);
  if (!node) return status;
  if (node->children.empty()) return kRegNoMoreItems;
  const std::string& first = node->children.begin()->second->name;
  if (first.size() + 1 > size) return kRegMoreData;
  std::memcpy(name, first.c_str(), first.size() + 1);
  return kRegOk;
}

RegStatus MemoryRegistry::CountSubkeysAndValues(RegKey key, std::uint32_t* subkeys,
                                                std::uint32_t* values) {
  if (Fails()) return kRegAccessDenied;
  RegStatus status;
  Node* node = Resolve(key, status, false);
  if (!node) return status;
  *subkeys = static_cast<std::uint32_t>(node->children.size());
  *values = static_cast<std::uint32_t>(node->values.size());
  return kRegOk;
}

RegStatus MemoryRegistry::DefaultValueSize(RegKey key, std::uint32_t* size) {
  if (Fails()) return kRegAccessDenied;
  RegStatus status;
  Node* node = Resolve(key, status, false);
  if (!node) return status;
  auto it = node->values.find("");
  if (it == node->values.end()) return kRegFileNotFound;
  *size = static_cast<std::uint32_t>(it->second.type == kRegSz ? it->second.data.size() + 1 : 4);
  return kRegOk;
}

RegStatus MemoryRegistry::CloseKey(RegKey key) {
  // A close that fails still gives up the handle: a caller cannot retry it.
  if (Fails()) {
    handles_.erase(key);
    return kRegAccessDenied;
  }
  if (key >= kRootBase && key < kRootBase + roots_.size()) return kRegOk;
  return handles_.erase(key) == 1 ? kRegOk : kRegInvalidHandle;
}

MemoryRegistry::Node* MemoryRegistry::RootNode(const std::string& name) const {
  for (const auto& root : roots_)
    if (Upper(root->name) == Upper(name)) return root.get();
  return nullptr;
}

MemoryRegistry::Node* MemoryRegistry::Locate(const std::string& path, bool create) const {
  const std::size_t cut = path.find('\\');
  Node* root = RootNode(path.substr(0, cut));
  if (root == nullptr) return nullptr;
  RegStatus status;
  return Find(root, cut == std::string::npos ? "" : path.substr(cut + 1), create, status);
}

void MemoryRegistry::SetStringAt(const std::string& path, const std::string& valueName,
                                 const std::string& data) {
  Locate(path, true)->values[Upper(valueName)] = {valueName, kRegSz, data};
}

void MemoryRegistry::CreateKeyAt(const std::string& path) { Locate(path, true); }

bool MemoryRegistry::KeyExists(const std::string& path) const { return Locate(path, false) != nullptr; }

std::string MemoryRegistry::PathOf(const Node* node) const {
  std::string path = node->name;
  for (const Node* p = node->parent; p; p = p->parent) path = p->name + "\\" + path;
  return path;
}

void MemoryRegistry::DumpNode(const Node* node, std::vector<std::string>& lines) const {
  const std::string path = PathOf(node);
  if (node->parent) lines.push_back(path);
  for (const auto& [key, value] : node->values) {
    lines.push_back(path + " : " + (value.name.empty() ? "(default)" : value.name) + " = " +
                    (value.type == kRegSz ? "sz:" : "dword:") + value.data);
  }
  for (const auto& [key, child] : node->children) DumpNode(child.get(), lines);
}

std::string MemoryRegistry::Dump() const {
  std::vector<std::string> lines;
  for (const auto& root : roots_) DumpNode(root.get(), lines);
  std::string out;
  for (const std::string& line : lines) out += line + "\n";
  return out;
}

}  // namespace zorvan::test
