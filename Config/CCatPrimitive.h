// Classes in this file:
//   CCatPrimitive<T> - a tracked scalar; changed while current != accepted.
//   CCatUInt, CCatLedBrightPercent, CCatBool, CCatLedState, CCatColour, CCatLedColour,
//   CCatLedEffect, CCatPtr<T> - the scalar kinds the model tracks.
#pragma once

#include "CCategory.h"
#include "KeypadTypes.h"

#include <windows.h>

template <typename T>
class CCatPrimitive : public CCategory
{
    // Data members: both zero at construction, so a new value is unchanged.
    T m_current{};
    T m_accepted{};

public:
    CCatPrimitive() = default;

    // Attributes
    T Get() const { return m_current; }
    T GetAccepted() const { return m_accepted; }

    // Operations
    void Set(T value) { m_current = value; }
    bool IsChanged() const override { return !(m_current == m_accepted); }
    void Accept() override { m_accepted = m_current; }
    // Takes the other's accepted value, leaving the current one.
    void AcceptFrom(const CCatPrimitive& other) { m_accepted = other.m_accepted; }
};

class CCatUInt : public CCatPrimitive<unsigned int>
{
};

class CCatLedBrightPercent : public CCatUInt
{
};

class CCatBool : public CCatPrimitive<bool>
{
};

class CCatLedState : public CCatBool
{
};

class CCatColour : public CCatPrimitive<unsigned long>
{
};

class CCatLedColour : public CCatColour
{
};

class CCatLedEffect : public CCatPrimitive<tLEDEffect>
{
};

// Tracks which object is pointed to, not the object's contents.
template <typename T>
class CCatPtr : public CCatPrimitive<T*>
{
};
