#pragma once
// The file open/save dialog: a standard file chooser (Qt's own, not the desktop's) with, below it,
// the program's child template (OFN_ENABLETEMPLATE, m_ofn.lpTemplateName = MAKEINTRESOURCE(id)).
// The CFileDialog object is the child template's window: its OnInitDialog binds the template's
// controls, GetParent() is the whole dialog. OnFileNameChange runs when a file is selected (the
// selection is GetPathName), OnFolderChange when the folder changes. Filters are given as
// "description|patterns|...||" and match file names without regard to case. DoModal gives IDOK
// with the chosen path in GetPathName and in m_ofn.lpstrFile (when given, bounded by nMaxFile), or
// IDCANCEL. The child window's size (as OnInitDialog leaves it) sets the height of the part below.

#include "platform/base/String.h"
#include "platform/window/Dialog.h"

#include <QPointer>

#include <string>

class QFileDialog;

struct OPENFILENAME {
    DWORD lStructSize;
    HWND hwndOwner;
    HINSTANCE hInstance;
    LPCSTR lpstrFilter;
    LPSTR lpstrCustomFilter;
    DWORD nMaxCustFilter;
    DWORD nFilterIndex;
    LPSTR lpstrFile;
    DWORD nMaxFile;
    LPSTR lpstrFileTitle;
    DWORD nMaxFileTitle;
    LPCSTR lpstrInitialDir;
    LPCSTR lpstrTitle;
    DWORD Flags;
    WORD nFileOffset;
    WORD nFileExtension;
    LPCSTR lpstrDefExt;
    LPARAM lCustData;
    void* lpfnHook;
    LPCSTR lpTemplateName;
};

class CFileDialog : public CDialog {
public:
    CFileDialog(BOOL bOpenFileDialog, LPCTSTR lpszDefExt = nullptr, LPCTSTR lpszFileName = nullptr,
                DWORD dwFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, LPCTSTR lpszFilter = nullptr,
                CWnd* pParentWnd = nullptr);
    ~CFileDialog() override;

    INT_PTR DoModal() override;
    // The selected (or, after IDOK, the chosen) file's full path.
    CString GetPathName() const;

    virtual void OnFileNameChange();
    virtual void OnFolderChange();

    OPENFILENAME m_ofn{};

    // The chooser while the dialog runs (for tests).
    QFileDialog* Chooser() const { return m_chooser.data(); }

private:
    BOOL m_bOpenFileDialog;
    std::string m_filter;
    std::string m_defExt;
    std::string m_fileName;
    std::string m_path;
    std::string m_folder;
    QPointer<QFileDialog> m_chooser;
};

// The folder browser.
struct ITEMIDLIST;
using LPITEMIDLIST = ITEMIDLIST*;
using LPCITEMIDLIST = const ITEMIDLIST*;
using BFFCALLBACK = int (*)(HWND hwnd, UINT message, LPARAM lParam, LPARAM data);
using HRESULT = LONG;
constexpr HRESULT S_OK = 0;
constexpr HRESULT E_FAIL = HRESULT(0x80004005);

struct BROWSEINFO {
    HWND hwndOwner;
    LPCITEMIDLIST pidlRoot;
    LPSTR pszDisplayName; // MAX_PATH bytes: the chosen folder's name
    LPCSTR lpszTitle;
    UINT ulFlags;
    BFFCALLBACK lpfn; // BFFM_INITIALIZED with the browser's window (its text is the caption)
    LPARAM lParam;
    int iImage;
};
using LPBROWSEINFO = BROWSEINFO*;

// A modal folder chooser (Qt's own) starting at the root folder given (the file system's root for
// CSIDL_DRIVES, home without one). The chosen folder, to be freed with CoTaskMemFree, or null when
// cancelled.
LPITEMIDLIST SHBrowseForFolder(LPBROWSEINFO info);
// path: MAX_PATH bytes. FALSE for a null item or a path that does not fit.
BOOL SHGetPathFromIDList(LPCITEMIDLIST item, LPSTR path);
HRESULT SHGetSpecialFolderLocation(HWND owner, int folder, LPITEMIDLIST* item);
// The shell's allocator, for code that frees items through it.
struct IMalloc {
    virtual void Free(LPVOID memory);
    virtual ULONG Release();
    virtual ~IMalloc() = default;
};
HRESULT SHGetMalloc(IMalloc** allocator);
