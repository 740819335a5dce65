// The transition layer list: key arithmetic, records on both sides, pending
// removals, commits at the end of a transition, the screen effect.
#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "engine/base/Log.h"
#include "engine/draw/TransitionLayerList.h"
#include "tests/engine/draw/DrawTestUtil.h"

namespace {

std::vector<std::string> g_Log;

// Kind k fills the screen with grey level k (kinds 1 to 9); 0 and above 9 give none.
class CFill : public CSceneBase {
public:
    explicit CFill(int32_t kind) : m_Kind(kind) {}
    ~CFill() override { g_Log.push_back("destroy" + std::to_string(m_Kind)); }
    void Load() override { g_Log.push_back("load" + std::to_string(m_Kind)); }
    void Update() override {}
    void Draw() override {
        g_Log.push_back("draw" + std::to_string(m_Kind));
        if (CD3DDevice* d = CAppManager::GetD3DDevice()) d->Clear(0xFF000000u | static_cast<uint32_t>(m_Kind) * 0x101010u);
    }
    void OnDeviceRestored() override { g_Log.push_back("restore" + std::to_string(m_Kind)); }

private:
    int32_t m_Kind;
};

class CFillFactory : public ISceneFactory {
public:
    std::unique_ptr<CSceneBase> Create(int32_t kind) override {
        if (kind < 1 || kind > 9) return nullptr;
        return std::make_unique<CFill>(kind);
    }
};

std::vector<std::string> Take() {
    auto l = std::move(g_Log);
    g_Log.clear();
    return l;
}

}  // namespace

TEST(TransitionLayerList, KeyArithmeticRefusesIdsThatWouldReachTheNoKeyValue) {
    int32_t key = 0;
    EXPECT_TRUE(CTransitionLayerList::KeyOfId(100, &key));
    EXPECT_EQ(key, 200);
    EXPECT_TRUE(CTransitionLayerList::KeyOfId(0x3FFFFFFF, &key));
    EXPECT_EQ(key, 0x7FFFFFFE);  // its outgoing key 0x7FFFFFFF still fits
    EXPECT_TRUE(CTransitionLayerList::KeyOfId(-0x3FFFFFFF, &key));
    EXPECT_EQ(key, -0x7FFFFFFE);
    CLogCapture log;
    key = 7;
    EXPECT_FALSE(CTransitionLayerList::KeyOfId(-0x40000000, &key));  // 2 × id would be 0x80000000
    EXPECT_FALSE(CTransitionLayerList::KeyOfId(0x40000000, &key));
    EXPECT_EQ(key, 7);
    EXPECT_TRUE(log.Contains("CTransitionLayerList::KeyOfId() IDが範囲外です[-1073741824]"));

    CFillFactory f;
    CTransitionLayerList list;
    list.SetFactory(&f);
    EXPECT_FALSE(list.Add(1, CTransitionLayerList::kNoKey));
    EXPECT_FALSE(list.AddTransition(1, CTransitionLayerList::kNoKey));
    EXPECT_EQ(list.GetCount(), 0u);
    ASSERT_TRUE(list.Add(1, 2));
    EXPECT_FALSE(list.Move(2, CTransitionLayerList::kNoKey));
    EXPECT_TRUE(list.Exists(2));
    EXPECT_EQ(list.GetKeyAt(0), 2);
    EXPECT_EQ(list.GetKeyAt(1), CTransitionLayerList::kNoKey);
    EXPECT_EQ(static_cast<uint32_t>(list.GetKeyAt(SIZE_MAX)), 0x80000000u);
}

