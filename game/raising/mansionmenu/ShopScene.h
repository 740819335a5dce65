#pragma once
// Mansion mode 5: ロザナ's shop.  The first visit of a game plays the shop's
// introduction script; then two boards slide in, the top one with the money, the other
// with the goods that the status puts on sale, eight to a page.  Goods the money does
// not cover or that are owned are disabled; buying (after a question when the player's
// confirmation option is on) takes the price and marks the item owned.  Leaving plays
// ロザナ's farewell and goes back to the menu.  Positions: docs/mansion-menu.md.
#include <array>
#include <cstdint>
#include <functional>
#include <string>

#include "engine/base/Counter.h"
#include "engine/draw/CellImage.h"
#include "engine/draw/ImagePlane.h"
#include "game/core/ImageButton.h"
#include "game/raising/mansion/MansionHosts.h"
#include "game/raising/panel/ButtonPanel.h"

class CStatus;

class CShopScene : public CShopScreen {
public:
    static constexpr int kEntryCount = 34;
    static constexpr int kPageSize = 8;
    static constexpr int32_t kSlideSteps = 20;
    static constexpr const char* kIntroScript = "scr\\category_000\\sc_000_003.txt";
    static constexpr const char* kBackground = "bg\\bg00m1k.bmp";
    static constexpr const char* kKeeper = "sc\\na010.bmp";
    static constexpr const char* kTopBoard = "obj\\s000_000.bmp";
    static constexpr const char* kTopPicture = "obj\\i001_000.bmp";
    static constexpr const char* kPrevButton = "obj\\s000_001.bmp";
    static constexpr const char* kNextButton = "obj\\s000_002.bmp";
    static constexpr const char* kDigits = "obj\\p001_000.bmp";
    static constexpr const char* kGoods = "obj\\s000_004.bmp";
    static constexpr const char* kLeaveButton = "obj\\h002_001.bmp";
    static constexpr const char* kHelpFile = "cfg\\bell_shop_tutorial.txt";
    static constexpr const char* kGreetingVoice = "voice\\ro5_0000.ogg";
    static constexpr const char* kThanksVoice = "voice\\ro5_0002.ogg";
    static constexpr const char* kFarewellVoice = "voice\\ro5_0003.ogg";
    static constexpr SPoint kPrevPos{408, 384};
    static constexpr SPoint kNextPos{520, 384};
    static constexpr SPoint kLeavePos{672, 380};
    static constexpr SPoint kMoneyPlaces[7] = {{315, 21}, {293, 16}, {270, 21}, {248, 17}, {226, 21}, {205, 11}, {181, 21}};

    // The price and item id of an entry.
    static constexpr int32_t kPrices[kEntryCount] = {50,  80,  30,  160, 40,  100, 100, 40,  30,  40,  60, 80,
                                                     30,  45,  60,  100, 200, 0,   150, 0,   120, 200, 100, 140,
                                                     400, 300, 160, 120, 100, 160, 60,  80,  120, 160};
    static constexpr int32_t Price(int entry) { return entry >= 0 && entry < kEntryCount ? kPrices[entry] : 0; }
    static int32_t ItemOf(int entry);
    // Where the k-th listed entry sits on its page.
    static SPoint SlotPos(int k);

    explicit CShopScene(CMansionHostMode& host);
    ~CShopScene() override;

    void Load() override;
    void Update() override;
    void Draw() override;
    void OnDeviceRestored() override;
    void SaveState(CGameState& state) override;
    void LoadState(const CGameState& state) override;
    void PrepareThumbnail() override { Draw(); }
    int32_t GetStep() const override { return m_Step; }

    // The per-frame goods work of the open shop.
    void RunShop();
    // Whether the status puts an entry on sale now.
    bool IsOnSale(int entry) const;
    // Whether the player cannot buy an entry now (money or owned).
    bool IsUnavailable(int entry) const;
    // Lists the entries that `onSale` names (the shop asks IsOnSale) on pages of eight
    // and shows page 0 with "previous" disabled.
    void ListGoods(const std::function<bool(int)>& onSale);

    int32_t GetPage() const { return m_Page; }
    int32_t GetPageCount() const { return m_PageCount; }
    bool IsListed(int entry) const { return m_Listed[static_cast<size_t>(entry)] != 0; }
    int32_t GetSelected() const { return m_Selected; }
    const CImageButton& GetGoods(int entry) const { return m_Goods[static_cast<size_t>(entry)]; }
    const CImageButton& GetPrev() const { return m_Prev; }
    const CImageButton& GetNext() const { return m_Next; }
    CButtonPanel& GetPanel() { return m_Panel; }
    int32_t GetTopOffset() const { return m_TopX.GetValue(); }
    int32_t GetSecondOffset() const { return m_SecondX.GetValue(); }

private:
    void _Open();
    void _Disable();
    void _ServeCursor(int32_t mx, int32_t my, bool decide);
    void _Buy();
    void _Say(const char* text, const char* voice);
    // Entry e's help line, unless it stands in the window already.
    void _ShowHelp(int entry);
    void _Unselect();
    // The line in the message window is revealed whole.
    bool _LineShown();
    // A page button's press: the page moved within 0 .. count − 1, "previous" enabled past
    // page 0 and "next" before the last page.
    void _TurnPage(int32_t page);
    const CStatus& _Status() const;
    CStatus& _Status();

    int32_t m_Step = 0;
    CImagePlane m_TopPlane;
    CImagePlane m_TopPicturePlane;
    CCellImage m_TopPicture;
    int32_t m_TopState = 0;
    CCounterAccel m_TopX;
    CCounterLinear m_TopFade;
    CImagePlane m_PrevPlane, m_NextPlane;
    CImageButton m_Prev, m_Next;
    CImagePlane m_DigitPlane;
    CCellImage m_Digits;
    CImagePlane m_GoodsPlane;
    std::array<CImageButton, kEntryCount> m_Goods;
    CImagePlane m_LeavePlane;
    CImageButton m_Leave;
    int32_t m_SecondState = 0;
    CCounterAccel m_SecondX;
    CCounterLinear m_SecondFade;
    int32_t m_Page = 0;
    int32_t m_PageCount = 0;
    std::array<uint8_t, kEntryCount> m_Listed{};
    std::array<int32_t, kEntryCount> m_Prices{};
    std::array<int32_t, kEntryCount> m_Items{};
    std::array<int32_t, kEntryCount> m_Slot{};  // the listed number of an entry
    int32_t m_Selected = -1;
    // The entry whose help line stands in the window; -1 once the shop said another line.
    int32_t m_HelpEntry = -1;
    CButtonPanel m_Panel;
};
