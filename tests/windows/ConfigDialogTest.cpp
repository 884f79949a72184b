// The configuration dialog in this process, driven by what a user's actions send it: clicks on
// buttons and list rows, slider drags with and without their end, typing, moving the window.

#include "DialogDriving.h"
#include "engine/RenderThread.h"
#include "resource.h"
#include "saver/LumenkiteWnd.h"
#include "settings/RegTree.h"
#include "ui/UserMessages.h"

#include <string>

using namespace wintest;

namespace {

TEST_F(ConfigDialogTest, OpensOnTheStoredPresetWithThePreviewRunningInItsFrame) {
    {
        Settings stored(m_store);
        stored.SelectPreset(2);
        stored.Cycle = true;
        stored.CycleType = 1;
        stored.Save();
    }
    Open();
    EXPECT_EQ(Text(m_hDialog), "Configure Lumenkite v2.0");
    ASSERT_EQ(ListCount(), static_cast<int>(Current().m_apPresets.size()));
    for (int i = 0; i < ListCount(); ++i)
        EXPECT_EQ(ListLine(i), Current().m_apPresets[static_cast<size_t>(i)]->Name);
    EXPECT_EQ(ListSelection(), 2);
    EXPECT_EQ(Current().CurrentPreset, 2);
    EXPECT_EQ(Text(Item(IDC_NAME)), CurrentPreset().Name);
    EXPECT_EQ(SendMessageA(Item(IDC_CYCLE), CB_GETCURSEL, 0, 0), 1);
    EXPECT_TRUE(IsWindowEnabled(Item(IDC_DELETE)));

    // Only the first page shows, over the tab's display area.
    EXPECT_TRUE(IsWindowVisible(Item(IDC_NAME)));
    EXPECT_FALSE(IsWindowVisible(Item(IDC_TYPES)));
    EXPECT_FALSE(IsWindowVisible(Item(IDC_COLORMAP)));

    // The preview fills the sunken frame's client area and draws into it.
    const LumenkiteWnd* preview = m_pDialog->Preview();
    ASSERT_NE(preview, nullptr);
    EXPECT_EQ(GetParent(preview->m_hWnd), Item(IDC_PREVIEW_FRAME));
    RECT frame, shown;
    GetClientRect(Item(IDC_PREVIEW_FRAME), &frame);
    GetClientRect(preview->m_hWnd, &shown);
    EXPECT_EQ(shown.right, frame.right);
    EXPECT_EQ(shown.bottom, frame.bottom);
    EXPECT_TRUE(preview->Renderer()->RestrictsParticles());
    EXPECT_FALSE(preview->Renderer()->Cycling());
    RECT on = WindowRect(preview->m_hWnd);
    EXPECT_TRUE(WaitFor(
        [&] {
            return CountNonBlack(
                       CaptureScreen(on.left, on.top, on.right - on.left, on.bottom - on.top)) > 0;
        },
        10000));

    // The panel waits hidden against the dialog's left edge, bottoms aligned.
    HWND panel = m_pDialog->PanelWindow();
    ASSERT_NE(panel, nullptr);
    EXPECT_FALSE(IsWindowVisible(panel));
    EXPECT_EQ(WindowRect(panel).right, WindowRect(m_hDialog).left);
    EXPECT_EQ(WindowRect(panel).bottom, WindowRect(m_hDialog).bottom);
}

TEST_F(ConfigDialogTest, AStoredCurrentPresetPastTheListSelectsTheFirst) {
    {
        Settings stored(m_store);
        stored.SelectPreset(40);
        stored.Save();
    }
    Open();
    EXPECT_EQ(ListSelection(), 0);
    EXPECT_EQ(Current().CurrentPreset, 0);
    EXPECT_EQ(Current().m_pCurrentPreset, Current().m_apPresets[0].get());
}

TEST_F(ConfigDialogTest, NewPresetIsSelectedWithItsNameReadyToBeTypedOver) {
    Open();
    int before = ListCount();
    SendMessageA(Item(IDC_TABS), TCM_SETCURSEL, 2, 0);
    Click(Item(IDC_NEW));
    ASSERT_EQ(ListCount(), before + 1);
    EXPECT_EQ(ListSelection(), before);
    EXPECT_EQ(Current().CurrentPreset, before);
    EXPECT_EQ(CurrentPreset().Name, "New Preset");
    for (int state : CurrentPreset().m_anTypeStates)
        EXPECT_EQ(state, TypeOn);
    EXPECT_EQ(SendMessageA(Item(IDC_TABS), TCM_GETCURSEL, 0, 0), 0);
    EXPECT_TRUE(IsWindowVisible(Item(IDC_NAME)));
    EXPECT_EQ(GetFocus(), Item(IDC_NAME));

    // Typing replaces the whole name; the list line follows each keystroke.
    HWND name = Item(IDC_NAME);
    for (char c : std::string("Calm")) {
        SendMessageA(name, WM_CHAR, static_cast<unsigned char>(c), 1);
        PumpMessages();
    }
    EXPECT_EQ(CurrentPreset().Name, "Calm");
    EXPECT_EQ(ListLine(before), "Calm");
    EXPECT_EQ(ListSelection(), before);

    // An emptied name is an empty line, not a lost one.
    Type(name, "");
    SendMessageA(name, WM_CHAR, VK_BACK, 1);
    PumpMessages();
    EXPECT_EQ(CurrentPreset().Name, "");
    EXPECT_EQ(ListCount(), before + 1);
    EXPECT_EQ(ListLine(before), "");
}

TEST_F(ConfigDialogTest, DeleteAsksFirstAndSelectsTheSurvivor) {
    {
        // Few enough presets to delete them all but one.
        Settings stored(m_store);
        while (stored.m_apPresets.size() > 4)
            stored.DeletePreset(static_cast<int>(stored.m_apPresets.size()) - 1);
        stored.Save();
    }
    Open();
    int count = ListCount();
    ASSERT_EQ(count, 4);
    std::string second = ListLine(1);
    std::string third = ListLine(2);

    ClickRow(Item(IDC_PRESETS), 1);
    EXPECT_EQ(Current().CurrentPreset, 1);
    std::string question = Delete(IDNO);
    EXPECT_NE(question.find("Delete preset \"" + second + "\", sure about that?"),
              std::string::npos)
        << question;
    EXPECT_EQ(ListCount(), count);

    // Any but the first: the one above it is selected.
    ClickRow(Item(IDC_PRESETS), 2);
    Delete(IDYES);
    EXPECT_EQ(ListCount(), count - 1);
    EXPECT_EQ(ListSelection(), 1);
    EXPECT_EQ(CurrentPreset().Name, second);
    EXPECT_EQ(Text(Item(IDC_NAME)), second);

    // The first: index 0 stays, now the next preset.
    ClickRow(Item(IDC_PRESETS), 0);
    Delete(IDYES);
    EXPECT_EQ(ListSelection(), 0);
    EXPECT_EQ(CurrentPreset().Name, second);

    // Down to one, Delete is greyed; New brings it back.
    while (ListCount() > 1)
        Delete(IDYES);
    EXPECT_FALSE(IsWindowEnabled(Item(IDC_DELETE)));
    Click(Item(IDC_NEW));
    EXPECT_TRUE(IsWindowEnabled(Item(IDC_DELETE)));
}

TEST_F(ConfigDialogTest, CountSlidersPushEachOtherAndReachThePresetOnRelease) {
    Open();
    HWND initial = Item(IDC_INITIAL);
    HWND total = Item(IDC_TOTAL);
    Drag(total, 100, true);
    Drag(initial, 50, true);
    ASSERT_EQ(CurrentPreset().Worms, 100);
    ASSERT_EQ(CurrentPreset().InitialWorms, 50);

    // While dragging only the boxes move; the preset waits for the release.
    Drag(initial, 180, false);
    EXPECT_EQ(SliderPos(total), 180);
    EXPECT_EQ(Text(Item(IDC_TOTAL_VALUE)), "180");
    EXPECT_EQ(Text(Item(IDC_INITIAL_VALUE)), "180");
    EXPECT_EQ(CurrentPreset().Worms, 100);
    Drag(initial, 180, true);
    EXPECT_EQ(CurrentPreset().Worms, 180);
    EXPECT_EQ(CurrentPreset().InitialWorms, 180);

    // The total dragged below the initial count pulls it down.
    Drag(total, 20, true);
    EXPECT_EQ(SliderPos(initial), 20);
    EXPECT_EQ(CurrentPreset().Worms, 20);
    EXPECT_EQ(CurrentPreset().InitialWorms, 20);

    // The size takes effect on release only.
    HWND size = Item(IDC_WORM_SIZE);
    int before = CurrentPreset().WormSize;
    Drag(size, before == 3 ? 0 : 3, false);
    EXPECT_EQ(CurrentPreset().WormSize, before);
    Drag(size, before == 3 ? 0 : 3, true);
    EXPECT_EQ(CurrentPreset().WormSize, before == 3 ? 0 : 3);
}

TEST_F(ConfigDialogTest, StoredValuesOutsideTheSlidersAreClampedAsShown) {
    {
        Settings stored(m_store);
        stored.m_apPresets[0]->WormSize = 7;
        stored.m_apPresets[0]->Worms = 900;
        stored.m_apPresets[0]->InitialWorms = 0;
        stored.SelectPreset(0);
        stored.CPU = 5;
        stored.Save();
    }
    Open();
    EXPECT_EQ(SliderPos(Item(IDC_WORM_SIZE)), 3);
    EXPECT_EQ(CurrentPreset().WormSize, 3);
    EXPECT_EQ(SliderPos(Item(IDC_TOTAL)), 500);
    EXPECT_EQ(SliderPos(Item(IDC_INITIAL)), 1);
    // The counts are written back only by a finished slider move.
    EXPECT_EQ(CurrentPreset().Worms, 900);
    EXPECT_EQ(CurrentPreset().InitialWorms, 0);

    HWND panel = m_pDialog->PanelWindow();
    EXPECT_EQ(SliderPos(Control(panel, IDC_SPEED)), 10);
    EXPECT_EQ(Text(Control(panel, IDC_SPEED_VALUE)), "10%");
    EXPECT_EQ(Current().CPU, 10);
}

TEST_F(ConfigDialogTest, TypeRowsCycleOnClicksAndAllNoneSetEveryRow) {
    Open();
    ShowTab(1);
    HWND list = Item(IDC_TYPES);
    ASSERT_TRUE(IsWindowVisible(list));
    EXPECT_FALSE(IsWindowVisible(Item(IDC_NAME)));
    ASSERT_EQ(SendMessageA(list, LB_GETCOUNT, 0, 0), 15);
    char name[64] = "";
    SendMessageA(list, LB_GETTEXT, 13, reinterpret_cast<LPARAM>(name));
    EXPECT_STREQ(name, "Fireworks");

    Click(Item(IDC_ALL));
    for (int state : CurrentPreset().m_anTypeStates)
        EXPECT_EQ(state, TypeOn);
    const int expected[] = {TypeOff, TypeKeepOne, TypeOn};
    for (int state : expected) {
        ClickRow(list, 4);
        EXPECT_EQ(CurrentPreset().m_anTypeStates[4], state);
        EXPECT_EQ(SendMessageA(list, LB_GETSELCOUNT, 0, 0), 0);
    }
    Click(Item(IDC_NONE));
    for (int state : CurrentPreset().m_anTypeStates)
        EXPECT_EQ(state, TypeOff);

    // Another preset shows its own states.
    ClickRow(Item(IDC_PRESETS), 1);
    for (int i = 0; i < 15; ++i)
        EXPECT_EQ(SendMessageA(list, LB_GETITEMDATA, static_cast<WPARAM>(i), 0),
                  CurrentPreset().m_anTypeStates[i]);
}

TEST_F(ConfigDialogTest, OkWritesTheCycleChoiceAndParsableDelays) {
    {
        Settings stored(m_store);
        stored.Cycle = true;
        stored.CycleType = 1;
        stored.Delay = 30;
        stored.DelayRange = 10;
        stored.Save();
    }
    Open();
    HWND cycle = Item(IDC_CYCLE);
    SendMessageA(cycle, CB_SETCURSEL, 0, 0);
    SendMessageA(m_hDialog, WM_COMMAND, MAKEWPARAM(IDC_CYCLE, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(cycle));
    HWND panel = m_pDialog->PanelWindow();
    Type(Control(panel, IDC_DELAY), "5000000");
    Type(Control(panel, IDC_RANGE), "ten");
    Click(Item(IDOK));
    EXPECT_EQ(m_pDialog->m_hWnd, nullptr);

    Settings saved(m_store);
    EXPECT_FALSE(saved.Cycle);
    EXPECT_EQ(saved.CycleType, 1);
    EXPECT_EQ(saved.Delay, RenderThread::MaxDelaySeconds);
    EXPECT_EQ(saved.DelayRange, 10);
}

TEST_F(ConfigDialogTest, CancelWritesNothingThoughThePreviewShowedTheEdits) {
    {
        Settings stored(m_store);
        stored.Save();
    }
    std::string before = Stored();
    Open();
    Click(Item(IDC_NEW));
    Type(Item(IDC_NAME), "Gone");
    Drag(Item(IDC_TOTAL), 321, true);
    HWND panel = m_pDialog->PanelWindow();
    Drag(Control(panel, IDC_SPEED), 90, true);
    Click(Control(panel, IDC_FAST));
    Click(Item(IDCANCEL));
    EXPECT_EQ(m_pDialog->m_hWnd, nullptr);
    EXPECT_EQ(Stored(), before);
}

TEST_F(ConfigDialogTest, EnterInAPageIsTheDialogsOkAndEscapeItsCancel) {
    Open();
    MSG enter = {Item(IDC_NAME), WM_KEYDOWN, VK_RETURN, 1, 0, {0, 0}};
    SetFocus(Item(IDC_NAME));
    if (!Dialog::PreTranslateMessage(&enter))
        DispatchMessageA(&enter);
    PumpMessages();
    EXPECT_EQ(m_pDialog->m_hWnd, nullptr);
    EXPECT_TRUE(Settings(m_store).m_apPresets.size() > 0);
    EXPECT_NE(Stored().find("CurrentPreset"), std::string::npos);
}

TEST_F(ConfigDialogTest, TheMinimizedDialogsPreviewDrawsNothingUntilRestored) {
    Open();
    auto* preview = const_cast<LumenkiteWnd*>(m_pDialog->Preview());
    auto presents = [&] {
        auto lock = preview->LockRender();
        return preview->Presents();
    };
    auto drawsWithin = [&](DWORD ms) {
        const int before = presents();
        return WaitFor([&] { return presents() > before; }, ms);
    };
    ASSERT_TRUE(drawsWithin(5000));
    ShowWindow(m_hDialog, SW_MINIMIZE);
    SleepPumping(100);
    EXPECT_FALSE(drawsWithin(400));
    ShowWindow(m_hDialog, SW_RESTORE);
    EXPECT_TRUE(drawsWithin(3000));
}

TEST_F(ConfigDialogTest, FullScreenTwiceComesBackToTheSameDialog) {
    Open();
    RECT start = WindowRect(m_hDialog);
    HWND button = Item(IDC_FULLSCREEN);
    HWND panel = m_pDialog->PanelWindow();
    for (int round = 0; round < 2; ++round) {
        RECT newButton = WindowRect(button);
        Click(button);
        ASSERT_TRUE(m_pDialog->IsFullScreen());
        EXPECT_EQ(Text(button), "&Preview");
        const LumenkiteWnd* preview = m_pDialog->Preview();
        EXPECT_EQ(GetParent(preview->m_hWnd), nullptr);
        EXPECT_TRUE(GetWindowLongA(preview->m_hWnd, GWL_EXSTYLE) & WS_EX_TOPMOST);
        EXPECT_FALSE(preview->Renderer()->RestrictsParticles());
        EXPECT_TRUE(preview->NotifiesActivate());
        EXPECT_FALSE(IsWindowVisible(Item(IDC_PREVIEW_FRAME)));
        // The band above the buttons is gone; the remaining controls keep their screen places.
        RECT shrunk = WindowRect(m_hDialog);
        EXPECT_LT(shrunk.bottom - shrunk.top, start.bottom - start.top);
        EXPECT_EQ(WindowRect(button).top, newButton.top);
        EXPECT_TRUE(GetWindowLongA(m_hDialog, GWL_EXSTYLE) & WS_EX_TOPMOST);
        EXPECT_EQ(WindowRect(panel).bottom, shrunk.bottom);

        Click(button);
        ASSERT_FALSE(m_pDialog->IsFullScreen());
        EXPECT_EQ(Text(button), "&Fullscreen");
        EXPECT_EQ(GetParent(m_pDialog->Preview()->m_hWnd), Item(IDC_PREVIEW_FRAME));
        EXPECT_FALSE(m_pDialog->Preview()->NotifiesActivate());
        RECT back = WindowRect(m_hDialog);
        EXPECT_EQ(back.left, start.left);
        EXPECT_EQ(back.top, start.top);
        EXPECT_EQ(back.right, start.right);
        EXPECT_EQ(back.bottom, start.bottom);
        EXPECT_FALSE(GetWindowLongA(m_hDialog, GWL_EXSTYLE) & WS_EX_TOPMOST);
    }
}

TEST_F(ConfigDialogTest, AdvancedToggleShowsThePanelWhichFollowsTheDialog) {
    Open();
    HWND advanced = Item(IDC_ADVANCED);
    HWND panel = m_pDialog->PanelWindow();

    // A press released outside the button changes nothing.
    SendMessageA(advanced, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
    SendMessageA(advanced, WM_LBUTTONUP, 0, MAKELPARAM(-20, -20));
    PumpMessages();
    EXPECT_FALSE(IsWindowVisible(panel));

    Click(advanced);
    EXPECT_TRUE(IsWindowVisible(panel));
    SetWindowPos(m_hDialog, nullptr, 420, 150, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    PumpMessages();
    EXPECT_EQ(WindowRect(panel).right, WindowRect(m_hDialog).left);
    EXPECT_EQ(WindowRect(panel).bottom, WindowRect(m_hDialog).bottom);

    // The frame rate shows the render thread's report as an unsigned number.
    HWND fps = Control(panel, IDC_FPS);
    SendMessageA(m_hDialog, UM_FRAMERATE, 4000000000u, 0);
    EXPECT_EQ(Text(fps), "4000000000");

    // Enter and Escape inside the panel are nobody's OK or Cancel.
    SendMessageA(panel, WM_COMMAND, IDOK, 0);
    SendMessageA(panel, WM_COMMAND, IDCANCEL, 0);
    PumpMessages();
    EXPECT_TRUE(IsWindow(m_hDialog));
    EXPECT_TRUE(IsWindowVisible(panel));

    Click(advanced);
    EXPECT_FALSE(IsWindowVisible(panel));
}

TEST_F(ConfigDialogTest, PanelEditsReachTheSettingsAndThePreview) {
    Open();
    HWND panel = m_pDialog->PanelWindow();
    HWND speed = Control(panel, IDC_SPEED);
    Drag(speed, 35, false);
    EXPECT_EQ(Current().CPU, 35);
    EXPECT_EQ(Text(Control(panel, IDC_SPEED_VALUE)), "35%");

    // Double pixels restarts the engine at the other resolution, and back.
    const LumenkiteWnd* preview = m_pDialog->Preview();
    bool doubled = Current().DoublePixels;
    Click(Control(panel, IDC_DOUBLE));
    EXPECT_EQ(Current().DoublePixels, !doubled);
    EXPECT_NE(preview->Renderer()->Engine(), nullptr);
    Click(Control(panel, IDC_DOUBLE));
    EXPECT_EQ(Current().DoublePixels, doubled);

    bool fast = Current().FastSmoothing;
    Click(Control(panel, IDC_FAST));
    EXPECT_EQ(Current().FastSmoothing, !fast);

    EXPECT_TRUE(IsDlgButtonChecked(panel, IDC_ALL_MONITORS));
    Click(Control(panel, IDC_ALL_MONITORS));
    EXPECT_FALSE(Current().AllMonitors);

    // A bound checkbox on a page edits the current preset's flag, both ways.
    bool spawn = CurrentPreset().Spawn;
    Click(Item(IDC_SPAWN));
    EXPECT_EQ(CurrentPreset().Spawn, !spawn);
    Click(Item(IDC_SPAWN));
    EXPECT_EQ(CurrentPreset().Spawn, spawn);
    EXPECT_EQ(IsChecked(Item(IDC_SPAWN)), spawn);
}

} // namespace
