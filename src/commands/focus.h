#pragma once
// The controls that take the keyboard focus after a command's box, by their role. Each window
// maps the roles of its commands to its own controls.

#include <array>
#include <cstddef>

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
    End // not a role: one past the last
};

// Every role but Unchanged, in order.
inline constexpr auto kFocusRoles = [] {
    std::array<Focus, std::size_t(Focus::End) - 1> roles{};
    for (std::size_t i = 0; i < roles.size(); ++i)
        roles[i] = Focus(i + 1);
    return roles;
}();

} // namespace callcfg
