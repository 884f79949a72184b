#include "linux/editor/EditorWindow.h"

#include "editor/EditorTexts.h"
#include "editor/SettingsEditor.h"
#include "linux/editor/Question.h"
#include "linux/editor/Signal.h"
#include "settings/ErrorReport.h"
#include "settings/FileRegStore.h"
#include "settings/Settings.h"

namespace {

enum CloseAnswer { CloseSave, CloseDiscard, CloseBack };

// Collects the first failure the settings report while fn runs, instead of standard error.
std::string CaptureFailure(const std::function<void()>& fn) {
    std::string failure;
    ErrorReporter previous = SetErrorReporter(
        [&failure](const std::string&, const std::string& text, const std::string& detail) {
            if (failure.empty())
                failure = detail.empty() ? text : detail;
        });
    fn();
    SetErrorReporter(std::move(previous));
    return failure;
}

GtkWidget* Margins(GtkWidget* widget, int margin) {
    gtk_widget_set_margin_start(widget, margin);
    gtk_widget_set_margin_end(widget, margin);
    gtk_widget_set_margin_top(widget, margin);
    gtk_widget_set_margin_bottom(widget, margin);
    return widget;
}

} // namespace

EditorWindow::EditorWindow(FileRegStore& store, std::function<void()> closed)
    : m_strPath(store.Path()), m_closed(std::move(closed)),
      m_pWindow(GTK_WINDOW(gtk_window_new())) {
    const std::string loadFailure =
        CaptureFailure([&] { m_pSettings = std::make_unique<Settings>(store); });
    gtk_window_set_title(m_pWindow, "Lumenkite Settings");
    gtk_window_set_icon_name(m_pWindow, "lumenkite");
    m_pPreview = std::make_unique<Preview>(*m_pSettings, [this](int frames) {
        if (m_pAdvanced)
            m_pAdvanced->ShowFrameRate(frames);
    });
    m_pEditor = std::make_unique<SettingsEditor>(*m_pSettings, *m_pPreview);
    const int row = m_pEditor->Normalise();
    EditorContext context{*m_pEditor, [this] { Changed(); }};
    m_pSimple = std::make_unique<SimplePage>(context, [this] { OnPresetNameChanged(); });
    m_pTypes = std::make_unique<TypesPage>(context);
    m_pColors =
        std::make_unique<ColorsPage>(context, m_pEditor->Colors(), [this] { return m_pWindow; });
    m_pAdvanced = std::make_unique<AdvancedPage>(context);

    GtkWidget* root = gtk_box_new(GTK_ORIENTATION_VERTICAL, 8);
    m_pNotice = gtk_info_bar_new();
    m_pNoticeText = gtk_label_new("");
    gtk_label_set_wrap(GTK_LABEL(m_pNoticeText), TRUE);
    gtk_label_set_xalign(GTK_LABEL(m_pNoticeText), 0.0f);
    gtk_info_bar_add_child(GTK_INFO_BAR(m_pNotice), m_pNoticeText);
    gtk_info_bar_set_show_close_button(GTK_INFO_BAR(m_pNotice), TRUE);
    gtk_widget_set_visible(m_pNotice, FALSE);
    Connect<void, int>(m_pNotice, "response",
                       [this](int) { gtk_widget_set_visible(m_pNotice, FALSE); });
    gtk_box_append(GTK_BOX(root), m_pNotice);

    GtkWidget* body = Margins(gtk_box_new(GTK_ORIENTATION_VERTICAL, 8), 10);
    gtk_box_append(GTK_BOX(body), BuildPreviewRow());
    GtkWidget* columns = gtk_box_new(GTK_ORIENTATION_HORIZONTAL, 10);
    gtk_box_append(GTK_BOX(columns), BuildPresetColumn());
    m_pPages = gtk_notebook_new();
    gtk_widget_set_hexpand(m_pPages, TRUE);
    const std::pair<GtkWidget*, const char*> pages[] = {
        {m_pSimple->Widget(), "Si_mple settings"},
        {m_pTypes->Widget(), "_Types"},
        {m_pColors->Widget(), "Co_lors"},
        {m_pAdvanced->Widget(), "_Advanced"},
    };
    for (const auto& [page, title] : pages)
        gtk_notebook_append_page(GTK_NOTEBOOK(m_pPages), page, gtk_label_new_with_mnemonic(title));
    gtk_box_append(GTK_BOX(columns), m_pPages);
    gtk_box_append(GTK_BOX(body), columns);
    gtk_box_append(GTK_BOX(body), BuildButtonRow(m_strPath));
    gtk_box_append(GTK_BOX(root), body);
    gtk_window_set_child(m_pWindow, root);

    gtk_drop_down_set_selected(GTK_DROP_DOWN(m_pCycle), static_cast<guint>(m_pEditor->CycleRow()));
    Connect<void, GParamSpec*>(m_pCycle, "notify::selected", [this](GParamSpec*) {
        const guint index = gtk_drop_down_get_selected(GTK_DROP_DOWN(m_pCycle));
        if (index == GTK_INVALID_LIST_POSITION)
            return;
        m_pEditor->ChooseCycle(static_cast<int>(index));
        Changed();
    });
    FillPresetList(row);
    m_bFilling = true;
    OnPresetSelected();
    m_bFilling = false;

    if (!loadFailure.empty())
        ShowNotice(GTK_MESSAGE_WARNING, LoadFailureNotice(loadFailure, m_strPath));

    Connect<gboolean>(m_pWindow, "close-request", [this]() -> gboolean {
        if (m_bClosed)
            return FALSE;
        OnClose();
        return TRUE;
    });
    GtkEventController* keys = gtk_event_controller_key_new();
    Connect<gboolean, guint, guint, GdkModifierType>(
        keys, "key-pressed", [this](guint key, guint, GdkModifierType state) -> gboolean {
            if (key == GDK_KEY_Escape) {
                OnClose();
                return TRUE;
            }
            if ((state & GDK_CONTROL_MASK) && (key == GDK_KEY_s || key == GDK_KEY_S)) {
                Save();
                return TRUE;
            }
            return FALSE;
        });
    gtk_widget_add_controller(GTK_WIDGET(m_pWindow), keys);
    gtk_window_set_default_widget(m_pWindow, m_pSave);
}

