#include "platform/window/FileDialog.h"

#include "platform/window/HandleMap.h"
#include "platform/window/MessagePump.h"
#include "platform/window/WinApp.h"
#include "platform/window/WndHost.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QStringList>

#include <cstdlib>
#include <cstring>

namespace {

const DialogItem kNoItems[1] = {{0, "STATIC", 0, 0, 0, 0, 0}};
const DialogTemplate kEmptyChild{.cx = 0, .cy = 0, .style = WS_CHILD | WS_VISIBLE, .items = {kNoItems, 0}};

// "desc|patterns|desc|patterns||" as Qt filters "desc (p1 p2)".
QStringList QtFilters(const std::string& filter) {
    QStringList result;
    std::vector<std::string> parts;
    std::string current;
    for (char c : filter) {
        if (c == '|') {
            parts.push_back(current);
            current.clear();
        } else {
            current += c;
        }
    }
    if (!current.empty()) {
        parts.push_back(current);
    }
    for (std::size_t i = 0; i + 1 < parts.size(); i += 2) {
        if (parts[i].empty()) {
            break;
        }
        QString patterns = QString::fromUtf8(parts[i + 1].c_str());
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        result << QString::fromUtf8(parts[i].c_str()) + QStringLiteral(" (") + patterns + QLatin1Char(')');
    }
    return result;
}

void CopyBounded(const std::string& text, LPSTR buffer, DWORD size) {
    if (buffer == nullptr || size == 0) {
        return;
    }
    const std::size_t count = std::min<std::size_t>(text.size(), size - 1);
    std::memcpy(buffer, text.data(), count);
    buffer[count] = '\0';
}

} // namespace

CFileDialog::CFileDialog(BOOL bOpenFileDialog, LPCTSTR lpszDefExt, LPCTSTR lpszFileName, DWORD dwFlags,
                         LPCTSTR lpszFilter, CWnd* pParentWnd)
    : CDialog(0, pParentWnd), m_bOpenFileDialog(bOpenFileDialog), m_filter(lpszFilter != nullptr ? lpszFilter : ""),
      m_defExt(lpszDefExt != nullptr ? lpszDefExt : ""), m_fileName(lpszFileName != nullptr ? lpszFileName : "") {
    m_ofn.lStructSize = sizeof m_ofn;
    m_ofn.Flags = dwFlags | OFN_EXPLORER;
    m_ofn.lpstrFilter = m_filter.empty() ? nullptr : m_filter.c_str();
    m_ofn.lpstrDefExt = m_defExt.empty() ? nullptr : m_defExt.c_str();
}

CFileDialog::~CFileDialog() = default;

