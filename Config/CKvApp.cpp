#include "CKvApp.h"

bool KvAppEquals(const CKvApp& a, const CKvApp& b)
{
    return IsEqualGUID(a.m_id, b.m_id) && a.m_path == b.m_path;
}
