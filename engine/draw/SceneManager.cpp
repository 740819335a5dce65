#include "engine/draw/SceneManager.h"

#include "engine/base/Log.h"

CSceneManager::~CSceneManager() { Reset(); }

void CSceneManager::SetFactory(ISceneFactory* factory) { m_Factory = factory ? factory : &CNullSceneFactory::Get(); }

void CSceneManager::GoTo(int32_t id) { m_Queue.push_back({CMD_GOTO, id, 0}); }
void CSceneManager::Call(int32_t id) { m_Queue.push_back({CMD_CALL, id, 0}); }
void CSceneManager::CallKeep(int32_t id) { m_Queue.push_back({CMD_CALL_KEEP, id, 0}); }
void CSceneManager::Return() { m_Queue.push_back({CMD_RETURN, 0, 0}); }
void CSceneManager::EndAll() { m_Queue.push_back({CMD_END_ALL, 0, 0}); }
void CSceneManager::Transition(int32_t index, int32_t frames) { m_Queue.push_back({CMD_TRANSITION, index, frames}); }
void CSceneManager::QueueEndTransition() { m_Queue.push_back({CMD_END_TRANSITION, 0, 0}); }

void CSceneManager::EndTransition() {
    m_InTransition = false;
    m_StartedThisUpdate = false;
    m_TransitionFrame = 0;
    m_TransitionFrames = 0;
    m_Holder.ClearCaptures();
}

void CSceneManager::Reset() {
    m_Queue.clear();
    EndTransition();
    _DestroyCurrent();
    ClearReturnStack();
    m_CurrentId = kNoScene;
}

void CSceneManager::ClearReturnStack() {
    while (!m_ReturnStack.empty()) {
        SReturn r = std::move(m_ReturnStack.back());
        m_ReturnStack.pop_back();
        if (r.kept) {
            m_Factory->Release(std::move(r.kept));
        }
    }
}

bool CSceneManager::IsIdle() const {
    if (m_Current || !m_Queue.empty()) {
        return false;
    }
    for (const SReturn& r : m_ReturnStack) {
        if (r.kept) return false;
    }
    return true;
}

int32_t CSceneManager::GetTransitionProgress() const {
    if (!m_InTransition) {
        return 0;
    }
    if (m_TransitionFrames <= 0) {
        return CTransitionHolder::kProgressMax;
    }
    return static_cast<int32_t>(static_cast<int64_t>(m_TransitionFrame) * CTransitionHolder::kProgressMax / m_TransitionFrames);
}

void CSceneManager::_DestroyCurrent() {
    if (m_Current) {
        m_Factory->Release(std::move(m_Current));
    }
}

void CSceneManager::_Create(int32_t id) {
    m_CurrentId = id;
    m_Current = m_Factory->Create(id);
    if (m_Current) {
        m_Current->Load();
    }
}

void CSceneManager::_CaptureOutgoing() {
    if (m_CapturedThisUpdate) {
        return;
    }
    m_CapturedThisUpdate = true;
    m_Holder.ClearCaptures();
    if (m_Holder.BeginOutgoing()) {
        if (m_Current) {
            m_Current->Draw();
        }
        m_Holder.EndOutgoing();
    }
}

void CSceneManager::_StartTransition(int32_t index, int32_t frames) {
    if (index < CTransitionHolder::kDirect || index >= CTransitionHolder::kCount) {
        DebugPrintf("CSceneManager::Transition() トランジション番号が不正です[%d]", index);
        EndTransition();
        return;
    }
    if (frames <= 0) {
        EndTransition();
        return;
    }
    _CaptureOutgoing();
    m_Holder.Create(index);
    m_InTransition = true;
    m_StartedThisUpdate = true;
    m_TransitionIndex = index;
    m_TransitionFrames = frames;
    m_TransitionFrame = 0;
}

