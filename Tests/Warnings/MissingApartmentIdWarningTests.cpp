#include <algorithm>
#include <cstring>
#include <deque>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "AddOn/FrameState.hpp"
#include "AddOn/MissingApartmentIdWarning.hpp"
#include "DG/UIDriver.hpp"
#include "HeadlessHost/HeadlessHost.hpp"
#include "Host/AddOnLoading.hpp"
#include "Host/HostOperations.hpp"
#include "RS/RS.hpp"
#include "ResourceIds.hpp"
#include "ResourceImage.hpp"

using namespace Zarimark;

namespace {

using Bytes = std::vector<unsigned char>;

constexpr GSErrCode InjectedCode = static_cast<GSErrCode>(0x81060E02);
constexpr short Ok = 1;
constexpr short DontShowAgain = 3;
constexpr GSPlatformSign WW = GS::Win_Platform_Sign;
constexpr GSPlatformSign MM = GS::Mac_Platform_Sign;

// prefsMark 1 and the flag, little-endian ("WW") and big-endian ("MM").
const Bytes Hidden = {1, 0, 0, 0, 0, 0, 0, 0};
const Bytes Shown = {1, 0, 0, 0, 1, 0, 0, 0};
const Bytes HiddenBigEndian = {0, 0, 0, 1, 0, 0, 0, 0};
const Bytes ShownBigEndian = {0, 0, 0, 1, 1, 0, 0, 0};

Headless::StoredPreferences Block(Int32 version, GSPlatformSign sign, const Bytes& data) {
    Headless::StoredPreferences block;
    block.present = true;
    block.version = version;
    block.platformSign = sign;
    block.data = data;
    return block;
}

bool operator==(const Headless::StoredPreferences& a, const Headless::StoredPreferences& b) {
    return a.present == b.present && a.version == b.version && a.platformSign == b.platformSign &&
           a.data == b.data;
}

GSResModule AddOnResourceModule() {
    static const GSResModule module = [] {
        std::string error;
        const GSResModule registered = RS::RegisterModule(ZarimarkResourceImage::Data(),
                                                          ZarimarkResourceImage::Size(), "Zarimark", &error);
        EXPECT_NE(registered, InvalidResModule) << error;
        return registered;
    }();
    return module;
}

class AnsweringUser : public DG::UIDriver {
public:
    short AnswerAlert(const DG::AlertRecord& /*alert*/) override {
        if (answers.empty())
            return 0;
        const short answer = answers.front();
        answers.pop_front();
        return answer;
    }
    void RunModalDialog(DG::ModalDialog& /*dialog*/) override {}

    std::deque<short> answers;
};

// The buffer capacity the add-on announces on every read that fills a buffer: the host trusts
// it, so anything but 8 would let a differently sized stored block overrun the add-on's block.
class WatchedHost : public Headless::HeadlessHost {
public:
    GSErrCode HostGetPreferences(Int32* version, GSSize* nByte, void* data, UInt16* platformSign) override {
        if (data != nullptr)
            capacities.push_back(nByte != nullptr ? *nByte : -1);
        return HeadlessHost::HostGetPreferences(version, nByte, data, platformSign);
    }

    std::vector<GSSize> capacities;
};

class MissingIdWarning : public ::testing::Test {
protected:
    void SetUp() override {
        host.SetOwnResourceModule(AddOnResourceModule());
        ASSERT_EQ(FrameState::AcceptHostOperations(&host, HostOperationCount, &hostToken), NoError);
        DG::ClearUILog();
    }
    void TearDown() override {
        for (GSSize capacity : host.capacities)
            EXPECT_EQ(capacity, 8);
        FrameState::ClearHostToken();
        Host::SetCurrentHost(nullptr);
    }

    // True when the warning came (and was answered with `answer`).
    bool Warn(short answer) {
        const std::size_t before = DG::GetUILog().size();
        user.answers = {answer};
        ShowMissingApartmentIdWarning();
        const std::vector<DG::UILogEntry> log = DG::GetUILog();
        EXPECT_LE(log.size(), before + 1);
        if (log.size() == before)
            return false;
        const DG::AlertRecord& alert = log.back().alert;
        EXPECT_EQ(log.back().kind, DG::UILogKind::Alert);
        EXPECT_EQ(alert.id, ZM_ALERT_MISSING_APARTMENT_ID);
        EXPECT_EQ(alert.largeText,
                  GS::UniString("Some rooms in the project have no accessible Apartment ID!"));
        EXPECT_EQ(alert.answer, answer);
        return true;
    }

