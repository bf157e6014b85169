#include "archive/BackupDateTimeDlg.h"

#include "archive/ArchiveHost.h"
#include "archive/PageTemplate.h"
#include "archive/RemoteSearchDlg.h"
#include "platform/base/Time.h"
#include "platform/window/DataExchange.h"
#include "res/BitmapIds.h"
#include "res/TextIds.h"

namespace {

constexpr UINT kIdCalculate = 480;
constexpr UINT kIdBackup = 482;
constexpr UINT kIdSize = 804;
constexpr int kSizeLabel = 14;

DialogItem Field(UINT id) {
    return {id, "STATIC", 0, 0, 70, 14, WS_VISIBLE | SS_NOTIFY};
}

const DialogItem kItems[] = {
    Field(790),
    Field(791),
    Field(792),
    Field(793),
    Field(794),
    Field(795),
    Field(796),
    Field(797),
    Field(798),
    Field(799),
    Field(800),
    Field(801),
    Field(802),
    Field(803),
    Field(kIdSize),
    {kIdBackup, "BUTTON", 304, 396, 97, 22, WS_VISIBLE | BS_OWNERDRAW},
    {kIdCalculate, "BUTTON", 2, 396, 97, 22, WS_VISIBLE | BS_OWNERDRAW},
};
const DialogTemplate kTemplate = ContentPageTemplate(CBackupDateTimeDlg::IDD, kItems);
const DialogTemplateRegistration kRegistered(kTemplate);

} // namespace

CBackupDateTimeDlg::CBackupDateTimeDlg()
    : CDateTimeSearchDlg(IDD, kSlotBackupDateTime, IDB_PAGE_BACKUP_DATE_TIME, TodayRange(DefaultBackupRange)) {}

void CBackupDateTimeDlg::DoDataExchange(CDataExchange* pDX) {
    CDateTimeSearchDlg::DoDataExchange(pDX);
    DDX_Control(pDX, kIdCalculate, m_btnCalculate);
}

void CBackupDateTimeDlg::InitControls() {
    TDateTimePage<CSearchPage>::InitControls();
    SetUpTextButton(m_btnPlay, IDB_PAGE_BUTTONS, IDS_BACKUP_BUTTON, 304, 396, 97, 22);
    SetUpTextButton(m_btnCalculate, IDB_PAGE_BUTTONS, IDS_CALCULATE, 2, 396, 97, 22);
    SetUpField(m_label[kSizeLabel], 103, 400, 97, 14, false);
    m_label[kSizeLabel].SetText("");
    m_btnCalculate.Enable(TRUE);
    m_btnPlay.Enable(FALSE);
}

void CBackupDateTimeDlg::AfterPick() {
    m_label[kSizeLabel].SetText("");
    m_btnCalculate.Enable(TRUE);
    m_btnPlay.Enable(FALSE);
}

RecTimeRange CBackupDateTimeDlg::BuildRange() {
    int start[6];
    int end[6];
    m_range.Fields(0, start);
    m_range.Fields(1, end);
    return MakeTimeRange(m_pFrame->GetChannelMask(), kAllRecordTypes, Host().TimeToCTime(start),
                         Host().TimeToCTime(end));
}

void CBackupDateTimeDlg::OnCalculate() {
    ClosePickers();
    m_action.RequestSize(*m_pFrame, BuildRange());
    m_btnCalculate.Enable(FALSE);
}

void CBackupDateTimeDlg::OnBackupSize(DWORD kbytes) {
    const BackupSizeDecision d = m_action.TakeSize(*m_pFrame, kbytes);
    m_label[kSizeLabel].SetText(d.text);
    m_btnCalculate.Enable(d.calculate ? TRUE : FALSE);
    m_btnPlay.Enable(d.backup ? TRUE : FALSE);
}

void CBackupDateTimeDlg::OnBackup() {
    // Closing an open picker applies its time: the range may no longer be the one Calculate sized.
    ClosePickers();
    if (!m_action.Start(*m_pFrame, BuildRange())) {
        return;
    }
    m_pFrame->CloseAfterAction(50);
}

BOOL CBackupDateTimeDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (HIWORD(wParam) == BN_CLICKED && LOWORD(wParam) == kIdCalculate) {
        OnCalculate();
        return TRUE;
    }
    if (LOWORD(wParam) == kIdSize && HIWORD(wParam) == STN_CLICKED) {
        if (!FrameBusy()) {
            ClosePickers();
        }
        return TRUE;
    }
    return CDateTimeSearchDlg::OnCommand(wParam, lParam);
}
