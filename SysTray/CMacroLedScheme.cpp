#include "CMacroLedScheme.h"

namespace
{
constexpr int kRecordingLedId = 7;
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr int kFullBrightness = 100;
constexpr int kBlinkMs = 300;

CLed MakeLed(int on, int effect, int onMs, int offMs)
{
    CLed led;
    led.m_ledId = kRecordingLedId;
    led.m_on = on;
    led.m_colour = kRed;
    led.m_brightness = kFullBrightness;
    led.m_effect = effect;
    led.m_onMs = onMs;
    led.m_offMs = offMs;
    return led;
}
}

CMacroLedScheme::CMacroLedScheme()
    : m_states{ MakeLed(1, 0, 0, 0), MakeLed(1, 1, kBlinkMs, kBlinkMs), MakeLed(0, 0, 0, 0) }
{
}

const CMacroLedScheme& CMacroLedScheme::Instance()
{
    static const CMacroLedScheme scheme;
    return scheme;
}
