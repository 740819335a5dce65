#include "engine/draw/TransitionLayerList.h"

#include <algorithm>
#include <utility>

#include "engine/base/Log.h"

CTransitionLayerList::~CTransitionLayerList() {
    for (auto& list : m_Lists) {
        for (SRecord& r : list) {
            if (r.object) m_Factory->Release(std::move(r.object));
        }
        list.clear();
    }
}

bool CTransitionLayerList::KeyOfId(int32_t id, int32_t* key) {
    if (id < -0x3FFFFFFF || id > 0x3FFFFFFF) {
        DebugPrintf("CTransitionLayerList::KeyOfId() IDが範囲外です[%d]", id);
        return false;
    }
    *key = id * 2;
    return true;
}

void CTransitionLayerList::SetFactory(ISceneFactory* factory) { m_Factory = factory ? factory : &CNullSceneFactory::Get(); }

void CTransitionLayerList::_Drop(int list, int32_t key) {
    auto& records = m_Lists[list];
    for (size_t i = 0; i < records.size();) {
        if (records[i].key == key) {
            if (m_Walking > 0) {
                // Not while the records are walked: removed now, destroyed at the purge.
                records[i].removed = true;
                ++i;
                continue;
            }
            std::unique_ptr<CSceneBase> object = std::move(records[i].object);
            records.erase(records.begin() + static_cast<std::ptrdiff_t>(i));
            if (object) m_Factory->Release(std::move(object));
            continue;
        }
        ++i;
    }
}

bool CTransitionLayerList::_Add(int list, int32_t kind, int32_t key) {
    if (key == kNoKey) {
        DebugPrintf("CTransitionLayerList::Add() キーが不正です[0x%08X]", static_cast<uint32_t>(key));
        return false;
    }
    _Drop(list, key);
    std::unique_ptr<CSceneBase> object = m_Factory->Create(kind);
    if (!object) {
        return false;
    }
    SRecord r;
    r.key = key;
    r.kind = kind;
    r.object = std::move(object);
    CSceneBase* created = r.object.get();
    auto& records = m_Lists[list];
    // Kept in key order; a new record goes after the records of an equal key.
    auto at = std::upper_bound(records.begin(), records.end(), key, [](int32_t k, const SRecord& e) { return k < e.key; });
    if (m_Walking > 0) {
        records.push_back(std::move(r));
    } else {
        records.insert(at, std::move(r));
    }
    created->Load();
    return true;
}

bool CTransitionLayerList::Add(int32_t kind, int32_t key) { return _Add(LIST_CURRENT, kind, key); }

bool CTransitionLayerList::AddTransition(int32_t kind, int32_t key) { return _Add(LIST_NEXT, kind, key); }

void CTransitionLayerList::Remove(int32_t key) {
    // A picture prepared under the key goes too: what the key shows is replaced or
    // dropped now, and a prepared record must not come in later over its replacement.
    for (auto& list : m_Lists) {
        for (SRecord& r : list) {
            if (r.key == key) r.removed = true;
        }
    }
}

void CTransitionLayerList::RemoveTransition(int32_t key) {
    for (SRecord& r : m_Lists[LIST_NEXT]) {
        if (r.key == key) r.removed = true;
    }
    for (SRecord& r : m_Lists[LIST_CURRENT]) {
        if (r.key == key && !r.removed) r.leaving = true;
    }
}

void CTransitionLayerList::RemoveAll() {
    for (auto& list : m_Lists) {
        for (SRecord& r : list) r.removed = true;
    }
}

bool CTransitionLayerList::Move(int32_t key, int32_t newKey) {
    if (key == kNoKey || newKey == kNoKey) {
        DebugPrintf("CTransitionLayerList::Move() キーが不正です[0x%08X -> 0x%08X]", static_cast<uint32_t>(key),
                    static_cast<uint32_t>(newKey));
        return false;
    }
    bool outgoing = false;
    for (const auto& list : m_Lists) {
        for (const SRecord& r : list) {
            if (r.key == key && (r.removed || r.leaving)) outgoing = true;
        }
    }
    for (auto& list : m_Lists) {
        for (SRecord& r : list) {
            if (r.key == key && (r.removed || r.leaving) == outgoing) r.key = newKey;
        }
        // The drawing order follows the keys (the walk keeps its order until it ends).
        if (m_Walking == 0) {
            std::stable_sort(list.begin(), list.end(), [](const SRecord& a, const SRecord& b) { return a.key < b.key; });
        }
    }
    return true;
}

const CTransitionLayerList::SRecord* CTransitionLayerList::_FindLive(int32_t key) const {
    if (key == kNoKey) {
        return nullptr;
    }
    for (const auto& list : m_Lists) {
        for (const SRecord& r : list) {
            if (r.key == key && !r.removed && !r.leaving) return &r;
        }
    }
    return nullptr;
}

bool CTransitionLayerList::Exists(int32_t key) const { return _FindLive(key) != nullptr; }

CSceneBase* CTransitionLayerList::Find(int32_t key) const {
    const SRecord* r = _FindLive(key);
    return r ? r->object.get() : nullptr;
}

int32_t CTransitionLayerList::GetKind(int32_t key) const {
    const SRecord* r = _FindLive(key);
    return r ? r->kind : 0;
}

size_t CTransitionLayerList::GetCount() const { return m_Lists[0].size() + m_Lists[1].size(); }

int32_t CTransitionLayerList::GetKeyAt(size_t index) const {
    if (index < m_Lists[0].size()) return m_Lists[0][index].key;
    index -= m_Lists[0].size();
    if (index < m_Lists[1].size()) return m_Lists[1][index].key;
    return kNoKey;
}

