#pragma once
// What a picker popup needs of the search frame that opened it: the window it is owned by, where a
// pick goes, and the slot to empty when the popup is gone.

#include "platform/base/WinTypes.h"

class CWnd;

class IPickerHost {
public:
    virtual ~IPickerHost() = default;
    virtual CWnd* PickerOwner() = 0;
    // The frame passes a pick on to `page` only if that page is still one that asks for it.
    virtual void OnItemPicked(CWnd* page, UINT field, UINT index) = 0;
    virtual void OnTimePicked(CWnd* page, UINT field, int hour, int minute, int second) = 0;
    virtual void OnPickerDestroyed(CWnd* picker) = 0;
};
