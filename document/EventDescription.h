#pragma once

#include "model/Records.h"

#include <string>

// The one-line text of an event as the outline shows it, e.g.
// "Turn On 50.0% @ Sunset-00:30 (Security)  On S.....S".
std::string eventDescription(const Event &event);

// The pieces it is joined from, each as the outline writes it.
std::string eventOnOffText(const Event &event);       // "On" / "Off"
std::string eventBrightnessText(const Event &event);  // "" / " 50.0%"
std::string eventTimeText(const Event &event);        // "07:30 PM" / "Sunrise" / "Sunset-01:30"
std::string eventSecurityText(const Event &event);    // "" / " (Security) "
std::string eventDaysText(const Event &event);        // "Every Day" / "On .MTWTF." / "On 03/07/2008 & ..."
