#include "platform/window/WndHost.h"

#include "platform/gdi/DC.h"
#include "platform/gdi/Font.h"
#include "platform/gdi/Gdi.h"
#include "platform/gdi/GdiQt.h"
#include "platform/window/CursorTarget.h"
#include "platform/window/HandleMap.h"
#include "platform/window/InputFilter.h"
#include "platform/window/KeyState.h"
#include "platform/window/ToolTipCtrl.h"
#include "platform/window/Wnd.h"
#include "platform/window/WndClassProc.h"

#include <QApplication>
#include <QBitmap>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <QWindow>

#include <algorithm>
#include <cstring>

namespace {

QKeyEvent* t_currentKey = nullptr;
HWND g_focus = nullptr;
std::vector<QPointer<CWndHost>>& ZOrder() {
    static std::vector<QPointer<CWndHost>> order;
    return order;
}

LPARAM PackPoint(const QPoint& p) {
    return MAKELPARAM(WORD(SHORT(p.x())), WORD(SHORT(p.y())));
}

WPARAM MouseKeys(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers) {
    WPARAM keys = 0;
    keys |= (buttons & Qt::LeftButton) != 0 ? MK_LBUTTON : 0;
    keys |= (buttons & Qt::RightButton) != 0 ? MK_RBUTTON : 0;
    keys |= (buttons & Qt::MiddleButton) != 0 ? MK_MBUTTON : 0;
    keys |= (modifiers & Qt::ShiftModifier) != 0 ? MK_SHIFT : 0;
    keys |= (modifiers & Qt::ControlModifier) != 0 ? MK_CONTROL : 0;
    return keys;
}

// Pressing is how Windows raised and activated a window; keep the layer's front-to-back list.
void MoveToFront(CWndHost* host) {
    auto& order = ZOrder();
    order.erase(std::remove_if(order.begin(), order.end(),
                               [host](const QPointer<CWndHost>& p) { return p.isNull() || p.data() == host; }),
                order.end());
    order.insert(order.begin(), QPointer<CWndHost>(host));
}

// True when `owner` owns `window`, directly or through windows between them.
bool Owns(const QWidget& owner, const QWidget& window) {
    for (const QWidget* w = window.parentWidget(); w != nullptr; w = w->window()->parentWidget()) {
        if (w->window() == &owner) {
            return true;
        }
    }
    return false;
}

// A window that is shown without taking the keyboard is never handed the activation either.
bool TakesActivation(const QWidget& window) {
    return !window.testAttribute(Qt::WA_ShowWithoutActivating) &&
           (window.windowFlags() & Qt::WindowDoesNotAcceptFocus) == 0 && window.windowType() != Qt::Popup &&
           window.windowType() != Qt::ToolTip;
}

// Asks the window system to activate the window even while Qt counts it active already: an owner
// counts active while its owned window has the focus, and then the owned window's end would leave
// the keyboard nowhere.
void RequestActivation(QWidget& window) {
    if (QWindow* handle = window.windowHandle()) {
        handle->requestActivate();
    } else {
        window.activateWindow();
    }
}

} // namespace

CWndHost::CWndHost(QWidget* parent, Qt::WindowFlags flags, const char* className, DWORD style, DWORD exStyle, UINT id)
    : QWidget(parent, flags), m_className(className == nullptr ? "" : className), m_style(style), m_exStyle(exStyle),
      m_id(id) {
    CInputFilter::Install();
    setMouseTracking(true);
    setAttribute(Qt::WA_AlwaysShowToolTips);
}

CWndHost::~CWndHost() {
    // A widget deleted by Qt (its parent went, or the application ended) while its window was still
    // registered: forget the window so that no object keeps a handle to a widget that is gone.
    if (m_hwnd != nullptr) {
        CWnd* wnd = CHandleMap::Object(m_hwnd);
        CHandleMap::Remove(m_hwnd);
        if (wnd != nullptr && wnd->m_hWnd.load() == m_hwnd) {
            wnd->m_hWnd = nullptr;
        }
        m_hwnd = nullptr;
    }
    if (m_inner) {
        m_inner->removeEventFilter(this);
    }
}

