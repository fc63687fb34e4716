#include "framework/CImageList.h"

CImageList& CImageList::operator=(CImageList&& other) noexcept
{
    if (this != &other) {
        Reset();
        m_list = std::exchange(other.m_list, nullptr);
        m_owned = std::exchange(other.m_owned, false);
    }
    return *this;
}

bool CImageList::Create(int cx, int cy, UINT flags, int initial, int grow)
{
    Reset();
    m_list = ImageList_Create(cx, cy, flags, initial, grow);
    m_owned = m_list != nullptr;
    return m_list != nullptr;
}

void CImageList::Attach(HIMAGELIST list, bool owned)
{
    Reset();
    m_list = list;
    m_owned = list != nullptr && owned;
}

HIMAGELIST CImageList::Detach()
{
    m_owned = false;
    return std::exchange(m_list, nullptr);
}

void CImageList::Reset()
{
    if (m_list != nullptr && m_owned)
        ImageList_Destroy(m_list);
    m_list = nullptr;
    m_owned = false;
}

SIZE CImageList::GetIconSize() const
{
    int cx = 0;
    int cy = 0;
    if (m_list != nullptr)
        ImageList_GetIconSize(m_list, &cx, &cy);
    return SIZE{cx, cy};
}
