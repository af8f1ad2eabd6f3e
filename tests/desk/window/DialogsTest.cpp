#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QtTest>

#include "DemoUnit.h"
#include "MenuDriver.h"
#include "desk/window/MainWindow.h"
#include "desk/window/ViewArea.h"
#include "platform/ui/Automation.h"
#include "platform/ui/Controls.h"
#include "platform/ui/TDialog.h"
#include "platform/ui/TPopupMenu.h"
#include "platform/ui/qt/QtBridge.h"

namespace {

namespace automation = platform::ui::automation;

// The module's dialogs' control ids, as it lays them out.
constexpr std::int32_t kThresholdEdit = 104;
constexpr std::int32_t kUnitList = 1001;
constexpr std::int32_t kInstantaneousFrequency = 1003;
constexpr std::int32_t kBinSizeEdit = 1101;

using MenuDriver::Choose;
using MenuDriver::ItemOf;

QMenu* ChannelSubmenu(Desk::MainWindow& window, int channel)
{
    QAction* item = ItemOf(window.FindMenu("Channel"), QString("%1:").arg(channel));
    return item != nullptr ? item->menu() : nullptr;
}

double Threshold(Desk::MainWindow& window)
{
    Host::ChannelAnalysisRecord record;
    window.CurrentSession()->Analysis().GetChannelRecord(0, &record);
    return record.detectionThreshold;
}

QString Expression(Desk::MainWindow& window, int channel)
{
    VEX::String text;
    window.CurrentSession()->Host().Engine().ChannelCalculations()->Expression(channel, &text);
    return QString::fromStdU16String(text.Str());
}

// Runs `drive` on each dialog that opens, after checking that it belongs
// to `window`.
void DriveDialogs(Desk::MainWindow& window, std::function<void(platform::ui::TDialog&)> drive)
{
    automation::SetDialogDriver([&window, drive](platform::ui::TDialog& dialog) {
        QWidget* widget = platform::ui::qt::NativeWidget(dialog);
        QVERIFY(widget != nullptr);
        QCOMPARE(widget->parentWidget(), &window);
        QVERIFY(widget->isWindow());
        drive(dialog);
    });
}

} // namespace

