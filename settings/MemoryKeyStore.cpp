#include "settings/MemoryKeyStore.h"

#include <cstring>

#include "settings/NoCase.h"

namespace {

CString16 NameOf(const char16_t* name) { return name ? CString16(name) : CString16(); }

// Wine's FormatMessageW texts, so that both stores put the same words in
// front of the user.
struct SYSTEM_TEXT {
  long nCode;
  const char16_t* pszText;
};
const SYSTEM_TEXT kSystemTexts[] = {
    {0, u"Success.\r\n"},
    {2, u"File not found.\r\n"},
    {3, u"Path not found.\r\n"},
    {5, u"Access denied.\r\n"},
    {6, u"Invalid handle.\r\n"},
    {8, u"Not enough memory.\r\n"},
    {14, u"Out of memory.\r\n"},
    {87, u"Invalid parameter.\r\n"},
    {122, u"Insufficient buffer.\r\n"},
    {161, u"Path is invalid.\r\n"},
    {234, u"More data available.\r\n"},
    {259, u"No more data available.\r\n"},
    {1009, u"Registry corrupt.\r\n"},
    {1010, u"Invalid key.\r\n"},
    {1011, u"Can't open registry key.\r\n"},
    {1015, u"Registry is corrupt.\r\n"},
    {1016, u"I/O to registry failed.\r\n"},
    {1018, u"Key deleted.\r\n"},
};

}  // namespace

CMemoryKeyStore::CMemoryKeyStore() = default;
CMemoryKeyStore::~CMemoryKeyStore() = default;

std::vector<CString16> CMemoryKeyStore::SplitPath(const CString16& path) {
  // Empty components (doubled or trailing separators) are skipped, as the
  // registry does.
  std::vector<CString16> parts;
  CString16 part;
  for (char16_t c : path) {
    if (c == u'\\') {
      if (!part.empty()) parts.push_back(part);
      part.clear();
    } else {
      part.push_back(c);
    }
  }
  if (!part.empty()) parts.push_back(part);
  return parts;
}

long CMemoryKeyStore::Resolve(KeyHandle key, uint32_t neededAccess, NODE*& node) const {
  if (key == kHKeyCurrentUser) {
    node = const_cast<NODE*>(&m_oRoot);
    return kErrorSuccess;
  }
  auto it = m_mapHandles.find(key);
  if (it == m_mapHandles.end()) return kErrorInvalidHandle;
  if ((it->second.dwAccess & neededAccess) != neededAccess) return kErrorAccessDenied;
  node = it->second.pNode;
  return kErrorSuccess;
}

CMemoryKeyStore::NODE* CMemoryKeyStore::Child(NODE* node, const CString16& name, bool create) {
  const CString16 folded = FoldCase(name);
  auto it = node->mapChildren.find(folded);
  if (it != node->mapChildren.end()) return it->second.get();
  if (!create) return nullptr;
  auto child = std::make_unique<NODE>();
  child->strFoldedPath =
      node->strFoldedPath.empty() ? folded : node->strFoldedPath + u'\\' + folded;
  return node->mapChildren.emplace(folded, std::move(child)).first->second.get();
}

CString16 CMemoryKeyStore::FoldedPath(const CString16& keyPath) {
  CString16 folded;
  for (const CString16& part : SplitPath(keyPath)) {
    if (!folded.empty()) folded += u'\\';
    folded += FoldCase(part);
  }
  return folded;
}

