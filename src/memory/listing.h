#pragma once
// The typed listings of the host image shown in the memory reader window: pagers, tables and
// the work mode. Every line of the pager and table listings ends with CR LF.

#include "memory/imagedecoding.h"
#include "memory/memoryimage.h"

#include <QString>
#include <optional>

namespace callcfg {

// One pager's line and one table caller's line, without the line end.
QString pagerLine(const PagerRecord& pager);
QString tableLine(const TableRecord& table);

// One line per non-empty pager slot, or exactly "不存在传呼号！" when there is none.
QString pagerListing(const HostMemory& memory);

// The count line and one line per table caller record; nothing when the table count is 0 or
// above 512 (the window then shows the box "没有餐桌号！", title "注意").
std::optional<QString> tableListing(const HostMemory& memory);

// "当前工作类型为：", CR LF, then the work mode name.
QString workModeText(const HostMemory& memory);

} // namespace callcfg
