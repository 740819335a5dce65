// The scene manager's command queue: order and effects of every command, the return
// stack, transitions counted in frames, and a nested manager.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/base/Log.h"
#include "engine/draw/SceneManager.h"
#include "tests/engine/draw/DrawTestUtil.h"

namespace {

// Records what happens to the scenes it makes, as "id:event" lines.
struct SJournal {
    std::vector<std::string> lines;
    void Add(int id, const char* what) { lines.push_back(std::to_string(id) + ":" + what); }
    int Count(const std::string& line) const {
        int n = 0;
        for (const auto& l : lines) n += l == line;
        return n;
    }
};

class CTestScene : public CSceneBase {
public:
    CTestScene(int id, SJournal* journal) : m_Id(id), m_Journal(journal) {}
    ~CTestScene() override { m_Journal->Add(m_Id, "destroy"); }
    void Load() override {
        m_Journal->Add(m_Id, "load");
        if (onLoad) onLoad();
    }
    void Update() override { ++updates; }
    void Draw() override {
        ++draws;
        if (colour) {
            CD3DDevice* d = CAppManager::GetD3DDevice();
            if (d) d->Clear(colour);
        }
    }
    void OnDeviceRestored() override { m_Journal->Add(m_Id, "restore"); }

    int updates = 0;
    int draws = 0;
    uint32_t colour = 0;
    std::function<void()> onLoad;

private:
    int m_Id;
    SJournal* m_Journal;
};

class CTestFactory : public ISceneFactory {
public:
    std::unique_ptr<CSceneBase> Create(int32_t id) override {
        if (id <= 0 || id > 29) return nullptr;
        auto scene = std::make_unique<CTestScene>(id, &journal);
        last = scene.get();
        scene->colour = 0xFF000000u | static_cast<uint32_t>(id) * 0x010101u;
        journal.Add(id, "create");
        return scene;
    }
    SJournal journal;
    CTestScene* last = nullptr;
};

CTestScene* Current(CSceneManager& m) { return static_cast<CTestScene*>(m.GetCurrentScene()); }

}  // namespace

TEST(SceneManager, IsBuiltEmptyAndCommandsWaitForTheNextUpdate) {
    CTestFactory f;
    CSceneManager m;
    m.SetFactory(&f);
    EXPECT_TRUE(m.IsIdle());
    EXPECT_EQ(m.GetCurrentSceneId(), CSceneManager::kNoScene);
    EXPECT_EQ(m.GetCurrentScene(), nullptr);
    m.GoTo(3);
    EXPECT_FALSE(m.IsIdle());
    EXPECT_TRUE(f.journal.lines.empty());
    m.Update();
    EXPECT_EQ(m.GetCurrentSceneId(), 3);
    ASSERT_NE(Current(m), nullptr);
    // Created, loaded, then updated once in the same frame.
    EXPECT_EQ(f.journal.lines, (std::vector<std::string>{"3:create", "3:load"}));
    EXPECT_EQ(Current(m)->updates, 1);
}

TEST(SceneManager, GoToDestroysTheOldSceneBeforeCreatingTheNew) {
    CTestFactory f;
    CSceneManager m;
    m.SetFactory(&f);
    m.GoTo(1);
    m.Update();
    m.GoTo(2);
    m.Update();
    EXPECT_EQ(f.journal.lines, (std::vector<std::string>{"1:create", "1:load", "1:destroy", "2:create", "2:load"}));
    EXPECT_EQ(m.GetReturnStackDepth(), 0u);
}

TEST(SceneManager, CallCreatesTheCallerAgainOnReturn) {
    CTestFactory f;
    CSceneManager m;
    m.SetFactory(&f);
    m.GoTo(1);
    m.Update();
    CTestScene* first = Current(m);
    first->updates = 100;
    m.Call(2);
    m.Update();
    EXPECT_EQ(f.journal.Count("1:destroy"), 1);
    EXPECT_EQ(m.GetReturnStackDepth(), 1u);
    m.Return();
    m.Update();
    EXPECT_EQ(m.GetCurrentSceneId(), 1);
    EXPECT_EQ(f.journal.Count("1:create"), 2);
    EXPECT_EQ(f.journal.Count("1:load"), 2);
    EXPECT_EQ(f.journal.Count("2:destroy"), 1);
    EXPECT_EQ(Current(m)->updates, 1);  // a fresh object
    EXPECT_EQ(m.GetReturnStackDepth(), 0u);
}

