#include "CObjectCache.h"

bool CObjectCache::KeyLess::operator()(const ObjectKey& a, const ObjectKey& b) const
{
    const GuidLess less;
    if (a.kind != b.kind)
        return a.kind < b.kind;
    if (less(a.item, b.item) || less(b.item, a.item))
        return less(a.item, b.item);
    if (less(a.part, b.part) || less(b.part, a.part))
        return less(a.part, b.part);
    return a.number < b.number;
}

CObjectCache& CObjectCache::Instance()
{
    static CObjectCache cache;
    return cache;
}

void CObjectCache::Forget(const GUID& item)
{
    // The objects go after the lock: a release may end an object that holds another.
    std::vector<CComPtr<IUnknown>> released;
    std::lock_guard<std::mutex> guard(m_lock);
    for (auto it = m_objects.begin(); it != m_objects.end();) {
        if (IsEqualGUID(it->first.item, item) || IsEqualGUID(it->first.part, item)) {
            try {
                released.push_back(std::move(it->second));
            } catch (const std::bad_alloc&) {
                // Released here then; these objects hold nothing that takes the lock.
            }
            it = m_objects.erase(it);
        } else {
            ++it;
        }
    }
}

void CObjectCache::Clear()
{
    std::map<ObjectKey, CComPtr<IUnknown>, KeyLess> released;
    {
        std::lock_guard<std::mutex> guard(m_lock);
        released.swap(m_objects);
    }
}

size_t CObjectCache::Count()
{
    std::lock_guard<std::mutex> guard(m_lock);
    return m_objects.size();
}
