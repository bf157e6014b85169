#pragma once
// The status page of the search frame's Info tab: the recorder's capacities and the state of each
// channel, from the STATUS_INFO_ACK reply the frame holds when the page is built.

#include "archive/InfoText.h"
#include "archive/ReportPage.h"
#include "archive/SearchPage.h"
#include "res/DialogIds.h"

class CRemoteStatusInfoDlg : public CReportPage<CSearchPage> {
public:
    static constexpr UINT IDD = IDD_REMOTE_STATUS_INFO_DLG;
    static constexpr UINT kIdList = 915;

    CRemoteStatusInfoDlg();

    const StatusInfoRecord& Record() const { return m_record; }

protected:
    void FillPage() override;

private:
    void FillList();

    StatusInfoRecord m_record;
};
