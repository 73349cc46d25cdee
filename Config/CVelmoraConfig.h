// Classes in this file:
//   CVelmoraConfig - the configuration store of the keypad, behind IKeypadConfig.
#pragma once

#include "CKeypadConfig.h"
#include "CVelmoraProfile.h"
#include "IKeyDefaults.h"
#include "IKeypadConfig.h"

#include <vector>

// The settings file and the folders of the profile and macro file dialogs, below
// g_exeFolder; built by the store's constructor.
extern CString g_settingsPath;
extern CString g_profileFolder;
extern CString g_macroFolder;

class CVelmoraConfig : public CKeypadConfig<CVelmoraProfile>, public IKeypadConfig
{
    // Where default key assignments come from; none gives zero keystrokes.
    const IKeyDefaults* m_keyDefaults = nullptr;

    // In a snapshot: the item of the live store each copy was taken from, by its id then
    // and its address. The address is only ever compared with the live store's own list,
    // never followed, so an item deleted since cannot be reached through it.
    struct CSnapshotSource
    {
        GUID id;
        const void* item;
        // A profile's keymap names when the snapshot was taken (none for other items).
        std::vector<CString> keymapNames;
    };
    std::vector<CSnapshotSource> m_profileSources;
    std::vector<CSnapshotSource> m_macroSources;
    std::vector<CSnapshotSource> m_applicationSources;

public:
    explicit CVelmoraConfig(const IKeyDefaults* keyDefaults = nullptr);
    // The registry points into the store itself: stores are never copied.
    CVelmoraConfig(const CVelmoraConfig&) = delete;
    CVelmoraConfig& operator=(const CVelmoraConfig&) = delete;

    CString GetProfileFileExtension() const override;

