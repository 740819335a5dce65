#pragma once
// A number that counts up from 0 to its target over 12 updates and draws itself digit
// by digit from the digit sheet, each digit at a place of its own (place 0 the units).
// A negative number is shown by its absolute value with the minus sign 24 pixels left
// of the last place, however many digits are drawn.
#include <array>
#include <cstdint>
#include <initializer_list>

#include "engine/base/Counter.h"
#include "engine/base/Matrix.h"
#include "engine/draw/CellImage.h"
#include "engine/draw/ImagePlane.h"
#include "engine/draw/SceneBase.h"
#include "platform/sys/Geometry.h"

class CCountUpNumber : public CSceneBase {
public:
    static constexpr int kPlaceCount = 20;
    static constexpr int32_t kSteps = 12;
    static constexpr int32_t kSignGap = 24;
    static constexpr int32_t kDigitColumns = 14;
    static constexpr const char* kSignPicture = "obj\\p001_001.bmp";
    enum EState : int32_t { STATE_IDLE = 0, STATE_COUNTING = 1, STATE_DONE = 2 };

    // The digit sheet (not owned, 14 × 1 cells) and the places, units first; the
    // places end at the first (0, 0) pair.
    void Setup(CImagePlane* digits, std::initializer_list<SPoint> places);
    // A negative value sets the sign and counts to its absolute value.
    void SetTarget(int32_t value);

    void Start();
    // The counting step (the scene's update).
    void Update() override;
    void Finish();
    bool IsStarted() const { return m_State != STATE_IDLE; }
    bool IsRunning() const { return m_State == STATE_COUNTING; }

    // The scene's own draw stays empty: the number is drawn by its screen, with the
    // screen's transform and opacity.
    using CSceneBase::Draw;
    void Draw(const CMatrix4& transform, int32_t alpha);
    // The sign plane again after a lost device.
    void OnDeviceRestored() override { m_Sign.Restore(); }

    int32_t GetTarget() const { return m_Target; }
    bool IsNegative() const { return m_Negative != 0; }
    // What a draw shows now: the counter's value while counting, then the target.
    int32_t GetShownValue() const;
    // How many places are used.
    int GetUsedPlaces() const;
    // The value the places can show: a value with more digits than places shows the
    // largest number they hold.
    static int32_t FitToPlaces(int32_t value, int places);

private:
    CCellImage m_Cells;
    std::array<SPoint, kPlaceCount> m_Places{};
    int32_t m_Target = 0;
    CCounterLinear m_Counter;
    CImagePlane m_Sign;
    uint8_t m_Negative = 0;
    int32_t m_State = STATE_IDLE;
    int32_t m_Step = 0;
};
