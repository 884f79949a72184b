#pragma once

#include "framework/Window.h"

#include <vector>

class DialogPage;

// The tab control of the configuration dialog: each tab shows one page, a child dialog laid over
// the tab's display area. The pages belong to the dialog; this only shows and destroys them.
class PageTabs : public Window {
public:
    explicit PageTabs(int capacity);

    // Inserts a tab and creates its page over the display area, hidden.
    void AddPage(int index, DialogPage* page, const char* title);
    void ShowSelected();
    void Select(int index);
    void DestroyPages();

protected:
    void OnSubclassed() override;

private:
    std::vector<DialogPage*> m_apPages;
};
