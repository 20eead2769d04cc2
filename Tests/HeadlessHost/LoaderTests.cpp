#include <gtest/gtest.h>

#include "GSRoot/DebugLog.hpp"
#include "HeadlessHost/HeadlessHost.hpp"
#include "RS/RS.hpp"

using namespace Headless;

TEST(AddOnLoader, ExplainsWhyAModuleDoesNotLoad) {
    HeadlessHost host;
    std::string error;
    EXPECT_FALSE(host.LoadAddOn("/no/such/module.so", &error));
    EXPECT_EQ(error.rfind("/no/such/module.so: ", 0), 0u);
    EXPECT_FALSE(host.LoadAddOn(ZM_PLATFORM_LIBRARY, &error));
    EXPECT_NE(error.find("missing symbol GetExportedFuncAddrs"), std::string::npos);
    EXPECT_FALSE(host.IsAddOnLoaded());
}

TEST(AddOnLoader, StartsAndReleasesTheModuleInOrder) {
    HeadlessHost host;
    GS::ClearDebugLog();
    std::string error;
    ASSERT_TRUE(host.LoadAddOn(ZM_TEST_ADDON_MODULE, &error)) << error;
    EXPECT_EQ(GS::GetDebugLog(),
              (std::vector<std::string>{"test: table 648 token\n", "test: DescribeAddOn\n",
                                        "test: RegisterInterface\n", "test: Initialize\n"}));
    EXPECT_EQ(host.GetAddOnDescription().name, "Test Add-On");
    EXPECT_EQ(host.GetAddOnDescription().addOnType, APIAddon_Normal);
    const GSResModule module = host.HostGetOwnResourceModule();
    EXPECT_TRUE(RS::IsModuleRegistered(module));
    ASSERT_EQ(host.GetMenus().size(), 1u);
    EXPECT_EQ(host.GetMenus()[0].itemText, "Create Zarimark");
    EXPECT_EQ(host.GetMenus()[0].flags, MenuFlag_SeparatorBefore);

    EXPECT_EQ(host.InvokeMenu(GS::UniString("Create Zarimark")), NoError);
    EXPECT_EQ(GS::GetDebugLog().back(), "test: menu 32501\n");
    EXPECT_FALSE(host.LoadAddOn(ZM_TEST_ADDON_MODULE, &error)); // one module at a time

    host.UnloadAddOn();
    EXPECT_EQ(GS::GetDebugLog().back(), "test: ReleaseAddOn\n");
    EXPECT_EQ(host.GetReleaseResult(), 7);
    EXPECT_EQ(host.HostGetOwnResourceModule(), InvalidResModule);
    EXPECT_FALSE(RS::IsModuleRegistered(module));
    EXPECT_TRUE(host.GetMenus().empty());
}
