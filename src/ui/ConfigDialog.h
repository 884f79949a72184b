#pragma once

#include "engine/RenderListener.h"
#include "framework/Dialog.h"
#include "settings/Settings.h"
#include "ui/IconButton.h"
#include "ui/PageTabs.h"
#include "ui/PresetListBox.h"
#include "ui/TitleBand.h"

#include <memory>
#include <string>

class AdvancedPanel;
class ColorsPage;
class LumenkiteWnd;
class RegStore;
class SettingsEditor;
class SimplePage;
class TypesPage;

// The configuration dialog: a live preview, the preset list, the pages that edit the selected
// preset and the Advanced panel, all working on one Settings that only OK writes back.
class ConfigDialog : public Dialog, public RenderListener {
public:
    // Settings from this system's store.
    explicit ConfigDialog(HWND owner);
    // Settings from the given store, which must outlive the dialog.
    ConfigDialog(HWND owner, RegStore& store);
    ~ConfigDialog() override;

    void OnFrameRate(int frames) override;
    void OnActivate() override;

    const Settings& GetSettings() const { return m_settings; }
    bool IsFullScreen() const { return m_bFullScreen; }
    const LumenkiteWnd* Preview() const { return m_pPreview.get(); }
    HWND PanelWindow() const;

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, int notifyCode, HWND control) override;
    void OnOK() override;
    INT_PTR DialogProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void CreatePreview();
    // Lists every preset and selects the row.
    void FillPresetList(int row);
    void OnPresetSelected();
    // The Delete button and the pages for the preset the editor made current.
    void ShowCurrentPreset();
    void RefreshPages();
    void OnNewPreset();
    void OnDeletePreset();
    void EnterFullScreen();
    void LeaveFullScreen();
    void OnAdvanced();
    void PlaceAdvancedPanel();
    void OnPresetNameChanged();
    // Moves the controls up by d pixels and takes d off the dialog's top (d < 0 grows it back).
    void ShrinkBy(int d);
    void OnDestroy();

    TitleBand m_titleBand;
    Settings m_settings;
    std::unique_ptr<LumenkiteWnd> m_pPreview;
    std::unique_ptr<SettingsEditor> m_pEditor;
    std::unique_ptr<SimplePage> m_pSimplePage;
    std::unique_ptr<TypesPage> m_pTypesPage;
    std::unique_ptr<ColorsPage> m_pColorsPage;
    std::unique_ptr<AdvancedPanel> m_pAdvancedPanel;
    PageTabs m_tabs;
    PresetListBox m_presetList;
    IconButton m_advancedButton;
    bool m_bFullScreen = false;
    int m_nShrinkHeight = 0;
    std::string m_strFullScreenClass;
};
