#include "CLedManagerObject.h"

#include "CLedObject.h"
#include "ServiceCalls.h"

#include <new>

HRESULT CLedManagerObject::Item(LONG index, ILed** led)
{
    HRESULT hr = Model().BeginCall(L"ILedManager::Item");
    if (FAILED(hr))
        return hr;
    if (!led)
        return E_POINTER;
    *led = nullptr;
    LONG ledId = 0;
    hr = Model().Read([&](SimKeypad& keypad) {
        SimProfile* profile = FindProfile(keypad, m_profile);
        if (!profile)
            return kNotFound;
        if (index < 0 || size_t(index) >= profile->leds.size())
            return kNoMoreItems;
        ledId = profile->leds[size_t(index)].id;
        return S_OK;
    });
    return HandOut<CLedObject>(hr, ObjectKey{ ObjectKind::Led, m_profile, GUID{}, ledId }, led, m_profile, ledId);
}
