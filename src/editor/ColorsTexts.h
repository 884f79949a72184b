#pragma once

#include <string>

// The texts both editors show on the Colors page and in its dialogs. A caption carries its
// access key in each toolkit's own mark: "&" on Windows, "_" in GTK, where Cancel has the C.
struct Caption {
    const char* windows;
    const char* gtk;
};

inline constexpr Caption NewColormapCaption{"New...", "_New…"};
inline constexpr Caption DuplicateColormapCaption{"Duplicate...", "D_uplicate…"};
inline constexpr Caption RenameColormapCaption{"Rename...", "_Rename…"};
inline constexpr Caption DeleteColormapCaption{"Delete...", "D_elete…"};

inline constexpr const char* NewColormapTitle = "Create new colormap";
inline constexpr const char* DuplicateColormapTitle = "Create duplicate colormap";
inline constexpr const char* RenameColormapTitle = "Rename colormap";
inline constexpr const char* ColormapNamePrompt = "Colormap name:";
inline constexpr Caption ConfirmCreateCaption{"&Create", "C_reate"};
inline constexpr Caption ConfirmRenameCaption{"&Rename", "_Rename"};

// The GTK editor's question before a colormap is deleted; the Windows dialog's own template asks
// it.
inline constexpr const char* DeleteColormapTitle = "Really delete?";
std::string DeleteColormapQuestion(const std::string& name);