CWndHost* CWndHost::FromHandle(HWND hwnd) {
    return dynamic_cast<CWndHost*>(CHandleMap::Widget(hwnd));
}

CWndHost* CWndHost::Enclosing(QWidget* widget) {
    for (QWidget* w = widget; w != nullptr; w = w->parentWidget()) {
        if (auto* host = dynamic_cast<CWndHost*>(w)) {
            return host;
        }
        if (w->isWindow()) {
            break;
        }
    }
    return nullptr;
}

void CWndHost::SetHandle(HWND hwnd) {
    m_hwnd = hwnd;
    Publish();
}

void CWndHost::Publish() {
    if (m_hwnd == nullptr) {
        return;
    }
    CWndHost* parent = Enclosing(parentWidget());
    const QPoint origin = isWindow() ? pos() : mapToGlobal(QPoint(0, 0));
    const QSize frame = isWindow() ? frameGeometry().size() : size();
    const RECT window{origin.x(), origin.y(), origin.x() + frame.width(), origin.y() + frame.height()};
    const SIZE client{width(), height()};
    const DWORD style = m_style.load();
    const DWORD exStyle = m_exStyle.load();
    const UINT id = m_id;
    const HWND parentHandle = parent != nullptr ? parent->Handle() : nullptr;
    const bool visible = isVisible();
    CHandleMap::Update(m_hwnd, [&](CHandleMap::State& state) {
        state = CHandleMap::State{style, exStyle, id, parentHandle, window, client, visible};
    });
}

void CWndHost::Detach() {
    m_hwnd = nullptr;
    m_toolWatchers.clear();
}

CWnd* CWndHost::Object() const {
    return CHandleMap::Object(m_hwnd);
}

void CWndHost::SetStyle(DWORD style) {
    m_style = style;
    Publish();
    if (m_classProc) {
        m_classProc->StyleChanged(*this);
    }
}

void CWndHost::SetExStyle(DWORD exStyle) {
    m_exStyle = exStyle;
    Publish();
}

void CWndHost::SetControlId(UINT id) {
    m_id = id;
    Publish();
}

bool CWndHost::InputBlocked() const {
    const auto* top = dynamic_cast<const CWndHost*>(window());
    return top != nullptr && top->m_inputBlocked;
}

void CWndHost::AdoptObject(std::unique_ptr<CWnd> object) {
    m_ownedObject = std::move(object);
}

std::unique_ptr<CWnd> CWndHost::ReleaseObject() {
    return std::move(m_ownedObject);
}

void CWndHost::SetClassProc(std::unique_ptr<CWndClassProc> proc) {
    m_classProc = std::move(proc);
    if (m_classProc) {
        m_classProc->Attach(*this);
        m_classProc->StyleChanged(*this);
    }
}

void CWndHost::AdoptInner(QWidget* inner) {
    m_inner = inner;
    inner->setParent(this);
    inner->setGeometry(rect());
    inner->installEventFilter(this);
    setFocusProxy(inner);
    inner->show();
}

void CWndHost::ForwardKeyToInner(QKeyEvent* event) {
    if (!m_inner || event == nullptr) {
        return;
    }
    QKeyEvent copy(event->type(), event->key(), event->modifiers(), event->text(), event->isAutoRepeat(),
                   ushort(event->count()));
    m_forwardingToInner = true;
    QCoreApplication::sendEvent(m_inner.data(), &copy);
    m_forwardingToInner = false;
}

QKeyEvent* CWndHost::CurrentKeyEvent() {
    return t_currentKey;
}

std::vector<CWndHost*> CWndHost::TopLevelsFrontToBack() {
    std::vector<CWndHost*> result;
    for (auto& p : ZOrder()) {
        if (!p.isNull() && p->Handle() != nullptr) {
            result.push_back(p.data());
        }
    }
    return result;
}

void CWndHost::BringToFront() {
    if (isWindow()) {
        MoveToFront(this);
    }
}

CWndHost* CWndHost::ActivationTarget() {
    if ((Style() & WS_DISABLED) == 0) {
        return this;
    }
    for (CWndHost* host : TopLevelsFrontToBack()) {
        if (host != this && host->isVisible() && (host->Style() & WS_DISABLED) == 0 && TakesActivation(*host) &&
            Owns(*this, *host)) {
            return host;
        }
    }
    return this;
}

