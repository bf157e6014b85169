#include "platform/window/WndClasses.h"

#include "platform/window/Button.h"
#include "platform/window/ButtonProc.h"
#include "platform/window/DialogProc.h"
#include "platform/window/Edit.h"
#include "platform/window/EditProc.h"
#include "platform/window/ListCtrl.h"
#include "platform/window/ListViewProc.h"
#include "platform/window/Static.h"
#include "platform/window/StaticProc.h"

#include <strings.h>

namespace {

enum class Kind { Plain, Button, Static, Edit, ListView, Dialog };

Kind KindOf(LPCSTR name) {
    if (name == nullptr || IS_INTRESOURCE(name)) {
        return Kind::Plain;
    }
    if (strcasecmp(name, "BUTTON") == 0) {
        return Kind::Button;
    }
    if (strcasecmp(name, "STATIC") == 0) {
        return Kind::Static;
    }
    if (strcasecmp(name, "EDIT") == 0) {
        return Kind::Edit;
    }
    if (strcasecmp(name, "SysListView32") == 0) {
        return Kind::ListView;
    }
    if (strcasecmp(name, "#32770") == 0) {
        return Kind::Dialog;
    }
    return Kind::Plain;
}

} // namespace

std::unique_ptr<CWndClassProc> CWndClasses::MakeProc(LPCSTR className) {
    switch (KindOf(className)) {
    case Kind::Button:
        return std::make_unique<CButtonProc>();
    case Kind::Static:
        return std::make_unique<CStaticProc>();
    case Kind::Edit:
        return std::make_unique<CEditProc>();
    case Kind::ListView:
        return std::make_unique<CListViewProc>();
    case Kind::Dialog:
        return std::make_unique<CDialogProc>();
    default:
        return nullptr;
    }
}

std::unique_ptr<CWnd> CWndClasses::MakePlainObject(LPCSTR className) {
    switch (KindOf(className)) {
    case Kind::Button:
        return std::make_unique<CButton>();
    case Kind::Static:
        return std::make_unique<CStatic>();
    case Kind::Edit:
        return std::make_unique<CEdit>();
    case Kind::ListView:
        return std::make_unique<CListCtrl>();
    default:
        return std::make_unique<CWnd>();
    }
}