long CMemoryKeyStore::Walk(KeyHandle parent, const char16_t* subKey, bool create, uint32_t access,
                           KeyHandle* result) {
  if (!result) return kErrorInvalidParameter;
  *result = 0;
  NODE* node = nullptr;
  long rc = Resolve(parent, 0, node);
  if (rc != kErrorSuccess) return rc;
  const CString16 path = NameOf(subKey);
  if (!path.empty() && path[0] == u'\\') return kErrorBadPathname;

  const std::vector<CString16> parts = SplitPath(path);
  const CString16 relative = FoldedPath(path);
  const CString16 target = node->strFoldedPath.empty() || relative.empty()
                               ? node->strFoldedPath + relative
                               : node->strFoldedPath + u'\\' + relative;
  if (m_setDeniedKeys.count(target)) return kErrorAccessDenied;

  for (const CString16& part : parts) {
    node = Child(node, part, create);
    if (!node) return kErrorFileNotFound;
  }

  const KeyHandle handle = m_hNextHandle;
  m_hNextHandle += 4;
  m_mapHandles[handle] = HANDLE_ENTRY{node, access};
  *result = handle;
  return kErrorSuccess;
}

long CMemoryKeyStore::CreateKey(KeyHandle parent, const char16_t* subKey, uint32_t access,
                                KeyHandle* result) {
  return Walk(parent, subKey, true, access, result);
}

long CMemoryKeyStore::OpenKey(KeyHandle parent, const char16_t* subKey, uint32_t access,
                              KeyHandle* result) {
  return Walk(parent, subKey, false, access, result);
}

long CMemoryKeyStore::CloseKey(KeyHandle key) {
  if (key == kHKeyCurrentUser) return kErrorSuccess;
  return m_mapHandles.erase(key) ? kErrorSuccess : kErrorInvalidHandle;
}

CMemoryKeyStore::VALUE* CMemoryKeyStore::FindValue(NODE* node, const char16_t* name) {
  const CString16 wanted = NameOf(name);
  for (VALUE& value : node->arrValues) {
    if (EqualsNoCase(value.strName, wanted)) return &value;
  }
  return nullptr;
}

bool CMemoryKeyStore::IsValueDenied(const NODE* node, const char16_t* name) const {
  return m_setDeniedValues.count({node->strFoldedPath, FoldCase(NameOf(name))}) != 0;
}

long CMemoryKeyStore::QueryValue(KeyHandle key, const char16_t* name, uint32_t* type, uint8_t* data,
                                 uint32_t* size) {
  NODE* node = nullptr;
  long rc = Resolve(key, kKeyQueryValue, node);
  if (rc != kErrorSuccess) return rc;
  if (data && !size) return kErrorInvalidParameter;
  if (IsValueDenied(node, name)) return kErrorAccessDenied;
  const VALUE* value = FindValue(node, name);
  if (!value) return kErrorFileNotFound;

  if (type) *type = value->dwType;
  const uint32_t length = static_cast<uint32_t>(value->data.size());
  if (data) {
    if (*size < length) {
      *size = length;
      return kErrorMoreData;
    }
    if (length) std::memcpy(data, value->data.data(), length);
  }
  if (size) *size = length;
  return kErrorSuccess;
}

long CMemoryKeyStore::SetValue(KeyHandle key, const char16_t* name, uint32_t type,
                               const uint8_t* data, uint32_t size) {
  NODE* node = nullptr;
  long rc = Resolve(key, kKeySetValue, node);
  if (rc != kErrorSuccess) return rc;
  if (!data && size) return kErrorInvalidParameter;
  if (IsValueDenied(node, name)) return kErrorAccessDenied;
  StoreValue(node, NameOf(name), type, std::vector<uint8_t>(data, data + size));
  return kErrorSuccess;
}

void CMemoryKeyStore::StoreValue(NODE* node, const CString16& name, uint32_t type,
                                 std::vector<uint8_t> bytes) {
  if (VALUE* value = FindValue(node, name.c_str())) {
    // A replaced value keeps its place and the spelling it was created with.
    value->dwType = type;
    value->data = std::move(bytes);
  } else {
    node->arrValues.push_back(VALUE{name, type, std::move(bytes)});
  }
}