void CWndHost::Activate(HWND hwnd) {
    CWndHost* host = FromHandle(hwnd);
    auto* top = host != nullptr ? dynamic_cast<CWndHost*>(host->window()) : nullptr;
    if (top != nullptr) {
        RequestActivation(*top->ActivationTarget());
    }
}

// ---- default behaviour

LRESULT CWndHost::DefaultProc(CWnd& wnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (m_classProc) {
        bool handled = false;
        const LRESULT result = m_classProc->DefProc(*this, wnd, message, wParam, lParam, handled);
        if (handled) {
            return result;
        }
    }
    return CommonProc(wnd, message, wParam, lParam);
}

LRESULT CWndHost::CommonProc(CWnd& wnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CLOSE:
        wnd.DestroyWindow();
        return 0;
    case WM_NCHITTEST:
        return HTCLIENT;
    case WM_NCLBUTTONDOWN:
        if (wParam == WPARAM(HTCAPTION)) {
            BeginBodyDrag(QPoint(SHORT(LOWORD(DWORD_PTR(lParam))), SHORT(HIWORD(DWORD_PTR(lParam)))));
        }
        return 0;
    case WM_ERASEBKGND:
        return 0;
    case WM_SETTEXT: {
        const char* text = reinterpret_cast<const char*>(lParam);
        m_text = text == nullptr ? "" : text;
        if (isWindow()) {
            setWindowTitle(QString::fromUtf8(m_text.GetString()));
        }
        update();
        return TRUE;
    }
    case WM_GETTEXT: {
        char* buffer = reinterpret_cast<char*>(lParam);
        const int size = int(wParam);
        if (buffer == nullptr || size <= 0) {
            return 0;
        }
        const int count = std::min(size - 1, m_text.GetLength());
        std::memcpy(buffer, m_text.GetString(), std::size_t(count));
        buffer[count] = '\0';
        return count;
    }
    case WM_GETTEXTLENGTH:
        return m_text.GetLength();
    case WM_SETFONT:
        m_font = reinterpret_cast<HFONT>(wParam);
        if (LOWORD(DWORD_PTR(lParam)) != 0) {
            update();
        }
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(m_font);
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC: {
        CDC* dc = CDC::FromHandle(reinterpret_cast<HDC>(wParam));
        const bool edit = message == WM_CTLCOLOREDIT || message == WM_CTLCOLORLISTBOX;
        if (dc != nullptr) {
            dc->SetTextColor(GetSysColor(COLOR_WINDOWTEXT));
            dc->SetBkColor(GetSysColor(edit ? COLOR_WINDOW : COLOR_BTNFACE));
        }
        return reinterpret_cast<LRESULT>(GetSysColorBrush(edit ? COLOR_WINDOW : COLOR_BTNFACE));
    }
    case WM_SYSKEYDOWN:
        if (wParam == VK_F4) {
            wnd.SendMessage(WM_SYSCOMMAND, SC_CLOSE, 0);
        }
        return 0;
    case WM_SYSCOMMAND:
        switch (wParam & 0xFFF0) {
        case SC_CLOSE:
            wnd.SendMessage(WM_CLOSE, 0, 0);
            break;
        case SC_MINIMIZE:
            wnd.ShowWindow(SW_MINIMIZE);
            break;
        case SC_RESTORE:
            wnd.ShowWindow(SW_RESTORE);
            break;
        default:
            break;
        }
        return 0;
    case WM_WINDOWPOSCHANGED: {
        const auto* pos = reinterpret_cast<const WINDOWPOS*>(lParam);
        if (pos == nullptr) {
            return 0;
        }
        if ((pos->flags & SWP_NOMOVE) == 0) {
            wnd.SendMessage(WM_MOVE, 0, MAKELPARAM(WORD(SHORT(pos->x)), WORD(SHORT(pos->y))));
        }
        if ((pos->flags & SWP_NOSIZE) == 0) {
            wnd.SendMessage(WM_SIZE, SIZE_RESTORED, MAKELPARAM(WORD(pos->cx), WORD(pos->cy)));
        }
        return 0;
    }
    case WM_MOUSEWHEEL: {
        // Unhandled wheel turns go to the parent.
        CWnd* parent = isWindow() ? nullptr : wnd.GetParent();
        return parent != nullptr ? parent->SendMessage(message, wParam, lParam) : 0;
    }
    case WM_DRAWITEM: {
        // Owner drawing goes back to the control that asked for it.
        const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        CWnd* control = item != nullptr ? CWnd::FromHandle(item->hwndItem) : nullptr;
        LRESULT result = 0;
        if (control != nullptr && control != &wnd && control->OnChildNotify(message, wParam, lParam, &result)) {
            return TRUE;
        }
        return 0;
    }
    default:
        return 0;
    }
}

