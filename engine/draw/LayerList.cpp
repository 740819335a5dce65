#include "engine/draw/LayerList.h"

#include <algorithm>

#include "engine/base/Log.h"

CLayerList::~CLayerList() {
    for (SEntry& e : m_Entries) {
        _Release(e);
    }
}

void CLayerList::SetFactory(ISceneFactory* factory) { m_Factory = factory ? factory : &CNullSceneFactory::Get(); }

void CLayerList::_Insert(SEntry entry) {
    auto at = std::upper_bound(m_Entries.begin(), m_Entries.end(), entry.priority,
                               [](int32_t p, const SEntry& e) { return p < e.priority; });
    if (m_Walking > 0) {
        // Inserting would move entries under the walk: add at the end and sort at the commit.
        m_Entries.push_back(std::move(entry));
        m_Entries.back().moved = true;
        m_Entries.back().newPriority = m_Entries.back().priority;
        return;
    }
    m_Entries.insert(at, std::move(entry));
}

void CLayerList::_Release(SEntry& entry) {
    if (entry.owned) {
        m_Factory->Release(std::move(entry.owned));
    }
    entry.object = nullptr;
}

bool CLayerList::Add(CSceneBase* object, int32_t priority) {
    if (!object) {
        DebugPrintf("CLayerList::Add() オブジェクトがありません[priority:%d]", priority);
        return false;
    }
    SEntry e;
    e.priority = priority;
    e.object = object;
    _Insert(std::move(e));
    return true;
}

bool CLayerList::Add(int32_t priority, int32_t id) {
    Remove(id);
    std::unique_ptr<CSceneBase> object = m_Factory->Create(id);
    if (!object) {
        return false;
    }
    SEntry e;
    e.priority = priority;
    e.id = id;
    e.object = object.get();
    e.owned = std::move(object);
    CSceneBase* created = e.object;
    _Insert(std::move(e));
    created->Load();
    return true;
}

void CLayerList::Remove(int32_t id) {
    for (SEntry& e : m_Entries) {
        if (e.id == id && e.id != -1) e.removed = true;
    }
}

void CLayerList::RemoveObject(const CSceneBase* object) {
    for (SEntry& e : m_Entries) {
        if (e.object == object) e.removed = true;
    }
}

void CLayerList::Clear() {
    for (SEntry& e : m_Entries) e.removed = true;
    // Outside a walk the objects go now (an owner clears the list in its destructor
    // while what the objects use still exists); during one, at the commit after it.
    Commit();
}

void CLayerList::Move(int32_t id, int32_t priority) {
    for (SEntry& e : m_Entries) {
        if (e.id == id && !e.removed) {
            e.moved = true;
            e.newPriority = priority;
        }
    }
}

CSceneBase* CLayerList::Find(int32_t id) const {
    for (const SEntry& e : m_Entries) {
        if (e.id == id && !e.removed) return e.object;
    }
    return nullptr;
}

CSceneBase* CLayerList::FindByPriority(int32_t priority) const {
    for (const SEntry& e : m_Entries) {
        if (e.priority == priority && !e.removed) return e.object;
    }
    return nullptr;
}

void CLayerList::Show(int32_t priority) {
    for (SEntry& e : m_Entries) {
        if (e.priority == priority) e.shown = true;
    }
}

void CLayerList::Hide(int32_t priority) {
    for (SEntry& e : m_Entries) {
        if (e.priority == priority) e.shown = false;
    }
}

bool CLayerList::IsShown(int32_t priority) const {
    for (const SEntry& e : m_Entries) {
        if (e.priority == priority && !e.removed) return e.shown;
    }
    return false;
}

size_t CLayerList::GetCount() const {
    return static_cast<size_t>(std::count_if(m_Entries.begin(), m_Entries.end(), [](const SEntry& e) { return !e.removed; }));
}

void CLayerList::Commit() {
    if (m_Walking > 0) {
        return;
    }
    // Given back one by one: a released object may mark further entries.
    for (size_t i = 0; i < m_Entries.size();) {
        if (m_Entries[i].removed) {
            SEntry e = std::move(m_Entries[i]);
            m_Entries.erase(m_Entries.begin() + static_cast<std::ptrdiff_t>(i));
            _Release(e);
            i = 0;
            continue;
        }
        ++i;
    }
    bool any = false;
    for (SEntry& e : m_Entries) {
        if (e.moved) {
            e.priority = e.newPriority;
            e.moved = false;
            any = true;
        }
    }
    if (any) {
        std::stable_sort(m_Entries.begin(), m_Entries.end(), [](const SEntry& a, const SEntry& b) { return a.priority < b.priority; });
    }
}

void CLayerList::Update() {
    Commit();
    ++m_Walking;
    // By index: objects may add entries while they update (they land at the end).
    for (size_t i = 0; i < m_Entries.size(); ++i) {
        if (!m_Entries[i].removed && m_Entries[i].object) m_Entries[i].object->Update();
    }
    --m_Walking;
    // What the walk removed, moved or added takes effect before the frame is drawn.
    Commit();
}

void CLayerList::Draw() {
    ++m_Walking;
    for (size_t i = 0; i < m_Entries.size(); ++i) {
        SEntry& e = m_Entries[i];
        if (!e.removed && e.shown && e.object) e.object->Draw();
    }
    --m_Walking;
}

void CLayerList::OnDeviceRestored() {
    ++m_Walking;
    for (size_t i = 0; i < m_Entries.size(); ++i) {
        if (!m_Entries[i].removed && m_Entries[i].object) m_Entries[i].object->OnDeviceRestored();
    }
    --m_Walking;
}
