#pragma once
// One cell of an area editor: its rectangle in client pixels and its value (0 unselected, 1 selected;
// 0 to 3 in the schedule grid).

#include "platform/base/Rect.h"

class CGridAreaCell {
public:
    CRect m_rect{0, 0, 10, 10};
    int m_nValue = 0;
};