// ---- painting

void CWndHost::PaintBase(QPainter& painter, const QRect& area) {
    // A window that paints every pixel itself (it says so with Qt::WA_OpaquePaintEvent) has nothing
    // beneath it to show.
    if (testAttribute(Qt::WA_OpaquePaintEvent)) {
        return;
    }
    // What lies beneath: the parent's face, which already holds everything beneath the parent.
    CWndHost* parent = isWindow() ? nullptr : Enclosing(parentWidget());
    if (parent == nullptr || parent->m_face.isNull()) {
        painter.fillRect(area, ColorFromRef(GetSysColor(COLOR_BTNFACE)));
        return;
    }
    const QPoint offset = mapTo(parent, QPoint(0, 0));
    painter.fillRect(area, ColorFromRef(GetSysColor(COLOR_BTNFACE)));
    painter.drawImage(area.topLeft(), parent->m_face, area.translated(offset));
}

void CWndHost::SendPaintMessages(QPainter& painter, const QRect& area, QImage* backing) {
    CDC dc;
    dc.AttachPainter(&painter, area, backing);
    dc.SetRecordWindow(m_hwnd);
    CDC* outer = m_paintDC;
    m_paintDC = &dc;
    const HWND hwnd = m_hwnd;
    ::SendMessage(hwnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc.GetSafeHdc()), 0);
    if (::IsWindow(hwnd)) {
        ::SendMessage(hwnd, WM_PAINT, 0, 0);
    }
    m_paintDC = outer;
    dc.ReleaseTarget();
}

void CWndHost::paintEvent(QPaintEvent* event) {
    CWnd* wnd = Object();
    if (wnd == nullptr || width() <= 0 || height() <= 0) {
        return;
    }
    // A colour-keyed window repaints its whole face, so that the key can be found everywhere.
    const bool keyed = isWindow() && (m_layerFlags & LWA_COLORKEY) != 0;
    const QRect area = keyed ? rect() : event->rect().intersected(rect());
    // A window that paints every pixel itself, has no colour key and no child window that would
    // show its face beneath it keeps no face: it paints straight onto the screen, one copy of every
    // pixel fewer (the video window, repainted for every picture).
    if (testAttribute(Qt::WA_OpaquePaintEvent) && !keyed &&
        findChild<QWidget*>(QString(), Qt::FindDirectChildrenOnly) == nullptr) {
        m_face = QImage();
        QPainter screen(this);
        screen.setClipRect(area);
        SendPaintMessages(screen, area, nullptr);
        return;
    }
    if (m_face.size() != size()) {
        m_face = QImage(size(), QImage::Format_RGB32);
        m_face.fill(ColorFromRef(GetSysColor(COLOR_BTNFACE)));
    }
    {
        QPainter painter(&m_face);
        painter.setClipRect(area);
        PaintBase(painter, area);
        SendPaintMessages(painter, area, &m_face);
    }
    QPainter screen(this);
    screen.drawImage(area.topLeft(), m_face, area);
    if (keyed) {
        UpdateLayeredMask();
    }
}

void CWndHost::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    Publish();
    if (isWindow()) {
        // The children moved on the screen with their window.
        for (QWidget* widget : findChildren<QWidget*>()) {
            auto* child = dynamic_cast<CWndHost*>(widget);
            if (child != nullptr && child->window() == this) {
                child->Publish();
            }
        }
    }
}

void CWndHost::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    Publish();
}

void CWndHost::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    Publish();
    if (m_inner) {
        m_inner->setGeometry(rect());
    }
    if (m_classProc) {
        m_classProc->Resized(*this);
    }
}

