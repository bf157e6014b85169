#pragma once
// Time server and city (page 982). The NTP tab edits whether the recorder sets its clock from a time
// server (record byte 4141) and which one (4144: the built-in name at 4148, the user's name at 4184
// or the IPv4 address at 4180). The City tab shows a world map on which the recorder's city (time
// zone, 4140) is chosen, with a running preview of the city's time: the time of a network time
// server (Time Protocol, asked off the UI thread), or the PC's when none answers, moved to the zone
// and put on summer time by the record's daylight-saving rule.

#include "controls/NameEdit.h"
#include "controls/SkinLabel.h"
#include "controls/SkinTextButton.h"
#include "platform/gdi/Bitmap.h"
#include "res/DialogIds.h"
#include "setup/SetupPage.h"
#include "setup/TimeProtocolClient.h"
#include "setup/TimeServerIpCtrl.h"

#include <array>
#include <vector>

struct DstInfo;

class CTimeServerDlg : public CSetupPage {
public:
    static constexpr UINT IDD = IDD_TIME_SERVER_DLG;
    enum ControlId : UINT {
        IDC_NTP_TAB = 470,
        IDC_CITY_TAB = 471,
        IDC_SERVER_NAME = 530,
        IDC_CITY = 790,
        IDC_PREVIEW = 791,
        IDC_CAPTION = 792, // 792-794
        IDC_SYNC = 795,
        IDC_SOURCE = 796,
        IDC_ADDRESS = 990,
    };
    enum Kind { kKindCity = 0, kKindSync = 1, kKindSource = 2 };
    static constexpr int kZones = 25;
    static constexpr UINT kPreviewTimer = 999;

    explicit CTimeServerDlg(CWnd* pParent = nullptr);
    ~CTimeServerDlg() override;

    void ShowNtpTab();
    void ShowCityTab();
    void OpenCityList();
    void OpenSyncList();
    void OpenSourceList();
    void OnListResult(int kind, int index) override;
    void OnServerNameChange();
    void OnAddressChange();

    // The zone's offset from UTC in seconds, index = zone - 1 (0..23); 0 for any other index.
    static LONG ZoneOffset(int index);
    // The city's wall clock for a time server's answer (or the PC's time when it gave none): moved
    // to the zone and, in daylight saving time, on by the rule's offset.
    static LONGLONG ZoneTime(const TimeQueryResult& answer, LONGLONG pcTime, int index, const BYTE dst[17],
                             const DstInfo& rules);
    // The preview's text by the record's date format (0 year first, 1 month first, 2 day first).
    static CString FormatTime(LONGLONG t, int dateFormat);
    // The zone a city list row stands for.
    int ZoneOfListRow(int row) const;
    int Tab() const { return m_nTab; }
    // The preview clock: running, and its base time (wall-clock seconds).
    bool IsPreviewRunning() const { return m_bClockRunning; }
    LONGLONG PreviewBase() const { return m_nBase; }
    // Where the page asks for the time (tests point it at a local server).
    static void SetTimeServers(const TimeServerOptions& options);
    static TimeServerOptions TimeServers();

    CSkinLabel& Label(UINT id) { return m_labels[std::size_t(id - IDC_CITY)]; }
    CSkinTextButton& TabButton(int k) { return k == 0 ? m_btnNtp : m_btnCity; }
    CNameEdit& ServerName() { return m_editName; }
    CTimeServerIpCtrl& Address() { return m_address; }

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL OnEraseBkgnd(CDC* pDC) override;
    void OnTimer(UINT_PTR nIDEvent) override;
    void OnDestroy() override;

private:
    void LoadZoneNames();
    void LoadMapBitmaps();
    void InitLayout();
    void ShowServerRow();
    void ShowSourceRow(bool on);
    void PickCity(int row);
    // Asks the time server for the zone's time; the answer restarts the preview.
    void StartZoneTime(int zone);
    void OnTimeServerAnswer(WPARAM query, LPARAM result);
    void StopPreview();
    void ShowControl(CWnd& wnd, bool show);

    std::array<CSkinLabel, 7> m_labels; // 790-796
    CSkinTextButton m_btnNtp;
    CSkinTextButton m_btnCity;
    CNameEdit m_editName;
    CTimeServerIpCtrl m_address;
    std::vector<CString> m_zoneNames;
    std::vector<CString> m_syncNames;
    std::vector<CString> m_sourceNames;
    int m_nTab = 0;
    int m_nShownZone = 0;
    bool m_bNewList = false;
    // The preview clock.
    bool m_bClockRunning = false;
    LONGLONG m_nBase = 0;
    LONGLONG m_nShownTime = 0;
    ULONGLONG m_nBaseTickSeconds = 0;
    LONGLONG m_nSecondsShown = 0;
    // Bitmaps: NTP backgrounds (off, on), City background, map, zone highlights 1..25 (25: the
    // newer list's zone 11).
    CBitmap m_bmNtpOff;
    CBitmap m_bmNtpOn;
    CBitmap m_bmCity;
    CBitmap m_bmMap;
    std::array<CBitmap, 26> m_bmZones;
    CTimeProtocolClient m_timeClient;
    WPARAM m_nQuery = 0;
    int m_nQueryZone = 0;
};
