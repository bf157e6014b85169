#include "platform/window/EditProc.h"

#include "platform/gdi/DC.h"
#include "platform/gdi/Gdi.h"
#include "platform/gdi/GdiQt.h"
#include "platform/window/Wnd.h"
#include "platform/window/WndHost.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QRegularExpression>

#include <cstring>

namespace {

constexpr int kDefaultLimit = 30000;
constexpr int kMaxLimit = 32767;

// Keys the line editor handles itself in WM_KEYDOWN's default: moving, selecting, deleting forward,
// the clipboard and undo. Characters (and Backspace) come as WM_CHAR instead.
bool IsEditingKey(UINT vk, Qt::KeyboardModifiers modifiers) {
    switch (vk) {
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
    case VK_HOME:
    case VK_END:
    case VK_DELETE:
    case VK_INSERT:
        return true;
    default:
        break;
    }
    if ((modifiers & Qt::ControlModifier) != 0) {
        return vk == 'A' || vk == 'C' || vk == 'X' || vk == 'V' || vk == 'Z' || vk == 'Y';
    }
    return false;
}

int QtKeyOf(UINT vk) {
    switch (vk) {
    case VK_LEFT:
        return Qt::Key_Left;
    case VK_RIGHT:
        return Qt::Key_Right;
    case VK_UP:
        return Qt::Key_Up;
    case VK_DOWN:
        return Qt::Key_Down;
    case VK_HOME:
        return Qt::Key_Home;
    case VK_END:
        return Qt::Key_End;
    case VK_DELETE:
        return Qt::Key_Delete;
    case VK_INSERT:
        return Qt::Key_Insert;
    default:
        return 0;
    }
}

} // namespace

CEditProc::~CEditProc() {
    QObject::disconnect(m_changed);
}

void CEditProc::Attach(CWndHost& host) {
    auto* edit = new QLineEdit(&host);
    m_edit = edit;
    m_limit = kDefaultLimit;
    edit->setMaxLength(kMaxLimit);
    // Pasting goes through the window's own keys, which keep to the limit; no other way in.
    edit->setContextMenuPolicy(Qt::NoContextMenu);
    edit->setAcceptDrops(false);
    edit->setDragEnabled(false);
    edit->setText(QString::fromUtf8(host.Text().GetString()));
    host.AdoptInner(edit);
    host.setFocusPolicy(Qt::StrongFocus);
    CWndHost* hostPtr = &host;
    m_changed = QObject::connect(edit, &QLineEdit::textChanged, [this, hostPtr] {
        if (!m_settingText) {
            NotifyParent(*hostPtr, EN_CHANGE);
        }
    });
}

void CEditProc::StyleChanged(CWndHost& host) {
    if (!m_edit) {
        return;
    }
    const DWORD style = host.Style();
    m_edit->setEchoMode((style & ES_PASSWORD) != 0 ? QLineEdit::Password : QLineEdit::Normal);
    m_edit->setReadOnly((style & ES_READONLY) != 0);
    m_edit->setFrame((style & WS_BORDER) != 0 || (host.ExStyle() & WS_EX_CLIENTEDGE) != 0);
    Qt::Alignment align = Qt::AlignLeft;
    if ((style & ES_CENTER) != 0) {
        align = Qt::AlignHCenter;
    } else if ((style & ES_RIGHT) != 0) {
        align = Qt::AlignRight;
    }
    m_edit->setAlignment(align | Qt::AlignVCenter);
}

void CEditProc::NotifyParent(CWndHost& host, WORD code) {
    const HWND hwnd = host.Handle();
    if (hwnd == nullptr) {
        return;
    }
    ::SendMessage(::GetParent(hwnd), WM_COMMAND, MAKEWPARAM(WORD(host.ControlId()), code),
                  reinterpret_cast<LPARAM>(hwnd));
}

void CEditProc::ApplyColours(CWndHost& host) {
    const HWND hwnd = host.Handle();
    const HWND parent = ::GetParent(hwnd);
    if (hwnd == nullptr || parent == nullptr || !m_edit) {
        return;
    }
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    dc.SetTextColor(GetSysColor(COLOR_WINDOWTEXT));
    const bool passive = m_edit->isReadOnly() || !m_edit->isEnabled();
    auto brush = reinterpret_cast<HBRUSH>(::SendMessage(parent, passive ? WM_CTLCOLORSTATIC : WM_CTLCOLOREDIT,
                                                        reinterpret_cast<WPARAM>(dc.GetSafeHdc()),
                                                        reinterpret_cast<LPARAM>(hwnd)));
    QPalette palette = m_edit->palette();
    const QColor text = ColorFromRef(dc.GetTextColor());
    COLORREF fill = 0;
    bool isNull = false;
    QColor base = palette.color(QPalette::Base);
    if (brush != nullptr && GdiBrushColor(brush, &fill, &isNull) && !isNull) {
        base = ColorFromRef(fill);
    }
    if (palette.color(QPalette::Text) != text || palette.color(QPalette::Base) != base) {
        palette.setColor(QPalette::Text, text);
        palette.setColor(QPalette::Base, base);
        m_edit->setPalette(palette);
    }
    if (host.FontHandle() != nullptr) {
        const QFont font = GdiFont(host.FontHandle());
        if (m_edit->font() != font) {
            m_edit->setFont(font);
        }
    }
}

void CEditProc::Paste(CWndHost& host) {
    QLineEdit* edit = m_edit.data();
    if (edit == nullptr || edit->isReadOnly()) {
        return;
    }
    QString text = QGuiApplication::clipboard()->text();
    // One line only, and only as much as the limit leaves room for.
    const qsizetype lineEnd = text.indexOf(QRegularExpression(QStringLiteral("[\\r\\n]")));
    if (lineEnd >= 0) {
        text.truncate(lineEnd);
    }
    const qsizetype kept = edit->text().size() - edit->selectedText().size();
    const qsizetype room = std::max<qsizetype>(0, m_limit - kept);
    if (text.size() > room) {
        text.truncate(room);
        NotifyParent(host, EN_MAXTEXT);
    }
    if (!text.isEmpty() || edit->hasSelectedText()) {
        edit->insert(text);
    }
}

