#pragma once
// The PTZ keypad (dialog 991): preset numbers to call or set, learn numbers, tours and the dome's
// menu. Numbers go to the main window as 0x523F (wParam the action code, lParam the number), which
// the client sends as a preset command; the dome menu command goes out on the connection directly.

#include "app/PtzPadDlg.h"
#include "controls/SkinButton.h"
#include "controls/SkinTextButton.h"
#include "platform/gdi/Font.h"
#include "res/DialogIds.h"

#include <array>

class CPtzKeypadDlg : public CPtzPadDlg {
public:
    static constexpr UINT IDD = IDD_PTZ_KEYPAD_DLG;
    static constexpr int kWidth = 320;
    static constexpr int kHeight = 200;
    // Control ids.
    static constexpr UINT kIdPreset = 550;
    static constexpr UINT kIdLearn = 551;
    static constexpr UINT kIdDome = 552;
    static constexpr UINT kIdSet = 553;
    static constexpr UINT kIdCall = 554;
    static constexpr UINT kIdOk = 555;
    static constexpr UINT kIdClose = 556;
    static constexpr UINT kIdDigitFirst = 570; // keys 1 to 9, then 0 (579)
    static constexpr UINT kIdZero = 579;
    static constexpr UINT kIdTour = 580;
    // Dome menu command of the Dome key.
    static constexpr BYTE kDomeMenuAccess = 13;
    // The number's place on the pad.
    static constexpr RECT kNumberRect{110, 173, 160, 193};

    enum Mode { kModePreset = 0, kModeLearn = 1 };
    enum Action { kActionSet = 0, kActionCall = 1 };

    CPtzKeypadDlg(CPtzDialogSet& set, IShellDialogHost& host);

    // The number after a key: digit 1-9, or 10 for the 0 key. Presets keep their last three digits;
    // learn numbers are one digit.
    static int NextNumber(int mode, int number, int digit);
    // The action code 0x523F carries: preset mode 1 call, 0 set; learn mode 4 call, 2 set.
    static int ActionCode(int mode, int action);

    int GetMode() const { return int(m_nMode); }
    int GetAction() const { return int(m_nAction); }
    int GetNumber() const { return m_nNumber; }

    CSkinTextButton m_btnPreset;
    CSkinTextButton m_btnLearn;
    CSkinTextButton m_btnDome;
    CSkinTextButton m_btnSet;
    CSkinTextButton m_btnCall;
    CSkinTextButton m_btnOk;
    CSkinButton m_btnClose;
    std::array<CSkinButton, 10> m_btnDigit; // 570 to 579
    CSkinButton m_btnTour;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL OnEraseBkgnd(CDC* pDC) override;

private:
    void OnPreset();
    void OnLearn();
    void OnSet();
    void OnCall();
    void OnDigit(int digit);
    void OnDome();
    void SendNumber(int number);
    void SetNumber(int number);
    bool IsRestrictedAccount();

    DWORD m_nMode = kModePreset;
    DWORD m_nAction = kActionCall;
    int m_nNumber = 0;
    CFont m_fontNumber;
};