TEST(SceneManager, CallKeepSuspendsTheCallerAndResumesIt) {
    CTestFactory f;
    CSceneManager m;
    m.SetFactory(&f);
    m.GoTo(1);
    m.Update();
    CTestScene* caller = Current(m);
    m.CallKeep(24);
    m.Update();
    EXPECT_EQ(m.GetCurrentSceneId(), 24);
    EXPECT_EQ(f.journal.Count("1:destroy"), 0);
    // Suspended: neither updated nor drawn, but restored after a device reset.
    m.Update();
    m.Draw();
    EXPECT_EQ(caller->updates, 1);
    EXPECT_EQ(caller->draws, 0);
    EXPECT_FALSE(m.IsIdle());
    m.BroadcastOp3();
    EXPECT_EQ(f.journal.Count("1:restore"), 1);
    EXPECT_EQ(f.journal.Count("24:restore"), 1);
    m.Return();
    m.Update();
    EXPECT_EQ(Current(m), caller);
    EXPECT_EQ(m.GetCurrentSceneId(), 1);
    EXPECT_EQ(f.journal.Count("1:load"), 1);  // resumed, not loaded again
    EXPECT_EQ(caller->updates, 2);
    EXPECT_EQ(f.journal.Count("24:destroy"), 1);
}

TEST(SceneManager, EndAllDestroysTheCurrentAndEverySuspendedScene) {
    CTestFactory f;
    CSceneManager m;
    m.SetFactory(&f);
    m.GoTo(1);
    m.CallKeep(2);
    m.Call(3);
    m.Update();
    EXPECT_EQ(m.GetReturnStackDepth(), 2u);
    EXPECT_EQ(f.journal.Count("1:destroy"), 0);  // suspended
    EXPECT_EQ(f.journal.Count("2:destroy"), 1);  // called away plainly
    m.EndAll();
    m.Update();
    EXPECT_EQ(f.journal.Count("1:destroy"), 1);
    EXPECT_EQ(f.journal.Count("3:destroy"), 1);
    EXPECT_EQ(m.GetReturnStackDepth(), 0u);
    EXPECT_EQ(m.GetCurrentScene(), nullptr);
    EXPECT_TRUE(m.IsIdle());
}

TEST(SceneManager, IdZeroAndUnknownIdsCreateNothing) {
    CTestFactory f;
    CSceneManager m;
    m.SetFactory(&f);
    m.GoTo(5);
    m.Update();
    m.GoTo(0);
    m.Update();
    EXPECT_EQ(f.journal.Count("5:destroy"), 1);
    EXPECT_EQ(m.GetCurrentScene(), nullptr);
    EXPECT_EQ(m.GetCurrentSceneId(), 0);
    EXPECT_TRUE(m.IsIdle());
    m.GoTo(99);
    m.Update();
    EXPECT_EQ(m.GetCurrentScene(), nullptr);
    // Without a factory nothing is ever created.
    CSceneManager bare;
    bare.GoTo(1);
    bare.Update();
    EXPECT_EQ(bare.GetCurrentScene(), nullptr);
    EXPECT_TRUE(bare.IsIdle());
}

TEST(SceneManager, ReturnWithAnEmptyStackIsLoggedAndKeepsTheScene) {
    CTestFactory f;
    CSceneManager m;
    m.SetFactory(&f);
    m.GoTo(4);
    m.Update();
    CLogCapture log;
    m.Return();
    m.Update();
    EXPECT_EQ(m.GetCurrentSceneId(), 4);
    ASSERT_EQ(log.GetLines().size(), 1u);
    EXPECT_EQ(log.GetLines()[0].rfind("CSceneManager::Return() ", 0), 0u);
}

