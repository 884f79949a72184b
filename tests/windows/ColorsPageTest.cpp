// The Colors page in this process, driven as a user drives it: presses and drags on the picker and
// the stop editor, the Options menu's commands, the name and delete dialogs, the RGB/HSV buttons.

#include "DialogDriving.h"
#include "editor/ColorConversion.h"
#include "resource.h"
#include "saver/LumenkiteWnd.h"
#include "ui/ColorBox.h"
#include "ui/ColorPicker.h"
#include "ui/ColormapEditor.h"

#include <algorithm>
#include <string>

using namespace wintest;

namespace {

// A colormap whose middle stop is pure red, shown by the current preset.
constexpr const char* TestColormap = "Test:00000000:80FF0000:FFFFFFFF:";

class ColorsPageTest : public ConfigDialogTest {
protected:
    // Plants the test colormap as the current preset's and keeps `keep` colormaps before it.
    void Plant(size_t keep = 2) {
        Settings stored(m_store);
        while (stored.m_apColormaps.size() > keep)
            stored.DeleteColormap(static_cast<int>(stored.m_apColormaps.size()) - 1);
        auto colormap = std::make_unique<Colormap>();
        ASSERT_TRUE(colormap->Read(TestColormap));
        stored.m_pCurrentPreset->Colormap = stored.AddColormap(std::move(colormap));
        stored.Save();
    }
    void OpenColors() {
        Open();
        ShowTab(2);
        ASSERT_TRUE(IsWindowVisible(Item(IDC_PICKER)));
    }

