#pragma once
// How the history tells the rest of the program that it changed. The hint is
// 0 for the whole list, n >= 1 for item n - 1 alone.

// Views of the history: told synchronously, inside the operation.
class IHistoryView {
 public:
  virtual ~IHistoryView() = default;
  virtual void OnUpdate(int nHint) = 0;
};

// The main window: told after the current operation (a posted message).
class IMainWindowNotice {
 public:
  virtual ~IMainWindowNotice() = default;
  virtual void PostHistoryChanged(int nHint) = 0;
};
