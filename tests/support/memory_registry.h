// An in-memory registry for tests: case-insensitive names like Windows',
// subkeys enumerated in sorted order, read-only handles that refuse writes,
// handles to deleted keys that fail, and injection of one failing operation.
#pragma once
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "registry_access.h"

namespace zorvan::test {

class MemoryRegistry : public RegistryAccess {
 public:
  MemoryRegistry();
  ~MemoryRegistry() override;

  RegKey Root(RegRoot root) override;
  RegStatus OpenKey(RegKey parent, const char* name, RegAccess access, RegKey* key) override;
  RegStatus CreateKey(RegKey parent, const char* name, RegKey* key) override;
  RegStatus SetString(RegKey key, const char* valueName, const char* data) override;
  RegStatus SetDword(RegKey key, const char* valueName, std::uint32_t data) override;
  RegStatus DeleteKey(RegKey parent, const char* name) override;
  RegStatus DeleteValue(RegKey key, const char* valueName) override;
  RegStatus FirstSubkeyName(RegKey key, char* name, std::size_t size) override;
  RegStatus CountSubkeysAndValues(RegKey key, std::uint32_t* subkeys, std::uint32_t* values) override;
  RegStatus DefaultValueSize(RegKey key, std::uint32_t* size) override;
  RegStatus CloseKey(RegKey key) override;

  // Fault injection: operation number n (counting from 1 after this call)
  // fails with ERROR_ACCESS_DENIED and changes nothing. 0 fails none.
  void FailOperation(long n);
  long OperationCount() const { return operations_; }
  // Number of handles opened and not yet closed (roots excluded).
  std::size_t OpenHandles() const { return handles_.size(); }

  // Test setup and inspection, with paths such as "HKCR\\CLSID\\{...}".
  void SetStringAt(const std::string& path, const std::string& valueName, const std::string& data);
  void CreateKeyAt(const std::string& path);
  bool KeyExists(const std::string& path) const;
  // Every key and value, one per line, sorted: a full picture to compare.
  std::string Dump() const;
  // The deletions made, in order: "key <path>" or "value <path>:<name>".
  const std::vector<std::string>& Deletions() const { return deletions_; }

 private:
  struct Value {
    std::string name;
    std::uint32_t type;
    std::string data;
  };
  struct Node {
    std::string name;
    Node* parent = nullptr;
    bool deleted = false;
    std::map<std::string, std::unique_ptr<Node>> children;  // by upper-cased name
    std::map<std::string, Value> values;                    // by upper-cased name; "" default
  };
  struct Handle {
    Node* node;
    RegAccess access;
  };

  bool Fails();
  Node* Resolve(RegKey key, RegStatus& status, bool needWrite);
  static Node* Find(Node* from, const std::string& path, bool create, RegStatus& status);
  // A "ROOT\\sub\\key" path of the test helpers, created when asked.
  Node* Locate(const std::string& path, bool create) const;
  Node* RootNode(const std::string& name) const;
  std::string PathOf(const Node* node) const;
  void DumpNode(const Node* node, std::vector<std::string>& lines) const;
  RegKey NewHandle(Node* node, RegAccess access);

  std::vector<std::unique_ptr<Node>> roots_;
  std::vector<std::unique_ptr<Node>> graveyard_;  // deleted keys stay alive for their handles
  std::map<RegKey, Handle> handles_;
  RegKey nextHandle_ = 0x1000;
  long operations_ = 0;
  long failAt_ = 0;
  std::vector<std::string> deletions_;
};

}  // namespace zorvan::test
