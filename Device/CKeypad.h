// Classes in this file:
//   CKeypad - the real keypad, reached through the device service.
#pragma once

#include "CBaseDevice.h"
#include "IKeyDefaults.h"
#include "IKeypadConfig.h"

#include <memory>
#include <vector>

class CKeypad : public CBaseDevice<IKeypadConfig*, IKeypadProfile*, CKeypad>
{
    // Data members, filled by Initialize.
    std::vector<uint32_t> m_keymapButtons;
    std::vector<uint32_t> m_profileButtons;
    std::vector<uint32_t> m_keymapKeyCodes;
    // Turns device key codes into key ids and back; none leaves keys unknown.
    const IKeyDefaults* m_keys;
    // The snapshot the worker writes, taken on this thread when the write starts, and the
    // store it was taken from (compared, never followed). Kept until FinishWrite.
    std::unique_ptr<IKeypadConfig> m_written;
    const IKeypadConfig* m_writtenFrom = nullptr;
    // Ids of the device macros the last read could not take into the store.
    std::vector<GUID> m_skippedMacros;
    // Names of the profiles whose application name the last write left out (written by
    // the worker, read once it has ended).
    std::vector<CString> m_profilesWithoutApplication;

public:
    explicit CKeypad(const IKeyDefaults* keys = nullptr);
    // The worker uses the lists below: it is stopped before they go.
    ~CKeypad() override;

    // IGenDevice
    bool Initialize(IKeypadConfig* config) override;
    // Also lets go of the service objects Initialize held for the read after it, while COM
    // still runs.
    void Shutdown() override;
    bool ImportMacro(CString path, IKeypadConfig* config) override;
    bool ExportMacro(CString path, CMacro* macro) override;
    bool ImportProfile(CString path, IKeypadConfig* config) override;
    bool ExportProfile(CString path, IKeypadProfile* profile) override;
    bool EnterCaptureMode() override;
    bool LeaveCaptureMode() override;
    bool QueryOption(int) override { return true; }
    // Mode 0 writes a snapshot of the store on the worker thread, mode 1 reads on this
    // thread; other modes fail. A write not yet finished is finished first.
    bool SyncConfig(IKeypadConfig* config, int mode, uint16_t flags) override;
    bool GetVersionText(CString& out) override;
    bool QueryOption2(int) override { return true; }
    bool CheckDevice() override { return true; }
    void AddProgressWindow(HWND window) override { AddWindow(window); }
    void RemoveProgressWindow(HWND window) override { RemoveWindow(window); }
    int GetStatus() override { return 0; }
    std::vector<CString> GetProfilesWithoutApplication() override;

    // Attributes
    const std::vector<uint32_t>& GetKeymapButtons() const { return m_keymapButtons; }
    const std::vector<uint32_t>& GetKeymapKeyCodes() const { return m_keymapKeyCodes; }
    const CString& GetVersionB() const { return m_versionB; }

    // Called on this thread when a write has ended (WM_DEVICE_SYNC_DONE): the ids the
    // device gave reach the store and what was written is accepted in it. False while the
    // worker runs, with no write to finish, or for another store than the written one.
    bool FinishWrite(IKeypadConfig* config) override;

    // The whole configuration to the device and back (in a held connection).
    bool WriteConfig(IKeypadConfig* config, uint16_t flags);
    bool ReadConfig(IKeypadConfig* config, uint16_t flags);

private:
    // A device key map and its id, held while one profile is written or read.
    struct HeldKeymap
    {
        GUID id;
        CComPtr<IKeyMap> item;
    };
    // A device profile and its id, with its key-map manager and key maps once they were
    // walked, held while it is read.
    struct HeldProfile
    {
        GUID id;
        CComPtr<IProfile> item;
        CComPtr<IKeyMapManager> keymaps;
        std::vector<HeldKeymap> keymapItems;
    };
    // The device's profiles as one walk found them, in the device's order.
    struct ProfileWalk
    {
        CComPtr<IProfileManager> manager;
        std::vector<HeldProfile> profiles;
        // The profiles' names were read by the walk and are in the store.
        bool named = false;
    };

    // Data members
    // The walk of Initialize, which read the names into the store: the read in the
    // connection right after it (the start-up's SyncConfig mode 1) takes it over instead
    // of walking and naming the profiles and key maps again. Held on this thread only.
    ProfileWalk m_initialWalk;
    unsigned m_initialWalkConnection = 0;

