#include "DG/Alert.hpp"

#include <utility>

#include "DG/UIDriver.hpp"
#include "DG/UILog.hpp"
#include "RS/RS.hpp"

namespace DG {

namespace {

constexpr std::size_t ParameterCount = 4;

class ParameterFiller {
public:
    explicit ParameterFiller(const GS::UniString* const (&parameters)[ParameterCount])
        : parameters_(parameters) {}

    GS::UniString Fill(const GS::UniString& text) {
        const std::u16string& units = text.GetUnits();
        std::u16string filled;
        for (std::size_t i = 0; i < units.size(); ++i) {
            if (units[i] == u'%' && i + 1 < units.size() && units[i + 1] == u's') {
                if (next_ < ParameterCount)
                    filled += parameters_[next_]->GetUnits();
                ++next_;
                ++i;
            } else {
                filled += units[i];
            }
        }
        return GS::UniString(std::move(filled));
    }

private:
    const GS::UniString* const (&parameters_)[ParameterCount];
    std::size_t next_ = 0;
};

bool IsButton(const AlertRecord& record, short answer) {
    return answer >= 1 && answer <= 3 && !record.buttons[answer - 1].IsEmpty();
}

short Present(AlertRecord record, bool askDriver) {
    record.answer = 1;
    UIDriver* driver = askDriver ? GetUIDriver() : nullptr;
    if (driver != nullptr) {
        record.driverAnswer = driver->AnswerAlert(record);
        if (IsButton(record, record.driverAnswer)) {
            record.answer = record.driverAnswer;
            record.answeredByDriver = true;
        }
    }
    const short answer = record.answer;
    UILogEntry entry;
    entry.kind = UILogKind::Alert;
    entry.alert = std::move(record);
    Detail::AppendUILog(std::move(entry));
    return answer;
}

short LiteralAlert(RS::AlertKind kind, const GS::UniString& largeText, const GS::UniString& smallText,
                   const GS::UniString& button1Text, const GS::UniString& button2Text,
                   const GS::UniString& button3Text) {
    AlertRecord record;
    record.kind = kind;
    record.largeText = largeText;
    record.smallText = smallText;
    record.buttons[0] = button1Text;
    record.buttons[1] = button2Text;
    record.buttons[2] = button3Text;
    return Present(std::move(record), true);
}

} // namespace

short Alert(GSResModule module, GSResID alertId, const GS::UniString& p1, const GS::UniString& p2,
            const GS::UniString& p3, const GS::UniString& p4) {
    AlertRecord record;
    record.id = alertId;
    RS::AlertResource resource;
    if (!RS::GetAlert(module, alertId, &resource)) {
        record.resourceFound = false;
        return Present(std::move(record), false);
    }
    const GS::UniString* const parameters[ParameterCount] = {&p1, &p2, &p3, &p4};
    ParameterFiller filler(parameters);
    record.kind = resource.kind;
    record.title = filler.Fill(resource.title);
    record.largeText = filler.Fill(resource.largeText);
    record.smallText = filler.Fill(resource.smallText);
    for (int i = 0; i < 3; ++i)
        record.buttons[i] = resource.buttons[i];
    record.defaultButton = resource.defaultButton;
    return Present(std::move(record), true);
}

short InformationAlert(const GS::UniString& largeText, const GS::UniString& smallText,
                       const GS::UniString& button1Text, const GS::UniString& button2Text,
                       const GS::UniString& button3Text) {
    return LiteralAlert(RS::AlertKind::Information, largeText, smallText, button1Text, button2Text,
                        button3Text);
}

short WarningAlert(const GS::UniString& largeText, const GS::UniString& smallText,
                   const GS::UniString& button1Text, const GS::UniString& button2Text,
                   const GS::UniString& button3Text) {
    return LiteralAlert(RS::AlertKind::Warning, largeText, smallText, button1Text, button2Text, button3Text);
}

short ErrorAlert(const GS::UniString& largeText, const GS::UniString& smallText,
                 const GS::UniString& button1Text, const GS::UniString& button2Text,
                 const GS::UniString& button3Text) {
    return LiteralAlert(RS::AlertKind::Error, largeText, smallText, button1Text, button2Text, button3Text);
}

} // namespace DG
