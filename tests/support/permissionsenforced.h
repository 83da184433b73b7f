#pragma once
// File permissions that hold for root too: while an object lives, the calling thread gives up
// the effective capabilities that let root write into and read any folder or file
// (CAP_DAC_OVERRIDE, CAP_DAC_READ_SEARCH), and takes them back at its end. For anyone else
// it changes nothing. Tests still check that a permission holds before they rely on it.

#include <linux/capability.h>

class PermissionsEnforced {
public:
    PermissionsEnforced();
    ~PermissionsEnforced();
    PermissionsEnforced(const PermissionsEnforced&) = delete;
    PermissionsEnforced& operator=(const PermissionsEnforced&) = delete;

private:
    __user_cap_header_struct header_{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct saved_[_LINUX_CAPABILITY_U32S_3]{};
    bool dropped_ = false;
};
