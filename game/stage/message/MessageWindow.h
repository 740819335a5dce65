#pragma once
// The message window: the scenario's lines with the speaker's name in a box along the
// bottom of the screen, eleven speech balloons that show lines elsewhere, the log of
// the 80 newest lines, a row of buttons and a darkened state.  The stage builds it once
// and drives it through requests that the window's update carries out when they can
// be: the box opens and closes by the box request, the line starts, completes, closes
// or clears by the text request, and a close waits for the line to be gone.
//
// Its parts are drawn by its own layer list: balloon i at priority i (0 to 10), the box
// at 100, the log at 200, the text at 300 and the dimmer at 400.
#include <array>
#include <cstdint>
#include <memory>

#include "engine/draw/ImagePlane.h"
#include "engine/draw/LayerList.h"
#include "engine/draw/SceneBase.h"
#include "game/core/SaveRecordStrings.h"
#include "game/stage/message/BalloonWindow.h"
#include "game/stage/message/MessageBox.h"
#include "game/stage/message/MessageDimmer.h"
#include "game/stage/message/MessageLog.h"
#include "game/stage/message/MessageText.h"

class CGameMain;
class CImageButton;
class CSystemData;

class CMessageWindow : public CSceneBase, public CSceneObjectBase {
public:
    static constexpr int32_t kBalloonCount = 11;
    static constexpr int32_t kBalloonShapes = 9;  // shapes side by side in "obj\f000_000.bmp"
    static constexpr int32_t kBoxPriority = 100;
    static constexpr int32_t kLogPriority = 200;
    static constexpr int32_t kTextPriority = 300;
    static constexpr int32_t kDimmerPriority = 400;

    enum EBoxRequest : int32_t { BOX_NONE = 0, BOX_OPEN = 1, BOX_OPEN_NOW = 2, BOX_CLOSE = 3, BOX_CLOSE_NOW = 4 };
    enum ETextRequest : int32_t { TEXT_NONE = 0, TEXT_START = 1, TEXT_COMPLETE = 2, TEXT_CLOSE = 3, TEXT_CLEAR = 4 };

    // `branch` is the stage's branch switch (buttons 0, 1 and 14 to 16 then stay off the
    // screen).  The game may be null; the settings are then the defaults.
    CMessageWindow(CGameMain* game, CSceneBase* owner, bool branch);
    ~CMessageWindow() override;
    CMessageWindow(const CMessageWindow&) = delete;
    CMessageWindow& operator=(const CMessageWindow&) = delete;

    // Releases every part and builds them anew.
    void Reset();
    // The settings whose fourth option byte shows buttons 14 to 16 (not owned; null:
    // shown).  Taken from the game at construction.
    void SetSystemData(CSystemData* data) { m_SystemData = data; }

    // --- the line ---
    // The line becomes the current one (its name without "【" and "】") and goes into
    // the log; the text part shows the name and starts the text's reveal at once, also
    // while the box is closed or still sliding in (StartText then finds it busy).
    void SetMessage(const CSaveRecordStrings& line);
    // The line becomes the current one and the text part shows it whole at once, name
    // and text, without a reveal being set up or a log entry (the stage's skip paths).
    // A text request left by the line before is dropped.
    void SetMessageNow(const CSaveRecordStrings& line);
    void SetRevealStep(int32_t chars);
    void SetRevealTiming(bool timed, int32_t interval);
    void StartText();
    void CompleteText();
    void CloseText();
    void ClearText();
    void SetTextMark(bool on);

    // --- the box ---
    void RequestOpen();
    void RequestOpenNow();
    void RequestClose();
    void RequestCloseNow();
    void SetDarken(bool on);
    bool IsDarkened() const;
    void SetBoxAlpha(int32_t alpha);
    void EnableExtraButtons();
    // The cursor and the decide press for the buttons, once a frame.
    void HandleInput(int32_t x, int32_t y, bool press);

    // --- the log ---
    void OpenLog();
    void CloseLog();
    void LogOlder();
    void LogNewer();
    void ClearLog();
    // A line into the log by the rule of SetMessage (restoring a save).
    void AddLogLine(const CSaveRecordStrings& line);

