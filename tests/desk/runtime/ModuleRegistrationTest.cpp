#include <cstdlib>

#include <gtest/gtest.h>

#include "desk/runtime/ModuleLoader.h"
#include "desk/runtime/Session.h"
#include "host/IDataSheetFunction.h"

using namespace Desk;

// Loads the built module the way the host does and checks what it registered
// and in which order: the class object list from head to tail, then the
// document, view and drawing classes, then the automation actions.
TEST(ModuleRegistration, TheModuleExportsOneEntryThatRegistersItsClassesAndActions)
{
    const ClassRegistry& registry = ModuleLoader::Load();
    ASSERT_EQ(registry.Actions().size(), 2u);
    EXPECT_EQ(registry.Actions()[0].name, VEX::String(u"NL_Analyze"));
    EXPECT_EQ(registry.Actions()[0].category, VEX::String(u"Nerolith"));
    EXPECT_EQ(registry.Actions()[0].description, VEX::String(u"Analyze channel or selection"));
    EXPECT_EQ(registry.Actions()[1].name, VEX::String(u"NL_ClearAnalysis"));
    EXPECT_EQ(registry.Actions()[1].description, VEX::String(u"Clears analysis of channel or selection"));

    // Once a role has appeared, only later roles follow: the list's classes
    // (Data Sheet functions, calculations) come before the numbered classes.
    auto rank = [](Host::ClassRole role) {
        switch (role) {
        case Host::ClassRole::DataSheetFunction:
        case Host::ClassRole::CalcFunction:
        case Host::ClassRole::ChannelCalculation:
            return 0;
        default:
            return 1;
        }
    };
    int highest = 0;
    for (const auto& entry : registry.Classes()) {
        EXPECT_GE(rank(entry.registration.role), highest) << entry.registration.displayName.ToUtf8();
        highest = std::max(highest, rank(entry.registration.role));
    }
    EXPECT_EQ(&ModuleLoader::Load(), &registry) << "the module is loaded and registered once";
}

// The Data Sheet functions join the class list as they are made, newest at
// the head, so the list registers them from the last index to the first;
// the numbered classes follow in their table's order.
TEST(ModuleRegistration, ClassesArriveInTheirFixedOrder)
{
    const auto& classes = ModuleLoader::Load().Classes();
    ASSERT_GE(classes.size(), 87u);
    const auto nameOf = [](const ClassRegistry::Entry& entry) {
        VEX::String name = entry.registration.displayName;
        if (const auto function = entry.object.As<IDataSheetFunctionClass>()) {
            function->Name(&name);
        }
        return name.ToUtf8();
    };
    // The unit quality functions came last, so they are registered first.
    EXPECT_EQ(nameOf(classes[0]), "Quality: Presence");
    EXPECT_EQ(nameOf(classes[6]), "Quality: Refractory Violations");
    EXPECT_EQ(nameOf(classes[7]), "CCH: Bin with Minimum");
    EXPECT_EQ(nameOf(classes[85]), "Selected Unit");
    EXPECT_EQ(nameOf(classes[86]), "Channel");
    std::vector<std::string> numbered;
    for (std::size_t i = 87; i < classes.size(); ++i) {
        const Host::ClassRole role = classes[i].registration.role;
        if (role == Host::ClassRole::Document || role == Host::ClassRole::View || role == Host::ClassRole::EventDraw) {
            numbered.push_back(nameOf(classes[i]));
        }
    }
    EXPECT_EQ(numbered, (std::vector<std::string>{"Nerolith View Document", "Autocorrelation Histogram View",
                                                  "Cross-correlation Histogram View", "Nerolith Discriminator View",
                                                  "Interspike Interval Histogram View", "Amplitude Histogram View",
                                                  "Rate Meter View", "Peristimulus Time Histogram View", ""}));
    EXPECT_EQ(classes.back().registration.role, Host::ClassRole::EventDraw);
}

TEST(ModuleRegistration, AMissingModuleIsAClearError)
{
    try {
        ModuleLoader::Load("/nonexistent/libnerolith.so");
        FAIL() << "expected an error";
    } catch (const ModuleError& error) {
        EXPECT_NE(std::string(error.what()).find("/nonexistent/libnerolith.so"), std::string::npos);
    }
}

// At exit the loader drops what a module registered before the module's
// statics are destroyed; the stand-in module exits with 42 otherwise.
TEST(ModuleRegistration, ReleasesTheClassObjectsBeforeTheModuleStaticsAtExit)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            ModuleLoader::Load(NEROLITH_EXIT_ORDER_MODULE);
            std::exit(0);
        },
        testing::ExitedWithCode(0), "");
}

// The automation actions send the same requests as the menu commands.
TEST(ModuleRegistration, TheAnalyzeAndClearActionsRunOnADocument)
{
    const auto session = Session::OpenRecording("demo", MakeCom<HostServices>(nullptr));
    const ClassRegistry& registry = ModuleLoader::Load();
    const ClassRegistry::Action* analyze = registry.FindAction(u"NL_Analyze");
    const ClassRegistry::Action* clear = registry.FindAction(u"NL_ClearAnalysis");
    ASSERT_TRUE(analyze && clear);
    ASSERT_EQ(analyze->action->Run(session->ModuleDocument().Get()), S_OK);
    EXPECT_EQ(session->Analysis().SpikeCount(), 0) << "the request waits for the host's message loop";
    session->DeliverMessages();
    EXPECT_GT(session->Analysis().SpikeCount(), 2000);
    ASSERT_EQ(clear->action->Run(session->ModuleDocument().Get()), S_OK);
    session->DeliverMessages();
    EXPECT_EQ(session->Analysis().SpikeCount(), 0);
    EXPECT_EQ(analyze->action->Run(nullptr), E_POINTER);
}
