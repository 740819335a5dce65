#pragma once
// What the picture viewer and the play view share: a page of thumbnails over the
// dimmed wide background, six pages of up to three sub-pages of 24 slots (6 × 4), the
// tab bar and ten page buttons (pages 1 to 6, sub-pages 1 to 3, back).
//
// Slot i of sub-page s shows entry i + 24 s of the page; entries beyond the 72nd are
// never shown.  Every slot with an entry shows its frame and its two-digit number at
// the slot's alpha (128 to 255); an unlocked entry is hoverable: the pointer on it
// raises its alpha by 24 a frame, shows its preview beside it and plays the cursor
// sound once on arrival; off it, the alpha falls back by 24 a frame.  A sub-page
// button shows and reacts only while its sub-page has a first entry.
#include <array>
#include <cstdint>
#include <string>

#include "engine/draw/CellImage.h"
#include "engine/draw/ImagePlane.h"
#include "engine/draw/SceneBase.h"
#include "game/core/ImageButton.h"
#include "game/menus/kit/MenuDimmer.h"
#include "game/menus/kit/MenuTabBar.h"
#include "platform/sys/Geometry.h"

class CGameMain;

class CThumbnailGridScene : public CSceneBase, public CSceneObjectBase {
public:
    static constexpr int kSlots = 24;
    static constexpr int kColumns = 6;
    static constexpr int kPages = 6;
    static constexpr int kSubPages = 3;
    static constexpr int kButtonCount = 10;
    static constexpr int kFirstSubPageButton = 6;
    static constexpr int kBackButton = 9;
    static constexpr int32_t kAlphaLow = 128;
    static constexpr int32_t kAlphaHigh = 255;
    static constexpr int32_t kAlphaStep = 24;
    static constexpr const char* kSubTitle = "obj\\c000_003.bmp";
    static constexpr const char* kButtonSheet = "obj\\c000_017.bmp";
    static constexpr const char* kFrame = "obj\\c000_018.bmp";
    static constexpr const char* kDigits = "obj\\c000_019.bmp";
    static constexpr SPoint kTitleAt{0, 0};
    static constexpr SPoint kSubTitleAt{280, 0};

    // Top-left corners of slot i's frame, preview and tens digit (the ones digit stands
    // 13 right and 5 below it); the page buttons' places.
    static SPoint FrameAt(int slot);
    static SPoint PreviewAt(int slot);
    static SPoint NumberAt(int slot);
    static SPoint ButtonAt(int button);

    // `title` is the screen's title picture, `ownTab` its button on the tab bar.
    CThumbnailGridScene(CGameMain& game, const char* title, int32_t ownTab, bool tabHighlight);
    ~CThumbnailGridScene() override;

    void Load() override;
    void Update() override;
    void Draw() override;
    void OnDeviceRestored() override;

    // Page 0..5 read afresh, sub-page 0, the page's button on, the preview gone.
    void SetPage(int32_t page);
    // Sub-page 0..2: its button on, no slot hovered, every alpha 128, the preview gone.
    void SetSubPage(int32_t sub);

    int32_t GetPage() const { return m_Page; }
    int32_t GetSubPage() const { return m_SubPage; }
    int32_t GetHovered() const { return m_Hovered; }
    int32_t GetAlpha(int slot) const { return m_Alpha[static_cast<size_t>(slot)]; }
    CMenuTabBar& GetTabBar() { return m_Tabs; }
    CImageButton& GetPageButton(int i) { return m_Buttons[static_cast<size_t>(i)]; }

protected:
    // Replaces the entries by those of page `page`.
    virtual void _BuildPage(int32_t page) = 0;
    virtual int32_t _EntryCount() const = 0;
    virtual bool _IsUnlocked(int32_t index) const = 0;
    virtual const std::string& _PreviewPath(int32_t index) const = 0;
    // Decide on the hovered entry (the decide sound has played).
    virtual void _Choose(int32_t index) = 0;
    // An unlocked entry's pictures over its frame, in the slot's colour.
    virtual void _DrawEntry(int slot, int32_t index, uint32_t colour) = 0;

    void _ReleasePreview() { m_Preview.Release(); }
    // The sub-page of button 6 + k has a first entry.
    bool _HasSubPage(int k) const { return k * kSlots < _EntryCount(); }

    CGameMain& m_Game;

private:
    void _UpdateGrid();
    void _UpdateButtons();
    void _SelectButton(int first, int count, int on);

    const char* m_TitleFile;
    int32_t m_OwnTab;
    bool m_TabHighlight;
    bool m_UsesWide = false;
    CMenuDimmer m_Dimmer;
    CImagePlane m_Title;
    CImagePlane m_SubTitle;
    CMenuTabBar m_Tabs;
    CImagePlane m_ButtonSheet;
    std::array<CImageButton, kButtonCount> m_Buttons;
    CImagePlane m_FrameSheet;
    CImagePlane m_Preview;
    CImagePlane m_DigitSheet;
    CCellImage m_DigitCells;
    int32_t m_Hovered = -1;
    std::array<int32_t, kSlots> m_Alpha{};
    int32_t m_Page = 0;
    int32_t m_SubPage = 0;
};