    // --- balloons (index 0 to 10; any other index addresses none) ---
    // The balloon command's line: the name cleaned, the text wrapped in brackets, the
    // record kept, shape `shape` of the sheet and the text given to balloon i.
    void SetBalloonMessage(const CSaveRecordStrings& line, int32_t index, int32_t shape);
    // Restoring a save: the record is kept and balloon i loses its shape and text until
    // its line is given again.
    void SetBalloonRecord(int32_t index, const CSaveRecordStrings& line);
    void BalloonOpen(int32_t index);
    void BalloonShowNow(int32_t index);
    void BalloonClose(int32_t index);
    void BalloonCloseNow(int32_t index);
    void SetBalloonInEffect(int32_t index, int32_t effectId, int32_t frames);
    void SetBalloonOutEffect(int32_t index, int32_t effectId, int32_t frames);
    void SetBalloonReveal(int32_t index, int32_t chars, bool timed, int32_t interval);
    void SetBalloonDisplayParams(int32_t index, int32_t effectFrames, int32_t charGap);
    void SetBalloonPosition(int32_t index, int32_t x, int32_t y);
    void BalloonMarkOn(int32_t index);
    void BalloonMarkOff(int32_t index);
    bool IsBalloonOpen(int32_t index) const;
    bool IsBalloonChanging(int32_t index) const;
    bool IsBalloonOpening(int32_t index) const;
    bool IsBalloonClosing(int32_t index) const;
    bool IsAnyBalloonOpen() const;

    // --- queries ---
    bool IsBoxShown() const;
    bool IsBoxMoving() const;
    // The line is busy or a start is pending.
    bool IsTextBusy() const;
    // The line is held or a completion is pending.
    bool IsTextHolding() const;
    bool IsLogOpen() const;
    bool HasOlderLog() const;
    size_t GetLogCount() const;
    size_t GetLogIndex() const;
    const CSaveRecordStrings* GetLogLine(size_t index) const;
    const CSaveRecordStrings& GetCurrentLine() const { return m_Line; }
    int32_t GetBalloonCount() const { return kBalloonCount; }
    // Null outside 0 to 10.
    const CSaveRecordStrings* GetBalloonLine(int32_t index) const;
    CBalloonWindow* GetBalloon(int32_t index) const;
    CImageButton* GetButton(int32_t index) const;
    CMessageBox& GetBox() const { return *m_Box; }
    CMessageText& GetText() const { return *m_Text; }
    int32_t GetBoxRequest() const { return m_BoxRequest; }
    int32_t GetTextRequest() const { return m_TextRequest; }

    void Update() override;
    void Draw() override;
    void OnDeviceRestored() override;
    // Only the active parts (open balloons, the box, the log, the text; an open log
    // sets the balloons and the text aside), without the dimmer and the buttons: for
    // save thumbnails.
    void DrawActiveParts();
    // Part by part as the window draws itself: the closed box behind an open log, the
    // dimmer and the buttons included; `overBox` (may be null) between the box and the
    // log, so that a screen drawn in the window lies over the box and under the text.
    void DrawParts(CSceneBase* overBox = nullptr);

private:
    void Init();
    void _ReleaseParts();
    void _HandleBoxRequest();
    void _HandleTextRequest();
    void _RequestOpenForText();
    void _RequestCloseText();
    void _SetLogHidden(bool hidden);
    void _DrawClosedBoxForLog();
    bool _ExtraOn() const;
    CBalloonWindow* _Balloon(int32_t index) const;
    void _ShowBalloon(int32_t index, bool now);
    // Runs `f` on balloon `index` when there is one.
    template <typename F>
    void _WithBalloon(int32_t index, F&& f) {
        if (CBalloonWindow* balloon = _Balloon(index)) f(*balloon);
    }
    // `f`'s answer for balloon `index`; false when there is none.
    template <typename F>
    bool _AskBalloon(int32_t index, F&& f) const {
        const CBalloonWindow* balloon = _Balloon(index);
        return balloon && f(*balloon);
    }
    CSaveRecordStrings _Cleaned(const CSaveRecordStrings& line) const;

    CGameMain* m_Game;
    CSceneBase* m_Owner;
    CSystemData* m_SystemData = nullptr;
    CLayerList m_Layers;
    std::unique_ptr<CMessageBox> m_Box;
    std::unique_ptr<CMessageLog> m_Log;
    std::unique_ptr<CMessageText> m_Text;
    std::array<std::unique_ptr<CBalloonWindow>, kBalloonCount> m_Balloons;
    CImagePlane m_BalloonSheet;
    CSaveRecordStrings m_Line;
    std::array<CSaveRecordStrings, kBalloonCount> m_BalloonLines;
    CImagePlane m_MarkPicture;
    CImagePlane m_DimPlane;
    CMessageDimmer m_Dimmer;
    bool m_Branch;
    int32_t m_BoxRequest = BOX_NONE;
    int32_t m_TextRequest = TEXT_NONE;
};
