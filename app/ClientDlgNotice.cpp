// Notices: a (category, code) posted from any thread becomes the skinned message box, and OK may
// act on it.
#include "app/ClientDlg.h"

#include "app/MsgBoxDlg.h"
#include "app/NoticeTable.h"
#include "platform/window/MessagePump.h"
#include "protocol/ReasonCodes.h"

#include <QLocale>

void CClientDlg::ShowNotice(HWND parent, WORD category, WORD code, const CString& folder) {
    const double scale = CNoticeTable::LanguageScale(QLocale::system().name().toUtf8().constData());
    if (category == 2) {
        Disconnect();
    }
    if (m_bQuitting) {
        return; // the program is ending: no box may hold it up
    }
    if (m_bProductBoxOpen) {
        if (!m_heldNotice) {
            m_heldNotice = HeldNotice{parent, category, code};
        }
        return;
    }
    if (m_pNoticeBox != nullptr) {
        if (category == 11) {
            m_pFirmware.reset(); // the offer is dropped with its dialog
        }
        return;
    }
    NoticeContext context;
    context.connected = IsConnected();
    context.searchToReturn = HasSearchToReturn();
    if (m_pClient) {
        context.size1 = m_pClient->Backup().GetSpaceNackSize(0);
        context.size2 = m_pClient->Backup().GetSpaceNackSize(1);
    }
    context.backupNeeded = m_backupSpace.needed;
    context.backupFree = m_backupSpace.free;
    context.backupMargin = m_backupSpace.margin;
    context.folder = folder;
    NoticeContent content;
    if (!CNoticeTable::LookUp(category, code, context, content)) {
        if (category == 11) {
            m_pFirmware.reset();
        }
        return;
    }

    CWnd* owner = ::IsWindow(parent) ? CWnd::FromHandle(parent) : nullptr;
    auto box = std::make_unique<CMsgBoxDlg>(owner != nullptr ? owner : this, Opacity(kOpacityNoticeBox));
    // The box measures each line in the font it draws it with.
    box->m_dScale = scale;
    for (int i = 0; i < content.lineCount; ++i) {
        box->SetLine(i, CNoticeTable::RenderLine(content.lines[i], [this](UINT id) {
                         CString t;
                         LoadResString(t, id);
                         return t;
                     }));
    }
    box->m_nLineCount = content.lineCount;
    box->m_nButtonMode = content.buttons == kNoticeButtonsOk ? 1 : (content.buttons == kNoticeButtonsCancel ? 2 : 0);
    if (content.clearsSizes && m_pClient) {
        m_pClient->Backup().ClearSpaceNackSizes();
    }
    if (content.clearsBackupSizes) {
        m_backupSpace.needed = 0;
        m_backupSpace.free = 0;
    }

    m_pNoticeBox = box.get();
    const INT_PTR result = box->DoModal();
    // The box is gone before anything it leads to runs, so notices during a follow-up dialog show.
    m_pNoticeBox = nullptr;
    box.reset();

    const bool ok = result == IDOK;
    switch (content.action) {
    case NoticeAction::None:
        break;
    case NoticeAction::ReopenRemoteSearch:
        if (ok) {
            OnRSearch();
        } else {
            m_archiveResume.ClearRecord();
        }
        break;
    case NoticeAction::ResendSetup:
        if (ok && IsConnected()) {
            m_pClient->Setup().SendDbUpdate(m_setupDb);
        }
        break;
    case NoticeAction::RebootRecorder:
        if (ok && IsConnected()) {
            if (HasRight(kRightRebootAfterFw)) {
                m_pClient->Commands().SendRebootReq();
            } else {
                PostNotice(kNoticeNotAllowed, ClientWindow::MainWindow);
            }
        }
        break;
    case NoticeAction::RunFirmwareUpgrade:
        if (ok && IsConnected() && m_pFirmware) {
            m_pFirmware->RunModal();
            SetClientWindow(ClientWindow::FirmwareDialog, nullptr);
            EnableWindow(TRUE);
        }
        break;
    case NoticeAction::InitRecorderSetup:
        if (ok && IsConnected()) {
            m_pClient->Setup().SendDbInitReq();
        }
        break;
    }
    if (category == 11) {
        m_pFirmware.reset();
    }
    if (!content.keepsMainEnabled && AnyFrameOpen()) {
        EnableWindow(FALSE);
    }
}

void CClientDlg::PostLocalWriteFailure(int error, const std::string& folder) {
    // The folder goes with the notice, so that two failures in a row each name their own.
    const WORD category = HIWORD(DWORD(LocalWriteNotice(error)));
    const WORD code = LOWORD(DWORD(LocalWriteNotice(error)));
    std::string shown = folder;
    while (shown.size() > 1 && shown.back() == '/') {
        shown.pop_back();
    }
    CMessagePump::PostCall(GetSafeHwnd(), [category, code, folder = CString(shown.c_str())](CWnd& wnd) {
        if (auto* main = dynamic_cast<CClientDlg*>(&wnd)) {
            main->ShowNotice(main->GetSafeHwnd(), category, code, folder);
        }
    });
}
