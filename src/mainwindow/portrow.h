#pragma once
// The port row of the main window: the port list, the open/close button, the double-click
// on 通讯端口 and the status label, kept in step with the link.

namespace callcfg {

class Form1;
class Link;

void wirePortRow(Form1& form, Link& link);

} // namespace callcfg
