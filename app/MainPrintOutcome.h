#pragma once
// What the main window gives the log pages' Print buttons: where PDF files go when there is no
// printer, and the box that tells the operator what Print did.

#include "platform/base/String.h"

#include <string>
#include <vector>

class CClientDlg;
class CWnd;

// The Auto Save folder, else the home folder.
std::string NoPrinterFolder(const CClientDlg& main);

// A notice box with up to three lines and an OK button over `owner` (the main window when null).
void ShowTextBox(CClientDlg& main, CWnd* owner, const std::vector<CString>& lines);