TEST(SceneManager, CommandsQueuedWhileLoadingRunNextFrame) {
    CTestFactory f;
    CSceneManager m;
    m.SetFactory(&f);
    m.GoTo(1);
    m.Update();
    Current(m)->onLoad = nullptr;
    // Scene 2 asks for scene 3 as soon as it loads.
    m.GoTo(2);
    f.last = nullptr;
    m.Update();
    ASSERT_EQ(m.GetCurrentSceneId(), 2);
    m.GoTo(3);
    EXPECT_EQ(m.GetPendingCommandCount(), 1u);
    m.Update();
    EXPECT_EQ(m.GetCurrentSceneId(), 3);
}

TEST(SceneManager, TransitionProgressReaches1024ExactlyOverItsFrames) {
    CTestFactory f;
    CSceneManager m;
    m.SetFactory(&f);
    m.GoTo(1);
    m.Transition(0, 0);
    m.Update();
    EXPECT_FALSE(m.IsInTransition());  // a plain cut
    m.GoTo(2);
    m.Transition(1, 3);
    m.Update();
    std::vector<int32_t> seen;
    while (m.IsInTransition()) {
        seen.push_back(m.GetTransitionProgress());
        m.Update();
        ASSERT_LT(seen.size(), 10u);
    }
    EXPECT_EQ(seen, (std::vector<int32_t>{0, 341, 682, 1024}));
    EXPECT_EQ(m.GetTransitionIndex(), 1);
    // Ended at once by EndTransition; a bad index starts nothing.
    m.Transition(5, 100);
    m.Update();
    EXPECT_TRUE(m.IsInTransition());
    m.EndTransition();
    EXPECT_FALSE(m.IsInTransition());
    CLogCapture log;
    m.Transition(54, 10);
    m.Update();
    EXPECT_FALSE(m.IsInTransition());
    EXPECT_TRUE(log.Contains("CSceneManager::Transition() トランジション番号が不正です[54]"));
}

TEST(SceneManager, ResetAndClearReturnStack) {
    CTestFactory f;
    CSceneManager m;
    m.SetFactory(&f);
    m.GoTo(1);
    m.CallKeep(2);
    m.Update();
    m.ClearReturnStack();
    EXPECT_EQ(f.journal.Count("1:destroy"), 1);
    EXPECT_EQ(m.GetReturnStackDepth(), 0u);
    m.CallKeep(3);
    m.GoTo(4);
    m.Transition(1, 10);
    m.Update();
    m.GoTo(5);
    m.Reset();
    EXPECT_EQ(m.GetCurrentScene(), nullptr);
    EXPECT_EQ(m.GetCurrentSceneId(), CSceneManager::kNoScene);
    EXPECT_EQ(m.GetPendingCommandCount(), 0u);
    EXPECT_FALSE(m.IsInTransition());
    EXPECT_TRUE(m.IsIdle());
    EXPECT_EQ(f.journal.Count("3:destroy"), 1);
    EXPECT_EQ(f.journal.Count("4:destroy"), 1);
}

TEST(SceneManager, TransitionDrawsFromTheOldSceneToTheNew) {
    drawtest::CTestScreen screen;
    CD3DDevice* d = screen.Device();
    ASSERT_NE(d, nullptr);
    CTestFactory f;
    CSceneManager m;
    m.SetFactory(&f);
    m.GoTo(1);
    m.Update();
    m.GoTo(2);
    m.Transition(1, 2);
    m.Update();
    d->Clear(0xFFFF0000u);
    m.Draw();
    EXPECT_EQ(drawtest::Pixel(drawtest::ReadTarget(*d), 400, 300), 0x010101u);  // progress 0: scene 1
    m.Update();
    m.Draw();
    uint32_t half = drawtest::Pixel(drawtest::ReadTarget(*d), 400, 300);
    EXPECT_GT(half, 0x010101u);
    EXPECT_LT(half, 0x020202u + 1);
    m.Update();
    m.Draw();
    EXPECT_EQ(drawtest::Pixel(drawtest::ReadTarget(*d), 400, 300), 0x020202u);  // 1024: scene 2
    m.Update();
    EXPECT_FALSE(m.IsInTransition());
}

