#include "CLedObject.h"

#include "ServiceCalls.h"

template <class F>
HRESULT CLedObject::ReadLed(const wchar_t* method, F f)
{
    const HRESULT hr = Model().BeginCall(method);
    if (FAILED(hr))
        return hr;
    return Model().Read([&](SimKeypad& keypad) {
        SimProfile* profile = FindProfile(keypad, m_profile);
        SimLed* led = profile ? FindLed(*profile, m_ledId) : nullptr;
        return led ? f(*led) : kNotFound;
    });
}

template <class F>
HRESULT CLedObject::ModifyLed(const wchar_t* method, F f)
{
    const HRESULT hr = Model().BeginCall(method);
    if (FAILED(hr))
        return hr;
    return Model().Modify([&](SimKeypad& keypad) {
        SimProfile* profile = FindProfile(keypad, m_profile);
        SimLed* led = profile ? FindLed(*profile, m_ledId) : nullptr;
        return led ? f(*led) : kNotFound;
    });
}

HRESULT CLedObject::TurnOn()
{
    return ModifyLed(L"ILed::TurnOn", [](SimLed& led) { led.on = true; return S_OK; });
}

HRESULT CLedObject::TurnOff()
{
    return ModifyLed(L"ILed::TurnOff", [](SimLed& led) { led.on = false; return S_OK; });
}

HRESULT CLedObject::GetState(LONG* on)
{
    if (!on)
        return E_POINTER;
    return ReadLed(L"ILed::GetState", [&](SimLed& led) { *on = led.on ? 1 : 0; return S_OK; });
}

HRESULT CLedObject::GetLedId(LONG* id)
{
    if (!id)
        return E_POINTER;
    return ReadLed(L"ILed::GetLedId", [&](SimLed& led) { *id = led.id; return S_OK; });
}

HRESULT CLedObject::Set(DWORD colour)
{
    return ModifyLed(L"ILedColour::Set", [&](SimLed& led) {
        if (colour > kMaxLedColour)
            return E_INVALIDARG;
        led.colour = colour;
        return S_OK;
    });
}

HRESULT CLedObject::Get(DWORD* colour)
{
    if (!colour)
        return E_POINTER;
    return ReadLed(L"ILedColour::Get", [&](SimLed& led) { *colour = led.colour; return S_OK; });
}

HRESULT CLedObject::Set(LONG percent)
{
    return ModifyLed(L"ILedBrightness::Set", [&](SimLed& led) {
        if (percent < 0 || percent > kMaxLedBrightness)
            return E_INVALIDARG;
        led.brightness = percent;
        return S_OK;
    });
}

HRESULT CLedObject::Get(LONG* percent)
{
    if (!percent)
        return E_POINTER;
    return ReadLed(L"ILedBrightness::Get", [&](SimLed& led) { *percent = led.brightness; return S_OK; });
}

HRESULT CLedObject::Set(LONG effect, LONG onMs, LONG offMs)
{
    return ModifyLed(L"ILedEffect::Set", [&](SimLed& led) {
        if (effect < 0 || effect > kMaxLedEffect || onMs < 0 || offMs < 0)
            return E_INVALIDARG;
        led.effect = effect;
        led.onMs = onMs;
        led.offMs = offMs;
        return S_OK;
    });
}

HRESULT CLedObject::Get(LONG* effect, LONG* onMs, LONG* offMs)
{
    if (!effect || !onMs || !offMs)
        return E_POINTER;
    return ReadLed(L"ILedEffect::Get", [&](SimLed& led) {
        *effect = led.effect;
        *onMs = led.onMs;
        *offMs = led.offMs;
        return S_OK;
    });
}
