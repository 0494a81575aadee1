// Ownership of the handle owners: exactly one owner, the old handle closed
// when a new one replaces it, nothing closed once handed over.
#include <gtest/gtest.h>
#include <windows.h>

#include <utility>

#include "ui/Handles.h"

namespace {

TEST(HandlesTest, MovingPassesOwnershipAndClosesWhatItReplaces) {
  HMENU hFirst = ::CreatePopupMenu();
  HMENU hSecond = ::CreatePopupMenu();
  {
    CMenuHandle first(hFirst);
    CMenuHandle second(hSecond);
    CMenuHandle moved(std::move(first));
    EXPECT_EQ(first.Get(), nullptr);
    EXPECT_EQ(moved.Get(), hFirst);
    moved = std::move(second);  // hFirst has no owner left
    EXPECT_FALSE(::IsMenu(hFirst));
    EXPECT_TRUE(::IsMenu(hSecond));
    EXPECT_EQ(second.Get(), nullptr);
  }
  EXPECT_FALSE(::IsMenu(hSecond));
}

TEST(HandlesTest, ReleasedHandlesSurviveTheirFormerOwner) {
  HMENU hMenu;
  {
    CMenuHandle owner(::CreatePopupMenu());
    hMenu = owner.Release();
    EXPECT_FALSE(owner);
  }
  EXPECT_TRUE(::IsMenu(hMenu));
  CMenuHandle again(hMenu);
  *again.Receive() = ::CreatePopupMenu();  // Receive closes the old handle first
  EXPECT_FALSE(::IsMenu(hMenu));
  EXPECT_TRUE(::IsMenu(again.Get()));
}

TEST(HandlesTest, GlobalMemoryIsLockedForAScopeAndFreedUnlessHandedOver) {
  CGlobalMemory block;
  ASSERT_TRUE(block.Alloc(GMEM_MOVEABLE, 16));
  {
    CGlobalLock lock(block.Get());
    ASSERT_NE(lock.Get(), nullptr);
    EXPECT_EQ(::GlobalFlags(block.Get()) & GMEM_LOCKCOUNT, 1u);
  }
  EXPECT_EQ(::GlobalFlags(block.Get()) & GMEM_LOCKCOUNT, 0u);
  HGLOBAL hBlock = block.Release();
  EXPECT_EQ(block.Get(), nullptr);
  block.Reset();
  // Still a live block: its former owner did not free it.
  EXPECT_EQ(::GlobalFree(hBlock), nullptr);
  EXPECT_EQ(CGlobalLock(nullptr).Get(), nullptr);
}

}  // namespace
