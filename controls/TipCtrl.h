#pragma once
// The tooltip control of the main window and the archive frames: its tools are whole windows whose
// texts their parents supply on demand.

#include "platform/window/ToolTipCtrl.h"

class CTipCtrl : public CToolTipCtrl {
public:
    // pWnd becomes a tool identified by its handle and watched by this control; its parent answers
    // TTN_NEEDTEXT each time the tip shows. nText is -1 (the text on demand) in every caller; a
    // resource text id cannot be read here, so any other value gives a tool without text.
    BOOL AddTool(CWnd* pWnd, UINT nText);
};
