// Classes in this file:
//   CCategory - base of every change-tracked value: a current and an accepted value.
#pragma once

class CCategory
{
public:
    virtual ~CCategory() = default;
    // True while the current value differs from the accepted one.
    virtual bool IsChanged() const = 0;
    // Accepted value := current value.
    virtual void Accept() = 0;
};