    std::vector<std::string> Writes() const {
        std::vector<std::string> writes;
        for (const Headless::CallLogEntry& entry : host.GetCallLog())
            if (entry.operation == "HostSetPreferences")
                writes.push_back(entry.arguments);
        return writes;
    }

    WatchedHost host;
    AnsweringUser user;
    DG::UIDriverScope driver{&user};
    int hostToken = 0;
};

struct StoredCase {
    const char* name;
    Headless::StoredPreferences stored;
    int failingRead; // the n-th HostGetPreferences fails; 0: none
    bool shown;
};

void PrintTo(const StoredCase& c, std::ostream* out) {
    *out << c.name;
}

const StoredCase StoredCases[] = {
    {"NoBlock", {}, 0, true},
    {"Hidden", Block(1, WW, Hidden), 0, false},
    {"Shown", Block(1, WW, Shown), 0, true},
    {"AnyNonZeroFlagShows", Block(1, WW, {1, 0, 0, 0, 2, 0, 0, 0}), 0, true},
    {"OtherVersionIgnored", Block(2, WW, Hidden), 0, true},
    {"ForeignSignHidden", Block(1, MM, HiddenBigEndian), 0, false},
    {"ForeignSignShown", Block(1, MM, ShownBigEndian), 0, true},
    {"ShortBlockIgnored", Block(1, WW, {1, 0, 0, 0}), 0, true},
    {"LongBlockIgnored", Block(1, WW, {1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}), 0, true},
    {"FirstReadFails", Block(1, WW, Hidden), 1, true},
    {"SecondReadFails", Block(1, WW, Hidden), 2, true},
};

class StoredBlock : public MissingIdWarning, public ::testing::WithParamInterface<StoredCase> {};

TEST_P(StoredBlock, DecidesWhetherTheWarningComesAndOkStoresNothing) {
    host.SetStoredPreferences(GetParam().stored);
    if (GetParam().failingRead != 0) {
        ASSERT_TRUE(host.InjectFault("HostGetPreferences", GetParam().failingRead, InjectedCode));
    }

    EXPECT_EQ(Warn(Ok), GetParam().shown);

    EXPECT_TRUE(host.GetStoredPreferences() == GetParam().stored);
    EXPECT_TRUE(Writes().empty());
}

INSTANTIATE_TEST_SUITE_P(Cases, StoredBlock, ::testing::ValuesIn(StoredCases),
                         [](const ::testing::TestParamInfo<StoredCase>& info) { return info.param.name; });

TEST_F(MissingIdWarning, OkAsksAgainNextTime) {
    EXPECT_TRUE(Warn(Ok));
    EXPECT_TRUE(Warn(Ok));
    EXPECT_FALSE(host.GetStoredPreferences().present);
}

// From a foreign block the mark comes back in this machine's order: it was converted on reading.
TEST_F(MissingIdWarning, DontShowAgainStoresVersion1BlockAndSilencesLaterCalls) {
    for (const Headless::StoredPreferences& start :
         {Headless::StoredPreferences(), Block(1, WW, Shown), Block(1, MM, ShownBigEndian)}) {
        SCOPED_TRACE(start.platformSign);
        host.SetStoredPreferences(start);
        host.ClearCallLog();

        EXPECT_TRUE(Warn(DontShowAgain));
        EXPECT_EQ(Writes(), std::vector<std::string>{"1, 8"});
        const Headless::StoredPreferences& stored = host.GetStoredPreferences();
        ASSERT_TRUE(stored.present);
        EXPECT_EQ(stored.version, 1);
        ASSERT_EQ(stored.data.size(), 8u);
        Int32 prefsMark = 0;
        std::memcpy(&prefsMark, stored.data.data(), sizeof prefsMark);
        EXPECT_EQ(prefsMark, 1);
        EXPECT_EQ(stored.data[4], 0);
        EXPECT_EQ(stored.data, Hidden);

        EXPECT_FALSE(Warn(Ok));
    }
}

TEST_F(MissingIdWarning, FailedStoreGoesUnreportedAndAsksAgain) {
    ASSERT_TRUE(host.InjectFault("HostSetPreferences", 1, InjectedCode));

    EXPECT_TRUE(Warn(DontShowAgain));
    EXPECT_EQ(Writes().size(), 1u);
    EXPECT_FALSE(host.GetStoredPreferences().present);
    EXPECT_TRUE(Warn(Ok));
}

} // namespace
