#pragma once
// In-game mode 4: the month's date card.  The shown year and month in digit pictures
// with five fixed pictures over the wide background, for 250 frames after the mode's
// opening transition or until the player passes it; then the mode machine goes to
// mode 1.
#include <array>
#include <cstdint>

#include "engine/draw/ImagePlane.h"
#include "game/raising/ingame/ModeState.h"

class CD000Scene : public CModeState {
public:
    static constexpr const char* kPictures[5] = {"obj\\d000_000.bmp", "obj\\d000_001.bmp", "obj\\d000_002.bmp",
                                                 "obj\\d000_004.bmp", "obj\\d000_005.bmp"};
    static constexpr SPoint kPictureAt[5] = {{0, 0}, {0, 464}, {480, 232}, {188, 184}, {344, 360}};
    // A row of ten cells, the digits 0 to 9.
    static constexpr const char* kDigitSheet = "obj\\d000_003.bmp";
    static constexpr int32_t kDigitCells = 10;
    // Year tens, year ones, month tens, month ones.
    static constexpr SPoint kDigitAt[4] = {{12, 175}, {98, 142}, {158, 322}, {252, 312}};
    static constexpr int32_t kShowFrames = 250;
    static constexpr uint32_t kCtrlKey = 17;

    enum EState { kStart = 0, kCounting = 1, kLeave = 2, kLeft = 3 };

    using CModeState::CModeState;
    ~CD000Scene() override;

    void Load() override;
    void Update() override;
    void Draw() override;
    void OnDeviceRestored() override;
    void PrepareThumbnail() override { Draw(); }

    // The year the card shows: the status year, the one before in months 1 to 3 (the
    // game's year begins in April).
    static int32_t ShownYear(int32_t year, int32_t month) { return month >= 1 && month <= 3 ? year - 1 : year; }

    int32_t GetState() const { return m_State; }
    int32_t GetTimer() const { return m_Timer; }

private:
    void _BuildDigits();
    void _Leave();

    std::array<CImagePlane, 5> m_Pictures;
    std::array<CImagePlane, 4> m_Digits;
    int32_t m_State = kStart;
    int32_t m_Timer = 0;
    int32_t m_ShownYear = 0;
    int32_t m_Month = 0;
    bool m_UsesWide = false;
};