TEST(TransitionLayerList, AddRemoveMoveAndPurge) {
    g_Log.clear();
    CFillFactory f;
    CTransitionLayerList list;
    list.SetFactory(&f);
    EXPECT_FALSE(list.Add(0, 4));  // the factory gives none: no record
    EXPECT_EQ(list.GetCount(), 0u);
    EXPECT_TRUE(list.Add(3, 20));
    EXPECT_TRUE(list.Add(1, 200));
    EXPECT_TRUE(list.Add(2, 10));
    EXPECT_EQ(Take(), (std::vector<std::string>{"load3", "load1", "load2"}));
    EXPECT_EQ(list.GetKind(200), 1);
    EXPECT_EQ(list.GetKind(201), 0);
    list.Draw();
    EXPECT_EQ(Take(), (std::vector<std::string>{"draw2", "draw3", "draw1"}));  // ascending keys
    // What the talk objects do to replace id 10: remove key 20, move it to 21, add anew.
    list.Remove(20);
    EXPECT_TRUE(list.Move(20, 21));
    EXPECT_FALSE(list.Exists(20));
    EXPECT_EQ(list.Find(20), nullptr);
    EXPECT_TRUE(list.Add(5, 20));
    EXPECT_TRUE(list.Exists(20));
    EXPECT_EQ(list.GetKind(20), 5);
    EXPECT_EQ(list.GetCount(), 4u);
    Take();
    // The old object is drawn until the purge, over the new one (key 21 > 20).
    list.Draw();
    EXPECT_EQ(Take(), (std::vector<std::string>{"draw2", "draw5", "draw3", "draw1"}));
    list.Update();
    EXPECT_EQ(Take(), (std::vector<std::string>{"destroy3"}));
    EXPECT_EQ(list.GetCount(), 3u);
    // Adding on a live key drops the record at once.
    EXPECT_TRUE(list.Add(6, 200));
    EXPECT_EQ(Take(), (std::vector<std::string>{"destroy1", "load6"}));
    list.OnDeviceRestored();
    EXPECT_EQ(Take(), (std::vector<std::string>{"restore2", "restore5", "restore6"}));
    list.RemoveAll();
    EXPECT_FALSE(list.Exists(10));
    list.Update();
    EXPECT_EQ(list.GetCount(), 0u);
}

TEST(TransitionLayerList, PreparedObjectsJoinWhenTheTransitionEnds) {
    g_Log.clear();
    CFillFactory f;
    CTransitionLayerList list;
    list.SetFactory(&f);
    list.Add(1, 0);    // a background that stays
    list.Add(2, 100);  // a picture that leaves with the transition
    // Prepare: take key 100 off the transition side, bring in kind 3 at 100 and 4 at 300.
    list.RemoveTransition(100);
    EXPECT_TRUE(list.Move(100, 101));
    EXPECT_TRUE(list.AddTransition(3, 100));
    EXPECT_TRUE(list.AddTransition(4, 300));
    list.AddTransition(9, 500);
    list.RemoveTransition(500);  // prepared, then cancelled
    EXPECT_TRUE(list.Exists(100));
    EXPECT_EQ(list.GetKind(100), 3);
    EXPECT_EQ(list.GetCount(), 5u);
    Take();
    // Not in a transition: only the current list shows, the leaving one still there.
    list.Draw();
    EXPECT_EQ(Take(), (std::vector<std::string>{"draw1", "draw2"}));
    // Without Direct3D the transition shows the incoming set at once.
    EXPECT_TRUE(list.StartTransition(1, 2));
    EXPECT_TRUE(list.IsInTransition());
    list.Draw();
    EXPECT_EQ(Take(), (std::vector<std::string>{"draw1", "draw3", "draw4"}));
    list.Update();  // the frame it started in: drawn at 0
    EXPECT_EQ(list.GetTransitionProgress(), 0);
    list.Update();
    list.Update();
    EXPECT_TRUE(list.IsInTransition());
    EXPECT_EQ(list.GetTransitionProgress(), 1024);
    list.Update();
    EXPECT_FALSE(list.IsInTransition());
    // What the transition took away went with its end.
    EXPECT_EQ(list.GetCount(), 3u);
    std::vector<std::string> l = Take();
    EXPECT_NE(std::find(l.begin(), l.end(), "destroy2"), l.end());
    EXPECT_NE(std::find(l.begin(), l.end(), "destroy9"), l.end());
    list.Draw();
    EXPECT_EQ(Take(), (std::vector<std::string>{"draw1", "draw3", "draw4"}));
    // Index 0 over 0 frames commits at once; a bad index starts nothing.
    list.AddTransition(5, 50);
    EXPECT_TRUE(list.StartTransition(0, 0));
    EXPECT_FALSE(list.IsInTransition());
    EXPECT_TRUE(list.Exists(50));
    CLogCapture log;
    EXPECT_FALSE(list.StartTransition(54, 10));
    EXPECT_FALSE(list.StartTransition(-2, 10));
    EXPECT_FALSE(list.IsInTransition());
}

