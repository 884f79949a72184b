// Thousands of random user actions on the configuration dialog: clicks, slider drags, typing, tab
// changes, list selections, the colour menu's commands and dialogs, full-screen toggles, colour
// drags. Seeded, so a failing run can be repeated:
//   LUMENKITE_MONKEY_SEED (default 1) and LUMENKITE_MONKEY_ACTIONS (default 150 per run).
// Nothing may crash or hang; Cancel must leave the stored settings byte-identical, and OK must
// store settings that load back to the same stored form.

#include "DialogDriving.h"
#include "resource.h"
#include "settings/RegTree.h"
#include "support/Random.h"

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

using namespace wintest;

namespace {

int EnvNumber(const char* name, int fallback) {
    const char* text = std::getenv(name);
    return text && *text ? std::atoi(text) : fallback;
}

// Ends the process with the last action named when the dialog stops answering: a hang would
// otherwise hold the whole test run until its timeout, saying nothing.
class Watchdog {
public:
    explicit Watchdog(int seconds)
        : m_thread([this, seconds] {
              int last = -1;
              int still = 0;
              while (!m_bStop) {
                  std::this_thread::sleep_for(std::chrono::milliseconds(100));
                  int now = m_nProgress;
                  still = now == last ? still + 1 : 0;
                  last = now;
                  if (still > seconds * 10) {
                      std::fprintf(stderr, "monkey: no progress for %d s after action %d: %s\n",
                                   seconds, now, m_strAction.load());
                      std::fflush(stderr);
                      std::abort();
                  }
              }
          }) {}
    ~Watchdog() {
        m_bStop = true;
        m_thread.join();
    }
    void Step(int action, const char* what) {
        m_strAction = what;
        m_nProgress = action;
    }

private:
    std::atomic<bool> m_bStop{false};
    std::atomic<int> m_nProgress{0};
    std::atomic<const char*> m_strAction{"opening"};
    std::thread m_thread;
};

// Answers whatever dialog or box the action opened: types a name when there is a name field,
// then OK or Cancel; a dialog that refuses its OK (a name it cannot store) is cancelled.
class ModalAnswer {
public:
    ModalAnswer(const char* title, int answer, std::string name)
        : m_thread([=] {
              for (int i = 0; i < 250; ++i) {
                  HWND box = FindWindowA(nullptr, title);
                  if (box && IsWindowVisible(box)) {
                      if (HWND edit = GetDlgItem(box, IDC_COLORMAP_NAME))
                          SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(name.c_str()));
                      PostMessageA(box, WM_COMMAND, static_cast<WPARAM>(answer), 0);
                      for (int j = 0; j < 50 && IsWindow(box); ++j)
                          Sleep(10);
                      if (IsWindow(box))
                          PostMessageA(box, WM_COMMAND, IDCANCEL, 0);
                      return;
                  }
                  Sleep(10);
              }
          }) {}
    ~ModalAnswer() { m_thread.join(); }

private:
    std::thread m_thread;
};

class MonkeyTest : public ConfigDialogTest {
protected:
    int Draw(int n) { return n > 0 ? m_random.Next() % n : 0; }
    template <size_t N> int Pick(const int (&ids)[N]) { return ids[Draw(static_cast<int>(N))]; }

    // A control a user could reach now: shown and enabled.
    HWND Reachable(int id) const {
        HWND control = Item(id);
        return control && IsWindowVisible(control) && IsWindowEnabled(control) ? control : nullptr;
    }

    std::string RandomText() {
        static const char letters[] = "0123456789 aZ:-&%\t";
        std::string text;
        for (int n = Draw(9); n > 0; --n)
            text += letters[Draw(static_cast<int>(sizeof letters) - 1)];
        return text;
    }

    // A press, a few moves and a release somewhere in the control.
    void Scribble(HWND control) {
        RECT r;
        GetClientRect(control, &r);
        auto at = [&] { return MAKELPARAM(Draw(r.right + 20) - 10, Draw(r.bottom + 10) - 5); };
        SendMessageA(control, WM_LBUTTONDOWN, MK_LBUTTON, at());
        for (int n = Draw(4); n > 0; --n)
            SendMessageA(control, WM_MOUSEMOVE, MK_LBUTTON, at());
        const LPARAM end = at();
        SendMessageA(control, WM_LBUTTONUP, 0, end);
        if (Draw(4) == 0)
            SendMessageA(control, WM_LBUTTONDBLCLK, MK_LBUTTON, end);
    }

