#pragma once
// The main window's control for each focus role, by its objectName: the one place that ties
// the roles the commands name to the window's controls.

#include "commands/focus.h"

#include <QString>

#include <array>

namespace callcfg {

struct FocusName {
    Focus role;
    const char* objectName;
};

inline constexpr auto kFocusNames = std::to_array<FocusName>({
    {Focus::PagerNumber, "Text1(0)"},
    {Focus::AddressCode, "Text1(1)"},
    {Focus::DeletePagerNumber, "Text4"},
    {Focus::TableNumber, "Text3(0)"},
    {Focus::TablePager1, "Text3(2)"},
    {Focus::TablePager2, "Text3(3)"},
    {Focus::TablePager3, "Text3(4)"},
    {Focus::DeleteTableNumber, "Text6"},
    {Focus::ReceiverNumber, "Text2"},
    {Focus::TransmitterFrequency, "Text7"},
    {Focus::UrgeNumber, "Text11"},
    {Focus::DeleteUrgeNumber, "Text5"},
    {Focus::WriteRepeaterButton, "Command16"},
    {Focus::DeleteRepeaterButton, "Command17"},
});

// The objectName of the role's control; empty for Focus::Unchanged.
inline QString focusObjectName(Focus role) {
    for (const FocusName& name : kFocusNames)
        if (name.role == role)
            return QString::fromLatin1(name.objectName);
    return {};
}

} // namespace callcfg