TEST(TransitionLayerList, TransitionDrawsTheOutgoingThenTheIncomingSet) {
    drawtest::CTestScreen screen;
    CD3DDevice* d = screen.Device();
    ASSERT_NE(d, nullptr);
    CFillFactory f;
    CTransitionLayerList list;
    list.SetFactory(&f);
    list.Add(1, 0);
    list.RemoveTransition(0);
    list.Move(0, 1);
    list.AddTransition(8, 0);
    ASSERT_TRUE(list.StartTransition(1, 4));
    list.Update();
    list.Draw();
    EXPECT_EQ(drawtest::Pixel(drawtest::ReadTarget(*d), 100, 100), 0x101010u);
    list.Update();
    list.Update();
    list.Draw();
    EXPECT_EQ(drawtest::Pixel(drawtest::ReadTarget(*d), 100, 100), 0x484848u);  // half way
    list.Update();
    list.Update();
    list.Draw();
    EXPECT_EQ(drawtest::Pixel(drawtest::ReadTarget(*d), 100, 100), 0x808080u);
    list.Update();
    EXPECT_FALSE(list.IsInTransition());
    list.Draw();
    EXPECT_EQ(drawtest::Pixel(drawtest::ReadTarget(*d), 100, 100), 0x808080u);
}

TEST(TransitionLayerList, ScreenEffectsRunEndAndObeyTheSwitch) {
    drawtest::CTestScreen screen;
    CD3DDevice* d = screen.Device();
    ASSERT_NE(d, nullptr);
    CFillFactory f;
    CTransitionLayerList list;
    list.SetFactory(&f);
    list.Add(4, 0);
    EXPECT_FALSE(list.StartScreenEffect(0));
    EXPECT_FALSE(list.StartScreenEffect(9));
    EXPECT_FALSE(list.IsScreenEffectActive());
    // A white flash starts full and fades out by itself.
    ASSERT_TRUE(list.StartScreenEffect(CScreenEffect::KIND_FLASH_WHITE));
    list.Draw();
    EXPECT_EQ(drawtest::Pixel(drawtest::ReadTarget(*d), 5, 5), 0xFFFFFFu);
    for (int i = 0; i < CScreenEffect::kFlashFrames; ++i) list.Update();
    EXPECT_FALSE(list.IsScreenEffectActive());
    list.Draw();
    EXPECT_EQ(drawtest::Pixel(drawtest::ReadTarget(*d), 5, 5), 0x404040u);
    // A shake runs until ended; ended gradually it dies away, at once it stops.
    ASSERT_TRUE(list.StartScreenEffect(CScreenEffect::KIND_QUAKE));
    for (int i = 0; i < 100; ++i) list.Update();
    EXPECT_TRUE(list.IsScreenEffectActive());
    list.Draw();  // somewhere the black edge shows
    auto px = drawtest::ReadTarget(*d);
    EXPECT_NE(std::count(px.begin(), px.end(), 0u), 0);
    list.EndScreenEffect(true);
    EXPECT_TRUE(list.IsScreenEffectActive());
    for (int i = 0; i < CScreenShake::kDecayFrames; ++i) list.Update();
    EXPECT_FALSE(list.IsScreenEffectActive());
    ASSERT_TRUE(list.StartScreenEffect(CScreenEffect::KIND_SHAKE_SIDEWAYS));
    list.EndScreenEffect(false);
    EXPECT_FALSE(list.IsScreenEffectActive());
    // Monochrome: the grey stays grey; with the switch on nothing of it is drawn.
    ASSERT_TRUE(list.StartScreenEffect(CScreenEffect::KIND_SEPIA));
    for (int i = 0; i < CScreenEffect::kToneFrames; ++i) list.Update();
    list.Draw();
    uint32_t sepia = drawtest::Pixel(drawtest::ReadTarget(*d), 5, 5);
    EXPECT_NE(sepia, 0x404040u);
    EXPECT_GT((sepia >> 16) & 255, sepia & 255);  // warmer: more red than blue
    list.SetScreenEffectSwitch(true);
    EXPECT_TRUE(list.GetScreenEffectSwitch());
    list.Draw();
    EXPECT_EQ(drawtest::Pixel(drawtest::ReadTarget(*d), 5, 5), 0x404040u);
    list.SetScreenEffectSwitch(false);
    list.EndScreenEffect(true);
    for (int i = 0; i < CScreenEffect::kToneFrames; ++i) list.Update();
    EXPECT_FALSE(list.IsScreenEffectActive());
}

