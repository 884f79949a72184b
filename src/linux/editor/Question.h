#pragma once

#include <gtk/gtk.h>

#include <functional>
#include <string>
#include <vector>

struct Answer {
    const char* label; // with a mnemonic
    int response;
};

// A modal question over parent: the text, an optional widget under it (a colormap's strip), and
// one button per answer, the first the default. done(response) runs once; Escape or closing the
// window answers cancelResponse. Returns the window, which destroys itself after answering.
GtkWindow* AskQuestion(GtkWindow* parent, const std::string& title, const std::string& text,
                       GtkWidget* extra, const std::vector<Answer>& answers, int cancelResponse,
                       std::function<void(int)> done);

// The button under root whose label (mnemonic included) is this one; null when there is none.
GtkButton* FindButton(GtkWidget* root, const char* label);
