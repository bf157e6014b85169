#pragma once
// The Auto Save page of the local setup (dialog 143): the web snapshot export, written into the main
// window's web copies at every change: on or off, picture sizes, interval and folder.

#include "app/LocalSetupEdit.h"
#include "app/LocalSetupPageDlg.h"
#include "controls/NumberEdit.h"
#include "controls/SkinLabel.h"
#include "res/DialogIds.h"

#include <array>
#include <string>

class CAutoSavePageDlg : public CLocalSetupPageDlg {
public:
    static constexpr UINT IDD = IDD_AUTO_SAVE_PAGE_DLG;
    static constexpr UINT kIdFirstLabel = 790;
    static constexpr UINT kIdActivation = 797;
    static constexpr UINT kIdInterval = 798;
    static constexpr UINT kIdWebLocation = 800;
    static constexpr UINT kIdFirstEdit = 530; // JPEG width, JPEG height, web width, web height
    static constexpr int kIntervals = 20;
    enum Kind { kActivation = 0, kInterval = 1 };

    CAutoSavePageDlg();

    void OnListResult(DWORD kind, DWORD index);
    // The activation selector's text; empty for a value other than 0 or 1.
    static std::string ActivationText(DWORD value);

    std::array<CSkinLabel, 11> m_label; // 790-800
    std::array<CNumberEdit, 4> m_edit;  // 530-533

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    DWORD* SizeValue(int edit) const;
    WebSetupEdit* Web() const;
};