bool CEditProc::InnerEvent(CWndHost& host, QEvent* event) {
    if (event->type() == QEvent::Paint) {
        ApplyColours(host);
    }
    return false;
}

LRESULT CEditProc::DefProc(CWndHost& host, CWnd& wnd, UINT message, WPARAM wParam, LPARAM lParam, bool& handled) {
    (void)wnd;
    handled = true;
    QLineEdit* edit = m_edit.data();
    if (edit == nullptr) {
        handled = false;
        return 0;
    }
    switch (message) {
    case WM_SETTEXT: {
        const char* text = reinterpret_cast<const char*>(lParam);
        host.SetText(text == nullptr ? "" : text);
        m_settingText = true;
        edit->setText(QString::fromUtf8(text == nullptr ? "" : text));
        m_settingText = false;
        // Setting the text is a change to the parent, even when the text stays the same.
        NotifyParent(host, EN_CHANGE);
        return TRUE;
    }
    case WM_GETTEXT: {
        char* buffer = reinterpret_cast<char*>(lParam);
        const int size = int(wParam);
        if (buffer == nullptr || size <= 0) {
            return 0;
        }
        const QByteArray utf8 = edit->text().toUtf8();
        int count = std::min(size - 1, int(utf8.size()));
        // Never cut a character in two.
        while (count > 0 && count < utf8.size() && (uchar(utf8[count]) & 0xC0) == 0x80) {
            --count;
        }
        std::memcpy(buffer, utf8.constData(), std::size_t(count));
        buffer[count] = '\0';
        return count;
    }
    case WM_GETTEXTLENGTH:
        return edit->text().toUtf8().size();
    case WM_SETFONT:
        host.SetFontHandle(reinterpret_cast<HFONT>(wParam));
        if (wParam != 0) {
            edit->setFont(GdiFont(reinterpret_cast<HFONT>(wParam)));
        }
        return 0;
    case EM_LIMITTEXT:
        m_limit = wParam == 0 ? kMaxLimit : int(std::min<WPARAM>(wParam, kMaxLimit));
        return 0;
    case EM_GETLIMITTEXT:
        return m_limit;
    case EM_SETREADONLY:
        host.SetStyle(wParam != 0 ? (host.Style() | ES_READONLY) : (host.Style() & ~ES_READONLY));
        return TRUE;
    case EM_SETSEL: {
        const int length = int(edit->text().size());
        int start = int(wParam);
        int end = int(lParam);
        if (start < 0) {
            edit->deselect();
            return 0;
        }
        if (end < 0 || end > length) {
            end = length;
        }
        start = std::min(start, length);
        edit->setSelection(start, end - start);
        return 0;
    }
    case EM_GETSEL: {
        int start = edit->cursorPosition();
        int end = start;
        if (edit->hasSelectedText()) {
            start = edit->selectionStart();
            end = start + int(edit->selectedText().size());
        }
        return MAKELONG(WORD(start), WORD(end));
    }
    case EM_REPLACESEL:
        edit->insert(QString::fromUtf8(reinterpret_cast<const char*>(lParam)));
        return 0;
    case WM_GETDLGCODE:
        return DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS;
    case WM_KEYDOWN: {
        QKeyEvent* key = CWndHost::CurrentKeyEvent();
        const Qt::KeyboardModifiers modifiers = key != nullptr ? key->modifiers() : Qt::NoModifier;
        if (!IsEditingKey(UINT(wParam), modifiers)) {
            return 0;
        }
        const bool paste = (wParam == 'V' && (modifiers & Qt::ControlModifier) != 0) ||
                           (wParam == VK_INSERT && (modifiers & Qt::ShiftModifier) != 0);
        if (paste) {
            Paste(host);
            return 0;
        }
        if (key != nullptr && key->type() == QEvent::KeyPress) {
            host.ForwardKeyToInner(key);
        } else if (int qtKey = QtKeyOf(UINT(wParam)); qtKey != 0) {
            QKeyEvent synthetic(QEvent::KeyPress, qtKey, Qt::NoModifier);
            host.ForwardKeyToInner(&synthetic);
        }
        return 0;
    }
    case WM_CHAR: {
        if (edit->isReadOnly()) {
            return 0;
        }
        const auto code = char32_t(wParam);
        if (code == 8) {
            edit->backspace();
            return 0;
        }
        if (code < 32 || code == 127) {
            return 0;
        }
        if ((host.Style() & ES_NUMBER) != 0 && (code < '0' || code > '9')) {
            return 0;
        }
        char32_t c = code;
        if ((host.Style() & ES_UPPERCASE) != 0 && c >= 'a' && c <= 'z') {
            c = c - 'a' + 'A';
        } else if ((host.Style() & ES_LOWERCASE) != 0 && c >= 'A' && c <= 'Z') {
            c = c - 'A' + 'a';
        }
        if (edit->text().size() >= m_limit && !edit->hasSelectedText()) {
            NotifyParent(host, EN_MAXTEXT);
            return 0;
        }
        edit->insert(QString::fromUcs4(&c, 1));
        return 0;
    }
    case WM_SETFOCUS:
        NotifyParent(host, EN_SETFOCUS);
        return 0;
    case WM_KILLFOCUS:
        NotifyParent(host, EN_KILLFOCUS);
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
        return 0;
    default:
        handled = false;
        return 0;
    }
}