EditorWindow::~EditorWindow() {
    // The window goes while every object its last signals could reach is still here.
    gtk_window_destroy(m_pWindow);
}

GtkWidget* EditorWindow::BuildPreviewRow() {
    GtkWidget* box = gtk_box_new(GTK_ORIENTATION_VERTICAL, 6);
    GtkWidget* frame = gtk_frame_new(nullptr);
    GtkWidget* area = m_pPreview->Widget();
    gtk_widget_set_size_request(area, 400, 240);
    gtk_widget_set_hexpand(area, TRUE);
    gtk_frame_set_child(GTK_FRAME(frame), area);
    gtk_box_append(GTK_BOX(box), frame);

    GtkWidget* row = gtk_box_new(GTK_ORIENTATION_HORIZONTAL, 6);
    m_pFullScreen = gtk_button_new_with_mnemonic("_Full-screen preview");
    GtkWidget* restart = gtk_button_new_with_mnemonic("Restart pre_view");
    // Every letter is taken by the pages: About is reached with Tab.
    GtkWidget* about = gtk_button_new_with_label("About…");
    gtk_widget_set_hexpand(about, TRUE);
    gtk_widget_set_halign(about, GTK_ALIGN_END);
    gtk_box_append(GTK_BOX(row), m_pFullScreen);
    gtk_box_append(GTK_BOX(row), restart);
    gtk_box_append(GTK_BOX(row), about);
    gtk_box_append(GTK_BOX(box), row);
    Connect(about, "clicked", [this] {
        AskQuestion(m_pWindow, AboutTitle, AboutText, nullptr, {{"_OK", 0}}, 0, [](int) {});
    });
    Connect(m_pFullScreen, "clicked", [this] { m_pPreview->EnterFullScreen(m_pWindow); });
    Connect(restart, "clicked", [this] {
        m_pPreview->Pause();
        m_pPreview->Resume();
        m_pPreview->UpdateTargetWorms();
    });
    return box;
}

