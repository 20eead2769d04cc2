#include <dlfcn.h>

#include <string>

#include <gmock/gmock.h>

#include "GSRoot/DebugLog.hpp"
#include "HeadlessHost/HeadlessHost.hpp"
#include "Host/AddOnLoading.hpp"
#include "RS/RS.hpp"

using ::testing::Contains;
using ::testing::EndsWith;
using ::testing::Not;

namespace {

const char* const ModulePath = ZM_ADDON_MODULE_PATH;

std::string Utf8(const char16_t* text) {
    return GS::UniString(text).ToUtf8();
}

// The module as a host sees it: loaded with dlopen, reached only through its exported functions.
class ModuleLoadingTest : public ::testing::Test {
protected:
    void SetUp() override {
        GS::ClearDebugLog();
        ASSERT_FALSE(IsStillLoaded()) << "an earlier test left the module loaded: its state would carry over";
        library = dlopen(ModulePath, RTLD_NOW | RTLD_LOCAL);
        ASSERT_NE(library, nullptr) << dlerror();
        getExported = reinterpret_cast<GetExportedFuncAddrsProc*>(dlsym(library, "GetExportedFuncAddrs"));
        setImported = reinterpret_cast<SetImportedFuncAddrsProc*>(dlsym(library, "SetImportedFuncAddrs"));
        getResources = reinterpret_cast<GetAddOnResourceDataProc*>(dlsym(library, "GetAddOnResourceData"));
        ASSERT_NE(getExported, nullptr);
        ASSERT_NE(setImported, nullptr);
        ASSERT_NE(getResources, nullptr);
        ASSERT_EQ(getExported(&exports), NoError);
    }

    void TearDown() override {
        Close();
        if (resModule != InvalidResModule)
            RS::UnregisterModule(resModule);
    }

    void Close() {
        if (library != nullptr)
            dlclose(library);
        library = nullptr;
    }

    bool IsStillLoaded() const {
        void* again = dlopen(ModulePath, RTLD_NOW | RTLD_NOLOAD);
        if (again != nullptr)
            dlclose(again);
        return again != nullptr;
    }

    // Opens the module's resources, as the host does before it hands over its operations.
    void HandOver() {
        const unsigned char* data = nullptr;
        UInt64 size = 0;
        ASSERT_EQ(getResources(&data, &size), NoError);
        std::string error;
        resModule = RS::RegisterModule(data, size, "Zarimark", &error);
        ASSERT_NE(resModule, InvalidResModule) << error;
        host.SetOwnResourceModule(resModule);
        ASSERT_EQ(setImported(&host, HostOperationCount, &hostToken), NoError);
    }

    Headless::HeadlessHost host;
    int hostToken = 0;
    void* library = nullptr;
    GetExportedFuncAddrsProc* getExported = nullptr;
    SetImportedFuncAddrsProc* setImported = nullptr;
    GetAddOnResourceDataProc* getResources = nullptr;
    AddOnExports exports;
    GSResModule resModule = InvalidResModule;
};

TEST_F(ModuleLoadingTest, ExportsTheEntryPointsAndVersions) {
    EXPECT_EQ(exports.interfaceVersion, 0x1B0001u);
    EXPECT_EQ(exports.hostVersion, 27000u);
    EXPECT_NE(exports.describeAddOn, nullptr);
    EXPECT_NE(exports.registerInterface, nullptr);
    EXPECT_NE(exports.initialize, nullptr);
    EXPECT_NE(exports.releaseAddOn, nullptr);
    // Nothing else leaks out, not even the entry points under their own names.
    EXPECT_EQ(dlsym(library, "_Z13DescribeAddOnP15API_EnvirParams"), nullptr);
    EXPECT_EQ(dlsym(library, "_ZN4Host14SetCurrentHostEP13HostInterface"), nullptr);
}

TEST_F(ModuleLoadingTest, AnswersNothingBeforeTheOperationTableArrived) {
    API_EnvirParams envir;

    EXPECT_EQ(exports.describeAddOn(&envir), APIAddon_Unknown);
    EXPECT_EQ(envir.addOnInfo.name[0], u'\0');
    EXPECT_EQ(envir.addOnInfo.description[0], u'\0');
    EXPECT_EQ(exports.registerInterface(), APIERR_GENERAL);
    EXPECT_EQ(exports.initialize(), APIERR_GENERAL);
    EXPECT_EQ(exports.releaseAddOn(), APIERR_GENERAL);
}

TEST_F(ModuleLoadingTest, DescribesItselfOnceTheTableArrived) {
    HandOver();
    API_EnvirParams envir;

    EXPECT_EQ(exports.describeAddOn(&envir), APIAddon_Normal);

    EXPECT_EQ(Utf8(envir.addOnInfo.name), "Zarimark");
    EXPECT_THAT(Utf8(envir.addOnInfo.description), EndsWith("\n\nVersion: 1.0.0"));
}

TEST_F(ModuleLoadingTest, ARefusedTableLeavesTheModuleUnstarted) {
    EXPECT_EQ(setImported(nullptr, HostOperationCount, &hostToken), APIERR_BADPARS);

    EXPECT_EQ(exports.registerInterface(), APIERR_GENERAL);
}

TEST_F(ModuleLoadingTest, ARegularLifecycleUnloadsQuietly) {
    HandOver();
    API_EnvirParams envir;
    ASSERT_EQ(exports.describeAddOn(&envir), APIAddon_Normal);
    ASSERT_EQ(exports.registerInterface(), NoError);
    ASSERT_EQ(exports.initialize(), NoError);
    ASSERT_EQ(host.GetMenus().size(), 3u);
    ASSERT_EQ(exports.releaseAddOn(), NoError);

    Close();

    EXPECT_FALSE(IsStillLoaded());
    EXPECT_THAT(GS::GetDebugLog(), Not(Contains(::testing::StartsWith("Abnormal add-on termination"))));
}

TEST_F(ModuleLoadingTest, UnloadingWithoutReleaseReportsTheModulePath) {
    HandOver();

    Close();

    EXPECT_FALSE(IsStillLoaded());
    EXPECT_THAT(GS::GetDebugLog(),
                Contains("Abnormal add-on termination (\"" + std::string(ModulePath) + "\")"));
}

} // namespace
