#pragma once
// The stage half of the letter scene's host: every stage operation goes to a
// CMainGameScene.  The in-game scene's half (events, mode, game state) is left to the
// class that knows the in-game scene.
#include "game/raising/letter/LetterHost.h"

class CMainGameScene;

class CLetterStageHost : public ILetterHost {
public:
    explicit CLetterStageHost(CMainGameScene& stage) : m_Stage(&stage) {}

    void ClearToBlackAlt() override;
    void ShowLayerImageAlt(int32_t layer, const std::string& file) override;
    void StartScreenChange(int32_t kind, int32_t frames) override;
    void StartScreenChangeAlt(int32_t kind, int32_t frames) override;
    bool IsScreenChangeRunning() const override;
    void FinishScreenChange() override;
    void SetMessageOff() override;
    void ShowMessage(const std::string& speaker, const std::string& text) override;
    void PlaySound(int32_t g, int32_t s, const std::string& list) override;
    void SetSlotVolume(int32_t g, int32_t s, int32_t volume) override;
    void SetSlotPan(int32_t g, int32_t s, int32_t pan) override;
    void PlaySlot(int32_t g, int32_t s, int32_t once, int32_t fadeInMs) override;
    void StopSlot(int32_t g, int32_t s, int32_t fadeMs) override;
    bool IsSkipping() const override;
    bool GetScriptEndFlag() const override;
    void EndMonth() override;

protected:
    CLetterStageHost() = default;
    // The stage of every operation, asked for each time (an in-game scene may build its
    // stage anew).
    virtual CMainGameScene& _Stage() const { return *m_Stage; }

private:
    CMainGameScene* m_Stage = nullptr;
};
