#include "engine/sound/DirectSound.h"

#include <string>
#include <vector>

#include "engine/base/AppManager.h"
#include "engine/base/Log.h"
#include "engine/sound/DirectSoundManager.h"

CDirectSound::CDirectSound() = default;

CDirectSound::~CDirectSound() { Release(); }

bool CDirectSound::Create(const void* window, EOutput output) {
    if (m_Created) {
        DebugPrintf("CDirectSound::Create() 既に作成されています");
        return false;
    }
    if (!CDirectSoundManager::Get().Register(window, this)) return false;
    m_Window = window;
    if (output == OUTPUT_MANUAL) {
        m_Device.OpenManual();
    } else {
        std::string note;
        std::vector<std::string> library;
        m_Device.OpenOutput(&note, &library);
        // ALSA's complaints while SDL looked for a device (a machine without a sound
        // card) are kept for the log; the line below says the same on the terminal.
        for (const std::string& line : library) {
            DebugPrintfLogOnly("CDirectSound::Create() %s", line.c_str());
        }
        if (!note.empty()) {
            DebugPrintf("CDirectSound::Create() サウンドデバイスがないため無音で動作します[%s]", note.c_str());
        }
    }
    m_Created = true;
    // The sounds built on this thread find their device through its record.
    CAppManager::SetDirectSound(this);
    m_RegisteredInApp = true;
    return true;
}

void CDirectSound::Release() {
    if (!m_Created) return;
    if (m_RegisteredInApp && CAppManager::GetDirectSound() == this) CAppManager::SetDirectSound(nullptr);
    m_RegisteredInApp = false;
    m_Device.Close();
    CDirectSoundManager::Get().Unregister(this);
    m_Created = false;
    m_Window = nullptr;
}

CDirectSound* CDirectSound::GetCurrent() {
    auto* own = static_cast<CDirectSound*>(CAppManager::GetDirectSound());
    CDirectSoundManager& m = CDirectSoundManager::Get();
    // Only a live registered object is used: the record may outlive one released elsewhere.
    if (own && m.Contains(own)) return own;
    return m.GetFirst();
}
