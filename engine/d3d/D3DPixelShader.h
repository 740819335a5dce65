#pragma once
// One of the device's fixed pixel programs (GFX_PS_*), as the transitions use them.
#include <cstdint>

class CD3DDevice;

class CD3DPixelShader {
public:
    bool Create(CD3DDevice* device, uint32_t program);
    bool Exists() const { return m_Handle != 0; }
    void Release() { m_Handle = 0; }
    uint32_t GetHandle() const { return m_Handle; }
    // Makes it the device's pixel program; Unset returns to the texture stages.
    bool Set() const;
    bool Unset() const;
    // Constant register `reg` = (r, g, b, a), each 0..1.
    bool SetConstant(uint32_t reg, float r, float g, float b, float a) const;

private:
    CD3DDevice* m_Device = nullptr;
    uint32_t m_Handle = 0;
};
