#include "platform/window/MessageBox.h"

#include "platform/window/MessagePump.h"
#include "platform/window/WinApp.h"
#include "platform/window/Wnd.h"
#include "platform/window/WndHost.h"

#include <QMessageBox>
#include <QPushButton>

#include <string>

namespace {

int RunBox(HWND owner, const std::string& text, const std::string& caption, UINT type) {
    CWndHost* ownerHost = CWndHost::FromHandle(owner);
    if (ownerHost == nullptr && AfxGetMainWnd() != nullptr) {
        ownerHost = AfxGetMainWnd()->GetHost();
    }
    QMessageBox box(ownerHost != nullptr ? ownerHost->window() : nullptr);
    box.setText(QString::fromUtf8(text.c_str()));
    const char* title =
        caption.empty()
            ? (AfxGetApp() != nullptr && AfxGetApp()->m_pszAppName != nullptr ? AfxGetApp()->m_pszAppName : "KELO1000")
            : caption.c_str();
    box.setWindowTitle(QString::fromUtf8(title));
    switch (type & MB_ICONMASK) {
    case MB_ICONERROR:
        box.setIcon(QMessageBox::Critical);
        break;
    case MB_ICONQUESTION:
        box.setIcon(QMessageBox::Question);
        break;
    case MB_ICONWARNING:
        box.setIcon(QMessageBox::Warning);
        break;
    case MB_ICONINFORMATION:
        box.setIcon(QMessageBox::Information);
        break;
    default:
        break;
    }
    struct Choice {
        QMessageBox::StandardButton button;
        int result;
    };
    std::vector<Choice> choices;
    switch (type & MB_TYPEMASK) {
    case MB_OKCANCEL:
        choices = {{QMessageBox::Ok, IDOK}, {QMessageBox::Cancel, IDCANCEL}};
        break;
    case MB_YESNOCANCEL:
        choices = {{QMessageBox::Yes, IDYES}, {QMessageBox::No, IDNO}, {QMessageBox::Cancel, IDCANCEL}};
        break;
    case MB_YESNO:
        choices = {{QMessageBox::Yes, IDYES}, {QMessageBox::No, IDNO}};
        break;
    default:
        choices = {{QMessageBox::Ok, IDOK}};
        break;
    }
    QMessageBox::StandardButtons buttons;
    for (const Choice& c : choices) {
        buttons |= c.button;
    }
    box.setStandardButtons(buttons);
    const int chosen = box.exec();
    for (const Choice& c : choices) {
        if (chosen == c.button) {
            return c.result;
        }
    }
    // Closed without a button: Cancel where there is one, else the only button.
    for (const Choice& c : choices) {
        if (c.result == IDCANCEL) {
            return IDCANCEL;
        }
    }
    return choices.front().result;
}

} // namespace

int MessageBox(HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
    std::string textCopy = text != nullptr ? text : "";
    std::string captionCopy = caption != nullptr ? caption : "";
    if (!CMessagePump::IsUiThread()) {
        CMessagePump::PostTask([owner, textCopy, captionCopy, type] { RunBox(owner, textCopy, captionCopy, type); });
        return IDOK;
    }
    return RunBox(owner, textCopy, captionCopy, type);
}

int AfxMessageBox(LPCSTR text, UINT type, UINT helpId) {
    (void)helpId;
    return MessageBox(nullptr, text, nullptr, type);
}
