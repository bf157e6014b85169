// The layer's ready-made dialogs and services: message boxes, file and folder dialogs, printing,
// monitors, the rubber band and moving windows between parents.

#include "WidgetTestSupport.h"

#include "platform/gdi/Bitmap.h"
#include "platform/gdi/Gdi.h"
#include "platform/window/DataExchange.h"
#include "platform/window/FileDialog.h"
#include "platform/window/MessageBox.h"
#include "platform/window/Monitors.h"
#include "platform/window/PrintDialog.h"
#include "platform/window/Static.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QItemSelectionModel>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <cstring>
#include <string>
#include <thread>
#include <vector>

namespace {

class ShellTest : public ::testing::Test {
protected:
    void SetUp() override { TestApp(); }
    void TearDown() override { Flush(); }
};

// Runs the action on the first modal widget of the given type once it is up.
template <typename T>
void WhenModal(std::function<void(T*)> action) {
    auto* timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, action] {
        if (auto* widget = qobject_cast<T*>(QApplication::activeModalWidget())) {
            timer->stop();
            timer->deleteLater();
            action(widget);
        }
    });
    timer->start();
}

TEST_F(ShellTest, MessageBoxAnswersWithTheButtonChosenAndNeverBlocksAWorker) {
    WhenModal<QMessageBox>([](QMessageBox* box) {
        EXPECT_EQ(box->text(), QString("Not KELO1000 !"));
        box->button(QMessageBox::Cancel)->click();
    });
    EXPECT_EQ(MessageBox(nullptr, "Not KELO1000 !", "Title", MB_OKCANCEL), IDCANCEL);

    // From a worker the box is queued and the worker goes on at once.
    int fromWorker = 0;
    std::thread worker([&] { fromWorker = AfxMessageBox("Unsupported OS version !"); });
    worker.join();
    EXPECT_EQ(fromWorker, IDOK);
    bool shown = false;
    WhenModal<QMessageBox>([&](QMessageBox* box) {
        shown = box->text() == QString("Unsupported OS version !");
        box->button(QMessageBox::Ok)->click();
    });
    ASSERT_TRUE(PumpUntil([&] { return shown; }));
}

// ---- file dialog with a preview child

enum : UINT { IDD_PREVIEW_CHILD = 9301, IDC_SIZE = 390, IDC_FRAME = 391, IDC_PICTURE = 392 };
const DialogItem kPreviewItems[] = {
    {IDC_SIZE, "STATIC", 248, 10, 160, 19, WS_VISIBLE, ""},
    {IDC_FRAME, "STATIC", 0, 0, 400, 280, WS_VISIBLE, ""},
    {IDC_PICTURE, "STATIC", 0, 0, 360, 240, WS_VISIBLE, ""},
};
const DialogTemplate kPreviewChild{
    .id = IDD_PREVIEW_CHILD, .cx = 600, .cy = 300, .style = WS_CHILD | WS_VISIBLE, .items = kPreviewItems};
const DialogTemplateRegistration kPreviewRegistered(kPreviewChild);

class CPreviewDialog : public CFileDialog {
public:
    CPreviewDialog()
        : CFileDialog(TRUE, "Image", nullptr, OFN_HIDEREADONLY,
                      "JPEG files(*.jpg), BMP files(*.bmp), TIFF files(*.tif)|*.jpg;*.bmp;*.tif||") {
        m_ofn.Flags |= OFN_EXPLORER | OFN_ENABLETEMPLATE;
        m_ofn.lpTemplateName = MAKEINTRESOURCE(IDD_PREVIEW_CHILD);
        m_ofn.lpstrFile = m_buffer;
        m_ofn.nMaxFile = sizeof m_buffer;
    }
    CStatic m_picture;
    std::vector<std::string> selections;
    int folderChanges = 0;
    bool boundAtInit = false;
    char m_buffer[260] = {};

