#pragma once
// The Log tab's menu: All, Power, Record, Operation, Client and Event logs. Only All asks the
// recorder; the other pages list the entries already received.

#include "archive/ArchiveMenuDlg.h"

class CLogMenuDlg : public CArchiveMenuDlg {
public:
    static constexpr UINT IDD = 222;
    CLogMenuDlg();
    void OnMenuButton(UINT id) override;

protected:
    BOOL OnInitDialog() override;
};