    template <typename T> T& Control(int id) const {
        return *static_cast<T*>(Window::FromHandle(Item(id)));
    }
    ColorPicker& Picker() const { return Control<ColorPicker>(IDC_PICKER); }
    ColormapEditor& Editor() const { return Control<ColormapEditor>(IDC_EDITOR); }
    const Colormap& Shown() const { return *Current().GetColormap(CurrentPreset().Colormap); }
    std::string ShownText() const {
        std::string text;
        Shown().GetText(text);
        return text;
    }
    int Library() const { return static_cast<int>(Current().m_apColormaps.size()); }
    int ComboCount() const {
        return static_cast<int>(SendMessageA(Item(IDC_COLORMAP), CB_GETCOUNT, 0, 0));
    }
    int ComboSelection() const {
        return static_cast<int>(SendMessageA(Item(IDC_COLORMAP), CB_GETCURSEL, 0, 0));
    }
    // Runs an Options command, answering the dialog it opens.
    std::vector<std::string> Command(int id, const char* title, int answer,
                                     std::function<void(HWND)> prepare = {}) {
        MessageBoxAnswer box(title, answer, std::move(prepare));
        SendMessageA(GetParent(Item(IDC_COLORMAP)), WM_COMMAND, static_cast<WPARAM>(id), 0);
        EXPECT_TRUE(box.Answered()) << title;
        PumpMessages();
        return box.Texts();
    }
    // A press on the picker's slider row k at x, released at once.
    void PressSlider(int k, int x) {
        const Rect row = Picker().Model().ThumbRect(k, true);
        const int y = (row.top + row.bottom) / 2;
        SendMessageA(Item(IDC_PICKER), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
        SendMessageA(Item(IDC_PICKER), WM_LBUTTONUP, 0, MAKELPARAM(x, y));
        PumpMessages();
    }
    Point StopCentre(int stop) const {
        const Rect box = Editor().Model().StopRect(stop);
        return {(box.left + box.right) / 2, (box.top + box.bottom) / 2};
    }
    // The colours the preview's next frame is expanded with.
    std::vector<PaletteEntry> PreviewPalette() const {
        auto lock = const_cast<LumenkiteWnd*>(m_pDialog->Preview())->LockRender();
        const PaletteExpander* colours = m_pDialog->Preview()->Colours();
        if (!colours)
            return {};
        std::vector<PaletteEntry> table(256);
        for (int i = 0; i < 256; ++i) {
            const uint32_t pixel = colours->Pixel(static_cast<uint8_t>(i));
            table[static_cast<size_t>(i)] = {static_cast<uint8_t>(pixel),
                                             static_cast<uint8_t>(pixel >> 8),
                                             static_cast<uint8_t>(pixel >> 16), 0};
        }
        return table;
    }
    std::vector<PaletteEntry> ShownPalette() const {
        std::vector<PaletteEntry> table(256);
        Shown().FillColorTable(table.data());
        return table;
    }
    std::vector<uint32_t> StripPixels() const {
        RECT r;
        GetClientRect(Item(IDC_STRIP), &r);
        POINT origin = {0, 0};
        ClientToScreen(Item(IDC_STRIP), &origin);
        UpdateWindow(Item(IDC_STRIP));
        return CaptureScreen(origin.x, origin.y, r.right, r.bottom);
    }
};

TEST_F(ColorsPageTest, APickedColourChangesTheStopTheStripTheBoxAndThePreviewAtOnce) {
    Plant();
    OpenColors();
    EXPECT_EQ(ComboSelection(), Library() - 1);
    EXPECT_EQ(PreviewPalette(), ShownPalette());
    const std::vector<uint32_t> before = StripPixels();

    // RGB mode: the first row is red; half way along gives about half red on the black stop 0.
    ASSERT_TRUE(Picker().Model().m_bRGB);
    const int x = 14 + Picker().Model().m_nSliderWidth / 2;
    PressSlider(0, x);
    const int red = 255 * (x - 14) / Picker().Model().m_nSliderWidth;
    EXPECT_EQ(Shown().m_aStops[0].colour, (ColorTriple{0, 0, static_cast<uint8_t>(red)}));
    EXPECT_EQ(Control<ColorBox>(IDC_COLORBOX).Color(), static_cast<COLORREF>(red));
    EXPECT_EQ(PreviewPalette(), ShownPalette());
    EXPECT_GT(CountDifferent(before, StripPixels()), 0u);
    // The page only wrote the colour: the picker still holds what the user set.
    EXPECT_EQ(Picker().Model().m_nRed, red);
    EXPECT_EQ(Picker().Model().m_nActiveSlider, -1);
}

TEST_F(ColorsPageTest, SelectingAStopMovesThePickerToItAndAPickedHueStaysAsPicked) {
    Plant();
    OpenColors();
    HWND editor = Item(IDC_EDITOR);
    const Point red = StopCentre(1);
    Click(editor, red.x, red.y);
    EXPECT_EQ(Editor().SelectedStop(), 1);
    EXPECT_EQ(Picker().Model().m_nRed, 255);
    EXPECT_EQ(Picker().Model().m_nHue, 0);
    EXPECT_EQ(Control<ColorBox>(IDC_COLORBOX).Color(), RGB(255, 0, 0));

    // In HSV mode pick a hue that the stored colour cannot give back exactly (hue 30 at full
    // saturation and value stores (255, 127, 0), which reads back as 29): had the page set the
    // picker again from the stop after the pick, it would show the step it lost.
    Click(Item(IDC_HSV));
    const int width = Picker().Model().m_nSliderWidth;
    int x = 15, hue = 0;
    for (;; ++x) {
        ASSERT_LT(x, 14 + width) << "no hue on this bar loses a step";
        hue = 359 * (x - 14) / width;
        if (hue > 0 && RgbToHsv(HsvToRgb({hue, 255, 255})).hue != hue)
            break;
    }
    PressSlider(0, x);
    ASSERT_EQ(Picker().Model().m_nHue, hue);
    const RgbColor stored = HsvToRgb({hue, 255, 255});
    EXPECT_EQ(Shown().m_aStops[1].colour,
              (ColorTriple{static_cast<uint8_t>(stored.blue), static_cast<uint8_t>(stored.green),
                           static_cast<uint8_t>(stored.red)}));

    // A drag starts with a press, which selects the stop again and so shows its stored colour;
    // the moves that follow re-sort the stops and keep the selection on the dragged one.
    SendMessageA(editor, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(red.x, red.y));
    SendMessageA(editor, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(red.x - 40, red.y));
    SendMessageA(editor, WM_LBUTTONUP, 0, MAKELPARAM(red.x - 40, red.y));
    PumpMessages();
    EXPECT_LT(Shown().m_aStops[1].position, 0x80);
    EXPECT_EQ(Editor().SelectedStop(), 1);
    EXPECT_EQ(Picker().Model().m_nHue, RgbToHsv(stored).hue);
    EXPECT_EQ(PreviewPalette(), ShownPalette());
}

TEST_F(ColorsPageTest, KeysPickColoursAndSelectMoveAddAndRemoveStops) {
    Plant();
    OpenColors();
    HWND picker = Item(IDC_PICKER), editor = Item(IDC_EDITOR);
    auto press = [](HWND w, WPARAM key, bool shift = false) {
        BYTE keys[256];
        GetKeyboardState(keys);
        keys[VK_SHIFT] = shift ? 0x80 : 0;
        SetKeyboardState(keys);
        EXPECT_NE(SendMessageA(w, WM_GETDLGCODE, key, 0) & DLGC_WANTARROWS, 0);
        SendMessageA(w, WM_KEYDOWN, key, 0);
        keys[VK_SHIFT] = 0;
        SetKeyboardState(keys);
        PumpMessages();
    };
    // Right on the red slider raises red alone; Down goes on to green.
    ASSERT_TRUE(Picker().Model().m_bRGB);
    press(picker, VK_RIGHT);
    const ColorTriple raised = Shown().m_aStops[0].colour;
    EXPECT_GT(raised.red, 0);
    EXPECT_EQ(raised.green, 0);
    press(picker, VK_DOWN);
    press(picker, VK_RIGHT);
    EXPECT_EQ(Shown().m_aStops[0].colour.red, raised.red);
    EXPECT_GT(Shown().m_aStops[0].colour.green, 0);

    // Right selects the red stop and shows it; Shift+Right moves it one position.
    press(editor, VK_RIGHT);
    EXPECT_EQ(Editor().SelectedStop(), 1);
    EXPECT_EQ(Picker().Model().m_nRed, 255);
    press(editor, VK_RIGHT, true);
    EXPECT_EQ(Shown().m_aStops[1].position, 0x81);
    press(editor, VK_INSERT);
    EXPECT_EQ(Shown().m_aStops.size(), 4u);
    EXPECT_EQ(Editor().SelectedStop(), 2);
    press(editor, VK_DELETE);
    ASSERT_EQ(Shown().m_aStops.size(), 3u);
    EXPECT_EQ(Shown().m_aStops[1].position, 0x81);
    EXPECT_EQ(PreviewPalette(), ShownPalette());
}

TEST_F(ColorsPageTest, NewRefusesUnstorableNamesCancelChangesNothingCreateAppendsAndSelects) {
    Plant();
    OpenColors();
    const int library = Library();
    const int colormap = CurrentPreset().Colormap;
    Command(ID_COLORMAP_NEW, "Create new colormap", IDCANCEL);
    EXPECT_EQ(Library(), library);
    EXPECT_EQ(CurrentPreset().Colormap, colormap);
    EXPECT_EQ(ComboCount(), library);

    struct Seen {
        std::string name, problem;
        bool okEnabled;
    };
    std::vector<Seen> seen;
    std::string buttonText;
    auto typeNames = [&](HWND box) {
        buttonText = Text(GetDlgItem(box, IDOK));
        for (const char* name : {"", "Ice: cold", "Frost"}) {
            SendMessageA(GetDlgItem(box, IDC_COLORMAP_NAME), WM_SETTEXT, 0,
                         reinterpret_cast<LPARAM>(name));
            seen.push_back({name, Text(GetDlgItem(box, IDC_NAME_PROBLEM)),
                            IsWindowEnabled(GetDlgItem(box, IDOK)) != FALSE});
        }
    };
    Command(ID_COLORMAP_NEW, "Create new colormap", IDOK, typeNames);
    EXPECT_EQ(buttonText, "&Create");
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_FALSE(seen[0].okEnabled);
    EXPECT_FALSE(seen[0].problem.empty());
    EXPECT_FALSE(seen[1].okEnabled);
    EXPECT_NE(seen[1].problem.find(':'), std::string::npos);
    EXPECT_TRUE(seen[2].okEnabled);
    EXPECT_EQ(seen[2].problem, "");

    ASSERT_EQ(Library(), library + 1);
    EXPECT_EQ(CurrentPreset().Colormap, library);
    EXPECT_EQ(ComboSelection(), library);
    EXPECT_EQ(ComboCount(), library + 1);
    EXPECT_EQ(ShownText(), "Frost:00000000:FFFFFFFF:");
    EXPECT_EQ(PreviewPalette(), ShownPalette());
}

TEST_F(ColorsPageTest, DuplicateOffersTheSameNameAndMakesAnIndependentCopy) {
    Plant();
    OpenColors();
    std::string offered;
    Command(ID_COLORMAP_DUPLICATE, "Create duplicate colormap", IDOK,
            [&](HWND box) { offered = Text(GetDlgItem(box, IDC_COLORMAP_NAME)); });
    EXPECT_EQ(offered, "Test");
    const int copy = CurrentPreset().Colormap;
    ASSERT_EQ(copy, Library() - 1);
    EXPECT_EQ(ShownText(), TestColormap);

    PressSlider(1, 14 + Picker().Model().m_nSliderWidth);
    EXPECT_EQ(ShownText(), "Test:0000FF00:80FF0000:FFFFFFFF:");
    std::string source;
    Current().GetColormap(copy - 1)->GetText(source);
    EXPECT_EQ(source, TestColormap);
}

TEST_F(ColorsPageTest, RenameKeepsTheChoiceAndDeleteFallsBackToColormapZeroAndGreysAtOne) {
    Plant(1);
    OpenColors();
    ASSERT_EQ(Library(), 2);
    Command(ID_COLORMAP_RENAME, "Rename colormap", IDOK, [](HWND box) {
        SendMessageA(GetDlgItem(box, IDC_COLORMAP_NAME), WM_SETTEXT, 0,
                     reinterpret_cast<LPARAM>("Renamed"));
    });
    EXPECT_EQ(Shown().m_strName, "Renamed");
    EXPECT_EQ(ComboSelection(), 1);
    char line[64] = "";
    SendMessageA(Item(IDC_COLORMAP), CB_GETLBTEXT, 1, reinterpret_cast<LPARAM>(line));
    EXPECT_STREQ(line, "Renamed");

    // The Options menu as it opens: read from another thread while its loop holds this one.
    auto deleteGreyed = [&] {
        std::atomic<int> state{-1};
        std::thread reader([&] {
            for (int i = 0; i < 250; ++i) {
                HWND menu = FindWindowA("#32768", nullptr);
                if (menu && IsWindowVisible(menu)) {
                    auto hmenu = reinterpret_cast<HMENU>(SendMessageA(menu, MN_GETHMENU, 0, 0));
                    state = static_cast<int>(GetMenuState(hmenu, ID_COLORMAP_DELETE, MF_BYCOMMAND) &
                                             MF_GRAYED);
                    PostMessageA(menu, WM_KEYDOWN, VK_ESCAPE, 0);
                    return;
                }
                Sleep(20);
            }
        });
        SendMessageA(Item(IDC_OPTIONS), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
        SendMessageA(Item(IDC_OPTIONS), WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
        reader.join();
        PumpMessages();
        EXPECT_NE(state, -1) << "the menu did not open";
        return state > 0;
    };
    EXPECT_FALSE(deleteGreyed());

    std::vector<std::string> texts = Command(ID_COLORMAP_DELETE, "Really Delete?", IDCANCEL);
    EXPECT_NE(std::find(texts.begin(), texts.end(), "Renamed"), texts.end());
    EXPECT_EQ(Library(), 2);
    Command(ID_COLORMAP_DELETE, "Really Delete?", IDOK);
    EXPECT_EQ(Library(), 1);
    EXPECT_EQ(CurrentPreset().Colormap, 0);
    EXPECT_EQ(ComboSelection(), 0);
    EXPECT_EQ(ComboCount(), 1);
    EXPECT_EQ(PreviewPalette(), ShownPalette());
    EXPECT_TRUE(deleteGreyed());
    // Even sent without the menu, the last colormap stays.
    SendMessageA(GetParent(Item(IDC_COLORMAP)), WM_COMMAND, ID_COLORMAP_DELETE, 0);
    EXPECT_EQ(Library(), 1);
}

TEST_F(ColorsPageTest, TheHsvChoiceIsStoredByOkAndOpensThePickerInHsvNextTime) {
    Open();
    ShowTab(2);
    Click(Item(IDC_HSV));
    EXPECT_FALSE(Picker().Model().m_bRGB);
    Click(Item(IDOK));
    m_pDialog.reset();
    EXPECT_FALSE(Settings(m_store).RGB);
    Open();
    EXPECT_FALSE(Picker().Model().m_bRGB);
    EXPECT_TRUE(IsChecked(Item(IDC_HSV)));
    EXPECT_FALSE(IsChecked(Item(IDC_RGB)));
}

} // namespace
