// The layer list: priority order, objects added by pointer and by id through the
// factory, pending removals and moves, show and hide, restore broadcast.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "engine/draw/LayerList.h"

namespace {

std::vector<std::string> g_Events;

class CLayer : public CSceneBase {
public:
    explicit CLayer(std::string name) : m_Name(std::move(name)) {}
    ~CLayer() override { g_Events.push_back(m_Name + ".destroy"); }
    void Load() override { g_Events.push_back(m_Name + ".load"); }
    void Update() override {
        g_Events.push_back(m_Name + ".update");
        if (onUpdate) onUpdate();
    }
    void Draw() override { g_Events.push_back(m_Name + ".draw"); }
    void OnDeviceRestored() override { g_Events.push_back(m_Name + ".restore"); }
    std::function<void()> onUpdate;

private:
    std::string m_Name;
};

class CPageFactory : public ISceneFactory {
public:
    std::unique_ptr<CSceneBase> Create(int32_t id) override {
        if (id < 0) return nullptr;
        std::string name = "p";
        name += std::to_string(id);
        return std::make_unique<CLayer>(name);
    }
    void Release(std::unique_ptr<CSceneBase> object) override {
        ++released;
        object.reset();
    }
    int released = 0;
};

std::vector<std::string> Take() {
    std::vector<std::string> e = std::move(g_Events);
    g_Events.clear();
    return e;
}

}  // namespace

TEST(LayerList, DrawsInAscendingPriorityEqualOnesInOrderAdded) {
    g_Events.clear();
    CLayer a("a"), b("b"), c("c"), d("d");
    CLayerList list;
    EXPECT_TRUE(list.Add(&c, 300));
    EXPECT_TRUE(list.Add(&a, 0));
    EXPECT_TRUE(list.Add(&d, 100));
    EXPECT_TRUE(list.Add(&b, 100));
    EXPECT_FALSE(list.Add(nullptr, 5));
    list.Draw();
    EXPECT_EQ(Take(), (std::vector<std::string>{"a.draw", "d.draw", "b.draw", "c.draw"}));
    list.Hide(100);
    EXPECT_FALSE(list.IsShown(100));
    list.Update();
    list.Draw();
    // Hidden entries still update.
    EXPECT_EQ(Take(), (std::vector<std::string>{"a.update", "d.update", "b.update", "c.update", "a.draw", "c.draw"}));
    list.Show(100);
    list.OnDeviceRestored();
    EXPECT_EQ(Take(), (std::vector<std::string>{"a.restore", "d.restore", "b.restore", "c.restore"}));
    // Objects added by pointer stay the caller's.
    list.Clear();
    list.Update();
    EXPECT_EQ(list.GetCount(), 0u);
    EXPECT_TRUE(Take().empty());
}

TEST(LayerList, FactoryEntriesAreLoadedReplacedAndGivenBack) {
    g_Events.clear();
    CPageFactory f;
    {
        CLayerList list;
        list.SetFactory(&f);
        EXPECT_TRUE(list.Add(10, 1));
        EXPECT_TRUE(list.Add(5, 2));
        EXPECT_FALSE(list.Add(1, -1));  // the factory gives none
        EXPECT_EQ(Take(), (std::vector<std::string>{"p1.load", "p2.load"}));
        ASSERT_NE(list.Find(1), nullptr);
        EXPECT_EQ(list.Find(3), nullptr);
        // Adding an id again removes the old entry (given back at the commit).
        CSceneBase* old = list.Find(1);
        EXPECT_TRUE(list.Add(20, 1));
        EXPECT_NE(list.Find(1), old);
        EXPECT_EQ(f.released, 0);
        list.Update();
        EXPECT_EQ(f.released, 1);
        EXPECT_EQ(Take(), (std::vector<std::string>{"p1.load", "p1.destroy", "p2.update", "p1.update"}));
        list.Remove(2);
        EXPECT_EQ(list.Find(2), nullptr);
        list.Draw();  // a removed entry is not drawn
        EXPECT_EQ(Take(), (std::vector<std::string>{"p1.draw"}));
    }
    // The list gives back what it still holds when it goes.
    EXPECT_EQ(f.released, 3);
}

TEST(LayerList, RemovalsAndMovesDuringTheWalkWaitForTheCommit) {
    g_Events.clear();
    CPageFactory f;
    CLayerList list;
    list.SetFactory(&f);
    list.Add(1, 1);
    list.Add(2, 2);
    list.Add(3, 3);
    CLayer extra("extra");
    auto* first = static_cast<CLayer*>(list.Find(1));
    // The first page removes the second and itself, and moves the third below all.
    first->onUpdate = [&] {
        list.Remove(2);
        list.Remove(1);
        list.Move(3, -10);
        list.Add(&extra, 0);
    };
    Take();
    list.Update();
    // The walk went on over live entries only, and nothing was destroyed mid-walk.
    std::vector<std::string> e = Take();
    ASSERT_EQ(e.size(), 5u);
    EXPECT_EQ(e[0], "p1.update");
    EXPECT_EQ(e[1], "p3.update");    // p2 was removed before its turn
    EXPECT_EQ(e[2], "extra.update");  // added during the walk: at the end this once
    EXPECT_EQ(list.GetCount(), 2u);
    EXPECT_EQ(list.FindByPriority(-10), list.Find(3));
    EXPECT_EQ(f.released, 2);
    list.Draw();
    EXPECT_EQ(Take(), (std::vector<std::string>{"p3.draw", "extra.draw"}));
}

TEST(LayerList, ClearGivesTheObjectsBackAtOnceOutsideAWalk) {
    g_Events.clear();
    CPageFactory f;
    CLayerList list;
    list.SetFactory(&f);
    list.Add(0, 0);
    list.Add(1, 1);
    CLayer kept("kept");
    list.Add(&kept, 5);
    Take();
    // What an owner's destructor does: the pages are destroyed by the clear itself.
    list.Clear();
    EXPECT_EQ(f.released, 2);
    EXPECT_EQ(Take(), (std::vector<std::string>{"p0.destroy", "p1.destroy"}));
    EXPECT_EQ(list.GetCount(), 0u);
    EXPECT_EQ(list.Find(0), nullptr);
    // Cleared by a page during the walk: nothing is destroyed under the walk.
    list.Add(0, 2);
    list.Add(1, 3);
    static_cast<CLayer*>(list.Find(2))->onUpdate = [&] { list.Clear(); };
    Take();
    list.Update();
    EXPECT_EQ(Take(), (std::vector<std::string>{"p2.update", "p2.destroy", "p3.destroy"}));
    EXPECT_EQ(f.released, 4);
}

TEST(LayerList, PartsWithoutUpdateOrDrawOfTheirOwnAreDriven) {
    // A screen part that only rebuilds after a device reset: the base's defaults carry
    // the frame, on its own and inside a list.
    struct CRestoreOnly : CSceneBase {
        int restored = 0;
        void OnDeviceRestored() override { ++restored; }
    } part;
    CSceneBase& base = part;
    base.Load();
    base.Update();
    base.Draw();
    CLayerList list;
    EXPECT_TRUE(list.Add(&part, 1));
    list.Update();
    list.Draw();
    list.OnDeviceRestored();
    EXPECT_EQ(part.restored, 1);
    auto owned = std::make_unique<CSceneBase>();
    owned->Update();
    owned->Draw();
}