GtkWidget* EditorWindow::BuildPresetColumn() {
    GtkWidget* column = gtk_box_new(GTK_ORIENTATION_VERTICAL, 6);
    const char* const choices[] = {"Don't cycle", "Cycle in order", "Cycle randomly", nullptr};
    m_pCycle = gtk_drop_down_new_from_strings(choices);
    GtkWidget* cycleLabel = gtk_label_new_with_mnemonic("C_ycle presets");
    gtk_label_set_xalign(GTK_LABEL(cycleLabel), 0.0f);
    gtk_label_set_mnemonic_widget(GTK_LABEL(cycleLabel), m_pCycle);
    gtk_box_append(GTK_BOX(column), cycleLabel);
    gtk_box_append(GTK_BOX(column), m_pCycle);

    m_pPresets = gtk_list_box_new();
    gtk_list_box_set_selection_mode(GTK_LIST_BOX(m_pPresets), GTK_SELECTION_BROWSE);
    GtkWidget* scroller = gtk_scrolled_window_new();
    gtk_scrolled_window_set_policy(GTK_SCROLLED_WINDOW(scroller), GTK_POLICY_NEVER,
                                   GTK_POLICY_AUTOMATIC);
    gtk_scrolled_window_set_child(GTK_SCROLLED_WINDOW(scroller), m_pPresets);
    gtk_scrolled_window_set_has_frame(GTK_SCROLLED_WINDOW(scroller), TRUE);
    gtk_widget_set_size_request(scroller, 150, -1);
    gtk_widget_set_vexpand(scroller, TRUE);
    gtk_box_append(GTK_BOX(column), scroller);
    Connect<void, GtkListBoxRow*>(m_pPresets, "row-selected", [this](GtkListBoxRow* row) {
        if (!m_bFilling && row)
            OnPresetSelected();
    });

    GtkWidget* buttons = gtk_box_new(GTK_ORIENTATION_HORIZONTAL, 6);
    gtk_box_set_homogeneous(GTK_BOX(buttons), TRUE);
    m_pNew = gtk_button_new_with_mnemonic("Ne_w");
    m_pDelete = gtk_button_new_with_mnemonic("_Delete…");
    gtk_box_append(GTK_BOX(buttons), m_pNew);
    gtk_box_append(GTK_BOX(buttons), m_pDelete);
    gtk_box_append(GTK_BOX(column), buttons);
    Connect(m_pNew, "clicked", [this] { OnNewPreset(); });
    Connect(m_pDelete, "clicked", [this] { OnDeletePreset(); });
    return column;
}

GtkWidget* EditorWindow::BuildButtonRow(const std::string& path) {
    GtkWidget* row = gtk_box_new(GTK_ORIENTATION_HORIZONTAL, 8);
    GtkWidget* file = gtk_label_new(path.c_str());
    gtk_label_set_ellipsize(GTK_LABEL(file), PANGO_ELLIPSIZE_START);
    gtk_label_set_xalign(GTK_LABEL(file), 0.0f);
    gtk_widget_set_hexpand(file, TRUE);
    gtk_widget_add_css_class(file, "dim-label");
    gtk_widget_set_tooltip_text(file, "The settings file the saver reads");
    gtk_box_append(GTK_BOX(row), file);
    m_pSave = gtk_button_new_with_mnemonic("_Save");
    m_pClose = gtk_button_new_with_mnemonic("_Close");
    gtk_widget_add_css_class(m_pSave, "suggested-action");
    gtk_box_append(GTK_BOX(row), m_pSave);
    gtk_box_append(GTK_BOX(row), m_pClose);
    Connect(m_pSave, "clicked", [this] { Save(); });
    Connect(m_pClose, "clicked", [this] { OnClose(); });
    return row;
}

void EditorWindow::FillPresetList(int row) {
    m_bFilling = true;
    while (GtkWidget* child = gtk_widget_get_first_child(m_pPresets))
        gtk_list_box_remove(GTK_LIST_BOX(m_pPresets), child);
    for (const auto& preset : m_pSettings->m_apPresets) {
        GtkWidget* label = gtk_label_new(preset->Name.c_str());
        gtk_label_set_xalign(GTK_LABEL(label), 0.0f);
        gtk_label_set_ellipsize(GTK_LABEL(label), PANGO_ELLIPSIZE_END);
        gtk_list_box_append(GTK_LIST_BOX(m_pPresets), Margins(label, 4));
    }
    gtk_list_box_select_row(GTK_LIST_BOX(m_pPresets),
                            gtk_list_box_get_row_at_index(GTK_LIST_BOX(m_pPresets), row));
    m_bFilling = false;
}

