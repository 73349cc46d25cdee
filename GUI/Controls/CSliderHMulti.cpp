#include "CSliderHMulti.h"

CSliderHMulti::CSliderHMulti(int count)
{
    for (int i = 0; i < count; ++i)
        m_sliders.push_back(std::make_unique<CPHSlider>());
    SetRange(1, 32);
}

CPHSlider* CSliderHMulti::GetSlider(int index) const
{
    if (index < 0 || index >= GetCount())
        return nullptr;
    return m_sliders[static_cast<size_t>(index)].get();
}

void CSliderHMulti::SetRange(int min, int max)
{
    for (const auto& slider : m_sliders)
    {
        slider->SetSteps(min, 0, max - min);
        slider->SetCapRange(max, min);
    }
}

void CSliderHMulti::Enable(bool enable)
{
    m_enabled = enable;
    for (const auto& slider : m_sliders)
    {
        slider->SetEnabled(enable);
        slider->EnableWindow(enable);
    }
}

void CSliderHMulti::Show(bool show)
{
    for (const auto& slider : m_sliders)
        slider->ShowWindow(show ? SW_SHOW : SW_HIDE);
}
