#pragma once
// The base of every command handler: the prologue that each record runs through (the
// script tool's record id, the read history), and the conversions the commands share.
#include <cstdint>

#include "engine/adv/AdvCommand.h"
#include "engine/adv/AdvTranslator.h"
#include "platform/sys/Geometry.h"

class CMainGameScene;

class CGameCommand : public IAdvTranslator {
public:
    // Set by the factory before every use; the handler never owns it.
    void SetScene(CMainGameScene* scene) { m_Scene = scene; }
    CMainGameScene* GetScene() const { return m_Scene; }

    // The prologue, then the command itself (nothing for this base: codes 0 and 1).
    int32_t Translate(CAdvCommand& record) final;

    // Milliseconds as frames of the game's frame rate (60 without a game).  A negative
    // time is taken as 0: carried through unsigned arithmetic it would be a wait of years.
    int32_t Frames(int64_t ms) const;
    // Where the placing rule puts a picture of `size`: 0 as given, 1 centred on the
    // floor line, 2 and 3 the same 170 pixels left or right; false for any other rule.
    static bool Place(int32_t rule, int32_t x, int32_t y, SSize size, SPoint* at);
    // a + b held to the 32-bit range: script values reach the edges of it.
    static int32_t Sum(int64_t a, int64_t b);
    // 0xFF000000 plus the low bytes of the three components.
    static uint32_t OpaqueColour(int32_t r, int32_t g, int32_t b);

protected:
    virtual int32_t _Run(CAdvCommand& record, CMainGameScene& scene);

private:
    CMainGameScene* m_Scene = nullptr;
};