void EditorWindow::OnPresetSelected() {
    GtkListBoxRow* row = gtk_list_box_get_selected_row(GTK_LIST_BOX(m_pPresets));
    const bool moved = m_pEditor->SelectPresetRow(row ? gtk_list_box_row_get_index(row) : 0);
    ShowCurrentPreset();
    // The saver starts on the stored current preset: choosing another one is an edit.
    if (moved && !m_bFilling)
        Changed();
}

void EditorWindow::ShowCurrentPreset() {
    gtk_widget_set_sensitive(m_pDelete, m_pEditor->CanDeletePreset());
    RefreshPages();
}

void EditorWindow::RefreshPages() {
    m_pSimple->Refresh();
    m_pTypes->Refresh();
    m_pColors->Refresh();
}

void EditorWindow::OnNewPreset() {
    FillPresetList(m_pEditor->NewPreset());
    ShowCurrentPreset();
    gtk_notebook_set_current_page(GTK_NOTEBOOK(m_pPages), 0);
    m_pSimple->SelectName();
    Changed();
}

void EditorWindow::OnDeletePreset() {
    if (!m_pEditor->CanDeletePreset())
        return;
    AskQuestion(m_pWindow, DeletePresetTitle, m_pEditor->DeleteQuestion(), nullptr,
                {{"_Delete", 1}, {"_Cancel", 0}}, 0, [this](int response) {
                    if (response != 1)
                        return;
                    m_pEditor->DeleteCurrentPreset();
                    FillPresetList(m_pEditor->PresetRow());
                    ShowCurrentPreset();
                    Changed();
                });
}

void EditorWindow::OnPresetNameChanged() {
    GtkListBoxRow* row =
        gtk_list_box_get_row_at_index(GTK_LIST_BOX(m_pPresets), m_pEditor->PresetRow());
    if (!row)
        return;
    GtkWidget* label = gtk_list_box_row_get_child(row);
    gtk_label_set_text(GTK_LABEL(label), m_pEditor->CurrentPreset().Name.c_str());
}

bool EditorWindow::Save() {
    m_pEditor->TakeDelayTexts(m_pAdvanced->DelayText(), m_pAdvanced->RangeText());
    const std::string failure = CaptureFailure([this] { m_pEditor->Save(); });
    if (!failure.empty()) {
        ShowNotice(GTK_MESSAGE_ERROR, SaveFailureNotice(failure));
        return false;
    }
    gtk_widget_set_visible(m_pNotice, FALSE);
    m_bUnsaved = false;
    return true;
}

void EditorWindow::OnClose() {
    if (m_bClosed || m_bAsking)
        return;
    if (!m_bUnsaved) {
        Finish();
        return;
    }
    m_bAsking = true;
    AskQuestion(m_pWindow, UnsavedChangesTitle, UnsavedChangesQuestion(m_strPath), nullptr,
                {{"_Save", CloseSave}, {"_Discard", CloseDiscard}, {"_Go back", CloseBack}},
                CloseBack, [this](int response) {
                    m_bAsking = false;
                    if (response == CloseDiscard || (response == CloseSave && Save()))
                        Finish();
                });
}

void EditorWindow::Finish() {
    m_bClosed = true;
    m_pPreview->LeaveFullScreen();
    gtk_widget_set_visible(GTK_WIDGET(m_pWindow), FALSE);
    if (m_closed)
        m_closed();
}

void EditorWindow::Changed() {
    m_bUnsaved = true;
}

void EditorWindow::ShowNotice(GtkMessageType type, const std::string& text) {
    gtk_info_bar_set_message_type(GTK_INFO_BAR(m_pNotice), type);
    gtk_label_set_text(GTK_LABEL(m_pNoticeText), text.c_str());
    gtk_widget_set_visible(m_pNotice, TRUE);
}

std::string EditorWindow::Notice() const {
    return gtk_widget_get_visible(m_pNotice) ? gtk_label_get_text(GTK_LABEL(m_pNoticeText)) : "";
}
