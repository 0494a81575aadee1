#pragma once
// The history's owning list: records on the heap, index 0 at the head, and a
// search that walks from a start index calling a predicate. A deque gives
// O(1) insertion at the head, removal at the tail and indexing.
#include <cstdint>
#include <deque>
#include <memory>
#include <utility>

#include "base/Text.h"

template <class TYPE>
class CSmartTypedPtrList {
 public:
  using FindFunction = BOOL (*)(void* pContext, uint32_t nParam, TYPE* pItem);

  int GetCount() const { return static_cast<int>(m_items.size()); }
  bool IsEmpty() const { return m_items.empty(); }
  bool IsValidIndex(int n) const { return n >= 0 && n < GetCount(); }

  TYPE* GetAt(int n) const { return m_items[static_cast<size_t>(n)].get(); }

  void AddHead(std::unique_ptr<TYPE> p) { m_items.push_front(std::move(p)); }
  void InsertAt(int n, std::unique_ptr<TYPE> p) {
    m_items.insert(m_items.begin() + n, std::move(p));
  }
  // Unlinks a record without deleting it.
  std::unique_ptr<TYPE> RemoveAt(int n) {
    auto p = std::move(m_items[static_cast<size_t>(n)]);
    m_items.erase(m_items.begin() + n);
    return p;
  }
  void RemoveAtAndDelete(int n) { m_items.erase(m_items.begin() + n); }
  void RemoveTailAndDelete() { m_items.pop_back(); }
  void DeleteAll() { m_items.clear(); }

  void SetFindFunction(FindFunction pfn) { m_pfnFind = pfn; }
  void SetFindContext(void* p) { m_pFindContext = p; }

  int FindForward(uint32_t nParam, int nStart) const {
    if (!IsValidIndex(nStart) || !m_pfnFind) return -1;
    for (int i = nStart, n = GetCount(); i < n; ++i)
      if (m_pfnFind(m_pFindContext, nParam, GetAt(i))) return i;
    return -1;
  }
  int FindBackward(uint32_t nParam, int nStart) const {
    if (!IsValidIndex(nStart) || !m_pfnFind) return -1;
    for (int i = nStart; i >= 0; --i)
      if (m_pfnFind(m_pFindContext, nParam, GetAt(i))) return i;
    return -1;
  }
  int FindFirst(uint32_t nParam) const { return FindForward(nParam, 0); }
  int FindLast(uint32_t nParam) const { return FindBackward(nParam, GetCount() - 1); }

 private:
  std::deque<std::unique_ptr<TYPE>> m_items;
  FindFunction m_pfnFind = nullptr;
  void* m_pFindContext = nullptr;
};
