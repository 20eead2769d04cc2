#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include <unistd.h>

#include "FakeAddOn.hpp"

using namespace Headless;

namespace {

class ProfileFolder {
public:
    ProfileFolder() {
        char pattern[] = "/tmp/zm-host-profile-XXXXXX";
        path_ = mkdtemp(pattern);
    }
    ~ProfileFolder() {
        std::remove(File().c_str());
        rmdir(path_.c_str());
    }
    const std::string& Path() const { return path_; }
    std::string File() const { return path_ + "/addon-preferences.json"; }
    std::string Read() const {
        std::ifstream file(File());
        std::stringstream content;
        content << file.rdbuf();
        return content.str();
    }

private:
    std::string path_;
};

struct Block {
    Int32 mark = 1;
    bool show = true;
    char padding[3] = {};
};

} // namespace

TEST_F(HostTest, PreferencesPersistPerProfileWithTheWritersSign) {
    ProfileFolder folder;
    ASSERT_TRUE(host.SetProfileFolder(folder.Path()));
    Int32 version = -1;
    GSSize size = -1;
    ASSERT_EQ(host.HostGetPreferences(&version, &size, nullptr, nullptr), NoError);
    EXPECT_EQ(version, 0); // nothing stored yet
    EXPECT_EQ(size, 0);

    Block written;
    written.show = false;
    ASSERT_EQ(host.HostSetPreferences(1, sizeof(written), &written), NoError);

    HeadlessHost later; // another run of the host with the same profile
    ASSERT_TRUE(later.SetProfileFolder(folder.Path()));
    Block read;
    size = sizeof(read);
    UInt16 sign = 0;
    ASSERT_EQ(later.HostGetPreferences(&version, &size, &read, &sign), NoError);
    EXPECT_EQ(version, 1);
    EXPECT_EQ(size, 8);
    EXPECT_EQ(read.mark, 1);
    EXPECT_FALSE(read.show);
    EXPECT_EQ(sign, GS::Win_Platform_Sign);

    // A block written on a big-endian platform comes back as stored, with that platform's sign.
    StoredPreferences foreign;
    foreign.present = true;
    foreign.version = 1;
    foreign.data = {0, 0, 0, 1, 1, 0, 0, 0};
    foreign.platformSign = GS::Mac_Platform_Sign;
    later.SetStoredPreferences(foreign);
    HeadlessHost third;
    ASSERT_TRUE(third.SetProfileFolder(folder.Path()));
    unsigned char bytes[8] = {};
    size = 4; // a smaller buffer is never written past
    ASSERT_EQ(third.HostGetPreferences(&version, &size, bytes, &sign), NoError);
    EXPECT_EQ(sign, GS::Mac_Platform_Sign);
    EXPECT_EQ(size, 8);
    EXPECT_EQ(bytes[3], 1);
    EXPECT_EQ(bytes[4], 0);
}

TEST_F(HostTest, AnUnreadablePreferenceFileIsReportedAndLeftAlone) {
    ProfileFolder folder;
    {
        std::ofstream file(folder.File());
        file << "{\"version\": 1, \"platformSign\": 22359, \"data\": \"XYZ\"}";
    }
    std::string error;
    EXPECT_FALSE(host.SetProfileFolder(folder.Path(), &error));
    EXPECT_NE(error.find(folder.File()), std::string::npos);
    EXPECT_NE(error.find("\"data\""), std::string::npos);
    Block block;
    host.HostSetPreferences(1, sizeof(block), &block); // memory only now
    EXPECT_NE(folder.Read().find("XYZ"), std::string::npos);
    EXPECT_TRUE(host.GetStoredPreferences().present);
}

