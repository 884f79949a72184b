#pragma once

#include "framework/Window.h"

// The behaviour list of the Types page: each row is a behaviour's name after an icon of its state
// (on, off, keep one), kept as the row's item data. Columns are as wide as the widest name.
class TypeListBox : public Window {
public:
    TypeListBox();
    ~TypeListBox() override;

    void Clear();
    void AddType(const char* name, int state);
    int State(int row) const;
    void SetState(int row, int state);

    void OnDrawItem(const DRAWITEMSTRUCT& item) override;
    void OnMeasureItem(MEASUREITEMSTRUCT& item) override;

protected:
    void OnSubclassed() override;

private:
    HICON m_ahIcons[3];
    int m_nWidestName = 0;
};
