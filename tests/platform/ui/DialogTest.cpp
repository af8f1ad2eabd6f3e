#include <gtest/gtest.h>

#include "platform/error/XVEX.h"
#include "platform/ui/Automation.h"
#include "platform/ui/Clipboard.h"
#include "platform/ui/FileDialog.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/TDC.h"
#include "platform/ui/TDialog.h"
#include "platform/ui/TPopupMenu.h"

namespace platform::ui {
namespace {

constexpr std::int32_t kThreshold = 104;
constexpr std::int32_t kPretrigger = 109;
constexpr std::int32_t kChannel = 1014;
constexpr std::int32_t kWhole = 1008;
constexpr std::int32_t kSelection = 1009;
constexpr std::int32_t kPositive = 1035;
constexpr std::int32_t kNegative = 1036;

DialogTemplate SettingsTemplate()
{
    DialogTemplate layout;
    layout.title = u"Settings";
    layout.size = {300, 200};
    layout.controls = {
        {kChannel, ControlKind::ComboBox, {}, {10, 10, 150, 30}},
        {kWhole, ControlKind::RadioButton, u"Whole channel", {10, 40, 150, 60}, true},
        {kSelection, ControlKind::RadioButton, u"Selection", {10, 60, 150, 80}},
        {kPositive, ControlKind::RadioButton, u"Positive", {160, 40, 290, 60}, true},
        {kNegative, ControlKind::RadioButton, u"Negative", {160, 60, 290, 80}},
        {kThreshold, ControlKind::NumericEdit, u"0", {10, 90, 150, 110}},
        {kPretrigger, ControlKind::NumericEdit, u"1", {10, 120, 150, 140}, false, 0.0, 100000.0},
        {IDOK, ControlKind::DefaultButton, u"OK", {100, 160, 180, 185}},
        {IDCANCEL, ControlKind::Button, u"Cancel", {190, 160, 270, 185}},
    };
    return layout;
}

class SettingsDialog : public TDialog {
public:
    SettingsDialog() : TDialog(nullptr, SettingsTemplate()) {}