namespace {
bool IsSceneCommand(int32_t type) {
    return type == CSceneManager::CMD_GOTO || type == CSceneManager::CMD_CALL || type == CSceneManager::CMD_CALL_KEEP ||
           type == CSceneManager::CMD_RETURN || type == CSceneManager::CMD_END_ALL;
}
}  // namespace

void CSceneManager::_Run(const SCommand& c, bool transitionFollows) {
    if (IsSceneCommand(c.type)) {
        // A scene change ends a running transition; the picture the first of a run of
        // scene commands leaves is the outgoing picture of the transition after them.
        if (m_InTransition) {
            EndTransition();
        }
        if (transitionFollows) {
            _CaptureOutgoing();
        }
    }
    switch (c.type) {
    case CMD_GOTO:
        _DestroyCurrent();
        _Create(c.a);
        break;
    case CMD_CALL:
        m_ReturnStack.push_back({m_CurrentId, nullptr});
        _DestroyCurrent();
        _Create(c.a);
        break;
    case CMD_CALL_KEEP:
        m_ReturnStack.push_back({m_CurrentId, std::move(m_Current)});
        _Create(c.a);
        break;
    case CMD_RETURN: {
        if (m_ReturnStack.empty()) {
            DebugPrintf("CSceneManager::Return() 戻り先のシーンがありません[id:%d]", m_CurrentId);
            break;
        }
        SReturn r = std::move(m_ReturnStack.back());
        m_ReturnStack.pop_back();
        _DestroyCurrent();
        if (r.kept) {
            m_Current = std::move(r.kept);
            m_CurrentId = r.id;
        } else {
            _Create(r.id);
        }
        break;
    }
    case CMD_END_ALL:
        _DestroyCurrent();
        ClearReturnStack();
        m_CurrentId = kNoScene;
        break;
    case CMD_TRANSITION:
        _StartTransition(c.a, c.b);
        break;
    case CMD_END_TRANSITION:
        EndTransition();
        break;
    }
}

void CSceneManager::Update() {
    RunQueue();
    if (m_Current) {
        m_Current->Update();
    }
    if (m_InTransition) {
        if (m_StartedThisUpdate) {
            // Drawn first at progress 0.
            m_StartedThisUpdate = false;
        } else if (m_TransitionFrame >= m_TransitionFrames) {
            EndTransition();
        } else {
            ++m_TransitionFrame;
        }
    }
}

void CSceneManager::RunQueue() {
    m_CapturedThisUpdate = false;
    // Only the commands queued before this update: what the new scenes queue while
    // they load runs next frame.
    size_t count = m_Queue.size();
    for (size_t i = 0; i < count && !m_Queue.empty(); ++i) {
        SCommand c = m_Queue.front();
        m_Queue.pop_front();
        bool transitionFollows = false;
        for (size_t k = 0; k + i + 1 < count && k < m_Queue.size(); ++k) {
            const SCommand& next = m_Queue[k];
            if (next.type == CMD_TRANSITION) {
                transitionFollows = next.b > 0;
                break;
            }
            if (!IsSceneCommand(next.type)) {
                break;
            }
        }
        _Run(c, transitionFollows);
    }
}

void CSceneManager::Draw() {
    // The first frame of a transition shows the outgoing picture alone: the incoming
    // scene is not drawn for a picture nobody sees (its first draw, which may read
    // files, comes a frame later, as after a skipped frame).
    if (m_InTransition && !m_Holder.ShowsIncoming(GetTransitionProgress()) && m_Holder.Draw(GetTransitionProgress())) {
        return;
    }
    if (m_InTransition && m_Holder.BeginIncoming()) {
        if (m_Current) {
            m_Current->Draw();
        }
        m_Holder.EndIncoming();
        if (m_Holder.Draw(GetTransitionProgress())) {
            return;
        }
    }
    if (m_Current) {
        m_Current->Draw();
    }
}

void CSceneManager::OnDeviceRestored() {
    if (m_Current) {
        m_Current->OnDeviceRestored();
    }
    for (SReturn& r : m_ReturnStack) {
        if (r.kept) r.kept->OnDeviceRestored();
    }
}
