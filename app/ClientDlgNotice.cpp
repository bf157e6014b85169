// Notices: a (category, code) posted from any thread becomes the skinned message box, and OK may
// act on it.
#include "app/ClientDlg.h"

#include "app/MsgBoxDlg.h"
#include "app/NoticeTable.h"
#include "platform/gdi/Font.h"
#include "platform/window/ClientDC.h"
#include "protocol/ReasonCodes.h"

#include <QLocale>

void CClientDlg::ShowNotice(HWND parent, WORD category, WORD code) {
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
        context.size1 = m_pClient->GetSpaceNackSize(0);
        context.size2 = m_pClient->GetSpaceNackSize(1);
    }
    context.searchFrameMByte = m_nBackupMarginMByte;
    NoticeContent content;
    if (!CNoticeTable::LookUp(category, code, context, content)) {
        if (category == 11) {
            m_pFirmware.reset();
        }
        return;
    }

    CWnd* owner = ::IsWindow(parent) ? CWnd::FromHandle(parent) : nullptr;
    auto box = std::make_unique<CMsgBoxDlg>(owner != nullptr ? owner : this, Opacity(kOpacityNoticeBox));
    {
        CClientDC dc(this);
        CFont* font = GetFont();
        CFont* old = font != nullptr ? dc.SelectObject(font) : nullptr;
        for (int i = 0; i < content.lineCount; ++i) {
            const CString text = CNoticeTable::RenderLine(content.lines[i], [this](UINT id) {
                CString t;
                LoadResString(t, id);
                return t;
            });
            const SIZE extent = dc.GetTextExtent(text);
            box->SetLine(i, text, int(double(extent.cx) * scale));
        }
        if (old != nullptr) {
            dc.SelectObject(old);
        }
    }
    box->m_nLineCount = content.lineCount;
    box->m_nButtonMode = content.buttons == kNoticeButtonsOk ? 1 : (content.buttons == kNoticeButtonsCancel ? 2 : 0);
    if (content.clearsSizes && m_pClient) {
        m_pClient->ClearSpaceNackSizes();
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
            m_pClient->SendDbUpdate(m_setupDb);
        }
        break;
    case NoticeAction::RebootRecorder:
        if (ok && IsConnected()) {
            if (HasRight(kRightRebootAfterFw)) {
                m_pClient->SendRebootReq();
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
            m_pClient->SendDbInitReq();
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
