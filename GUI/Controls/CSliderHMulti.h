// Classes in this file:
//   CSliderHMulti - a group of horizontal thumbs sharing one range (HSLIDERM element); each
//                   thumb is its own window with its own item id and reports by itself.
#pragma once

#include "CGUIItem.h"
#include "CPHSlider.h"

#include <memory>
#include <vector>

class CSliderHMulti : public CGUIItem
{
    // Data members
    std::vector<std::unique_ptr<CPHSlider>> m_sliders;
    bool m_enabled = true;

public:
    // count thumbs over the values 1 to 32.
    explicit CSliderHMulti(int count);

    // Attributes
    int GetCount() const { return static_cast<int>(m_sliders.size()); }
    // The thumb; null outside the group.
    CPHSlider* GetSlider(int index) const;
    bool IsEnabled() const { return m_enabled; }

    // Operations
    // Every thumb: steps 0 to max - min reported from min, and that cap range.
    void SetRange(int min, int max);
    void Enable(bool enable);
    void Show(bool show) override;
};