// ---- shape

void CWndHost::SetWindowRegion(std::optional<QRegion> region) {
    m_windowRegion = std::move(region);
    ApplyShape();
}

void CWndHost::SetLayered(COLORREF key, BYTE alpha, DWORD flags) {
    m_layerKey = key;
    m_layerAlpha = alpha;
    m_layerFlags = flags;
    if (isWindow()) {
        setWindowOpacity((flags & LWA_ALPHA) != 0 ? alpha / 255.0 : 1.0);
    }
    if ((flags & LWA_COLORKEY) == 0) {
        m_keyShape.reset();
        ApplyShape();
    }
    update();
}

void CWndHost::UpdateLayeredMask() {
    const QRgb key = qRgb(GetRValue(m_layerKey), GetGValue(m_layerKey), GetBValue(m_layerKey));
    // Only faces that hold the key colour get a shape; the rest stay whole.
    bool anyKey = false;
    for (int y = 0; y < m_face.height() && !anyKey; ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(m_face.constScanLine(y));
        anyKey = std::any_of(row, row + m_face.width(), [key](QRgb c) { return (c | 0xFF000000u) == key; });
    }
    std::optional<QRegion> next;
    if (anyKey) {
        next = QRegion(QBitmap::fromImage(m_face.createMaskFromColor(key, Qt::MaskInColor)));
    }
    if (next != m_keyShape) {
        m_keyShape = std::move(next);
        ApplyShape();
    }
}

void CWndHost::ApplyShape() {
    // Without shaped windows in the window system (the offscreen platform) the layer's own hit
    // testing does the work alone.
    if (isWindow() && QGuiApplication::platformName() == QLatin1String("offscreen")) {
        return;
    }
    std::optional<QRegion> shape = m_windowRegion;
    if (m_keyShape) {
        shape = shape ? shape->intersected(*m_keyShape) : *m_keyShape;
    }
    if (!shape) {
        if (!mask().isEmpty()) {
            clearMask();
        }
        return;
    }
    if (shape->isEmpty()) {
        // An empty mask would mean "no mask" to Qt; a window cut away entirely shows nothing.
        setMask(QRegion(-1, -1, 1, 1));
        return;
    }
    if (mask() != *shape) {
        setMask(*shape);
    }
}

bool CWndHost::InShape(const QPoint& local) const {
    if (!rect().contains(local)) {
        return false;
    }
    if (m_windowRegion && !m_windowRegion->contains(local)) {
        return false;
    }
    if (m_keyShape && !m_keyShape->contains(local)) {
        return false;
    }
    return true;
}

// ---- mouse

void CWndHost::BeginBodyDrag(const QPoint& globalPos) {
    m_dragging = true;
    m_dragStartGlobal = globalPos;
    m_dragStartPos = isWindow() ? pos() : geometry().topLeft();
}

bool CWndHost::ForwardBelow(QMouseEvent* event) {
    // A press that falls outside a top-level window's shape belongs to the window beneath. A window
    // system with shaped windows never sends it here; the others (offscreen) need the layer's help.
    const QPoint global = event->globalPosition().toPoint();
    for (CWndHost* host : TopLevelsFrontToBack()) {
        if (host == this) {
            continue;
        }
        if (!host->isVisible() || !host->geometry().contains(global)) {
            continue;
        }
        const QPoint local = host->mapFromGlobal(global);
        if (!host->InShape(local)) {
            continue;
        }
        QWidget* target = host->childAt(local);
        if (target == nullptr) {
            target = host;
        }
        QMouseEvent copy(event->type(), QPointF(target->mapFromGlobal(global)), event->scenePosition(),
                         event->globalPosition(), event->button(), event->buttons(), event->modifiers());
        QCoreApplication::sendEvent(target, &copy);
        return true;
    }
    return false;
}

