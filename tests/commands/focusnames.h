#pragma once
// The form names of the main window's controls for each focus role, as the tests expect them.

#include "commands/focus.h"

#include <QString>

inline QString focusName(callcfg::Focus focus) {
    using callcfg::Focus;
    switch (focus) {
    case Focus::Unchanged:
        return {};
    case Focus::PagerNumber:
        return "Text1(0)";
    case Focus::AddressCode:
        return "Text1(1)";
    case Focus::DeletePagerNumber:
        return "Text4";
    case Focus::TableNumber:
        return "Text3(0)";
    case Focus::TablePager1:
        return "Text3(2)";
    case Focus::TablePager2:
        return "Text3(3)";
    case Focus::TablePager3:
        return "Text3(4)";
    case Focus::DeleteTableNumber:
        return "Text6";
    case Focus::ReceiverNumber:
        return "Text2";
    case Focus::TransmitterFrequency:
        return "Text7";
    case Focus::UrgeNumber:
        return "Text11";
    case Focus::DeleteUrgeNumber:
        return "Text5";
    case Focus::WriteRepeaterButton:
        return "Command16";
    case Focus::DeleteRepeaterButton:
        return "Command17";
    }
    return "?";
}