    BOOL OnInitDialog() override {
        CFileDialog::OnInitDialog();
        CWnd* picture = GetDlgItem(IDC_PICTURE);
        boundAtInit =
            picture != nullptr && m_picture.SubclassWindow(picture->GetSafeHwnd()) != FALSE && GetParent() != nullptr;
        SetWindowPos(nullptr, 0, 0, 656, 340, SWP_NOMOVE | SWP_NOZORDER);
        return TRUE;
    }
    void OnFileNameChange() override {
        selections.emplace_back(GetPathName().GetString());
        SetDlgItemText(IDC_SIZE, "(0 x 0)");
    }
    void OnFolderChange() override { ++folderChanges; }
};

TEST_F(ShellTest, FileDialogWithAPreviewChildReportsSelectionsAndTheChosenPath) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    for (const char* name : {"a.JPG", "b.bmp", "notes.txt"}) {
        QFile file(dir.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("x");
    }
    const std::string folder = dir.path().toStdString();
    CPreviewDialog dialog;
    dialog.m_ofn.lpstrInitialDir = folder.c_str();

    bool filtered = false;
    // The folder is read in the background, so the file is picked again on every tick until it is
    // listed: made the current file in the list, as a click does (selectFile alone selects nothing
    // while the chooser's name field has the focus).
    auto pickFile = [&](QFileDialog* chooser) {
        chooser->selectFile(dir.filePath("a.JPG"));
        auto* view = chooser->findChild<QAbstractItemView*>("listView");
        if (view == nullptr) {
            return false;
        }
        const QModelIndexList listed = view->model()->match(view->model()->index(0, 0, view->rootIndex()),
                                                            Qt::DisplayRole, "a.JPG", 1, Qt::MatchExactly);
        if (listed.isEmpty()) {
            return false;
        }
        // From no current file, so that the change is reported even when it was current already.
        view->setCurrentIndex(QModelIndex());
        view->setCurrentIndex(listed.first());
        return true;
    };
    QTimer driver;
    driver.setInterval(20);
    bool wandered = false;
    QObject::connect(&driver, &QTimer::timeout, &driver, [&] {
        QFileDialog* chooser = dialog.Chooser();
        if (chooser == nullptr || !chooser->isVisible()) {
            return;
        }
        if (dialog.selections.empty()) {
            pickFile(chooser);
            return;
        }
        if (!wandered) {
            filtered = !chooser->nameFilters().isEmpty();
            chooser->setDirectory(QDir::tempPath());
            chooser->setDirectory(dir.path());
            wandered = true;
        }
        // Back in the folder, the file is taken once it is listed again.
        if (pickFile(chooser)) {
            static_cast<QDialog*>(chooser)->accept();
        }
    });
    driver.start();

    EXPECT_EQ(dialog.DoModal(), IDOK);
    driver.stop();
    EXPECT_TRUE(dialog.boundAtInit);
    EXPECT_TRUE(filtered);
    ASSERT_FALSE(dialog.selections.empty());
    const std::string expected = dir.filePath("a.JPG").toStdString();
    EXPECT_EQ(dialog.selections.front(), expected);
    EXPECT_EQ(std::string(dialog.GetPathName().GetString()), expected);
    EXPECT_EQ(std::string(dialog.m_buffer), expected);
    EXPECT_GE(dialog.folderChanges, 1);
    EXPECT_EQ(dialog.GetSafeHwnd(), nullptr);
}