void CWndHost::HandleMouse(QMouseEvent* event) {
    event->accept();
    if (m_hwnd == nullptr) {
        return;
    }
    const QEvent::Type type = event->type();
    const QPoint global = event->globalPosition().toPoint();
    CKeyState::SyncButtons(event->buttons());
    CKeyState::SyncModifiers(event->modifiers());

    if (m_dragging) {
        if (type == QEvent::MouseMove) {
            const QPoint place = m_dragStartPos + (global - m_dragStartGlobal);
            ::SetWindowPos(m_hwnd, nullptr, place.x(), place.y(), 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        } else if (type == QEvent::MouseButtonRelease && event->button() == Qt::LeftButton) {
            m_dragging = false;
        }
        return;
    }

    const HWND capture = ::GetCapture();
    if (capture != nullptr && capture != m_hwnd) {
        if (CWndHost* holder = FromHandle(capture)) {
            holder->DispatchMouse(type, event->button(), event->buttons(), event->modifiers(),
                                  holder->mapFromGlobal(global));
        }
        return;
    }
    const QPoint local = event->position().toPoint();
    if (capture == nullptr && isWindow() && !InShape(local)) {
        ForwardBelow(event);
        return;
    }
    if (capture == nullptr && (type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick)) {
        if (isWindow()) {
            MoveToFront(this);
        }
        const HWND hwnd = m_hwnd;
        const LRESULT hit = ::SendMessage(hwnd, WM_NCHITTEST, 0, PackPoint(global));
        if (hit == HTTRANSPARENT) {
            CWndHost* parent = isWindow() ? nullptr : Enclosing(parentWidget());
            if (parent != nullptr) {
                QMouseEvent copy(type, QPointF(parent->mapFromGlobal(global)), event->scenePosition(),
                                 event->globalPosition(), event->button(), event->buttons(), event->modifiers());
                parent->HandleMouse(&copy);
            }
            return;
        }
        if (hit == HTCAPTION) {
            if (event->button() == Qt::LeftButton) {
                ::SendMessage(hwnd, WM_NCLBUTTONDOWN, WPARAM(HTCAPTION), PackPoint(global));
            }
            return;
        }
        if (hit != HTCLIENT) {
            return;
        }
    }
    DispatchMouse(type, event->button(), event->buttons(), event->modifiers(), local);
}

void CWndHost::DispatchMouse(QEvent::Type type, Qt::MouseButton button, Qt::MouseButtons buttons,
                             Qt::KeyboardModifiers modifiers, const QPoint& local) {
    UINT message = 0;
    switch (type) {
    case QEvent::MouseMove:
        message = WM_MOUSEMOVE;
        break;
    case QEvent::MouseButtonPress:
        message = button == Qt::LeftButton     ? WM_LBUTTONDOWN
                  : button == Qt::RightButton  ? WM_RBUTTONDOWN
                  : button == Qt::MiddleButton ? WM_MBUTTONDOWN
                                               : 0;
        break;
    case QEvent::MouseButtonDblClick:
        message = button == Qt::LeftButton ? WM_LBUTTONDBLCLK : button == Qt::RightButton ? WM_RBUTTONDBLCLK : 0;
        break;
    case QEvent::MouseButtonRelease:
        message = button == Qt::LeftButton     ? WM_LBUTTONUP
                  : button == Qt::RightButton  ? WM_RBUTTONUP
                  : button == Qt::MiddleButton ? WM_MBUTTONUP
                                               : 0;
        break;
    default:
        break;
    }
    if (message == 0 || m_hwnd == nullptr) {
        return;
    }
    MSG msg{m_hwnd, message, MouseKeys(buttons, modifiers), PackPoint(local), 0, {0, 0}};
    const QPoint global = mapToGlobal(local);
    msg.pt = POINT{global.x(), global.y()};
    SetCursorTarget(m_hwnd);
    RelayToWatchers(msg);
    if (CWnd::WalkPreTranslateTree(&msg)) {
        return;
    }
    ::SendMessage(msg.hwnd, msg.message, msg.wParam, msg.lParam);
}

void CWndHost::mousePressEvent(QMouseEvent* event) {
    HandleMouse(event);
}
void CWndHost::mouseReleaseEvent(QMouseEvent* event) {
    HandleMouse(event);
}
void CWndHost::mouseDoubleClickEvent(QMouseEvent* event) {
    HandleMouse(event);
}
void CWndHost::mouseMoveEvent(QMouseEvent* event) {
    HandleMouse(event);
}

void CWndHost::wheelEvent(QWheelEvent* event) {
    event->accept();
    if (m_hwnd == nullptr) {
        return;
    }
    const QPoint global = event->globalPosition().toPoint();
    const int delta = event->angleDelta().y();
    MSG msg{m_hwnd,
            WM_MOUSEWHEEL,
            MAKEWPARAM(WORD(MouseKeys(event->buttons(), event->modifiers())), WORD(SHORT(delta))),
            PackPoint(global),
            0,
            {global.x(), global.y()}};
    if (CWnd::WalkPreTranslateTree(&msg)) {
        return;
    }
    ::SendMessage(msg.hwnd, msg.message, msg.wParam, msg.lParam);
}

void CWndHost::leaveEvent(QEvent* event) {
    QWidget::leaveEvent(event);
    if (m_hwnd == nullptr) {
        return;
    }
    MSG msg{m_hwnd, WM_MOUSELEAVE, 0, 0, 0, {0, 0}};
    RelayToWatchers(msg);
    if (m_trackLeave) {
        m_trackLeave = false;
        ::PostMessage(m_hwnd, WM_MOUSELEAVE, 0, 0);
    }
}

// ---- keyboard and focus

bool CWndHost::HandleKey(QKeyEvent* event) {
    if (m_hwnd == nullptr) {
        return false;
    }
    const bool press = event->type() == QEvent::KeyPress;
    const UINT vk = CKeyState::VirtualKey(event->key(), event->modifiers());
    CKeyState::SyncModifiers(event->modifiers());
    const bool alt = (event->modifiers() & Qt::AltModifier) != 0 || vk == VK_MENU;
    if (vk != 0) {
        CKeyState::SetDown(vk, press);
    }
    UINT message = press ? (alt ? WM_SYSKEYDOWN : WM_KEYDOWN) : (alt ? WM_SYSKEYUP : WM_KEYUP);
    LPARAM flags = 1;
    flags |= alt ? LPARAM(1) << 29 : 0;
    flags |= (press && event->isAutoRepeat()) ? LPARAM(1) << 30 : 0;
    flags |= press ? 0 : (LPARAM(3) << 30);
    QKeyEvent* outer = t_currentKey;
    t_currentKey = event;
    MSG msg{m_hwnd, message, vk, flags, 0, {0, 0}};
    bool stopped = CWnd::WalkPreTranslateTree(&msg) != FALSE;
    if (!stopped && ::IsWindow(msg.hwnd)) {
        ::SendMessage(msg.hwnd, msg.message, msg.wParam, msg.lParam);
    }
    // Characters follow a key press that reached its window.
    if (press && !stopped && ::IsWindow(msg.hwnd)) {
        std::u32string chars = event->text().toStdU32String();
        if (chars.empty()) {
            switch (vk) {
            case VK_BACK:
                chars = U"\b";
                break;
            case VK_RETURN:
                chars = U"\r";
                break;
            case VK_ESCAPE:
                chars = U"\x1b";
                break;
            case VK_TAB:
                chars = U"\t";
                break;
            default:
                break;
            }
        }
        for (char32_t c : chars) {
            const bool control = c < 32 && c != 8 && c != 9 && c != 13 && c != 27;
            if (control || c == 127) {
                continue;
            }
            MSG charMsg{msg.hwnd, alt ? WM_SYSCHAR : WM_CHAR, WPARAM(c), flags, 0, {0, 0}};
            if (CWnd::WalkPreTranslateTree(&charMsg) || !::IsWindow(charMsg.hwnd)) {
                continue;
            }
            ::SendMessage(charMsg.hwnd, charMsg.message, charMsg.wParam, charMsg.lParam);
        }
    }
    t_currentKey = outer;
    return true;
}

void CWndHost::keyPressEvent(QKeyEvent* event) {
    if (!HandleKey(event)) {
        QWidget::keyPressEvent(event);
    }
}

void CWndHost::keyReleaseEvent(QKeyEvent* event) {
    if (!HandleKey(event)) {
        QWidget::keyReleaseEvent(event);
    }
}

void CWndHost::HandleFocus(bool in) {
    if (m_hwnd == nullptr) {
        return;
    }
    if (in) {
        const HWND previous = g_focus;
        g_focus = m_hwnd;
        ::SendMessage(m_hwnd, WM_SETFOCUS, reinterpret_cast<WPARAM>(previous == m_hwnd ? nullptr : previous), 0);
        return;
    }
    CWndHost* next = Enclosing(QApplication::focusWidget());
    const HWND nextHwnd = next != nullptr ? next->Handle() : nullptr;
    if (g_focus == m_hwnd) {
        g_focus = nullptr;
    }
    ::SendMessage(m_hwnd, WM_KILLFOCUS, reinterpret_cast<WPARAM>(nextHwnd), 0);
}

void CWndHost::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    HandleFocus(true);
}

