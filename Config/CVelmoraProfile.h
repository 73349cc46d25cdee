// Classes in this file:
//   CVelmoraProfile - a profile of this keypad: the kinds it supports and the
//   IKeypadProfile interface over the profile class chain.
#pragma once

#include "CKeypadProfile.h"
#include "IKeypadProfile.h"

class CVelmoraProfile : public CKeypadProfile, public IKeypadProfile
{
public:
    CVelmoraProfile() = default;
    explicit CVelmoraProfile(const CString& name);
    // A new profile with its own categories and keymaps, holding the source's values.
    CVelmoraProfile(const CVelmoraProfile& other);
    CVelmoraProfile& operator=(const CVelmoraProfile&) = delete;

    // IKeypadProfile
    CString GetName() const override;
    GUID* GetGUID(GUID* out) const override;
    void Reserved() override;
    bool HasFileName() const override;
    void SetName(const CString& name) override;
    void SetGUID(GUID id) override;
    CString GetApplicationName() const override;
    void SetApplicationName(const CString& name) override;
    CString GetFileName() const override;
    CString GetApplicationPath() const override;
    void SetApplicationPath(const CString& path) override;
    void SetKeyAssignment(int keyId, CAssignment assignment, CKeymap* keymap = nullptr) override;
    CAssignment* GetKeyAssignment(CAssignment* out, int keyId, CKeymap* keymap = nullptr) override;
    void SetButtonAssignment(tKeypadButton button, CAssignment assignment, CKeymap* keymap = nullptr) override;
    CAssignment* GetButtonAssignment(CAssignment* out, tKeypadButton button, CKeymap* keymap = nullptr) override;
    // Folds the by-name kinds to their partners first; the button is not consulted.
    bool CanAssignKind(int kind, tKeypadButton button) const override;
    bool IsAssignmentKindSupported(int kind) const override;
    void GetSupportedAssignmentKinds(std::vector<int>* out) const override;
    int GetKeymapCount() const override;
    CKeymap* AddKeymap(const CString& name) override;
    CKeymap* AddKeymapCopy(const CKeymap* keymap) override;
    CKeymap* FindKeymapByGUID(GUID id) const override;
    CKeymap* FindKeymapByName(const CString& name) const override;
    CKeymap* GetKeymap(int index) const override;
    void RemoveAllKeymaps() override;
    void SetCurrentKeymap(CKeymap* keymap) override;
    CKeymap* GetCurrentKeymap() const override;
    void SetAutoSwitch(bool on) override;
    bool GetAutoSwitch() const override;
    void SetOsdEnabled(bool on) override;
    bool IsOsdEnabled() const override;
    void SetOption(int option) override;
    bool GetOption() const override;
    void SetLedState(tLEDType led, bool on) override;
    bool GetLedState(tLEDType led) const override;
    void SetLedColour(tLEDType led, COLORREF colour) override;
    COLORREF GetLedColour(tLEDType led) const override;
    void SetLedEffect(tLEDType led, tLEDEffect effect) override;
    tLEDEffect GetLedEffect(tLEDType led) const override;
    void SetLedBrightness(tLEDType led, unsigned int percent) override;
    unsigned int GetLedBrightness(tLEDType led) const override;
    bool IsKeyItemChanged(int type, int keyId) const override;
    bool IsLedItemChanged(int type, tLEDType led) const override;
    bool IsCategoryChanged(int id) const override;
    bool IsChanged() const override;
    void AcceptChanges() override;
    bool SaveToFile(CString& pathOut, const CString& folder, const CString& extension) override;
    bool LoadFromFile(const CString& name, const CString& folder, const CString& extension) override;
};