TEST_F(ShellTest, FolderBrowserNamesItselfFromTheCallbackAndGivesThePath) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QString title;
    WhenModal<QFileDialog>([&](QFileDialog* chooser) {
        title = chooser->windowTitle();
        chooser->setDirectory(dir.path());
        static_cast<QDialog*>(chooser)->accept();
    });
    char name[MAX_PATH] = {};
    BROWSEINFO info{};
    info.pszDisplayName = name;
    info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_DONTGOBELOWDOMAIN;
    SHGetSpecialFolderLocation(nullptr, CSIDL_DRIVES, const_cast<LPITEMIDLIST*>(&info.pidlRoot));
    info.lpfn = [](HWND hwnd, UINT message, LPARAM, LPARAM) {
        if (message == BFFM_INITIALIZED) {
            SetWindowText(hwnd, "Choose the save folder");
        }
        return 0;
    };
    LPITEMIDLIST chosen = SHBrowseForFolder(&info);
    IMalloc* shell = nullptr;
    ASSERT_EQ(SHGetMalloc(&shell), S_OK);
    shell->Free(const_cast<LPITEMIDLIST>(info.pidlRoot));
    info.pidlRoot = nullptr;
    ASSERT_NE(chosen, nullptr);
    char path[MAX_PATH] = {};
    ASSERT_TRUE(SHGetPathFromIDList(chosen, path));
    shell->Free(chosen);
    shell->Release();
    EXPECT_EQ(title, QString("Choose the save folder"));
    EXPECT_EQ(std::string(path), QDir::cleanPath(dir.path()).toStdString());
    EXPECT_EQ(std::string(name), QDir(dir.path()).dirName().toStdString());

    WhenModal<QFileDialog>([](QFileDialog* chooser) { chooser->reject(); });
    EXPECT_EQ(SHBrowseForFolder(&info), nullptr);
}

// ---- printing

int PageCount(const QByteArray& pdf) {
    int pages = 0;
    for (qsizetype at = pdf.indexOf("/Type /Page"); at >= 0; at = pdf.indexOf("/Type /Page", at + 1)) {
        pages += pdf.mid(at, 12) != "/Type /Pages" ? 1 : 0;
    }
    return pages;
}

TEST_F(ShellTest, PrintingWithoutAPrinterWritesAPdfPerDocumentAndAbortLeavesNothing) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    {
        CPrintDialog none(FALSE, PD_RETURNDEFAULT | PD_RETURNDC);
        if (none.DoModal() == IDOK) {
            GTEST_SKIP() << "a printer is installed";
        }
        EXPECT_EQ(none.m_pd.hDC, nullptr);
    }
    CPrintDialog dialog(FALSE, PD_RETURNDEFAULT | PD_RETURNDC);
    dialog.SetNoPrinterFolder(dir.path().toStdString());
    ASSERT_EQ(dialog.DoModal(), IDOK);
    EXPECT_TRUE(dialog.PrintsToFile());
    CPrinterDC* dc = dialog.GetPrinter();
    ASSERT_NE(dc, nullptr);
    ASSERT_EQ(dialog.m_pd.hDC, dc->GetSafeHdc());
    DOCINFO info{};
    info.cbSize = sizeof info;
    info.lpszDocName = "Remote Log All";
    ASSERT_GT(dc->StartDoc(&info), 0);
    dc->SetMapMode(MM_TWIPS);
    for (int page = 1; page <= 2; ++page) {
        ASSERT_GT(dc->StartPage(), 0);
        dc->Rectangle(3200, -900, 8200, -1400);
        RECT title{3200, -900, 8200, -1400};
        dc->DrawText("Remote Log All", &title, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        ASSERT_GT(dc->EndPage(), 0);
    }
    ASSERT_GT(dc->EndDoc(), 0);
    const std::string path = dc->OutputPath();
    EXPECT_EQ(path, dir.filePath("Remote Log All.pdf").toStdString());
    QFile file(QString::fromStdString(path));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray pdf = file.readAll();
    EXPECT_TRUE(pdf.startsWith("%PDF"));
    EXPECT_EQ(PageCount(pdf), 2);

    // A second document of the same name does not overwrite the first; an aborted one leaves nothing.
    ASSERT_GT(dc->StartDoc(&info), 0);
    ASSERT_GT(dc->StartPage(), 0);
    const std::string second = dc->OutputPath();
    EXPECT_EQ(second, dir.filePath("Remote Log All (2).pdf").toStdString());
    ASSERT_GT(dc->AbortDoc(), 0);
    EXPECT_FALSE(QFile::exists(QString::fromStdString(second)));
    EXPECT_TRUE(QFile::exists(QString::fromStdString(path)));
}

