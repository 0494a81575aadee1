// The frame in the clipboard viewer chain, against the real (Wine) chain with
// test viewers of our own in it; its place on the screen kept in the settings.
// Joining, the order of forwarding and capture, a held clipboard and bursts
// are the chain end-to-end scenarios' and the history's own tests.
// Catches: a frame that breaks the chain when a member leaves further down, follows a link to
// itself, rejoins at the wrong period or by the wrong message or passes the join's notice on,
// forgets its place, or saves a maximised rectangle instead of the restored one.
#include "frame/tests/ChainTestSupport.h"
#include "resources/resource.h"

namespace {

TEST_F(ChainTest, EveryWayOfRejoiningPutsTheFrameBackAtTheHeadAndAddsNothing) {
  m_frame = MakeFrame();
  Copy({L"one"});
  // The message (its hotkey's), the rejoin timer's tick, and a tick of any id.
  for (const auto& way : std::vector<std::pair<UINT, WPARAM>>{
           {1226, 0}, {WM_TIMER, CMainFrame::kRejoinTimerId}, {WM_TIMER, 12345}}) {
    SCOPED_TRACE(way.first);
    CTestViewer late("LATE");  // joins after the frame: now the head
    ASSERT_EQ(::GetClipboardViewer(), late.Handle());
    g_log.clear();
    m_frame->Send(way.first, way.second);
    EXPECT_TRUE(WaitFor([&] { return ::GetClipboardViewer() == m_frame->Handle(); }));
    EXPECT_EQ(m_frame->GetNextViewer(), late.Handle());
    EXPECT_FALSE(m_frame->IsJoining());
    PumpFor(100);
    for (const auto& e : g_log)  // only chain notices
      EXPECT_NE(e.find(":chain("), std::string::npos) << "the join's notice went on: " << e;
    EXPECT_EQ(m_doc->GetItemCount(), 1);
  }
}

TEST_F(ChainTest, MembersLeavingFurtherDownOrNextAreRepairedAndHeard) {
  CTestViewer f("F"), m("M"), r("R");
  m_frame = MakeFrame();  // frame -> R -> M -> F
  ASSERT_EQ(m_frame->GetNextViewer(), r.Handle());
  m.Leave();  // passed on unchanged to R, whose link it is
  ASSERT_TRUE(WaitFor([&] { return r.m_hNext == f.Handle(); }));
  EXPECT_TRUE(LogHas("R:chain(" + Narrow(m.Handle()) + "," + Narrow(f.Handle()) + ")"));
  EXPECT_EQ(m_frame->GetNextViewer(), r.Handle());
  r.Leave();  // the frame's own link: replaced by the follower, which hears of it
  ASSERT_TRUE(WaitFor([&] { return m_frame->GetNextViewer() == f.Handle(); }));
  PumpFor(100);
  EXPECT_TRUE(LogHas("F:chain(" + Narrow(r.Handle()) + "," + Narrow(f.Handle()) + ")"));
}

TEST_F(ChainTest, ALinkToTheFrameItselfIsNeverFollowed) {
  m_frame = MakeFrame();
  m_frame->SetNextViewer(m_frame->Handle());
  Copy({L"self"});
  EXPECT_EQ(m_frame->GetNextViewer(), m_frame->Handle()) << "a change notice leaves the link";
  // A chain notice that would make the link point at the frame clears it.
  HWND hOther = reinterpret_cast<HWND>(0x1234);
  m_frame->SetNextViewer(hOther);
  m_frame->Send(WM_CHANGECBCHAIN, reinterpret_cast<WPARAM>(hOther),
                reinterpret_cast<LPARAM>(m_frame->Handle()));
  EXPECT_EQ(m_frame->GetNextViewer(), nullptr);
}

TEST_F(ChainTest, TheRejoinTimerRunsWithThePeriodReadAtCreation) {
  // The floor itself is the settings' own; here: the frame takes their answer.
  for (const int32_t nStored : {-5, 60000}) {
    m_oStore.PutDword(kOptionsPath, u"ResetClipboardTimer", static_cast<uint32_t>(nStored));
    auto frame = MakeFrame();
    EXPECT_EQ(frame->GetRejoinPeriod(), nStored < 0 ? 10000u : 60000u) << nStored;
    EXPECT_TRUE(::KillTimer(frame->Handle(), CMainFrame::kRejoinTimerId))
        << "the timer runs with id 0";
  }
  // Above the floor and not the default: neither could stand in for it.
  m_oStore.PutDword(kOptionsPath, u"ResetClipboardTimer", 12000);
  m_frame = MakeFrame();
  const DWORD tJoined = ::GetTickCount();
  CTestViewer late("LATE");  // joins after the frame: the head until the next tick
  const auto back = [&] { return ::GetClipboardViewer() == m_frame->Handle(); };
  EXPECT_FALSE(WaitFor(back, 10500)) << "rejoined after " << ::GetTickCount() - tJoined << " ms";
  EXPECT_TRUE(WaitFor(back, 7000)) << "no rejoin within 17.5 s";
}

TEST_F(ChainTest, TheWindowOpensWhereItWasLeftAndSavesItsRestoredPlaceAndDocking) {
  const CString16 key = kAppPath + u"\\MainWindow";
  const char16_t* names[] = {u"Left", u"Top", u"Width", u"Height", u"DockingEnabled"};
  const struct {
    std::vector<uint32_t> stored;  // empty: nothing stored
    RECT at;
  } cases[] = {{{}, {0, 0, 360, 550}}, {{40, 30, 300, 400, 0}, {40, 30, 340, 430}}};
  for (const auto& c : cases) {
    m_frame.reset();
    for (size_t i = 0; i < c.stored.size(); ++i) m_oStore.PutDword(key, names[i], c.stored[i]);
    m_frame = MakeFrame();
    EXPECT_EQ(WindowCorners(m_frame->Handle()), Corners(c.at));
    EXPECT_FALSE(::IsWindowVisible(m_frame->Handle()));
  }
  ::SetWindowPos(m_frame->Handle(), nullptr, 70, 80, 333, 444, SWP_NOZORDER | SWP_NOACTIVATE);
  m_frame->Send(WM_COMMAND, ID_VIEW_ENABLE_DOCKING);
  // Maximised (a minimised frame only hides): the restored rectangle is what counts.
  ::ShowWindow(m_frame->Handle(), SW_MAXIMIZE);
  ASSERT_TRUE(::IsZoomed(m_frame->Handle()));
  m_frame.reset();  // destroyed with its window alive
  std::vector<int64_t> values;
  for (const char16_t* name : names) values.push_back(StoredDword(m_oStore, key, name));
  EXPECT_EQ(values, (std::vector<int64_t>{70, 80, 333, 444, 1}));
}

}  // namespace
