// The keypad's memory across restarts of the service process.
#include "ServiceClient.h"

#include <objbase.h>

#include <fstream>

namespace {

class DeviceServiceRestart : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_HRESULT_SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)); }
    void TearDown() override { CoUninitialize(); }

    // Ends the running service and waits until its process is gone.
    static void Restart(IDeviceServiceControl* control)
    {
        DWORD processId = 0;
        ASSERT_HRESULT_SUCCEEDED(control->Shutdown(&processId));
        HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, processId);
        if (process) {
            EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(process, 15000));
            CloseHandle(process);
        }
    }

    static std::wstring StatePath(IDeviceServiceControl* control)
    {
        LPWSTR path = nullptr;
        EXPECT_HRESULT_SUCCEEDED(control->GetStatePath(&path));
        return TakeText(path);
    }

    static std::vector<std::wstring> SetAsideFiles(const std::wstring& statePath)
    {
        std::vector<std::wstring> files;
        const std::wstring folder = statePath.substr(0, statePath.find_last_of(L'\\') + 1);
        WIN32_FIND_DATAW found{};
        HANDLE search = FindFirstFileW((statePath + L".*.bad").c_str(), &found);
        if (search == INVALID_HANDLE_VALUE)
            return files;
        do
            files.push_back(folder + found.cFileName);
        while (FindNextFileW(search, &found));
        FindClose(search);
        return files;
    }

    static std::vector<std::wstring> ProfileNames()
    {
        std::vector<std::wstring> names;
        CComPtr<IDevice> device = FindKeypad();
        if (!device)
            return names;
        CComPtr<IProfileManager> profiles = Manager<IProfileManager>(device.Get(), IID_IProfileManager);
        for (LONG i = 0;; ++i) {
            CComPtr<IProfile> profile;
            if (FAILED(profiles->Item(i, profile.Receive())))
                return names;
            names.push_back(NameOf(profile.Get()));
        }
    }
};

TEST_F(DeviceServiceRestart, TheKeypadMemorySurvivesARestart)
{
    {
        CComPtr<IDeviceServiceControl> control = CreateControl();
        ASSERT_TRUE(control);
        ASSERT_HRESULT_SUCCEEDED(control->Reset());
        CComPtr<IDevice> device = FindKeypad();
        ASSERT_TRUE(device);
        CComPtr<IProfileManager> profiles = Manager<IProfileManager>(device.Get(), IID_IProfileManager);
        CComPtr<IProfile> profile;
        ASSERT_HRESULT_SUCCEEDED(profiles->Create(profile.Receive()));
        ASSERT_HRESULT_SUCCEEDED(profile->SetName(L"Survivor"));
        ASSERT_HRESULT_SUCCEEDED(profiles->SetActive(profile.Get()));
        Restart(control.Get());
    }
    const std::vector<std::wstring> names = ProfileNames();
    ASSERT_EQ(2u, names.size());
    EXPECT_EQ(L"Survivor", names[1]);
    CComPtr<IDevice> device = FindKeypad();
    ASSERT_TRUE(device);
    CComPtr<IProfileManager> profiles = Manager<IProfileManager>(device.Get(), IID_IProfileManager);
    CComPtr<IProfile> active;
    ASSERT_HRESULT_SUCCEEDED(profiles->GetActive(active.Receive()));
    EXPECT_EQ(L"Survivor", NameOf(active.Get()));
}

TEST_F(DeviceServiceRestart, AStateFileThatDoesNotReadBackIsSetAsideAndReported)
{
    std::wstring statePath;
    {
        CComPtr<IDeviceServiceControl> control = CreateControl();
        ASSERT_TRUE(control);
        statePath = StatePath(control.Get());
        for (const std::wstring& old : SetAsideFiles(statePath))
            DeleteFileW(old.c_str());
        Restart(control.Get());
    }
    {
        std::ofstream damage(statePath.c_str(), std::ios::binary | std::ios::trunc);
        damage << "KVDS this is not the keypad's memory";
    }
    CComPtr<IDeviceServiceControl> control = CreateControl();
    ASSERT_TRUE(control);
    LPWSTR dump = nullptr;
    ASSERT_HRESULT_SUCCEEDED(control->DumpState(&dump));
    EXPECT_NE(std::wstring::npos, TakeText(dump).find(L"did not read back; set aside as"));
    const std::vector<std::wstring> setAside = SetAsideFiles(statePath);
    ASSERT_EQ(1u, setAside.size());
    std::ifstream kept(setAside[0].c_str(), std::ios::binary);
    std::string content((std::istreambuf_iterator<char>(kept)), std::istreambuf_iterator<char>());
    EXPECT_EQ("KVDS this is not the keypad's memory", content);
    EXPECT_EQ(1u, ProfileNames().size());
    kept.close();
    DeleteFileW(setAside[0].c_str());
}

}
