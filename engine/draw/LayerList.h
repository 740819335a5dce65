#pragma once
// A list of drawable objects kept in ascending priority.  Two kinds of entry share it:
// objects added by pointer and priority (owned by the caller), and objects created by
// id through the factory (owned by the list, given back to the factory).  Removals and
// priority moves are pending until the next commit, which runs at the start of Update,
// so that an object may remove itself or others while the list is being walked.
#include <cstdint>
#include <memory>
#include <vector>

#include "engine/draw/SceneFactory.h"

class CLayerList : public CSceneBase {
public:
    CLayerList() = default;
    ~CLayerList() override;
    CLayerList(const CLayerList&) = delete;
    CLayerList& operator=(const CLayerList&) = delete;

    // Null puts back the factory that creates nothing.  Not owned.
    void SetFactory(ISceneFactory* factory);

    // Adds an object the caller keeps owning; entries of equal priority keep the
    // order in which they were added.  False for null.
    bool Add(CSceneBase* object, int32_t priority);
    // Removes every entry with the id, then creates the object through the factory and
    // calls its Load.  False (nothing added) when the factory gives none.
    bool Add(int32_t priority, int32_t id);
    // Marks every entry with the id removed (given back at the next commit).
    void Remove(int32_t id);
    // Marks the entry of the object removed.
    void RemoveObject(const CSceneBase* object);
    // Removes every entry: the factory's objects are given back at once, or at the
    // commit after the walk when called during Update or Draw.
    void Clear();
    // Moves the live entries with the id to a new priority at the next commit.
    void Move(int32_t id, int32_t priority);
    // The live object of the id, or null.
    CSceneBase* Find(int32_t id) const;
    CSceneBase* FindByPriority(int32_t priority) const;
    // Hidden entries are updated but not drawn.
    void Show(int32_t priority);
    void Hide(int32_t priority);
    bool IsShown(int32_t priority) const;

    // Live entries (not marked removed).
    size_t GetCount() const;
    // Applies pending removals and moves now.
    void Commit();

    void Update() override;
    void Draw() override;
    void OnDeviceRestored() override;

private:
    struct SEntry {
        int32_t priority = 0;
        int32_t id = -1;               // -1 for objects added by pointer
        CSceneBase* object = nullptr;  // the object, owned or not
        std::unique_ptr<CSceneBase> owned;
        bool removed = false;
        bool shown = true;
        bool moved = false;
        int32_t newPriority = 0;
    };

    void _Insert(SEntry entry);
    void _Release(SEntry& entry);

    ISceneFactory* m_Factory = &CNullSceneFactory::Get();
    std::vector<SEntry> m_Entries;
    int m_Walking = 0;  // > 0 while Update or Draw walks the entries
};