    int selectionChanges = 0;

protected:
    void SetupWindow() override
    {
        TDialog::SetupWindow();
        AddItem(kChannel, u"Spikes", 0);
        AddItem(kChannel, u"Stimulus", 1);
        SetSelIndex(kChannel, 0);
        SetCheck(kWhole, true);
        SetCheck(kPositive, true);
    }
    void EvCommand(std::int32_t id, ControlNotify notify) override
    {
        if (id == kChannel && notify == ControlNotify::SelChange) {
            ++selectionChanges;
        }
        TDialog::EvCommand(id, notify);
    }
};

class AutomationTest : public ::testing::Test {
protected:
    void TearDown() override { automation::Reset(); }
};

TEST_F(AutomationTest, NumericEditsRefuseWhatIsNotANumberWithinRange)
{
    SettingsDialog dialog;
    dialog.Create();
    for (const char16_t* bad : {u"", u"abc", u"1e400", u"nan", u"-0.5", u"100001"}) {
        dialog.SetControlText(kPretrigger, bad);
        EXPECT_TRUE(dialog.NumberError(kPretrigger).has_value()) << VEX::String(bad).ToUtf8();
    }
    dialog.SetControlText(kPretrigger, u" 1.999 ");
    EXPECT_FALSE(dialog.NumberError(kPretrigger).has_value());
    EXPECT_EQ(dialog.GetNumber(kPretrigger), 1.999);
    dialog.SetControlText(kPretrigger, u"x");
    EXPECT_EQ(dialog.NumberError(kPretrigger)->ToUtf8(), "Please enter a number from 0 to 100000.");
    dialog.SetNumber(kThreshold, -0.05 / 0.001);
    EXPECT_EQ(dialog.GetControlText(kThreshold).ToUtf8(), "-50");
    dialog.SetNumber(kThreshold, -1.7976931348623157e308);
    EXPECT_EQ(dialog.GetNumber(kThreshold), -1.7976931348623157e308);
}

TEST_F(AutomationTest, DriverSetsControlsAndOkStaysOpenUntilTheValuesAreValid)
{
    automation::SetDialogDriver([](TDialog& dialog) {
        using namespace automation;
        ChooseItem(dialog, kChannel, 1);
        Click(dialog, kSelection);
        Click(dialog, kNegative);
        TypeText(dialog, kPretrigger, u"-3");
        Click(dialog, IDOK);
        EXPECT_TRUE(dialog.IsOpen());
        TypeText(dialog, kPretrigger, u"2.5");
        Click(dialog, IDOK);
    });
    SettingsDialog dialog;
    EXPECT_EQ(dialog.Execute(), IDOK);
    EXPECT_FALSE(dialog.IsOpen());
    EXPECT_EQ(dialog.GetSelIndex(kChannel), 1);
    EXPECT_EQ(dialog.GetItemData(kChannel, 1), 1);
    EXPECT_EQ(dialog.selectionChanges, 1);
    EXPECT_TRUE(dialog.IsChecked(kSelection));
    EXPECT_FALSE(dialog.IsChecked(kWhole));
    EXPECT_TRUE(dialog.IsChecked(kNegative));
    EXPECT_EQ(dialog.GetNumber(kPretrigger), 2.5);
    const auto shown = automation::ShownMessageBoxes();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text.ToUtf8(), "Please enter a number from 0 to 100000.");
}

TEST_F(AutomationTest, DialogLeftOpenOrCancelledReturnsCancel)
{
    automation::SetDialogDriver([](TDialog&) {});
    SettingsDialog left;
    EXPECT_EQ(left.Execute(), IDCANCEL);
    automation::SetDialogDriver([](TDialog& dialog) { automation::Click(dialog, IDCANCEL); });
    SettingsDialog cancelled;
    EXPECT_EQ(cancelled.Execute(), IDCANCEL);
    EXPECT_THROW(cancelled.IsChecked(4242), VEX::XVEX);
    EXPECT_THROW(cancelled.AddItem(kThreshold, u"x"), VEX::XVEX);
}

TEST_F(AutomationTest, EscapeCancelsAndDialogUnitsBecomePixels)
{
    const DialogTemplate layout{
        u"Unit Properties", {178, 193}, {{1012, ControlKind::ColourButton, u"", {8, 8, 48, 22}}}, true};
    TDialog dialog(nullptr, layout);
    EXPECT_EQ(dialog.GetClientRect(), TRect(0, 0, 178 * 6 / 4, 193 * 13 / 8));
    automation::SetDialogDriver([](TDialog& shown) {
        automation::SendKey(shown, VK_ESCAPE);
        EXPECT_FALSE(shown.IsOpen());
    });
    EXPECT_EQ(dialog.Execute(), IDCANCEL);
}

TEST_F(AutomationTest, ColourButtonsOfferTheirColoursThroughAMenu)
{
    class UnitDialog : public TDialog {
    public:
        UnitDialog()
            : TDialog(nullptr, {u"Unit Properties", {200, 100}, {{1012, ControlKind::ColourButton, u"", {8, 8, 48, 22}}}})
        {
        }
        int changes = 0;

    protected:
        void EvCommand(std::int32_t id, ControlNotify notify) override
        {
            changes += id == 1012 && notify == ControlNotify::ColourChange ? 1 : 0;
            TDialog::EvCommand(id, notify);
        }
    } dialog;
    std::size_t offered = 0;
    automation::SetMenuChooser([&offered](const TPopupMenu& menu, const TPoint&) {
        offered = menu.Items().size();
        return menu.Items()[9].id;
    });
    automation::Click(dialog, 1012);
    EXPECT_EQ(offered, 16u);
    EXPECT_EQ(dialog.GetColour(1012), RGB(255, 0, 0));
    automation::SetMenuChooser([](const TPopupMenu&, const TPoint&) { return 0u; });
    automation::Click(dialog, 1012);
    EXPECT_EQ(dialog.GetColour(1012), RGB(255, 0, 0));
    EXPECT_EQ(dialog.changes, 1);
    EXPECT_THROW(dialog.GetColour(IDOK), VEX::XVEX);
}

TEST_F(AutomationTest, MessageBoxesAnswerFromTheQueueThenTheDefault)
{
    automation::QueueMessageBoxAnswer(IDCANCEL);
    EXPECT_EQ(MessageBox(nullptr, u"Are you sure?", u"Nerolith", MB_OKCANCEL | MB_ICONEXCLAMATION), IDCANCEL);
    EXPECT_EQ(MessageBox(nullptr, u"Delete?", u"Nerolith", MB_YESNO), IDYES);
    automation::SetDefaultMessageBoxAnswer(IDNO);
    EXPECT_EQ(MessageBox(nullptr, u"Delete?", u"Nerolith", MB_YESNO), IDNO);
    const auto shown = automation::ShownMessageBoxes();
    ASSERT_EQ(shown.size(), 3u);
    EXPECT_EQ(shown[0].caption.ToUtf8(), "Nerolith");
    EXPECT_EQ(shown[0].type, MB_OKCANCEL | MB_ICONEXCLAMATION);
}

TEST_F(AutomationTest, PopupMenusReturnOnlyWhatAUserCouldChoose)
{
    TPopupMenu styles;
    styles.AppendItem(5, u"Dot");
    styles.AppendItem(1, u"Bar", true, true);
    TPopupMenu menu;
    menu.AppendItem(100, u"Assign to unit...");
    menu.AppendItem(101, u"No units defined", false);
    menu.AppendSeparator();
    menu.AppendPopup(u"Style", styles);
    EXPECT_EQ(menu.TrackPopupMenu({0, 0}), 0u);

    std::uint32_t answer = 0;
    automation::SetMenuChooser([&answer](const TPopupMenu&, const TPoint&) { return answer; });
    answer = 5;
    EXPECT_EQ(menu.TrackPopupMenu({0, 0}), 5u);
    answer = 101;
    EXPECT_EQ(menu.TrackPopupMenu({0, 0}), 0u);
    answer = 77;
    EXPECT_EQ(menu.TrackPopupMenu({0, 0}), 0u);
    EXPECT_EQ(automation::ShownMenuCount(), 4);
    ASSERT_NE(menu.FindItem(1), nullptr);
    EXPECT_TRUE(menu.FindItem(1)->checked);
}

TEST_F(AutomationTest, SaveDialogAddsTheDefaultExtension)
{
    const FileDialogOptions options{u"Export to NeuroExplorer", u"Nex Files (*.nex)|*.nex", u"nex", {}};
    EXPECT_FALSE(GetSaveFileName(nullptr, options).has_value());
    automation::QueueFileAnswer(VEX::String(u"/tmp/spikes"));
    automation::QueueFileAnswer(VEX::String(u"/tmp/spikes.dat"));
    automation::QueueFileAnswer(std::nullopt);
    EXPECT_EQ(GetSaveFileName(nullptr, options)->ToUtf8(), "/tmp/spikes.nex");
    EXPECT_EQ(GetSaveFileName(nullptr, options)->ToUtf8(), "/tmp/spikes.dat");
    EXPECT_FALSE(GetSaveFileName(nullptr, options).has_value());
    EXPECT_EQ(automation::ShownFileDialogs().size(), 4u);
    EXPECT_EQ(automation::ShownFileDialogs()[0].title.ToUtf8(), "Export to NeuroExplorer");

    // Only the name's own suffix counts, not a dot in a folder or a bare
    // trailing dot; opening a file takes the name as chosen.
    automation::QueueFileAnswer(VEX::String(u"/tmp/v1.2/spikes"));
    automation::QueueFileAnswer(VEX::String(u"/tmp/spikes."));
    automation::QueueFileAnswer(VEX::String(u"/tmp/spikes"));
    EXPECT_EQ(GetSaveFileName(nullptr, options)->ToUtf8(), "/tmp/v1.2/spikes.nex");
    EXPECT_EQ(GetSaveFileName(nullptr, options)->ToUtf8(), "/tmp/spikes..nex");
    EXPECT_EQ(GetOpenFileName(nullptr, options)->ToUtf8(), "/tmp/spikes");
}

TEST_F(AutomationTest, ClipboardHoldsPictureAndTextOrRefusesWhenUnavailable)
{
    ClipboardContent content;
    content.pictureSize = TSize(30, 20);
    content.picture = [](TDC& dc, const TRect& rect) { dc.FillRect(rect, TBrush(RGB(0, 128, 0))); };
    content.text = VEX::String(u"Bin\tCount\n0.01\t3");
    ASSERT_TRUE(CopyToClipboard(content));
    EXPECT_EQ(ReadClipboardText()->ToUtf8(), "Bin\tCount\n0.01\t3");
    const auto png = ReadClipboardPng();
    ASSERT_TRUE(png.has_value());
    EXPECT_EQ(TBitmap::FromPng(*png).CountPixels(RGB(0, 128, 0)), 600);
    EXPECT_NE(ReadClipboardSvg()->find("<svg"), std::string::npos);

    automation::SetClipboardAvailable(false);
    EXPECT_FALSE(CopyToClipboard(ClipboardContent{std::nullopt, {}, VEX::String(u"lost")}));
    automation::SetClipboardAvailable(true);
    EXPECT_EQ(ReadClipboardText()->ToUtf8(), "Bin\tCount\n0.01\t3");
}

} // namespace
} // namespace platform::ui