long CMemoryKeyStore::DeleteValue(KeyHandle key, const char16_t* name) {
  NODE* node = nullptr;
  long rc = Resolve(key, kKeySetValue, node);
  if (rc != kErrorSuccess) return rc;
  if (IsValueDenied(node, name)) return kErrorAccessDenied;
  const VALUE* value = FindValue(node, name);
  if (!value) return kErrorFileNotFound;
  node->arrValues.erase(node->arrValues.begin() + (value - node->arrValues.data()));
  return kErrorSuccess;
}

long CMemoryKeyStore::EnumValueName(KeyHandle key, uint32_t index, char16_t* name,
                                    uint32_t* nameChars) {
  NODE* node = nullptr;
  long rc = Resolve(key, kKeyQueryValue, node);
  if (rc != kErrorSuccess) return rc;
  if (!name || !nameChars) return kErrorInvalidParameter;
  if (index >= node->arrValues.size()) return kErrorNoMoreItems;
  const CString16& found = node->arrValues[index].strName;
  if (found.size() + 1 > *nameChars) return kErrorMoreData;
  std::memcpy(name, found.c_str(), (found.size() + 1) * sizeof(char16_t));
  *nameChars = static_cast<uint32_t>(found.size());
  return kErrorSuccess;
}

CString16 CMemoryKeyStore::SystemMessage(long code) {
  for (const SYSTEM_TEXT& text : kSystemTexts) {
    if (text.nCode == code) return text.pszText;
  }
  return CString16();
}

CMemoryKeyStore::NODE* CMemoryKeyStore::FindNode(const CString16& keyPath) const {
  NODE* node = const_cast<NODE*>(&m_oRoot);
  for (const CString16& part : SplitPath(keyPath))
    if (!(node = Child(node, part, false))) return nullptr;
  return node;
}

CMemoryKeyStore::NODE* CMemoryKeyStore::MakeNode(const CString16& keyPath) {
  // Denials do not apply: they guard the store's callers, not the test that
  // sets the store up.
  NODE* node = &m_oRoot;
  for (const CString16& part : SplitPath(keyPath)) node = Child(node, part, true);
  return node;
}

void CMemoryKeyStore::DenyAccess(const CString16& keyPath) {
  m_setDeniedKeys.insert(FoldedPath(keyPath));
}

void CMemoryKeyStore::DenyAccess(const CString16& keyPath, const CString16& valueName) {
  m_setDeniedValues.insert({FoldedPath(keyPath), FoldCase(valueName)});
}

void CMemoryKeyStore::PutValue(const CString16& keyPath, const CString16& name, uint32_t type,
                               const std::vector<uint8_t>& data) {
  StoreValue(MakeNode(keyPath), name, type, data);
}

void CMemoryKeyStore::PutDword(const CString16& keyPath, const CString16& name, uint32_t value) {
  std::vector<uint8_t> bytes(4);
  std::memcpy(bytes.data(), &value, 4);
  PutValue(keyPath, name, kRegDword, bytes);
}

bool CMemoryKeyStore::GetValue(const CString16& keyPath, const CString16& name, uint32_t& type,
                               std::vector<uint8_t>& data) const {
  NODE* node = FindNode(keyPath);
  if (!node) return false;
  const VALUE* value = FindValue(node, name.c_str());
  if (!value) return false;
  type = value->dwType;
  data = value->data;
  return true;
}

bool CMemoryKeyStore::HasKey(const CString16& keyPath) const {
  return FindNode(keyPath) != nullptr;
}

std::vector<CString16> CMemoryKeyStore::ValueNames(const CString16& keyPath) const {
  std::vector<CString16> names;
  if (const NODE* node = FindNode(keyPath)) {
    for (const VALUE& value : node->arrValues) names.push_back(value.strName);
  }
  return names;
}

size_t CMemoryKeyStore::OpenHandleCount() const { return m_mapHandles.size(); }

void CMemoryKeyStore::Clear() {
  m_oRoot.mapChildren.clear();
  m_oRoot.arrValues.clear();
}