class DialogsTest : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { automation::Reset(); }

    // The settings dialog from the module's menu: OK keeps the threshold
    // typed, Cancel keeps what was there.
    void settingsDialogChangesTheRecordOnOkOnly()
    {
        Desk::MainWindow window;
        QVERIFY(window.Open("demo"));
        QCOMPARE(platform::ui::qt::OwnerWidget(nullptr), &window);
        const double before = Threshold(window);
        DriveDialogs(window, [](platform::ui::TDialog& dialog) {
            QCOMPARE(QString::fromStdU16String(dialog.GetCaption().Str()), QString("Nerolith Settings"));
            automation::TypeText(dialog, kThresholdEdit, u"0.25");
            automation::Click(dialog, platform::ui::IDOK);
        });
        QVERIFY(Choose(window.FindMenu("Nerolith"), "Settings..."));
        const double changed = Threshold(window);
        QVERIFY(changed != before);

        DriveDialogs(window, [](platform::ui::TDialog& dialog) {
            QCOMPARE(QString::fromStdU16String(dialog.GetControlText(kThresholdEdit).Str()), QString("0.25"));
            automation::TypeText(dialog, kThresholdEdit, u"0.5");
            automation::Click(dialog, platform::ui::IDCANCEL);
        });
        QVERIFY(Choose(window.FindMenu("Nerolith"), "Settings..."));
        QCOMPARE(Threshold(window), changed);
    }

    // A view's dialog, reached through its tool row inside its sub-window,
    // belongs to the main window too.
    void viewDialogsOpenOverTheMainWindow()
    {
        Desk::MainWindow window;
        window.resize(1200, 800);
        window.show();
        QVERIFY(window.Open("demo"));
        QVERIFY(AddDemoUnitA(window.CurrentSession()->Analysis()));
        window.Analyze();
        window.OpenView(Host::ViewKind::InterspikeInterval);
        automation::SetMenuChooser([](const platform::ui::TPopupMenu& menu, const platform::ui::TPoint&) {
            for (const platform::ui::MenuItem& item : menu.Items()) {
                if (item.text == VEX::String(u"Set Bin Size...")) {
                    return item.id;
                }
            }
            return std::uint32_t{0};
        });
        bool shown = false;
        automation::SetDialogDriver([&window, &shown](platform::ui::TDialog& dialog) {
            QWidget* widget = platform::ui::qt::NativeWidget(dialog);
            QVERIFY(widget != nullptr && widget->isWindow());
            QCOMPARE(widget->parentWidget()->window(), &window);
            automation::TypeText(dialog, kBinSizeEdit, u"0.02");
            automation::Click(dialog, platform::ui::IDOK);
            shown = true;
        });
        QPushButton* binSize = nullptr;
        for (QPushButton* button : window.Views().findChildren<QPushButton*>()) {
            if (button->text().endsWith(" s") && button->isVisible()) {
                binSize = button;
            }
        }
        QVERIFY(binSize != nullptr);
        QTest::mouseClick(binSize, Qt::LeftButton);
        QVERIFY(shown);
        VEX::String text;
        window.CurrentSession()->Analysis().GetViewSetting(Host::ViewKind::InterspikeInterval, u"bin-size", &text);
        QCOMPARE(QString::fromStdU16String(text.Str()).toDouble(), 0.02);
    }

    // A spike channel calculation set, edited and taken off through the
    // Channel menu, in the module's own dialog.
    void channelCalculationFromTheChannelMenu()
    {
        Desk::MainWindow window;
        QStringList errors;
        window.SetErrorReporter([&errors](const QString& message) { errors << message; });
        QVERIFY(window.Open("demo"));
        QVERIFY(AddDemoUnitA(window.CurrentSession()->Analysis()));
        window.Analyze();

        QMenu* stimulus = ChannelSubmenu(window, 2);
        QVERIFY(stimulus != nullptr);
        QVERIFY(!ItemOf(stimulus, "Calculation settings...")->isEnabled());
        DriveDialogs(window, [](platform::ui::TDialog& dialog) {
            automation::ChooseItem(dialog, kUnitList, 0);
            automation::Click(dialog, platform::ui::IDOK);
        });
        QVERIFY(Choose(stimulus, "Set Nerolith Spike Channel"));
        const QString spikes = Expression(window, 1);
        QVERIFY(spikes.startsWith("eventinterp("));

        // Cancel changes nothing; OK with the other mode changes the channel.
        DriveDialogs(window, [](platform::ui::TDialog& dialog) {
            automation::Click(dialog, kInstantaneousFrequency);
            automation::Click(dialog, platform::ui::IDCANCEL);
        });
        QVERIFY(Choose(stimulus, "Calculation settings..."));
        QCOMPARE(Expression(window, 1), spikes);
        DriveDialogs(window, [](platform::ui::TDialog& dialog) {
            automation::Click(dialog, kInstantaneousFrequency);
            automation::Click(dialog, platform::ui::IDOK);
        });
        QVERIFY(Choose(stimulus, "Calculation settings..."));
        QVERIFY(Expression(window, 1) != spikes);
        QVERIFY(!Expression(window, 1).isEmpty());

        QVERIFY(Choose(stimulus, "Remove calculation"));
        QVERIFY(Expression(window, 1).isEmpty());

        // The analysed channel refuses it, and the user is told why before
        // any dialog.
        DriveDialogs(window, [](platform::ui::TDialog&) { QFAIL("no dialog for a refused channel"); });
        QVERIFY(Choose(ChannelSubmenu(window, 1), "Set Nerolith Spike Channel"));
        QVERIFY(Expression(window, 0).isEmpty());
        QCOMPARE(errors.size(), 1);
        QVERIFY(errors.front().contains("analysis channel"));
    }

    // A document keeps the spike channel calculation with its settings; one
    // taken off is not kept.
    void channelCalculationIsKeptWithTheDocument()
    {
        const QTemporaryDir folder;
        const QString path = folder.filePath("calculation.nrl");
        Desk::MainWindow window;
        QStringList errors;
        window.SetErrorReporter([&errors](const QString& message) { errors << message; });
        QVERIFY(window.Open("demo"));
        QVERIFY(AddDemoUnitA(window.CurrentSession()->Analysis()));
        window.Analyze();
        DriveDialogs(window, [](platform::ui::TDialog& dialog) {
            automation::ChooseItem(dialog, kUnitList, 0);
            automation::Click(dialog, kInstantaneousFrequency);
            automation::Click(dialog, platform::ui::IDOK);
        });
        QVERIFY(Choose(ChannelSubmenu(window, 2), "Set Nerolith Spike Channel"));
        const QString frequency = Expression(window, 1);
        QVERIFY(!frequency.isEmpty());
        QVERIFY(window.SaveTo(path));
        window.CloseDocument();

        QVERIFY(window.Open(path));
        QCOMPARE(Expression(window, 1), frequency);
        QVERIFY(ItemOf(ChannelSubmenu(window, 2), "Calculation settings...")->isEnabled());

        QVERIFY(Choose(ChannelSubmenu(window, 2), "Remove calculation"));
        QVERIFY(window.SaveTo(path));
        window.CloseDocument();
        QVERIFY(window.Open(path));
        QVERIFY(Expression(window, 1).isEmpty());
        QCOMPARE(errors, QStringList());
    }
};

int RunDialogsTests(int argc, char** argv)
{
    DialogsTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "DialogsTest.moc"
