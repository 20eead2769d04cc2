#ifndef DG_ALERT_HPP
#define DG_ALERT_HPP

#include "GSRoot/Definitions.hpp"
#include "GSRoot/UniString.hpp"

// Alerts are modal: each call returns the user's answer, the number of the button taken (1 to
// 3). The UI driver answers them; without a driver, or when it gives no valid answer, the first
// button is taken. Every alert is recorded in the UI log.
namespace DG {

// The alert resource `alertId` of `module`. Each "%s" of its title, large text and small text,
// in that order, takes the next parameter (the first "%s" p1, the fifth and later nothing);
// parameter texts are not searched for "%s" again. A missing resource is recorded with its ID
// and empty texts and answers 1 without asking the driver.
short Alert(GSResModule module, GSResID alertId, const GS::UniString& p1 = GS::UniString(),
            const GS::UniString& p2 = GS::UniString(), const GS::UniString& p3 = GS::UniString(),
            const GS::UniString& p4 = GS::UniString());

// Alerts with literal texts (recorded with ID 0 and no title).
short InformationAlert(const GS::UniString& largeText, const GS::UniString& smallText,
                       const GS::UniString& button1Text, const GS::UniString& button2Text = GS::UniString(),
                       const GS::UniString& button3Text = GS::UniString());
short WarningAlert(const GS::UniString& largeText, const GS::UniString& smallText,
                   const GS::UniString& button1Text, const GS::UniString& button2Text = GS::UniString(),
                   const GS::UniString& button3Text = GS::UniString());
short ErrorAlert(const GS::UniString& largeText, const GS::UniString& smallText,
                 const GS::UniString& button1Text, const GS::UniString& button2Text = GS::UniString(),
                 const GS::UniString& button3Text = GS::UniString());

} // namespace DG

#endif