TEST_F(HostTest, FaultsHitTheNthCallOrEveryCallFromIt) {
    const API_Guid room = AddRoom("r1", "A");
    host.ClearCallLog();
    EXPECT_FALSE(host.InjectFault("HostNoSuchOperation", 1, APIERR_GENERAL));
    ASSERT_TRUE(host.InjectFault("HostGetElement", 2, APIERR_BADPARS));
    API_Element element;
    element.header.guid = room;
    EXPECT_EQ(host.HostGetElement(&element), NoError);
    EXPECT_EQ(host.HostGetElement(&element), APIERR_BADPARS);
    EXPECT_EQ(host.HostGetElement(&element), NoError);

    ASSERT_TRUE(host.InjectFault("HostAttachElementObserver", 2, APIERR_GENERAL, true));
    EXPECT_EQ(host.HostAttachElementObserver(room, 0), NoError);
    EXPECT_EQ(host.HostAttachElementObserver(room, 0), APIERR_GENERAL);
    EXPECT_EQ(host.HostAttachElementObserver(room, 0), APIERR_GENERAL);
    ASSERT_TRUE(host.InjectFault("HostFilterElement", 1, APIERR_GENERAL));
    EXPECT_FALSE(host.HostFilterElement(room, APIFilt_None, 0, APINULLGuid));
    EXPECT_TRUE(host.HostFilterElement(room, APIFilt_None, 0, APINULLGuid));
    host.ClearFaults();
    EXPECT_EQ(host.HostDetachElementObserver(room), NoError);

    std::vector<std::string> log;
    for (const CallLogEntry& entry : host.GetCallLog())
        log.push_back(entry.ToString());
    EXPECT_EQ(log[0], "HostGetElement(r1) -> 0");
    EXPECT_EQ(log[1], "HostGetElement(r1) -> 0x81060003 (injected)");
    EXPECT_EQ(log[4], "HostAttachElementObserver(r1, 0) -> 0x81060001 (injected)");
    EXPECT_EQ(log.back(), "HostDetachElementObserver(r1) -> 0");
    host.ClearCallLog();
    EXPECT_TRUE(host.GetCallLog().empty());
}

TEST_F(HostTest, TheCallLogKeepsCallOrderAcrossNestedCalls) {
    const API_Guid room = AddRoom("r1", "A");
    host.ClearCallLog();
    host.HostCallUndoableCommand("Step", [&] {
        GS::Array<API_Guid> links;
        return host.HostGetElementLinks(room, &links);
    });
    ASSERT_EQ(host.GetCallLog().size(), 2u);
    EXPECT_EQ(host.GetCallLog()[0].ToString(), "HostCallUndoableCommand(\"Step\") -> 0");
    EXPECT_EQ(host.GetCallLog()[1].ToString(), "HostGetElementLinks(r1) -> 0");
    // User actions are not host operations: they are not logged and faults do not touch them.
    host.InjectFault("HostChangeElement", 1, APIERR_GENERAL, true);
    EXPECT_EQ(host.MoveElement(room, {1, 1}), NoError);
    EXPECT_EQ(host.GetCallLog().size(), 2u);
}

TEST_F(HostTest, TheCallLogNamesTheElementACreationMade) {
    host.ClearCallLog();
    API_Element label;
    label.header.type.typeID = API_LabelID;
    label.header.layer = 1;
    ASSERT_EQ(host.HostCreateElement(&label, nullptr), NoError);
    const std::string name = host.GetElementName(label.header.guid);
    ASSERT_EQ(host.GetCallLog().size(), 1u);
    EXPECT_EQ(host.GetCallLog()[0].ToString(), "HostCreateElement(16, " + name + ") -> 0");
    // An unlogged creation must not rename an earlier entry.
    host.SetCallLogging(false);
    API_Element wall;
    wall.header.type.typeID = API_WallID;
    wall.header.layer = 1;
    ASSERT_EQ(host.HostCreateElement(&wall, nullptr), NoError);
    host.SetCallLogging(true);
    ASSERT_EQ(host.GetCallLog().size(), 1u);
    EXPECT_EQ(host.GetCallLog()[0].arguments, "16, " + name);
}
