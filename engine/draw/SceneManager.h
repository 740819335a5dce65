#pragma once
// The scene driver: scenes (or modes) are created by id through a factory and
// switched by commands that queue and run at the start of the next Update, in order:
// go to (the old scene is destroyed), call (the caller's id is kept and the caller is
// created again on return), call keeping the caller alive and suspended (it is neither
// updated nor drawn until the return resumes it), return, end all, start a transition
// (index, frames) and end it.  A transition's progress runs from 0 to 1024 over its
// frames; while it runs the manager draws its current scene through the transition,
// over the outgoing picture captured when the scene command ran.  Managers nest: a
// nested manager's transitions draw over that manager's own scenes.
#include <cstdint>
#include <deque>
#include <memory>
#include <vector>

#include "engine/draw/SceneFactory.h"
#include "engine/draw/TransitionHolder.h"

class CSceneManager : public CSceneBase {
public:
    static constexpr int32_t kNoScene = -1;

    enum ECommand : int32_t {
        CMD_GOTO = 0,
        CMD_CALL = 1,
        CMD_CALL_KEEP = 2,
        CMD_RETURN = 3,
        CMD_END_ALL = 4,
        CMD_TRANSITION = 5,
        CMD_END_TRANSITION = 6,
    };

    CSceneManager() = default;
    ~CSceneManager() override;
    CSceneManager(const CSceneManager&) = delete;
    CSceneManager& operator=(const CSceneManager&) = delete;

    // The factory that creates the scenes; null: the built-in one that creates none.
    // Not owned; it must outlive the scenes it made.
    void SetFactory(ISceneFactory* factory);

    // --- queued commands ---
    void GoTo(int32_t id);
    void Call(int32_t id);
    void CallKeep(int32_t id);
    void Return();
    void EndAll();
    // Index -1 (fade to a colour) or 0 to 53; 0 frames is a plain cut.
    void Transition(int32_t index, int32_t frames);
    void QueueEndTransition();

    // --- immediate ---
    // Ends a running transition now.
    void EndTransition();
    // Destroys every scene, empties the queue and the return stack, ends the
    // transition; the current id becomes kNoScene.
    void Reset();
    // Empties the return stack (suspended callers are destroyed).
    void ClearReturnStack();

    // --- queries ---
    // No live scene and no pending command.
    bool IsIdle() const;
    bool IsInTransition() const { return m_InTransition; }
    int32_t GetTransitionProgress() const;
    int32_t GetTransitionIndex() const { return m_TransitionIndex; }
    int32_t GetCurrentSceneId() const { return m_CurrentId; }
    CSceneBase* GetCurrentScene() const { return m_Current.get(); }
    size_t GetReturnStackDepth() const { return m_ReturnStack.size(); }
    size_t GetPendingCommandCount() const { return m_Queue.size(); }

    // Runs the queued commands, updates the current scene, then advances the transition.
    void Update() override;
    // Runs the queued commands alone (a scene made now is loaded, not yet updated).
    void RunQueue();
    void Draw() override;
    // The restore operation of every live scene (the current and the suspended ones).
    void OnDeviceRestored() override;
    void BroadcastOp3() { OnDeviceRestored(); }

private:
    struct SCommand {
        ECommand type;
        int32_t a;
        int32_t b;
    };
    struct SReturn {
        int32_t id;
        std::unique_ptr<CSceneBase> kept;  // the suspended caller of a call-keep
    };

    void _Run(const SCommand& command, bool transitionFollows);
    void _CaptureOutgoing();
    void _DestroyCurrent();
    void _Create(int32_t id);
    void _StartTransition(int32_t index, int32_t frames);

    ISceneFactory* m_Factory = &CNullSceneFactory::Get();
    std::unique_ptr<CSceneBase> m_Current;
    int32_t m_CurrentId = kNoScene;
    std::vector<SReturn> m_ReturnStack;
    std::deque<SCommand> m_Queue;

    CTransitionHolder m_Holder;
    bool m_InTransition = false;
    bool m_StartedThisUpdate = false;
    bool m_CapturedThisUpdate = false;
    int32_t m_TransitionIndex = 0;
    int32_t m_TransitionFrames = 0;
    int32_t m_TransitionFrame = 0;
};
