#include "app/PreviewFileDlg.h"

#include "platform/window/ClientDC.h"
#include "platform/window/DataExchange.h"

namespace {

constexpr UINT kIdSize = 390;
constexpr UINT kIdFrame = 391;
constexpr UINT kIdPicture = 392;

const DialogItem kItems[] = {
    {kIdSize, "STATIC", 248, 10, 160, 19, WS_VISIBLE | SS_LEFT, "(0 x 0)"},
    {kIdFrame, "STATIC", 128, 30, 400, 280, WS_VISIBLE | SS_BLACKRECT},
    {kIdPicture, "STATIC", 148, 50, 360, 240, WS_VISIBLE | SS_OWNERDRAW},
};
const DialogTemplate kTemplate{
    .id = CPreviewFileDlg::IDD, .cx = 656, .cy = 340, .style = WS_CHILD | DS_CONTROL, .items = kItems};
const DialogTemplateRegistration kRegistered(kTemplate);

} // namespace

CPreviewFileDlg::CPreviewFileDlg(CWnd* pParent, const char* initialFolder)
    : CFileDialog(TRUE, "Image", nullptr, OFN_HIDEREADONLY | OFN_EXPLORER | OFN_ENABLETEMPLATE, kFilter, pParent),
      m_strInitialFolder(initialFolder != nullptr ? initialFolder : "") {
    m_ofn.lStructSize = 88;
    m_ofn.lpTemplateName = MAKEINTRESOURCE(IDD);
    m_ofn.lpstrInitialDir = m_strInitialFolder;
}

void CPreviewFileDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, kIdPicture, m_picture);
}

BOOL CPreviewFileDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    constexpr int kWidth = 656;
    constexpr int kHeight = 340;
    SetWindowPos(nullptr, 0, 0, kWidth, kHeight, SWP_NOMOVE | SWP_NOZORDER);
    m_picture.MoveWindow((kWidth - 360) / 2, (kHeight - 240) / 2, 360, 240);
    m_picture.ShowWindow(SW_SHOW);
    if (CWnd* frame = GetDlgItem(kIdFrame)) {
        frame->MoveWindow((kWidth - 400) / 2, (kHeight - 280) / 2, 400, 280);
    }
    if (CWnd* size = GetDlgItem(kIdSize)) {
        size->MoveWindow(248, 10, 160, 19);
        size->ShowWindow(SW_SHOW);
    }
    return TRUE;
}

void CPreviewFileDlg::ShowImage(const char* path) {
    CClientDC dc(this);
    m_picture.SetDC(&dc);
    m_picture.LoadImage(path);
    m_picture.SetDC(nullptr);
    CString size;
    size.Format("(%d x %d)", m_picture.GetImageWidth(), m_picture.GetImageHeight());
    SetDlgItemText(kIdSize, size);
}

void CPreviewFileDlg::OnFileNameChange() {
    ShowImage(GetPathName());
}

void CPreviewFileDlg::OnFolderChange() {
    ShowImage("");
}

CString CPreviewFileDlg::GetSizeText() const {
    CString text;
    GetDlgItemText(kIdSize, text);
    return text;
}
