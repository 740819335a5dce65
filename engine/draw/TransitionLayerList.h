#pragma once
// The layer list the talk objects live in, keyed by signed 32-bit numbers that are
// also the drawing order (larger keys over smaller).  It keeps two lists: the current
// one (what is shown) and the transition side (objects prepared to appear with the
// next transition).  A transition draws the current set as the outgoing picture and
// the set it leads to as the incoming one; when it ends, the prepared objects join the
// current list and the objects taken off the transition side go.
//
// Removed records stay (and are drawn) until the next purge at the start of Update,
// which waits while a transition runs.  The key 0x80000000 means "no record" and is
// never given to one.
//
// It also carries the screen effect (CScreenEffect) drawn over its layers.
#include <cstdint>
#include <memory>
#include <vector>

#include "engine/draw/SceneFactory.h"
#include "engine/draw/ScreenEffect.h"
#include "engine/draw/TransitionHolder.h"

class CTransitionLayerList : public CSceneBase {
public:
    static constexpr int32_t kNoKey = INT32_MIN;  // 0x80000000

    CTransitionLayerList() = default;
    ~CTransitionLayerList() override;
    CTransitionLayerList(const CTransitionLayerList&) = delete;
    CTransitionLayerList& operator=(const CTransitionLayerList&) = delete;

    // The key of an id (2 × id) when both it and the key above it (2 × id + 1) fit
    // and are not kNoKey; false (with a log line) for ids outside ±0x3FFFFFFF.
    static bool KeyOfId(int32_t id, int32_t* key);

    // Creates objects by kind.  Null: the factory that creates none.  Not owned.
    void SetFactory(ISceneFactory* factory);

    // Drops a record with the key, creates the object of the kind and calls its Load.
    // False when the factory gives none or the key is kNoKey.
    bool Add(int32_t kind, int32_t key);
    // The same on the transition side.
    bool AddTransition(int32_t kind, int32_t key);
    // Marks the records with the key removed, on both sides.
    void Remove(int32_t key);
    // Takes the key off the transition side: a prepared record is removed, a current
    // one leaves with the next transition (it stays in the outgoing picture).
    void RemoveTransition(int32_t key);
    // Marks every record of both lists removed.
    void RemoveAll();
    // Gives the records with the key that are on their way out (removed or leaving) the
    // new key; when there are none, the live records with the key.  False for kNoKey.
    bool Move(int32_t key, int32_t newKey);

    bool Exists(int32_t key) const;
    CSceneBase* Find(int32_t key) const;
    // The kind the record was created with, 0 when none.
    int32_t GetKind(int32_t key) const;
    // Every record of both lists (removed ones until purged), current list first.
    size_t GetCount() const;
    int32_t GetKeyAt(size_t index) const;

    // False for an index outside -1..53 (nothing starts).  0 frames ends at once.
    bool StartTransition(int32_t index, int32_t frames);
    // Ends a running transition and commits the transition side; nothing when none runs.
    void EndTransition();
    bool IsInTransition() const { return m_InTransition; }
    int32_t GetTransitionProgress() const;

    bool StartScreenEffect(int32_t kind) { return m_Effect.Start(kind); }
    void EndScreenEffect(bool gradual) { m_Effect.End(gradual); }
    bool IsScreenEffectActive() const { return m_Effect.IsActive(); }
    // On while the effects are turned off: the effect is then not drawn.
    void SetScreenEffectSwitch(bool on) { m_Effect.SetSwitch(on); }
    bool GetScreenEffectSwitch() const { return m_Effect.GetSwitch(); }
    CScreenEffect& GetScreenEffect() { return m_Effect; }

    // Destroys the removed records now (not while a transition runs).
    void Purge();

    void Update() override;
    void Draw() override;
    void OnDeviceRestored() override;

private:
    struct SRecord {
        int32_t key = 0;
        int32_t kind = 0;
        std::unique_ptr<CSceneBase> object;
        bool removed = false;
        bool leaving = false;  // goes when the transition ends
        bool gone = false;     // went with a transition: no longer drawn
    };
    enum { LIST_CURRENT = 0, LIST_NEXT = 1 };

    bool _Add(int list, int32_t kind, int32_t key);
    // Ends the transition state and commits the transition side.
    void _Commit();
    void _Drop(int list, int32_t key);
    const SRecord* _FindLive(int32_t key) const;
    void _DrawSet(bool outgoing);
    void _DrawLayers();

    ISceneFactory* m_Factory = &CNullSceneFactory::Get();
    std::vector<SRecord> m_Lists[2];
    int m_Walking = 0;

    CTransitionHolder m_Holder;
    bool m_InTransition = false;
    bool m_StartedThisUpdate = false;
    bool m_NeedOutgoing = false;
    int32_t m_Frames = 0;
    int32_t m_Frame = 0;

    CScreenEffect m_Effect;
};