void CWndHost::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    HandleFocus(false);
}

bool CWndHost::eventFilter(QObject* watched, QEvent* event) {
    if (watched != m_inner.data() || m_forwardingToInner) {
        return false;
    }
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
        return HandleKey(static_cast<QKeyEvent*>(event));
    case QEvent::ShortcutOverride:
        // Every key goes to the window first: no application shortcut takes it away.
        event->accept();
        return false;
    case QEvent::FocusIn:
        HandleFocus(true);
        return false;
    case QEvent::FocusOut:
        HandleFocus(false);
        return false;
    default:
        if (m_classProc) {
            return m_classProc->InnerEvent(*this, event);
        }
        return false;
    }
}

// ---- tooltips

void CWndHost::AddToolWatcher(HWND tooltip) {
    if (std::find(m_toolWatchers.begin(), m_toolWatchers.end(), tooltip) == m_toolWatchers.end()) {
        m_toolWatchers.push_back(tooltip);
    }
}

void CWndHost::RemoveToolWatcher(HWND tooltip) {
    m_toolWatchers.erase(std::remove(m_toolWatchers.begin(), m_toolWatchers.end(), tooltip), m_toolWatchers.end());
}

void CWndHost::RelayToWatchers(const MSG& msg) {
    const std::vector<HWND> watchers = m_toolWatchers;
    for (HWND tip : watchers) {
        if (auto* ctrl = dynamic_cast<CToolTipCtrl*>(CWnd::FromHandle(tip))) {
            MSG copy = msg;
            ctrl->RelayEvent(&copy);
        }
    }
}

