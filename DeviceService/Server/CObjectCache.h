// Classes in this file:
//   CObjectCache - the one COM object of each keypad item (and of each manager), which
//   every client is handed.
#pragma once

#include "CComPtr.h"
#include "GuidText.h"

#include <map>
#include <mutex>
#include <new>
#include <vector>

enum class ObjectKind
{
    Service,
    Device,
    ProfileManager,
    MacroManager,
    ApplicationManager,
    Profile,
    KeymapManager,
    LedManager,
    Keymap,
    KeyAssignments,
    ButtonAssignments,
    Led,
    Macro,
    Application,
    ConnectionPoint,
};

// item is the keypad item the object views (a key map's profile, say), part the item
// within it (the key map), number what else tells objects apart (a LED's id).
struct ObjectKey
{
    ObjectKind kind;
    GUID item;
    GUID part;
    LONG number;
};

// Handing every client the same object for the same item keeps the number of objects
// bounded by what the keypad holds, however often clients ask for them, and even when a
// client dies without releasing what it held: under Wine the references of a process
// that is gone are never given back. The cache keeps each object until its item goes.
class CObjectCache
{
    struct KeyLess
    {
        bool operator()(const ObjectKey& a, const ObjectKey& b) const;
    };

    // Data members
    std::mutex m_lock;
    std::map<ObjectKey, CComPtr<IUnknown>, KeyLess> m_objects;

public:
    static CObjectCache& Instance();

    // Hands out key's object as iid in *out; make() gives a new object (or null) the first
    // time. Out of memory is E_OUTOFMEMORY.
    template <class Make>
    HRESULT HandOut(const ObjectKey& key, REFIID iid, void** out, Make make)
    {
        if (!out)
            return E_POINTER;
        *out = nullptr;
        try {
            std::lock_guard<std::mutex> guard(m_lock);
            auto found = m_objects.find(key);
            if (found == m_objects.end()) {
                CComPtr<IUnknown> made;
                made.Attach(make());
                if (!made)
                    return E_OUTOFMEMORY;
                found = m_objects.emplace(key, made).first;
            }
            return found->second->QueryInterface(iid, out);
        } catch (const std::bad_alloc&) {
            return E_OUTOFMEMORY;
        }
    }

    // Lets go of the objects of an item that went, and of everything within it.
    void Forget(const GUID& item);
    // Lets go of every object: the keypad was set back.
    void Clear();
    size_t Count();
};