bool CTransitionLayerList::StartTransition(int32_t index, int32_t frames) {
    if (index < CTransitionHolder::kDirect || index >= CTransitionHolder::kCount) {
        DebugPrintf("CTransitionLayerList::StartTransition() トランジション番号が不正です[%d]", index);
        return false;
    }
    if (m_InTransition) {
        EndTransition();
    }
    if (frames <= 0) {
        _Commit();
        return true;
    }
    m_Holder.Create(index);
    m_Holder.ClearCaptures();
    m_InTransition = true;
    m_StartedThisUpdate = true;
    m_NeedOutgoing = true;
    m_Frames = frames;
    m_Frame = 0;
    return true;
}

void CTransitionLayerList::EndTransition() {
    // With no transition running there is nothing to end: what was prepared on the
    // transition side waits for the next one (ending is also what every direct change
    // of the talk objects does first).
    if (!m_InTransition) {
        return;
    }
    _Commit();
}

void CTransitionLayerList::_Commit() {
    m_InTransition = false;
    m_StartedThisUpdate = false;
    m_NeedOutgoing = false;
    m_Frame = m_Frames = 0;
    m_Holder.ClearCaptures();
    auto& current = m_Lists[LIST_CURRENT];
    for (SRecord& r : current) {
        if (r.leaving) {
            r.leaving = false;
            r.removed = true;
            r.gone = true;
        }
    }
    for (SRecord& r : m_Lists[LIST_NEXT]) {
        if (r.removed) r.gone = true;
        current.push_back(std::move(r));
    }
    m_Lists[LIST_NEXT].clear();
    if (m_Walking == 0) {
        std::stable_sort(current.begin(), current.end(), [](const SRecord& a, const SRecord& b) { return a.key < b.key; });
    }
    // The pictures that the transition took away are not seen again.
    Purge();
}

int32_t CTransitionLayerList::GetTransitionProgress() const {
    if (!m_InTransition || m_Frames <= 0) return 0;
    return static_cast<int32_t>(static_cast<int64_t>(m_Frame) * CTransitionHolder::kProgressMax / m_Frames);
}

void CTransitionLayerList::Purge() {
    if (m_InTransition || m_Walking > 0) {
        return;
    }
    for (auto& list : m_Lists) {
        std::vector<std::unique_ptr<CSceneBase>> gone;
        for (size_t i = 0; i < list.size();) {
            if (list[i].removed) {
                gone.push_back(std::move(list[i].object));
                list.erase(list.begin() + static_cast<std::ptrdiff_t>(i));
                continue;
            }
            ++i;
        }
        for (auto& object : gone) {
            if (object) m_Factory->Release(std::move(object));
        }
        std::stable_sort(list.begin(), list.end(), [](const SRecord& a, const SRecord& b) { return a.key < b.key; });
    }
}

void CTransitionLayerList::Update() {
    Purge();
    ++m_Walking;
    for (int l = 0; l < 2; ++l) {
        for (size_t i = 0; i < m_Lists[l].size(); ++i) {
            SRecord& r = m_Lists[l][i];
            if (!r.removed && r.object) r.object->Update();
        }
    }
    --m_Walking;
    if (m_InTransition) {
        if (m_StartedThisUpdate) {
            m_StartedThisUpdate = false;
        } else if (m_Frame >= m_Frames) {
            EndTransition();
        } else {
            ++m_Frame;
        }
    }
    m_Effect.Update();
}

void CTransitionLayerList::_DrawSet(bool outgoing) {
    // The objects themselves, not their records: a draw that adds a record or ends the
    // transition moves the records, while the objects stay until the purge, which
    // waits for the walk.
    std::vector<std::pair<int32_t, CSceneBase*>> set;
    for (SRecord& r : m_Lists[LIST_CURRENT]) {
        if (r.gone || !r.object) continue;
        if (outgoing || (!r.removed && !r.leaving)) set.emplace_back(r.key, r.object.get());
    }
    if (!outgoing) {
        for (SRecord& r : m_Lists[LIST_NEXT]) {
            if (!r.removed && r.object) set.emplace_back(r.key, r.object.get());
        }
    }
    std::stable_sort(set.begin(), set.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    ++m_Walking;
    for (const auto& entry : set) {
        entry.second->Draw();
    }
    --m_Walking;
}

void CTransitionLayerList::_DrawLayers() {
    if (!m_InTransition) {
        _DrawSet(true);
        return;
    }
    if (m_NeedOutgoing) {
        if (m_Holder.BeginOutgoing()) {
            _DrawSet(true);
            m_Holder.EndOutgoing();
        }
        m_NeedOutgoing = false;
    }
    if (m_Holder.BeginIncoming()) {
        _DrawSet(false);
        m_Holder.EndIncoming();
        if (m_Holder.Draw(GetTransitionProgress())) {
            return;
        }
    }
    // Without Direct3D the transition draws nothing: the incoming set is shown as it is.
    _DrawSet(false);
}

void CTransitionLayerList::Draw() {
    if (m_Effect.NeedsCapture() && m_Effect.BeginCapture()) {
        _DrawLayers();
        m_Effect.EndCapture();
    } else {
        _DrawLayers();
    }
    m_Effect.DrawOverlay();
}

void CTransitionLayerList::OnDeviceRestored() {
    ++m_Walking;
    for (auto& list : m_Lists) {
        for (size_t i = 0; i < list.size(); ++i) {
            if (!list[i].removed && list[i].object) list[i].object->OnDeviceRestored();
        }
    }
    --m_Walking;
}