INT_PTR CFileDialog::DoModal() {
    if (!CMessagePump::IsUiThread() || m_hWnd.load() != nullptr) {
        return -1;
    }
    CWnd* owner = m_ofn.hwndOwner != nullptr ? CWnd::FromHandle(m_ofn.hwndOwner)
                  : m_pParentWnd != nullptr  ? m_pParentWnd->GetTopLevelParent()
                                             : AfxGetMainWnd();
    const HWND ownerHwnd = owner != nullptr ? owner->GetSafeHwnd() : nullptr;
    bool disabledOwner = false;
    if (ownerHwnd != nullptr && ::IsWindowEnabled(ownerHwnd)) {
        ::EnableWindow(ownerHwnd, FALSE);
        disabledOwner = true;
    }

    CWnd frame;
    const char* title = m_ofn.lpstrTitle != nullptr ? m_ofn.lpstrTitle : (m_bOpenFileDialog ? "Open" : "Save As");
    // A plain window: closing it destroys it and with it this dialog's window, which ends the loop
    // with IDCANCEL.
    frame.CreateEx(0, nullptr, title, WS_POPUP | WS_CAPTION | WS_SYSMENU, RECT{0, 0, 600, 400}, owner, 0);
    CWndHost* frameHost = frame.GetHost();
    auto* chooser = new QFileDialog(frameHost);
    chooser->setWindowFlags(Qt::Widget);
    chooser->setOption(QFileDialog::DontUseNativeDialog, true);
    chooser->setFileMode(m_bOpenFileDialog ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    chooser->setAcceptMode(m_bOpenFileDialog ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    if (const QStringList filters = QtFilters(m_ofn.lpstrFilter != nullptr ? m_ofn.lpstrFilter : "");
        !filters.isEmpty()) {
        chooser->setNameFilters(filters);
    }
    if (m_ofn.lpstrDefExt != nullptr) {
        chooser->setDefaultSuffix(QString::fromUtf8(m_ofn.lpstrDefExt));
    }
    if (m_ofn.lpstrInitialDir != nullptr && QDir(QString::fromUtf8(m_ofn.lpstrInitialDir)).exists()) {
        chooser->setDirectory(QString::fromUtf8(m_ofn.lpstrInitialDir));
    }
    if (!m_fileName.empty()) {
        chooser->selectFile(QString::fromUtf8(m_fileName.c_str()));
    }
    m_chooser = chooser;
    m_folder = QDir::cleanPath(chooser->directory().absolutePath()).toStdString();
    m_path.clear();

    // The child template (or an empty child) is this object's window.
    const DialogTemplate* child = nullptr;
    if ((m_ofn.Flags & OFN_ENABLETEMPLATE) != 0 && m_ofn.lpTemplateName != nullptr &&
        IS_INTRESOURCE(m_ofn.lpTemplateName)) {
        child = CDialogTemplates::Find(UINT(reinterpret_cast<std::uintptr_t>(m_ofn.lpTemplateName)));
    }
    DialogTemplate childTemplate = child != nullptr ? *child : kEmptyChild;
    childTemplate.style = (childTemplate.style & ~WS_POPUP) | WS_CHILD | WS_VISIBLE;
    childTemplate.x = 0;
    childTemplate.y = 0;
    m_modalResult = IDCANCEL;
    QObject::connect(chooser, &QFileDialog::currentChanged, chooser, [this](const QString& path) {
        if (!QFileInfo(path).isFile()) {
            return;
        }
        m_path = path.toStdString();
        CopyBounded(m_path, m_ofn.lpstrFile, m_ofn.nMaxFile);
        OnFileNameChange();
    });
    // The chooser's file model follows every change of folder, by the user or by the program.
    auto folderChanged = [this](const QString& folder) {
        const std::string path = QDir::cleanPath(folder).toStdString();
        if (path == m_folder) {
            return;
        }
        m_folder = path;
        OnFolderChange();
    };
    if (auto* model = chooser->findChild<QFileSystemModel*>()) {
        QObject::connect(model, &QFileSystemModel::rootPathChanged, chooser, folderChanged);
    } else {
        QObject::connect(chooser, &QFileDialog::directoryEntered, chooser, folderChanged);
    }
    QObject::connect(chooser, &QFileDialog::accepted, chooser, [this] {
        const QStringList files = m_chooser ? m_chooser->selectedFiles() : QStringList();
        if (!files.isEmpty()) {
            m_path = files.first().toStdString();
        }
        EndModalLoop(IDOK);
    });
    QObject::connect(chooser, &QFileDialog::rejected, chooser, [this] { EndModalLoop(IDCANCEL); });

    if (CreateFromTemplate(childTemplate, &frame, false)) {
        // The chooser on top, the program's part below it, at the size the program gave it.
        const QSize hint = chooser->sizeHint().expandedTo(QSize(560, 340));
        RECT childRect{};
        GetClientRect(&childRect);
        const int width = std::max<int>(hint.width(), childRect.right);
        chooser->setGeometry(0, 0, width, hint.height());
        chooser->show();
        ::SetWindowPos(m_hWnd.load(), nullptr, 0, hint.height(), 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        frame.SetWindowPos(nullptr, 0, 0, width, hint.height() + childRect.bottom, SWP_NOMOVE | SWP_NOZORDER);
        frame.CenterWindow();
        frame.ShowWindow(SW_SHOW);
        frameHost->activateWindow();
        RunModalLoop();
    }
    const int result = m_modalResult;
    if (result == IDOK) {
        CopyBounded(m_path, m_ofn.lpstrFile, m_ofn.nMaxFile);
        const std::string name = QFileInfo(QString::fromStdString(m_path)).fileName().toStdString();
        CopyBounded(name, m_ofn.lpstrFileTitle, m_ofn.nMaxFileTitle);
    }
    if (disabledOwner && ::IsWindow(ownerHwnd)) {
        ::EnableWindow(ownerHwnd, TRUE);
    }
    m_chooser = nullptr;
    frame.DestroyWindow();
    CWndHost::Activate(ownerHwnd);
    return result;
}

CString CFileDialog::GetPathName() const {
    return CString(m_path.c_str());
}

void CFileDialog::OnFileNameChange() {}

void CFileDialog::OnFolderChange() {}

// ---- folder browser

struct ITEMIDLIST {
    char path[1];
};

namespace {

LPITEMIDLIST MakeItem(const std::string& path) {
    auto* item = static_cast<ITEMIDLIST*>(std::malloc(path.size() + 1));
    if (item != nullptr) {
        std::memcpy(item->path, path.c_str(), path.size() + 1);
    }
    return item;
}

} // namespace

LPITEMIDLIST SHBrowseForFolder(LPBROWSEINFO info) {
    if (info == nullptr || !CMessagePump::IsUiThread()) {
        return nullptr;
    }
    CWndHost* owner = CWndHost::FromHandle(info->hwndOwner);
    QFileDialog chooser(owner != nullptr ? owner->window() : nullptr);
    chooser.setOption(QFileDialog::DontUseNativeDialog, true);
    chooser.setOption(QFileDialog::ShowDirsOnly, true);
    chooser.setFileMode(QFileDialog::Directory);
    chooser.setWindowTitle(QString::fromUtf8(info->lpszTitle != nullptr ? info->lpszTitle : ""));
    const char* root = info->pidlRoot != nullptr ? info->pidlRoot->path : nullptr;
    chooser.setDirectory(root != nullptr ? QString::fromUtf8(root) : QDir::homePath());
    // The browser's window, known by a handle while it runs, so the callback can name it.
    const HWND hwnd = CHandleMap::Add(nullptr, &chooser);
    if (info->lpfn != nullptr) {
        info->lpfn(hwnd, BFFM_INITIALIZED, 0, info->lParam);
    }
    const int result = chooser.exec();
    CHandleMap::Remove(hwnd);
    CWndHost::Activate(info->hwndOwner);
    const QStringList chosen = chooser.selectedFiles();
    if (result != QDialog::Accepted || chosen.isEmpty()) {
        return nullptr;
    }
    const std::string path = QDir::cleanPath(chosen.first()).toStdString();
    if (info->pszDisplayName != nullptr) {
        CopyBounded(QFileInfo(QString::fromStdString(path)).fileName().toStdString(), info->pszDisplayName, MAX_PATH);
    }
    return MakeItem(path);
}

BOOL SHGetPathFromIDList(LPCITEMIDLIST item, LPSTR path) {
    if (item == nullptr || path == nullptr) {
        return FALSE;
    }
    const std::size_t length = std::strlen(item->path);
    if (length >= std::size_t(MAX_PATH)) {
        path[0] = '\0';
        return FALSE;
    }
    std::memcpy(path, item->path, length + 1);
    return TRUE;
}

HRESULT SHGetSpecialFolderLocation(HWND owner, int folder, LPITEMIDLIST* item) {
    (void)owner;
    if (item == nullptr) {
        return E_FAIL;
    }
    switch (folder) {
    case CSIDL_DRIVES:
        *item = MakeItem("/");
        break;
    case CSIDL_DESKTOP:
    case CSIDL_PERSONAL:
        *item = MakeItem(QDir::homePath().toStdString());
        break;
    default:
        *item = nullptr;
        return E_FAIL;
    }
    return *item != nullptr ? S_OK : E_FAIL;
}

void IMalloc::Free(LPVOID memory) {
    std::free(memory);
}

ULONG IMalloc::Release() {
    return 1;
}

HRESULT SHGetMalloc(IMalloc** allocator) {
    static IMalloc shared;
    if (allocator == nullptr) {
        return E_FAIL;
    }
    *allocator = &shared;
    return S_OK;
}
