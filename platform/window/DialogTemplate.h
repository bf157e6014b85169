#pragma once
// Dialog templates, declared as tables in each dialog's own source file:
//
//   namespace {
//   const DialogItem kItems[] = {
//       {380, "EDIT", 170, 23, 152, 16, WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL},
//       {IDOK, "BUTTON", 138, 148, 100, 27, WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW, "OK"},
//   };
//   const DialogTemplate kTemplate{.id = 105, .cx = 356, .cy = 182, .style = WS_POPUP, .items = kItems};
//   const DialogTemplateRegistration kRegistered(kTemplate);
//   }
//
// Positions and sizes are pixels of the dialog's client area. Controls are made in table order,
// which is their tab order and the order of their groups (WS_GROUP starts a group); every control is
// a child (WS_CHILD is added) and shows only with WS_VISIBLE. The dialog's font (default "MS Shell
// Dlg" 8 points) is given to every control (WM_SETFONT) and answered by WM_GETFONT.

#include "platform/window/WinUser.h"

#include <span>

struct DialogItem {
    UINT id;
    LPCSTR className; // "BUTTON", "STATIC", "EDIT" or "SysListView32"
    int x;
    int y;
    int cx;
    int cy;
    DWORD style;
    LPCSTR text = "";
    DWORD exStyle = 0;
};

struct DialogTemplate {
    UINT id = 0;
    // A WS_CHILD dialog lies at (x, y) in its parent's client area; any other is a top-level window at
    // (x, y) from its owner's client origin (from the screen's origin without an owner), centred with
    // DS_CENTER. A modal dialog is always top-level.
    int x = 0;
    int y = 0;
    int cx = 0;
    int cy = 0;
    DWORD style = WS_POPUP;
    std::span<const DialogItem> items{};
    LPCSTR caption = "";
    LPCSTR fontFace = nullptr;
    int fontPointSize = 0;
    DWORD exStyle = 0;
};

class CDialogTemplates {
public:
    // A later registration of the same id replaces the earlier one.
    static void Register(const DialogTemplate* dialogTemplate);
    static const DialogTemplate* Find(UINT id);
};

struct DialogTemplateRegistration {
    explicit DialogTemplateRegistration(const DialogTemplate& dialogTemplate) {
        CDialogTemplates::Register(&dialogTemplate);
    }
};
