#include "engine/d3d/D3DPixelShader.h"

#include "engine/base/Log.h"
#include "engine/d3d/D3DDevice.h"

bool CD3DPixelShader::Create(CD3DDevice* device, uint32_t program) {
    m_Handle = 0;
    m_Device = device;
    if (!device) {
        DebugPrintf("CD3DPixelShader::Create() デバイスがありません");
        return false;
    }
    return device->CreatePixelShader(program, &m_Handle);
}

bool CD3DPixelShader::Set() const { return m_Device && m_Handle != 0 && m_Device->SetPixelShader(m_Handle); }

bool CD3DPixelShader::Unset() const { return m_Device && m_Device->SetPixelShader(0); }

bool CD3DPixelShader::SetConstant(uint32_t reg, float r, float g, float b, float a) const {
    const float v[4] = {r, g, b, a};
    return m_Device && m_Device->SetPixelShaderConstant(reg, v, 1);
}
