#pragma once
// Runs a step on every way out of a scope, a throw included: releasing the
// clipboard, unlocking a block, clearing a flag that marks a call in
// progress.
#include <utility>

template <class F>
class CScopeExit {
 public:
  explicit CScopeExit(F fn) : m_fn(std::move(fn)) {}
  ~CScopeExit() { m_fn(); }
  CScopeExit(const CScopeExit&) = delete;
  CScopeExit& operator=(const CScopeExit&) = delete;

 private:
  F m_fn;
};
