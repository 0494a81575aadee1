#pragma once
// A key store held in memory that answers every call the way the Win32
// registry does (codes, out-parameters, case-insensitive names), so tests of
// the settings run without a registry. It can also refuse access to chosen
// keys or values and hold values of any type.
//
// Paths given to the test helpers are full paths below HKEY_CURRENT_USER,
// such as u"Software\\Orvelle\\Tansel\\Options".
#include <map>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "settings/KeyStore.h"

class CMemoryKeyStore : public IKeyStore {
 public:
  CMemoryKeyStore();
  ~CMemoryKeyStore() override;
  CMemoryKeyStore(const CMemoryKeyStore&) = delete;
  CMemoryKeyStore& operator=(const CMemoryKeyStore&) = delete;

  long CreateKey(KeyHandle parent, const char16_t* subKey, uint32_t access,
                 KeyHandle* result) override;
  long OpenKey(KeyHandle parent, const char16_t* subKey, uint32_t access,
               KeyHandle* result) override;
  long CloseKey(KeyHandle key) override;
  long QueryValue(KeyHandle key, const char16_t* name, uint32_t* type, uint8_t* data,
                  uint32_t* size) override;
  long SetValue(KeyHandle key, const char16_t* name, uint32_t type, const uint8_t* data,
                uint32_t size) override;
  long DeleteValue(KeyHandle key, const char16_t* name) override;
  long EnumValueName(KeyHandle key, uint32_t index, char16_t* name, uint32_t* nameChars) override;
  CString16 SystemMessage(long code) override;

  // Opening or creating this key fails with kErrorAccessDenied.
  void DenyAccess(const CString16& keyPath);
  // Reading, writing or deleting this value fails with kErrorAccessDenied.
  void DenyAccess(const CString16& keyPath, const CString16& valueName);

  // Stores a value as it is, creating the key path.
  void PutValue(const CString16& keyPath, const CString16& name, uint32_t type,
                const std::vector<uint8_t>& data);
  void PutDword(const CString16& keyPath, const CString16& name, uint32_t value);
  // False when the key or the value does not exist.
  bool GetValue(const CString16& keyPath, const CString16& name, uint32_t& type,
                std::vector<uint8_t>& data) const;
  bool HasKey(const CString16& keyPath) const;
  // Value names of a key in enumeration order; empty for a missing key.
  std::vector<CString16> ValueNames(const CString16& keyPath) const;

  // Removes every key and value; no handle may be open.
  void Clear();

  // Handles handed out and not yet closed.
  size_t OpenHandleCount() const;

 private:
  struct VALUE {
    CString16 strName;
    uint32_t dwType;
    std::vector<uint8_t> data;
  };
  struct NODE {
    CString16 strFoldedPath;  // full path below the root, case-folded
    std::map<CString16, std::unique_ptr<NODE>> mapChildren;  // by folded name
    std::vector<VALUE> arrValues;                            // in the order they were first set
  };
  struct HANDLE_ENTRY {
    NODE* pNode;
    uint32_t dwAccess;
  };

  long Walk(KeyHandle parent, const char16_t* subKey, bool create, uint32_t access,
            KeyHandle* result);
  NODE* FindNode(const CString16& keyPath) const;
  NODE* MakeNode(const CString16& keyPath);
  long Resolve(KeyHandle key, uint32_t neededAccess, NODE*& node) const;
  bool IsValueDenied(const NODE* node, const char16_t* name) const;
  static NODE* Child(NODE* node, const CString16& name, bool create);
  static std::vector<CString16> SplitPath(const CString16& path);
  static CString16 FoldedPath(const CString16& keyPath);
  static VALUE* FindValue(NODE* node, const char16_t* name);
  // Creates or replaces a value.
  static void StoreValue(NODE* node, const CString16& name, uint32_t type,
                         std::vector<uint8_t> bytes);

  NODE m_oRoot;
  std::map<KeyHandle, HANDLE_ENTRY> m_mapHandles;
  KeyHandle m_hNextHandle = 0x100;
  std::set<CString16> m_setDeniedKeys;                          // folded paths
  std::set<std::pair<CString16, CString16>> m_setDeniedValues;  // folded path, name
};
