#include "res/ResStrings.h"

#include "res/ResLibrary.h"

void LoadResString(CString& out, UINT id) {
    const CResLibrary* library = CResLibrary::Current();
    out = library != nullptr ? library->LoadText(id) : CString();
}

void LoadResStringPrefixed(CString& out, UINT id) {
    CString text;
    LoadResString(text, id);
    out = " ";
    out += text;
}

CString LoadResString(UINT id) {
    CString text;
    LoadResString(text, id);
    return text;
}

CString LoadResStringPrefixed(UINT id) {
    CString text;
    LoadResStringPrefixed(text, id);
    return text;
}

QImage LoadResBitmap(UINT id) {
    const CResLibrary* library = CResLibrary::Current();
    return library != nullptr ? library->LoadBitmap(id) : QImage();
}