// ---- monitors

TEST_F(ShellTest, MonitorsAreQtScreensWithWorkAreasAndThePrimaryFlag) {
    std::vector<HMONITOR> monitors;
    ASSERT_TRUE(EnumDisplayMonitors(
        nullptr, nullptr,
        [](HMONITOR monitor, HDC, LPRECT, LPARAM data) {
            reinterpret_cast<std::vector<HMONITOR>*>(data)->push_back(monitor);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&monitors)));
    ASSERT_EQ(int(monitors.size()), GetSystemMetrics(SM_CMONITORS));
    ASSERT_FALSE(monitors.empty());
    MONITORINFOEX info{};
    info.cbSize = sizeof info;
    ASSERT_TRUE(GetMonitorInfo(monitors.front(), reinterpret_cast<LPMONITORINFO>(&info)));
    EXPECT_EQ(info.dwFlags, MONITORINFOF_PRIMARY);
    EXPECT_EQ(info.rcMonitor.right - info.rcMonitor.left, GetSystemMetrics(SM_CXSCREEN));
    EXPECT_LE(info.rcWork.right - info.rcWork.left, info.rcMonitor.right - info.rcMonitor.left);
    EXPECT_NE(info.szDevice[0], '\0');
    EXPECT_EQ(info.szDevice[CCHDEVICENAME - 1], '\0');
    info.cbSize = 12;
    EXPECT_FALSE(GetMonitorInfo(monitors.front(), reinterpret_cast<LPMONITORINFO>(&info)));
    EXPECT_FALSE(GetMonitorInfo(reinterpret_cast<HMONITOR>(99), reinterpret_cast<LPMONITORINFO>(&info)));
    EXPECT_EQ(MonitorFromPoint(POINT{info.rcMonitor.left + 1, info.rcMonitor.top + 1}, MONITOR_DEFAULTTONULL),
              monitors.front());
}

// ---- rubber band and parents

TEST_F(ShellTest, AChildWindowBecomesAPopupOnTheDesktopAndComesBack) {
    CWnd main;
    ASSERT_TRUE(main.CreateEx(0, nullptr, "", WS_POPUP, RECT{0, 0, 400, 300}, nullptr, 0));
    CWnd bar;
    ASSERT_TRUE(bar.Create(nullptr, "", WS_CHILD | WS_VISIBLE, RECT{10, 10, 110, 40}, &main, 7));
    ShowAndWait(main);
    EXPECT_EQ(main.GetDlgItem(7), &bar);

    bar.ModifyStyle(WS_CHILD, WS_POPUP);
    bar.SetParent(nullptr);
    bar.SetWindowPos(reinterpret_cast<const CWnd*>(HWND_TOPMOST), 500, 20, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
    EXPECT_TRUE(bar.GetHost()->isWindow());
    EXPECT_TRUE(bar.IsWindowVisible());
    EXPECT_NE(bar.GetExStyle() & WS_EX_TOPMOST, 0U);
    EXPECT_EQ(main.GetDlgItem(7), nullptr);
    CRect rect;
    bar.GetWindowRect(&rect);
    EXPECT_EQ(rect, CRect(500, 20, 600, 50));

    bar.ModifyStyle(WS_POPUP, WS_CHILD);
    bar.SetParent(&main);
    bar.MoveWindow(10, 10, 100, 30);
    EXPECT_FALSE(bar.GetHost()->isWindow());
    EXPECT_EQ(main.GetDlgItem(7), &bar);
    EXPECT_TRUE(bar.IsWindowVisible());
    main.DestroyWindow();
    EXPECT_EQ(bar.GetSafeHwnd(), nullptr);
}

} // namespace
