#pragma once
// The file-open dialog of the Load command with a live preview of the selected picture and its size.

#include "controls/PictureStatic.h"
#include "platform/window/FileDialog.h"
#include "res/DialogIds.h"

#include <QFileDialog>

class CPreviewFileDlg : public CFileDialog {
public:
    static constexpr UINT IDD = IDD_PREVIEW_FILE_DLG;
    static constexpr const char* kFilter = "JPEG files(*.jpg), BMP files(*.bmp), TIFF files(*.tif)|*.jpg;*.bmp;*.tif||";

    // An open dialog starting in initialFolder.
    CPreviewFileDlg(CWnd* pParent, const char* initialFolder);

    CPictureStatic m_picture;

    void OnFileNameChange() override;
    void OnFolderChange() override;
    // The size text shown now.
    CString GetSizeText() const;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

private:
    void ShowImage(const char* path);

    CString m_strInitialFolder;
};