    void ChooseInCombo(HWND combo) {
        const auto count = static_cast<int>(SendMessageA(combo, CB_GETCOUNT, 0, 0));
        SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(Draw(count)), 0);
        SendMessageA(GetParent(combo), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(combo), CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(combo));
    }

    // One random action; returns its name.
    const char* Act() {
        switch (Draw(10)) {
        case 0: {
            static const int buttons[] = {IDC_NEW,  IDC_RESTART, IDC_ADVANCED,     IDC_ALL,
                                          IDC_NONE, IDC_RGB,     IDC_HSV,          IDC_SPAWN,
                                          IDC_FAST, IDC_DOUBLE,  IDC_START_CENTER, IDC_RECYCLE};
            if (HWND button = Reachable(Pick(buttons)))
                Click(button);
            return "click";
        }
        case 1: {
            static const int sliders[] = {IDC_INITIAL, IDC_TOTAL, IDC_WORM_SIZE, IDC_SPEED};
            if (HWND slider = Reachable(Pick(sliders))) {
                const auto low = static_cast<int>(SendMessageA(slider, TBM_GETRANGEMIN, 0, 0));
                const auto high = static_cast<int>(SendMessageA(slider, TBM_GETRANGEMAX, 0, 0));
                Drag(slider, low + Draw(high - low + 1), Draw(3) != 0);
            }
            return "slider";
        }
        case 2: {
            static const int edits[] = {IDC_NAME, IDC_DELAY, IDC_RANGE};
            if (HWND edit = Reachable(Pick(edits)))
                Type(edit, RandomText());
            return "typing";
        }
        case 3:
            if (Reachable(IDC_TABS))
                ShowTab(Draw(3));
            return "tab";
        case 4: {
            static const int lists[] = {IDC_PRESETS, IDC_TYPES};
            if (HWND list = Reachable(Pick(lists)))
                ClickRow(list, Draw(static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0))));
            static const int combos[] = {IDC_CYCLE, IDC_COLORMAP};
            if (HWND combo = Reachable(Pick(combos)))
                ChooseInCombo(combo);
            return "list";
        }
        case 5: {
            // The Options menu's commands, as the menu sends them to the page.
            if (!Reachable(IDC_OPTIONS))
                return "menu (hidden)";
            static const int commands[] = {ID_COLORMAP_NEW, ID_COLORMAP_DUPLICATE,
                                           ID_COLORMAP_RENAME, ID_COLORMAP_DELETE};
            static const char* const titles[] = {"Create new colormap", "Create duplicate colormap",
                                                 "Rename colormap", "Really Delete?"};
            const int which = Draw(4);
            const bool lastColormap = Current().m_apColormaps.size() < 2;
            if (commands[which] == ID_COLORMAP_DELETE && lastColormap) {
                // Refused without a dialog.
                SendMessageA(GetParent(Item(IDC_OPTIONS)), WM_COMMAND, ID_COLORMAP_DELETE, 0);
                return "menu";
            }
            ModalAnswer answer(titles[which], Draw(2) ? IDOK : IDCANCEL, RandomText());
            SendMessageA(GetParent(Item(IDC_OPTIONS)), WM_COMMAND,
                         static_cast<WPARAM>(commands[which]), 0);
            return "menu";
        }
        case 6:
            if (Draw(8) == 0 && Reachable(IDC_FULLSCREEN))
                Click(Item(IDC_FULLSCREEN));
            return "full screen";
        case 7: {
            static const int colour[] = {IDC_PICKER, IDC_EDITOR};
            if (HWND control = Reachable(Pick(colour)))
                Scribble(control);
            return "colour drag";
        }
        case 8:
            if (HWND button = Reachable(IDC_DELETE)) {
                ModalAnswer answer("Not so fast...", Draw(2) ? IDYES : IDNO, "");
                Click(button);
            }
            return "delete preset";
        default: {
            RECT r = WindowRect(m_hDialog);
            SetWindowPos(m_hDialog, nullptr, r.left + Draw(41) - 20, r.top + Draw(41) - 20, 0, 0,
                         SWP_NOSIZE | SWP_NOZORDER);
            return "move";
        }
        }
    }

    void Run(int actions) {
        Watchdog watchdog(60);
        for (int i = 1; i <= actions; ++i) {
            const char* what = Act();
            PumpMessages();
            watchdog.Step(i, what);
        }
    }

    RandomSequence m_random{static_cast<uint32_t>(EnvNumber("LUMENKITE_MONKEY_SEED", 1))};
    const int m_nActions = EnvNumber("LUMENKITE_MONKEY_ACTIONS", 150);
};

TEST_F(MonkeyTest, CancelAfterRandomActionsLeavesTheStoreByteIdentical) {
    Settings(m_store).Save();
    const std::string before = Stored();
    Open();
    Run(m_nActions);
    if (m_pDialog->IsFullScreen())
        Click(Item(IDC_FULLSCREEN));
    Click(Item(IDCANCEL));
    EXPECT_EQ(Stored(), before);
}

TEST_F(MonkeyTest, OkAfterRandomActionsStoresSettingsThatLoadBackTheSame) {
    Open();
    Run(m_nActions);
    if (m_pDialog->IsFullScreen())
        Click(Item(IDC_FULLSCREEN));
    const size_t presets = Current().m_apPresets.size();
    const size_t colormaps = Current().m_apColormaps.size();
    Click(Item(IDOK));
    const std::string saved = Stored();

    // What OK stored, loaded and stored again, is what OK stored.
    MemoryRegStore copy;
    copy.m_tree = m_store.m_tree;
    Settings loaded(copy);
    EXPECT_EQ(loaded.m_apPresets.size(), presets);
    EXPECT_EQ(loaded.m_apColormaps.size(), colormaps);
    for (size_t i = 0; i < presets && i < loaded.m_apPresets.size(); ++i)
        EXPECT_EQ(loaded.m_apPresets[i]->Name, Current().m_apPresets[i]->Name);
    loaded.Save();
    EXPECT_EQ(FormatRegFile(copy.m_tree), saved);
}

} // namespace
