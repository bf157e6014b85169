#pragma once
// The remote log lists of the search frame's Log tab: All, Power, Record, Operation, Client and
// Event are one page that differs in the entries it lists (the kind bit of index_main; All lists
// every entry), its title, its document name and its buttons. Every page prints its list; Details
// opens the detail page of an Operation entry; Play starts remote playback at an Event entry.

#include "archive/LogPrinter.h"
#include "archive/RemoteLogEntry.h"
#include "archive/ReportPage.h"
#include "archive/SearchPage.h"
#include "controls/SkinTextButton.h"

#include <vector>

struct RemoteLogPageConfig {
    UINT idd;
    int slot;
    int kind;              // kind bit of the entries listed; -1 every entry
    UINT title;            // the title text of the print-out
    const char* docName;   // the print job's name
    UINT detailsId;        // the Details button, 0 when the page has none
    UINT playId;           // the Play button, 0 when the page has none
    int resumeLogPage;     // the resume record's log page Play writes (0 All, 1 Event)
    bool reloadsFromCache; // the Event page shows the connection's log cache
};

class CRemoteLogListDlg : public CReportPage<CSearchPage> {
public:
    static constexpr UINT kIdList = 914;
    static constexpr UINT kIdPrint = 480;
    static constexpr UINT kIdDetails = 481;
    static constexpr UINT kIdPlay = 482;

    explicit CRemoteLogListDlg(const RemoteLogPageConfig& config);

    void OnPrint();
    void OnDetails();
    void OnPlay();
    // Prints the list on a device (OnPrint gives the default printer); the pages printed.
    int PrintTo(ILogPrintDevice& device);

    // The entry-table index of each row, top first.
    const std::vector<int>& Rows() const { return m_rows; }
    int GetSelectedEntry() const { return m_nSelected; }
    const RemoteLogPageConfig& Config() const { return m_config; }

    CSkinTextButton m_btnPrint;
    CSkinTextButton m_btnDetails;
    CSkinTextButton m_btnPlay;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void FillPage() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

    // The All page loads the table from the reply (or, with a resume record, from the cache); the
    // Event page reloads it from the cache; the others read it as it is.
    virtual void LoadEntries();
    std::vector<RemoteLogEntry>& Table();

private:
    void InitButtons();
    void FillList();
    LogRow RowTexts(int row);
    void OnItemChanged(const NMLISTVIEW& change);

    const RemoteLogPageConfig m_config;
    std::vector<int> m_rows;
    int m_nSelected = -1;
    int m_nDetailKind = 0;
};