    // IKeypadConfig
    void RemoveAllProfiles() override;
    void RestoreProfileDefaults(IKeypadProfile* profile) override;
    void Reserved() override;
    int GetLimit() const override;
    int GetProfileCount() const override;
    int GetMacroCount() const override;
    IKeypadProfile* CreateProfile(const CString& name) override;
    IKeypadProfile* AddProfileCopy(IKeypadProfile* profile) override;
    IKeypadProfile* FindProfileByGUID(GUID id) const override;
    IKeypadProfile* FindProfileByName(const CString& name) const override;
    IKeypadProfile* GetProfile(int index) const override;
    IKeypadProfile* GetActiveProfile() const override;
    void SetActiveProfile(IKeypadProfile* profile) override;
    void SetProfileApplicationPath(IKeypadProfile* profile, const CString& path) override;
    CString GetProfileApplicationPath(IKeypadProfile* profile) const override;
    void SetProfileAutoSwitch(IKeypadProfile* profile, bool on) override;
    bool GetProfileAutoSwitch(IKeypadProfile* profile) const override;
    IKeypadProfile* RenameProfile(IKeypadProfile*& profile, const CString& newName) override;
    IKeypadProfile* CopyProfile(IKeypadProfile* profile, const CString& newName) override;
    void DeleteProfile(IKeypadProfile* profile) override;
    CMacro* AddMacro(const CString& name) override;
    void RemoveMacro(CMacro* macro) override;
    CMacro* FindMacroByGUID(GUID id) const override;
    CMacro* FindMacroByName(const CString& name) const override;
    CMacro* GetMacro(int index) const override;
    void SetInsertDefaultDelay(bool on) override;
    bool GetInsertDefaultDelay() const override;
    void SetIgnoreDelay(bool on) override;
    bool GetIgnoreDelay() const override;
    int GetApplicationCount() const override;
    CKvApp* AddApplication(const CString& path) override;
    void RemoveApplication(CKvApp* application) override;
    CKvApp* FindApplicationByGUID(GUID id) const override;
    CKvApp* FindApplicationByName(const CString& path) const override;
    CKvApp* GetApplication(int index) const override;
    bool LoadSettings() override;
    bool SaveSettings() override;
    int LoadProfileFiles() override;
    bool SaveProfile(IKeypadProfile* profile) override;
    void SetButtonAssignment(tKeypadButton button, CAssignment assignment, IKeypadProfile* profile = nullptr, CKeymap* keymap = nullptr) override;
    CAssignment* GetButtonAssignment(CAssignment* out, tKeypadButton button, IKeypadProfile* profile = nullptr, CKeymap* keymap = nullptr) override;
    CAssignment* GetDefaultAssignment(CAssignment* out, tKeypadButton button) override;
    void SetKeyAssignment(int keyId, CAssignment assignment, IKeypadProfile* profile = nullptr, CKeymap* keymap = nullptr) override;
    CAssignment* GetKeyAssignment(CAssignment* out, int keyId, IKeypadProfile* profile = nullptr, CKeymap* keymap = nullptr) override;
    CAssignment* GetDefaultKeyAssignment(CAssignment* out, int keyId) const override;
    void SetCurrentKeymap(CKeymap* keymap, IKeypadProfile* profile = nullptr) override;
    CKeymap* GetCurrentKeymap(IKeypadProfile* profile = nullptr) const override;
    void SetProfileEnabled(bool on, IKeypadProfile* profile) override;
    bool IsProfileEnabled(IKeypadProfile* profile) const override;
    bool IsKeymapModeEnabled() const override;
    int GetKeymapCount(IKeypadProfile* profile = nullptr) const override;
    CKeymap* AddKeymap(const CString& name, IKeypadProfile* profile = nullptr) override;
    CKeymap* AddKeymapCopy(const CKeymap* keymap, IKeypadProfile* profile = nullptr) override;
    CKeymap* FindKeymapByGUID(GUID id, IKeypadProfile* profile = nullptr) const override;
    CKeymap* FindKeymapByName(const CString& name, IKeypadProfile* profile = nullptr) const override;
    CKeymap* GetKeymap(int index, IKeypadProfile* profile = nullptr) const override;
    void RemoveAllKeymaps(IKeypadProfile* profile = nullptr) override;
    void SetLedState(tLEDType led, bool on, IKeypadProfile* profile = nullptr) override;
    bool GetLedState(tLEDType led, IKeypadProfile* profile = nullptr) const override;
    void SetLedColour(tLEDType led, COLORREF colour, IKeypadProfile* profile = nullptr) override;
    COLORREF GetLedColour(tLEDType led, IKeypadProfile* profile = nullptr) const override;
    void SetLedEffect(tLEDType led, tLEDEffect effect, IKeypadProfile* profile = nullptr) override;
    tLEDEffect GetLedEffect(tLEDType led, IKeypadProfile* profile = nullptr) const override;
    void SetLedBrightness(tLEDType led, unsigned int percent, IKeypadProfile* profile = nullptr) override;
    unsigned int GetLedBrightness(tLEDType led, IKeypadProfile* profile = nullptr) const override;
    int GetLedAssignmentCount() const override;
    void SetLedAssignment(int led, CAssignment assignment) override;
    CAssignment* GetLedAssignment(CAssignment* out, int led) override;
    int GetLedAssignmentKey(int index) const override;
    void SetProfileOption(int option, IKeypadProfile* profile) override;
    bool GetProfileOption(IKeypadProfile* profile) const override;
    void SetOsdEnabledForAllProfiles(bool on) override;
    void SetProfileOsdEnabled(bool on, IKeypadProfile* profile = nullptr) override;
    bool IsProfileOsdEnabled(IKeypadProfile* profile = nullptr) const override;
    int GetApmCount() const override;
    bool SetApmName(int index, const wchar_t* name) override;
    bool SetApmBitmap(int index, CBitmap* bitmap, int id) override;
    bool GetApmName(int index, const wchar_t*& name) const override;
    bool GetApmBitmap(int index, CBitmap*& bitmap, int& id) const override;
    bool AddApm(const wchar_t* name, CBitmap* bitmap, int id) override;
    bool RemoveApm(int index) override;
    void RemoveAllApms() override;
    void SetRangeMode(int mode) override;
    int GetRangeMode() const override;
    unsigned int GetRangeMin() const override;
    unsigned int GetRangeMax() const override;
    void SetRangeValue(unsigned int value) override;
    unsigned int GetRangeValue() const override;
    void SetTrackedRangeValue(unsigned int value) override;
    unsigned int GetTrackedRangeValue() const override;
    void SetTrackedValue(unsigned int value) override;
    unsigned int GetTrackedValue() const override;
    void SetPercentValue(unsigned int percent) override;
    unsigned int GetPercentValue() const override;
    bool IsItemChanged(int type, int index) const override;
    bool IsCategoryChanged(int id) const override;
    bool IsChanged(IKeypadProfile* profile = nullptr) const override;
    void AcceptChanges() override;
    std::unique_ptr<IKeypadConfig> CreateSnapshot() const override;
    void AcceptWritten(const IKeypadConfig* snapshot) override;

private:
    // Implementation
    CVelmoraProfile* ProfileOfSource(const CSnapshotSource& source) const;
    template <typename Entry, typename List>
    static Entry* EntryOfSource(List& list, const CSnapshotSource& source);
    IKeypadProfile* ProfileOrActive(IKeypadProfile* profile) const;
    unsigned int ClampToRange(unsigned int value) const;
};
