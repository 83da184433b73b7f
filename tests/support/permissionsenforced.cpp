#include "permissionsenforced.h"

#include <sys/syscall.h>
#include <unistd.h>

PermissionsEnforced::PermissionsEnforced() {
    if (::syscall(SYS_capget, &header_, saved_) != 0)
        return;
    __user_cap_data_struct reduced[_LINUX_CAPABILITY_U32S_3] = {saved_[0], saved_[1]};
    reduced[0].effective &= ~((1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH));
    dropped_ = ::syscall(SYS_capset, &header_, reduced) == 0;
}

PermissionsEnforced::~PermissionsEnforced() {
    if (dropped_)
        ::syscall(SYS_capset, &header_, saved_);
}
