#pragma once
// One filter on the whole application: input to any widget inside a top-level window whose
// EnableWindow(FALSE) is in force is dropped, whatever widget (control, inner line edit, scroll bar)
// it was meant for. The children keep their own enabled state and look.

#include <QObject>

class CInputFilter : public QObject {
public:
    // Installs the filter once on the application object (UI thread).
    static void Install();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    using QObject::QObject;
};
