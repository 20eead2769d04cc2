#include "ActionKit.hpp"

#include "HeadlessHost/FaultInjector.hpp"
#include "Host/HostCatalogue.hpp"

namespace RandomUsers {

namespace {

// The host refuses a change or a deletion with the code that tells why; any other call fails
// with the plain host error. Codes that answer a question (no such element or attribute, already
// observed, nothing selected) would make the host lie rather than fail.
std::string FaultCode(const std::string& operation) {
    if (operation != "HostChangeElement" && operation != "HostDeleteElements")
        return "0x81060001";
    return OneOf<std::string>(
        {"0x8106012F", "0x81060130", "0x81060132", "0x81060068", "0x810600CF", "0x81060001"});
}

class HostFault final : public StepsAction {
public:
    explicit HostFault(const UserModel&) {
        Json step = {{"action", "fault"}};
        if (Chance(30)) {
            // Counted over every operation the add-on calls from now.
            step["call"] = Between(1, 60);
            step["code"] = FaultCode("");
            repeat_ = Chance(20);
        } else {
            // The registrations are over before any step; the rest is what the add-on calls.
            std::vector<std::string> operations;
            for (const char* name : Host::OperationNames) {
                if (std::string(name).rfind("Host", 0) == 0 &&
                    !Headless::FaultInjector::IsYesNoQuestion(name))
                    operations.push_back(name);
            }
            step["operation"] = OneOf(operations);
            step["call"] = Between(1, 4);
            if (Chance(25))
                step["throw"] = true;
            else
                step["code"] = FaultCode(step["operation"]);
            repeat_ = !step.contains("throw") && Chance(10);
        }
        if (repeat_)
            step["repeat"] = true;
        steps_ = {step};
    }
    // A fault that stays for good is allowed once: more would leave nothing to watch.
    void checkPreconditions(const UserModel& model) const override {
        StepsAction::checkPreconditions(model);
        RC_PRE(model.faults < 4);
        RC_PRE(!repeat_ || !model.repeatingFault);
    }
    void apply(UserModel& model) const override {
        ++model.faults;
        model.repeatingFault = model.repeatingFault || repeat_;
    }

private:
    bool repeat_ = false;
};

// Another Teamwork member takes or releases an element, or the project is shared or unshared.
class OtherMember final : public StepsAction {
public:
    explicit OtherMember(const UserModel& model) : switchTeamwork_(Chance(15)) {
        if (switchTeamwork_)
            steps_ = {{{"action", "teamwork"}, {"on", !model.teamwork}}};
        else
            steps_ = {{{"action", "reserve"},
                       {"elements", {Pick("anyElement")}},
                       {"by", OneOf<std::string>({"other", "free", "me"})}}};
    }
    void apply(UserModel& model) const override {
        if (switchTeamwork_)
            model.teamwork = !model.teamwork;
    }

private:
    bool switchTeamwork_ = false;
};

// What the add-on must lift for the duration of its work, and the story the user looks at.
class EditAccess final : public StepsAction {
public:
    explicit EditAccess(const UserModel& model) {
        switch (Between(0, 4)) {
        case 0:
            steps_ = {{{"action", "lock"},
                       {"elements", {Pick(OneOf<std::string>({"room", "stamp", "element"}))}},
                       {"locked", !Chance(30)}}};
            break;
        case 1:
            steps_ = {{{"action", "setLayer"},
                       {"layer", OneOf<std::string>({"Rooms", "Labels", "Archive"})},
                       {"hidden", Chance(50)},
                       {"locked", Chance(50)}}};
            break;
        case 2:
            steps_ = {{{"action", "suspendGroups"}, {"on", Chance(50)}}};
            break;
        case 3:
            steps_ = {{{"action", "group"}, {"elements", {Pick("stamp"), Pick("element")}}}};
            break;
        default:
            steps_ = {{{"action", "setCurrentStory"}, {"story", Between(0, model.stories - 1)}}};
            break;
        }
    }
};

} // namespace

rc::Gen<std::shared_ptr<const UserAction>> GenSurroundingAction(const UserModel& model) {
    // Each as often as the others.
    return rc::state::gen::execOneOfWithArgs<HostFault, OtherMember, EditAccess>()(model);
}

} // namespace RandomUsers
