#pragma once
// The IPv4 address field of the time-server page: four number fields of at most three digits each,
// separated by dots, each held to 0..255. It attaches to a template window (a notifying static);
// its owner then makes the fields inside it with CreateFields. Every change of a field the user makes is told to the
// parent as WM_COMMAND with the control's id and EN_CHANGE.

#include "controls/NumberEdit.h"
#include "platform/window/Static.h"

#include <array>

class CTimeServerIpCtrl : public CStatic {
public:
    static constexpr int kFields = 4;

    CTimeServerIpCtrl();
    ~CTimeServerIpCtrl() override;

    // Makes the four fields to the window's size (once).
    void CreateFields();
    // Fills the fields (first byte in the first field) without telling the parent.
    void SetAddress(const BYTE address[kFields]);
    // The four fields; an empty field counts as 0.
    void GetAddress(BYTE address[kFields]) const;
    // Focus on the first field.
    void FocusFirstField();
    CNumberEdit& Field(int i) { return m_fields[std::size_t(i)]; }

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL OnEraseBkgnd(CDC* pDC) override;
    // A white field with the dots between the number fields.
    void OnPaint() override;

private:
    int FieldValue(int i) const;

    std::array<CNumberEdit, kFields> m_fields;
    bool m_bSetting = false;
};
