#pragma once
// The left column of the search frame that a tab opens: a column of skinned buttons, one per mode,
// each sending that mode's request or opening its page. The four menus share this base.

#include "archive/ArchiveHost.h"
#include "archive/PageTemplate.h"
#include "archive/SearchPage.h"
#include "controls/SkinTextButton.h"

#include <array>
#include <cstddef>
#include <span>

struct MenuButtonSpec {
    UINT id;
    UINT bitmap;
    UINT text;
    int y;
};

// A menu's buttons as its template lists them.
template <std::size_t N>
constexpr std::array<DialogItem, N> MenuButtonItems(const MenuButtonSpec (&buttons)[N]) {
    std::array<DialogItem, N> items{};
    for (std::size_t i = 0; i < N; ++i) {
        items[i] = MenuColumnButton(buttons[i].id, buttons[i].y, WS_VISIBLE | BS_OWNERDRAW);
    }
    return items;
}

// A menu's template made from its buttons and registered for the program's lifetime.
template <std::size_t N>
class MenuColumnRegistration {
public:
    MenuColumnRegistration(UINT idd, const MenuButtonSpec (&buttons)[N])
        : m_items(MenuButtonItems(buttons)), m_template(MenuColumnTemplate(idd, m_items)), m_registration(m_template) {}

private:
    std::array<DialogItem, N> m_items;
    DialogTemplate m_template;
    DialogTemplateRegistration m_registration;
};

class CArchiveMenuDlg : public CSearchPage {
public:
    static constexpr int kMaxButtons = 6;

    CArchiveMenuDlg(UINT idd, int slot, std::span<const MenuButtonSpec> buttons);

    // A button click as its handler takes it (tests press buttons through here too).
    virtual void OnMenuButton(UINT id) = 0;
    CSkinTextButton* Button(UINT id);

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    // Every button to state 0, this one to state 1.
    void SelectButton(UINT id);
    ArchiveResume& Resume();
    bool ResumeActive();

    CSkinTextButton m_buttons[kMaxButtons];

private:
    std::span<const MenuButtonSpec> m_specs;
};
