#pragma once
// The controls that take the keyboard focus after a command's box, by their role. Each window
// maps the roles of its commands to its own controls.

namespace callcfg {

enum class Focus {
    Unchanged, // the focus stays where it is
    PagerNumber,
    AddressCode,
    DeletePagerNumber,
    TableNumber,
    TablePager1,
    TablePager2,
    TablePager3,
    DeleteTableNumber,
    ReceiverNumber,
    TransmitterFrequency,
    UrgeNumber,
    DeleteUrgeNumber,
    WriteRepeaterButton,
    DeleteRepeaterButton,
};

// Every role but Unchanged, in order.
inline constexpr Focus kFocusRoles[] = {
    Focus::PagerNumber,          Focus::AddressCode,         Focus::DeletePagerNumber,
    Focus::TableNumber,          Focus::TablePager1,         Focus::TablePager2,
    Focus::TablePager3,          Focus::DeleteTableNumber,   Focus::ReceiverNumber,
    Focus::TransmitterFrequency, Focus::UrgeNumber,          Focus::DeleteUrgeNumber,
    Focus::WriteRepeaterButton,  Focus::DeleteRepeaterButton};

} // namespace callcfg
