#pragma once

#include "framework/Dialog.h"
#include "ui/ColormapStrip.h"

#include <string>

class Colormap;
class ColorsEditor;
class StripCache;

// Names a new or duplicated colormap, or renames one. OK stores the edited name in the colormap
// and is offered only for a name the settings can store.
class ColormapNameDialog : public Dialog {
public:
    ColormapNameDialog(HWND owner, ColorsEditor& colors, Colormap& colormap,
                       const StripCache& strips, std::string title, std::string okText);

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, int notifyCode, HWND control) override;
    void OnOK() override;

private:
    std::string EditedName() const;
    // Enables OK for a storable name and says why another is refused.
    bool CheckName();

    ColorsEditor& m_colors;
    Colormap& m_colormap;
    ColormapStrip m_strip;
    std::string m_strTitle;
    std::string m_strOkText;
};