    // Implementation
    bool HasFeature(int kind) const { return m_descriptor->HasFeature(kind); }
    bool SetMode(LONG mode);
    bool ReadVersions();
    bool ReadProfiles(IKeypadConfig* config, bool ok);
    bool ReadKeymapNames(HeldProfile& device, IKeypadProfile* profile);
    bool ReadActiveProfileLists(const ProfileWalk& walk);
    // The walk of Initialize when this read's connection is the next one after it, else
    // an empty one; either way Initialize's walk is let go.
    ProfileWalk TakeInitialWalk();
    // The device's profiles and their ids (without names or key maps).
    static bool WalkProfiles(ProfileWalk& walk);

    // A write whose flag word leaves out a part this device has accepts nothing it left
    // out, so those changes stay pending for the next whole write.
    bool LeavesOutProfileParts(uint16_t flags) const;
    bool LeavesOutAnything(uint16_t flags) const;
    bool WriteProfile(IKeypadConfig* config, IProfileManager* profiles, IKeypadProfile* profile, uint16_t flags, bool ok);
    bool WriteProperties(IProfile* device, IKeypadProfile* profile, bool& applicationLeftOut);
    bool WriteKeymaps(IKeypadConfig* config, IProfile* device, IKeypadProfile* profile);
    // The device key maps that stay, each held from its first look-up for the rest of the
    // profile's write.
    void RemoveStaleKeymaps(IKeyMapManager* keymaps, IKeypadProfile* profile, std::vector<HeldKeymap>& held);
    bool WriteKeymapNames(IKeyMapManager* keymaps, IKeypadProfile* profile, std::vector<HeldKeymap>& held);
    // The held key map of id, else the one GetById finds (then held too).
    static bool LookUpKeymap(IKeyMapManager* keymaps, std::vector<HeldKeymap>& held, const GUID& id, CComPtr<IKeyMap>& out);
    bool WriteAssignments(IKeypadConfig* config, IKeyMapManager* keymaps, IKeyMap* device, IKeypadProfile* profile,
        CKeymap* keymap);
    // By-name assignments of the keymap take the by-id form, their items created first
    // where they have no id yet (kept in the store being written).
    bool ResolvePendingReferences(IKeypadConfig* config, IKeyMapManager* keymaps, IKeypadProfile* profile, CKeymap* keymap);
    bool ResolvePendingReference(IKeypadConfig* config, IKeyMapManager* keymaps, IKeypadProfile* profile,
        CAssignment& assignment);
    bool CreateReferencedItem(IKeypadConfig* config, IKeyMapManager* keymaps, IKeypadProfile* profile, const CString& name,
        int kind, GUID& id);
    bool WriteLeds(IKeypadConfig* config, IProfile* device, IKeypadProfile* profile);
    bool WriteMacros(IKeypadConfig* config, IMacroManager* macros);
    // False when a stale profile stayed on the device (the active one, before a kept
    // profile could be made active).
    bool RemoveStaleProfiles(IKeypadConfig* config, IProfileManager* profiles);
    bool RemoveStaleMacros(IKeypadConfig* config, IMacroManager* macros);
    bool IsSkippedMacro(const GUID& id) const;

    // With named, the profile's name and id were just read from this device profile into
    // the store and are not read again.
    bool ReadProfileDetails(IKeypadConfig* config, HeldProfile& device, IKeypadProfile* profile, bool keymapsByName,
        bool named);
    // The held key maps of the device profile, else those its key-map manager lists (then
    // held too).
    static bool WalkKeymaps(HeldProfile& device);
    bool ReadProperties(HeldProfile& device, IKeypadProfile* profile, bool named);
    bool ReadKeymapAssignments(IKeypadConfig* config, IKeyMap* device, IKeypadProfile* profile, CKeymap* keymap);
    bool ReadLeds(IKeypadConfig* config, IProfile* device, IKeypadProfile* profile);
    bool ReadMacro(IKeypadConfig* config, IMacro* device);

    int32_t KeyIdOfCode(uint32_t code) const;
    bool DefaultCodeOfKey(int32_t keyId, uint32_t& code) const;
};

// The device object of the program: the keypad when it answers, else the offline one.
IGenDevice<IKeypadConfig*, IKeypadProfile*>* CreateKeypadDevice(IKeypadConfig* config, const IKeyDefaults* keys = nullptr);
// Deletes the device object made by CreateKeypadDevice.
void DestroyAppObjects();
