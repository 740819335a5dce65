#pragma once
// A text window over a text object: it shows a string (a save slot's comment) and,
// once opened for keyboard entry, edits it with the characters typed through the
// input method (SDL's text input stands in for it).  Text is Shift-JIS and never
// longer than the maximum length in bytes: what is typed beyond it is cut before the
// first character that does not fit whole.
//
// Entry: HandleInput opens it and registers the window as a listener of the
// application window's messages; typed characters (kChar, kImeChar) are appended,
// Backspace removes the last character, and IsOpen is true while the input method
// composes (between kImeStartComposition and kImeEndComposition), so that the Enter
// that confirms a composition does not end the edit.  Reset closes entry.
#include <cstddef>
#include <cstdint>
#include <string>

#include "engine/draw/SceneBase.h"
#include "engine/draw/TextObject.h"
#include "platform/window/WindowMessage.h"

class CTextWindow : public CSceneBase, public IMessageListener {
public:
    CTextWindow();
    ~CTextWindow() override;
    CTextWindow(const CTextWindow&) = delete;
    CTextWindow& operator=(const CTextWindow&) = delete;

    // Maximum length in bytes (0: no limit); the text held now is cut to it.
    void SetMaxLength(size_t bytes);
    size_t GetMaxLength() const { return m_MaxBytes; }
    void SetColour(uint32_t argb);
    // The text is cut to the maximum length and shown at once.
    void SetText(const std::string& text);
    // A copy of the string.
    std::string GetText() const { return m_String; }
    void SetPosition(int32_t x, int32_t y);

    // Opens the window for keyboard entry.
    void HandleInput();
    // Busy during entry: the input method is composing.
    bool IsOpen() const { return m_Entry && m_Composing; }
    // Whether keyboard entry is on.
    bool IsEditing() const { return m_Entry; }
    // Closes keyboard entry; the text stays.
    void Reset();

    CTextObject& GetTextObject() { return m_Text; }

    void Update() override;
    void Draw() override;
    void OnDeviceRestored() override;

    // Window messages (delivered while entry is open; tests call it directly).
    intptr_t OnMessage(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam) override;

private:
    void _Append(const std::string& chars);
    // One byte typed as a character: single-byte characters are appended, a lead byte
    // waits for its trail byte, control bytes are no text.
    void _TypeByte(uint8_t b);
    static bool _IsTrailByte(uint8_t b);
    void _Show();

    CTextObject m_Text;
    std::string m_String;
    size_t m_MaxBytes = 0;
    bool m_Entry = false;
    bool m_Composing = false;
    bool m_Registered = false;
    bool m_Dirty = false;
    std::string m_PendingLead;  // a lead byte typed alone, waiting for its trail byte
};
