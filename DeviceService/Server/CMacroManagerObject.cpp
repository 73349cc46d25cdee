#include "CMacroManagerObject.h"

#include "CMacroObject.h"
#include "GuidText.h"
#include "KeypadFiles.h"
#include "ServiceCalls.h"

#include <new>

namespace {

HRESULT HandOutMacro(HRESULT hr, const GUID& id, IMacro** macro)
{
    return HandOut<CMacroObject>(hr, ObjectKey{ ObjectKind::Macro, id, GUID{}, 0 }, macro, id);
}

}

HRESULT CMacroManagerObject::Item(LONG index, IMacro** macro)
{
    HRESULT hr = Model().BeginCall(L"IMacroManager::Item");
    if (FAILED(hr))
        return hr;
    if (!macro)
        return E_POINTER;
    *macro = nullptr;
    GUID id{};
    hr = Model().Read([&](SimKeypad& keypad) { return IdAt(keypad.macros, index, id); });
    return HandOutMacro(hr, id, macro);
}

HRESULT CMacroManagerObject::GetById(DWORD id0, DWORD id1, DWORD id2, DWORD id3, IMacro** macro)
{
    HRESULT hr = Model().BeginCall(L"IMacroManager::GetById");
    if (FAILED(hr))
        return hr;
    if (!macro)
        return E_POINTER;
    *macro = nullptr;
    const GUID id = GuidFromWords(id0, id1, id2, id3);
    hr = Model().Read([&](SimKeypad& keypad) { return FindMacro(keypad, id) ? S_OK : kNotFound; });
    return HandOutMacro(hr, id, macro);
}

HRESULT CMacroManagerObject::Create(IMacro** macro)
{
    HRESULT hr = Model().BeginCall(L"IMacroManager::Create");
    if (FAILED(hr))
        return hr;
    if (!macro)
        return E_POINTER;
    *macro = nullptr;
    SimMacro created;
    created.id = NewGuid();
    const GUID id = created.id;
    hr = Model().Modify([&](SimKeypad& keypad) {
        created.name = L"Macro " + std::to_wstring(keypad.macros.size() + 1);
        keypad.macros.push_back(std::move(created));
        return S_OK;
    });
    return HandOutMacro(hr, id, macro);
}

HRESULT CMacroManagerObject::Delete(IMacro* macro)
{
    HRESULT hr = Model().BeginCall(L"IMacroManager::Delete");
    if (FAILED(hr))
        return hr;
    GUID id{};
    hr = IdOf(macro, id);
    if (FAILED(hr))
        return hr;
    hr = Model().Modify([&](SimKeypad& keypad) { return EraseById(keypad.macros, id); });
    return Forgotten(hr, id);
}

HRESULT CMacroManagerObject::Reserved5()
{
    return E_NOTIMPL;
}

HRESULT CMacroManagerObject::ImportFromFile(LPCWSTR path, IMacro** macro)
{
    HRESULT hr = Model().BeginCall(L"IMacroManager::ImportFromFile");
    if (FAILED(hr))
        return hr;
    if (!path || !macro)
        return E_POINTER;
    *macro = nullptr;
    std::vector<uint8_t> bytes;
    if (!ReadWholeFile(path, bytes))
        return HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND);
    SimMacro imported;
    if (!DecodeMacroFile(bytes, imported))
        return HRESULT_FROM_WIN32(ERROR_INVALID_DATA);
    imported.id = NewGuid();
    const GUID id = imported.id;
    hr = Model().Modify([&](SimKeypad& keypad) {
        keypad.macros.push_back(std::move(imported));
        return S_OK;
    });
    return HandOutMacro(hr, id, macro);
}