void CWndHost::ShowToolTip(const QPoint& globalPos) {
    const std::vector<HWND> watchers = m_toolWatchers;
    for (HWND tip : watchers) {
        if (auto* ctrl = dynamic_cast<CToolTipCtrl*>(CWnd::FromHandle(tip))) {
            if (ctrl->ShowForTool(m_hwnd, globalPos)) {
                return;
            }
        }
    }
}

// ---- events

bool CWndHost::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        // Tooltips follow their control's own delays (CToolTipCtrl); Qt's wake-up is not used.
        if (!event->spontaneous() && m_hwnd != nullptr) {
            ShowToolTip(static_cast<QHelpEvent*>(event)->globalPos());
        }
        event->accept();
        return true;
    }
    if (event->type() == QEvent::WindowActivate && isWindow()) {
        // A click (or the window manager) activated a window that a modal dialog holds: the
        // dialog takes the keyboard back.
        CWndHost* target = ActivationTarget();
        if (target != this) {
            RequestActivation(*target);
        } else {
            BringToFront();
        }
    }
    return QWidget::event(event);
}

void CWndHost::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    Publish();
    BringToFront();
}

void CWndHost::closeEvent(QCloseEvent* event) {
    // Closing stays in the window's own hands: a close request from the window manager (its Alt+F4)
    // travels as Alt+F4 would, so a window that swallows that key in PreTranslateMessage stays open,
    // and otherwise becomes WM_SYSCOMMAND SC_CLOSE, then WM_CLOSE.
    event->ignore();
    if (m_hwnd == nullptr || Object() == nullptr) {
        return;
    }
    CWndHost* focus = Enclosing(QApplication::focusWidget());
    const HWND from = focus != nullptr && focus->window() == this ? focus->Handle() : m_hwnd;
    MSG msg{from, WM_SYSKEYDOWN, VK_F4, LPARAM(0x20000001), 0, {0, 0}};
    if (CWnd::WalkPreTranslateTree(&msg)) {
        return;
    }
    ::SendMessage(m_hwnd, WM_SYSCOMMAND, SC_CLOSE, 0);
}