TEST(TransitionLayerList, EndingWithNoTransitionRunningLeavesThePreparedSetWaiting) {
    g_Log.clear();
    CFillFactory f;
    CTransitionLayerList list;
    list.SetFactory(&f);
    list.Add(1, 0);
    list.AddTransition(3, 100);
    // What a direct change of another picture does first: end the transition.  None
    // runs, so the prepared picture must not appear without its transition.
    list.EndTransition();
    EXPECT_FALSE(list.IsInTransition());
    Take();
    list.Draw();
    EXPECT_EQ(Take(), (std::vector<std::string>{"draw1"}));
    list.Update();
    list.Draw();
    EXPECT_EQ(Take(), (std::vector<std::string>{"draw1"}));
    EXPECT_TRUE(list.Exists(100));
    // The next transition brings it in; ending that one commits at once.
    ASSERT_TRUE(list.StartTransition(1, 30));
    list.Update();
    list.EndTransition();
    EXPECT_FALSE(list.IsInTransition());
    Take();
    list.Draw();
    EXPECT_EQ(Take(), (std::vector<std::string>{"draw1", "draw3"}));
    // A transition of 0 frames commits in the same call.
    list.AddTransition(4, 200);
    EXPECT_TRUE(list.StartTransition(2, 0));
    Take();
    list.Draw();
    EXPECT_EQ(Take(), (std::vector<std::string>{"draw1", "draw3", "draw4"}));
}

namespace {
CTransitionLayerList* g_List = nullptr;

// Kind 7 prepares ten more records while it is drawn and then ends the transition:
// the records under the walk move, the objects do not.
class CBusyFactory : public ISceneFactory {
public:
    class CBusy : public CSceneBase {
    public:
        void Update() override {}
        void Draw() override {
            g_Log.push_back("busy");
            if (!g_List) return;
            CTransitionLayerList* list = g_List;
            g_List = nullptr;
            for (int32_t k = 0; k < 10; ++k) list->AddTransition(2, 1000 + 2 * k);
            list->EndTransition();
        }
    };
    std::unique_ptr<CSceneBase> Create(int32_t kind) override {
        if (kind == 7) return std::make_unique<CBusy>();
        return m_Fills.Create(kind);
    }

private:
    CFillFactory m_Fills;
};
}  // namespace

TEST(TransitionLayerList, ADrawThatAddsRecordsOrEndsTheTransitionIsSafe) {
    g_Log.clear();
    CBusyFactory f;
    CTransitionLayerList list;
    list.SetFactory(&f);
    list.Add(1, 0);
    list.AddTransition(7, 10);
    list.AddTransition(3, 20);
    ASSERT_TRUE(list.StartTransition(1, 5));
    g_List = &list;
    Take();
    // Without Direct3D the incoming set is drawn: 1, the busy one, then 3.
    list.Draw();
    std::vector<std::string> want = {"draw1", "busy"};
    want.insert(want.end(), 10, "load2");
    want.push_back("draw3");
    EXPECT_EQ(Take(), want);
    EXPECT_FALSE(list.IsInTransition());
    EXPECT_EQ(list.GetCount(), 13u);
    // The ten prepared before the end joined with it, above the others.
    list.Update();
    list.Draw();
    want = {"draw1", "busy", "draw3"};
    want.insert(want.end(), 10, "draw2");
    EXPECT_EQ(Take(), want);
}

TEST(TransitionLayerList, ADirectChangeOfAnIdDropsWhatWasPreparedForIt) {
    g_Log.clear();
    CFillFactory f;
    CTransitionLayerList list;
    list.SetFactory(&f);
    list.Add(1, 0);
    // Prepared for id 50 (key 100), as the talk objects do: take it off the
    // transition side, move it above, add anew.
    list.RemoveTransition(100);
    list.Move(100, 101);
    ASSERT_TRUE(list.AddTransition(3, 100));
    // Then a direct picture on the same id: end (nothing runs), remove, move, add.
    list.EndTransition();
    list.Remove(100);
    ASSERT_TRUE(list.Move(100, 101));
    ASSERT_TRUE(list.Add(5, 100));
    EXPECT_EQ(list.GetKind(100), 5);
    list.Update();  // the purge
    EXPECT_EQ(list.GetCount(), 2u);
    ASSERT_TRUE(list.StartTransition(1, 1));
    list.Update();
    list.Update();
    list.Update();
    EXPECT_FALSE(list.IsInTransition());
    Take();
    list.Draw();
    EXPECT_EQ(Take(), (std::vector<std::string>{"draw1", "draw5"}));
    // Removing every even key (what releasing every talk object does) takes the
    // prepared pictures as well.
    list.AddTransition(6, 300);
    std::vector<int32_t> keys;
    for (size_t i = 0; i < list.GetCount(); ++i) keys.push_back(list.GetKeyAt(i));
    for (int32_t k : keys) {
        if (k % 2 == 0) {
            list.Remove(k);
            list.Move(k, k + 1);
        }
    }
    EXPECT_FALSE(list.Exists(300));
    list.Update();
    EXPECT_EQ(list.GetCount(), 0u);
}
