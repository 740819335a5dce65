#pragma once
// The three sliders of a settings page with their minus and plus buttons: a frame
// picture, a fill picture drawn in twentieths (one per 5 of a 0..100 value) and a
// momentary button either side.  The message and sound pages each hold one.
#include <array>
#include <cstdint>

#include "engine/draw/ImagePlane.h"
#include "game/core/Button.h"

class CGameMain;
class CSystemData;

class CSliderSet {
public:
    static constexpr int kCount = 3;
    static constexpr const char* kFrameFile = "obj\\c000_035.bmp";
    static constexpr const char* kFillFile = "obj\\c000_036.bmp";
    static constexpr const char* kStepSheet = "obj\\c000_037.bmp";
    static constexpr int32_t kStepColumns = 2;
    static constexpr int32_t kStepRows = 3;

    struct SLayout {
        std::array<SPoint, kCount> frames;
        std::array<SPoint, kCount> fills;  // also the top-left of the slider's hit rectangle
        std::array<SPoint, 2 * kCount> steps;  // minus and plus of slider 0, then 1, then 2
    };

    // The value of a pointer dx pixels right of a fill `width` pixels wide: 0 within
    // the first three pixels, else 5 to 100 in steps of 5.
    static int32_t ValueAt(int32_t dx, int32_t width);

    void Load(const SLayout& layout);
    // Releases every locked step button, then locks the minus button of a value at 0
    // and the plus button of a value at 100.
    void Lock(const std::array<int32_t, kCount>& values);
    // The slider whose fill rectangle holds the point, or -1.
    int HitSlider(SPoint at) const;
    // The value the point gives on slider i.
    int32_t ValueAt(int i, SPoint at) const;
    // While the decide button is held, or in the frame of a press that came since the
    // last one (a tap, released again before the frame): the slider it took, and in
    // `value` the value of the pointer's x held to the slider's ends; else -1.  A
    // slider is taken by a press or held button over its rectangle and stays taken,
    // wherever the pointer goes, until the button is released.
    int Held(CGameMain& game, int32_t* value);
    // Plays the step buttons' sounds; the slider whose minus or plus was pressed, with
    // -5 or +5 in `delta`, or -1.
    int PressedStep(CGameMain& game, int32_t* delta);
    // Frames, fills and (last) the step buttons.
    void Draw(const std::array<int32_t, kCount>& values, const CMatrix4& matrix);
    void Restore();

    std::array<CButton, 2 * kCount>& StepButtons() { return m_Steps; }
    const CImagePlane& Fill() const { return m_Fill; }

private:
    SLayout m_Layout{};
    CImagePlane m_Frame;
    CImagePlane m_Fill;
    CImagePlane m_StepSheet;
    std::array<CButton, 2 * kCount> m_Steps;
    // The slider the held button took, or -1.
    int m_Taken = -1;
};

// The settings fields that a page's three sliders show, in slider order.
using SSliderFields = std::array<int32_t CSystemData::*, CSliderSet::kCount>;
std::array<int32_t, CSliderSet::kCount> SliderValues(const CSystemData& sd, const SSliderFields& fields);
// Field `slider` set to `value` held to 0..100.
void SetSliderValue(CSystemData& sd, const SSliderFields& fields, int slider, int32_t value);

// The four-look cells (c, 0), (c, 1), (c, 2), (c, 2) with no locked look, which most
// settings buttons use; `lockedLook` gives the fifth look (c, 2) too.
std::array<CButton::SCell, CButton::kLookCount> SettingsButtonCells(int32_t column, bool lockedLook = false);