// A transition's first frame shows the outgoing picture alone, so the incoming scene
// is first drawn on the second frame; one that draws its own ends (the fade to a
// colour) draws the new scene from the first frame.
TEST(SceneManager, TheIncomingSceneIsNotDrawnForAFrameThatCannotShowIt) {
    drawtest::CTestScreen screen;
    CD3DDevice* d = screen.Device();
    ASSERT_NE(d, nullptr);
    struct SCase {
        const char* what;
        int32_t transition;
        int firstFrameDraws;
    };
    const SCase cases[] = {
        {"fade", 1, 0},
        {"a rule picture", 3, 0},
        {"fade to a colour", CTransitionHolder::kDirect, 1},
    };
    for (const SCase& c : cases) {
        CTestFactory f;
        CSceneManager m;
        m.SetFactory(&f);
        m.GoTo(1);
        m.Update();
        m.GoTo(2);
        m.Transition(c.transition, 4);
        m.Update();
        CTestScene* incoming = Current(m);
        ASSERT_NE(incoming, nullptr) << c.what;
        d->Clear(0xFFFF0000u);
        m.Draw();
        EXPECT_EQ(incoming->draws, c.firstFrameDraws) << c.what;
        if (c.transition != CTransitionHolder::kDirect) {
            EXPECT_EQ(drawtest::Pixel(drawtest::ReadTarget(*d), 400, 300), 0x010101u) << c.what;
        }
        m.Update();
        m.Draw();
        EXPECT_GE(incoming->draws, c.firstFrameDraws + 1) << c.what;
    }
}

TEST(SceneManager, SeveralSceneCommandsBeforeATransitionStartFromTheFirstPicture) {
    drawtest::CTestScreen screen;
    CD3DDevice* d = screen.Device();
    ASSERT_NE(d, nullptr);
    CTestFactory f;
    CSceneManager m;
    m.SetFactory(&f);
    m.GoTo(3);
    m.Update();
    m.EndAll();
    m.GoTo(5);
    m.Transition(1, 8);
    m.Update();
    m.Draw();
    EXPECT_EQ(drawtest::Pixel(drawtest::ReadTarget(*d), 1, 1), 0x030303u);
}

namespace {
// A scene holding a manager of its own, drawn over a band of its own colour.
class CHostScene : public CSceneBase {
public:
    explicit CHostScene(ISceneFactory* modes) { inner.SetFactory(modes); }
    void Update() override { inner.Update(); }
    void Draw() override { inner.Draw(); }
    CSceneManager inner;
};
}  // namespace

TEST(SceneManager, NestedManagerTransitionsDrawOverItsOwnScenes) {
    drawtest::CTestScreen screen;
    CD3DDevice* d = screen.Device();
    ASSERT_NE(d, nullptr);
    CTestFactory modes;
    CHostScene host(&modes);
    host.inner.GoTo(7);
    host.Update();
    host.inner.GoTo(9);
    host.inner.Transition(1, 4);
    host.Update();
    EXPECT_TRUE(host.inner.IsInTransition());
    // The outer frame: something else drawn first, then the host.
    d->Clear(0xFF00FF00u);
    host.Draw();
    EXPECT_EQ(drawtest::Pixel(drawtest::ReadTarget(*d), 10, 10), 0x070707u);
    for (int i = 0; i < 4; ++i) host.Update();
    host.Draw();
    EXPECT_EQ(drawtest::Pixel(drawtest::ReadTarget(*d), 10, 10), 0x090909u);
    // The render target is the back buffer again after the nested captures.
    CD3DSurface target, back;
    d->GetRenderTarget(&target);
    d->GetBackBuffer(&back);
    EXPECT_EQ(target.GetGfx()->SharedPixels(), back.GetGfx()->SharedPixels());
}
