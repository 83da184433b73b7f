<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>callcfg</name>
    <message>
        <source>Port COMn (n from 1 to 255) opens DEVICE (repeatable); by default COMn is the n-th serial device present (on-board ports first, then USB adapters by their /dev/serial/by-id name), or COMn on Windows.</source>
        <translation>端口 COMn（n 为 1 到 255）打开 DEVICE（可重复）；默认 COMn 是现有的第 n 个串口设备（先板载串口，再按 /dev/serial/by-id 名称排列的 USB 适配器），Windows 上是 COMn。</translation>
    </message>
    <message>
        <source>Append a line for every request sent and every read that returned bytes to FILE.</source>
        <translation>把每个发出的请求和每次读到的数据各记一行，追加到 FILE。</translation>
    </message>
    <message>
        <source>Show this help.</source>
        <translation>显示本帮助。</translation>
    </message>
    <message>
        <source>Show the program&apos;s version.</source>
        <translation>显示程序版本。</translation>
    </message>
    <message>
        <source>The serial device (a path) or a port name COMn, mapped as the port list maps it.</source>
        <translation>串口设备（路径）或端口名 COMn，COMn 按端口列表的方式对应到设备。</translation>
    </message>
    <message>
        <source>Read the host unit&apos;s memory and write it to FILE (8192 bytes). FILE is written only when the whole read succeeded. An existing FILE is replaced only with --force or when answered y on a terminal.</source>
        <translation>读取主机内存并写入 FILE（8192 字节）。只有全部读取成功才写入 FILE。已有的 FILE 只有加 --force 或在终端上回答 y 才会被覆盖。</translation>
    </message>
    <message>
        <source>Download FILE into the host unit, then read the host unit back and compare. It names the device first; on a terminal it reads the host unit, shows what FILE and the host unit hold and asks before it writes (exit status 1 when declined). Ctrl+C or SIGTERM finishes the block in flight and says which blocks are new.</source>
        <translation>把 FILE 下发到主机，然后读回主机内容并比较。先说出要写入的设备；在终端上先读取主机，显示 FILE 和主机中各有什么，写入前先询问（不写入时退出状态为 1）。Ctrl+C 或 SIGTERM 会等正在下发的块完成，再说明哪些块是新的。</translation>
    </message>
    <message>
        <source>Do not read the host unit back.</source>
        <translation>不读回主机内容。</translation>
    </message>
    <message>
        <source>Read the host unit and compare it with FILE; nothing is changed.</source>
        <translation>读取主机并与 FILE 比较；不做任何改动。</translation>
    </message>
    <message>
        <source>Print what the memory reader window shows for the image in FILE.</source>
        <translation>打印数据备份窗口对 FILE 中内容的显示。</translation>
    </message>
    <message>
        <source>The pager listing (the default).</source>
        <translation>传呼号列表（默认）。</translation>
    </message>
    <message>
        <source>The table caller listing.</source>
        <translation>餐桌号列表。</translation>
    </message>
    <message>
        <source>The work mode.</source>
        <translation>工作模式。</translation>
    </message>
    <message>
        <source>The hex view.</source>
        <translation>内存排列（十六进制）。</translation>
    </message>
    <message>
        <source>Print the differences between two backup files: pagers, table callers and settings, then the differing byte addresses.</source>
        <translation>打印两个备份文件的差别：传呼机、餐桌呼叫器和设置，然后是不同字节的地址。</translation>
    </message>
    <message>
        <source>Print the pager or table caller entries as CSV (RFC 4180, UTF-8, a header row). An existing CSV is replaced only with --force or when answered y on a terminal; a backup file (.cat, .CAT) and FILE itself never. The columns: 传呼号 地址码 极性 机型 速率 音调 (pager, address code, polarity, machine type, rate, tone) and 餐桌号 叮当鸟特征码 对应传呼号1 对应传呼号2 对应传呼号3 (table, feature code, pagers 1 to 3); program reads them in any order. --template writes them with a 备注 (remark) column and no row: a sheet to fill in.</source>
        <translation>以 CSV（RFC 4180，UTF-8，带表头行）打印传呼机或餐桌呼叫器条目。已有的 CSV 只有加 --force 或在终端上回答 y 才会被覆盖；备份文件（.cat、.CAT）和 FILE 本身从不覆盖。列为：传呼号 地址码 极性 机型 速率 音调，或 餐桌号 叮当鸟特征码 对应传呼号1 对应传呼号2 对应传呼号3；program 以任意顺序读取这些列。--template 写出这些列和一个备注列，不含任何行：一张待填写的表格。</translation>
    </message>
    <message>
        <source>An empty sheet of pagers or tables instead, with no backup file.</source>
        <translation>改为写出一张空白的传呼机或餐桌表格，不需要备份文件。</translation>
    </message>
    <message>
        <source>--template takes pagers or tables, got: %1</source>
        <translation>--template 取 pagers 或 tables，而不是：%1</translation>
    </message>
    <message>
        <source>--template makes an empty sheet: no --pagers or --tables</source>
        <translation>--template 写出空白表格：不能与 --pagers 或 --tables 同用</translation>
    </message>
    <message>
        <source>The pager entries.</source>
        <translation>传呼机条目。</translation>
    </message>
    <message>
        <source>The table caller entries.</source>
        <translation>餐桌呼叫器条目。</translation>
    </message>
    <message>
        <source>Print what COM1 to COM8, and every higher port present or mapped, open and what is there. With --find, ask each device present or mapped (USB adapters first; never one that another program holds; a Bluetooth port only when --port maps it; 2 s at most each) for the host memory&apos;s first block, to tell which ports lead to a host unit; exit status 0 when one answered, 1 when none did.</source>
        <translation>打印 COM1 到 COM8 以及每个更高的现有或已指定端口各打开哪个设备、设备是什么。加 --find 时向每个现有或已指定的设备请求主机内存第 1 块（先问 USB 适配器；不碰被其它程序占用的设备；蓝牙串口只在 --port 指定时才问；每个最多 2 秒），看哪些端口连着主机；有主机应答时退出状态为 0，没有时为 1。</translation>
    </message>
    <message>
        <source>Write one read request (the host memory&apos;s first block) to every device present or mapped and say which answered as a host unit.</source>
        <translation>向每个现有或已指定的设备写一个读取请求（主机内存第 1 块），并说明哪个以主机身份应答。</translation>
    </message>
    <message>
        <source>Usage: %1</source>
        <translation>用法：%1</translation>
    </message>
    <message>
        <source>Options:</source>
        <translation>选项：</translation>
    </message>
    <message>
        <source>Programmes the host unit of a restaurant wireless calling system. Without a subcommand it opens the window.</source>
        <translation>为餐厅无线呼叫系统的主机编程。不带子命令时打开窗口。</translation>
    </message>
    <message>
        <source>Subcommands (callcfg SUBCOMMAND --help for each):</source>
        <translation>子命令（各自的说明见 callcfg 子命令 --help）：</translation>
    </message>
    <message>
        <source>Exit status: 0 done (identical, for verify and diff; a host unit found, for ports --find), 1 the images differ (none found), 2 usage or file error, 3 communication failure.</source>
        <translation>退出状态：0 完成（verify 和 diff 为内容相同；ports --find 为找到主机），1 内容不同（没有找到主机），2 用法或文件错误，3 通讯失败。</translation>
    </message>
    <message>
        <source>--port expects COMn=DEVICE, got: %1</source>
        <translation>--port 的格式应为 COMn=设备，收到的是：%1</translation>
    </message>
    <message>
        <source>Try &apos;%1 %2 --help&apos;.</source>
        <translation>请试试 &apos;%1 %2 --help&apos;。</translation>
    </message>
    <message>
        <source>expected %1 file argument(s), got %2</source>
        <translation>应有 %1 个文件参数，收到 %2 个</translation>
    </message>
    <message>
        <source>cannot open the log %1: %2</source>
        <translation>无法打开日志 %1：%2</translation>
    </message>
    <message>
        <source>no such subcommand: %1</source>
        <translation>没有这个子命令：%1</translation>
    </message>
    <message>
        <source>Serve a simulated host unit in-process on COM1.</source>
        <translation>在程序内模拟一台主机，接在 COM1 上。</translation>
    </message>
    <message>
        <source>Try &apos;%1 --help&apos;.</source>
        <translation>请试试 &apos;%1 --help&apos;。</translation>
    </message>
    <message>
        <source>--device DEV is required</source>
        <translation>需要 --device 设备</translation>
    </message>
    <message>
        <source>cannot open %1: %2</source>
        <translation>无法打开 %1：%2</translation>
    </message>
    <message>
        <source>reading block %1/%2</source>
        <translation>正在读取第 %1/%2 块</translation>
    </message>
    <message>
        <source>writing block %1/%2</source>
        <translation>正在写入第 %1/%2 块</translation>
    </message>
    <message>
        <source>no reply from %1 at block %2 of %3</source>
        <translation>%1 在第 %2 块（共 %3 块）没有应答</translation>
    </message>
    <message>
        <source>%1 (at block %2 of %3)</source>
        <translation>%1（在第 %2 块，共 %3 块）</translation>
    </message>
    <message>
        <source>the reply from %1 at block %2 of %3 has a wrong data length</source>
        <translation>%1 在第 %2 块（共 %3 块）的应答数据长度错误</translation>
    </message>
    <message>
        <source>%1 (sending block %2 of %3)</source>
        <translation>%1（发送第 %2 块时，共 %3 块）</translation>
    </message>
    <message>
        <source>the host unit holds %1</source>
        <translation>主机内容与 %1 一致</translation>
    </message>
    <message>
        <source>the host unit differs from %1: %2 bytes, the first at 0x%3 in block %4</source>
        <translation>主机内容与 %1 不一致：共 %2 个字节不同，第一个在第 %4 块的 0x%3</translation>
    </message>
    <message>
        <source>cannot write %1: %2</source>
        <translation>无法写入 %1：%2</translation>
    </message>
    <message>
        <source>%1; the old file is damaged</source>
        <translation>%1；原文件已损坏</translation>
    </message>
    <message>
        <source>it is a folder, not a regular file</source>
        <translation>这是文件夹，不是普通文件</translation>
    </message>
    <message>
        <source>it is a FIFO (a named pipe), not a regular file</source>
        <translation>这是命名管道（FIFO），不是普通文件</translation>
    </message>
    <message>
        <source>it is a socket, not a regular file</source>
        <translation>这是套接字，不是普通文件</translation>
    </message>
    <message>
        <source>it is a device, not a regular file</source>
        <translation>这是设备，不是普通文件</translation>
    </message>
    <message>
        <source>%1 exists; nothing written (--force replaces it)</source>
        <translation>%1 已存在，未写入（--force 可覆盖）</translation>
    </message>
    <message>
        <source>Overwrite %1? [y/N]</source>
        <translation>覆盖%1？[y/N]</translation>
    </message>
    <message>
        <source>nothing written; %1 is as it was</source>
        <translation>未写入；%1 保持原样</translation>
    </message>
    <message>
        <source>%1 is a backup file&apos;s name: export never writes a backup file</source>
        <translation>%1 是备份文件的名称：export 从不写备份文件</translation>
    </message>
    <message>
        <source>%1 is the file exported from: export never writes over it</source>
        <translation>%1 是导出的来源文件：export 从不覆盖它</translation>
    </message>
    <message>
        <source>Replace an existing file without asking.</source>
        <translation>不经询问即覆盖已有文件。</translation>
    </message>
    <message>
        <source>--device names no device: give a device&apos;s path or a port name COMn</source>
        <translation>--device 没有指定设备：请给出设备路径或端口名 COMn</translation>
    </message>
    <message>
        <source>cannot write to standard output: %1</source>
        <translation>写入标准输出失败：%1</translation>
    </message>
    <message>
        <source>the file ended at byte %1 of its %2</source>
        <translation>文件读到第 %1 个字节就结束了，它应有 %2 个字节</translation>
    </message>
    <message>
        <source>%1 bytes from %2 written to %3</source>
        <translation>已把 %2 的 %1 个字节写入 %3</translation>
    </message>
    <message>
        <source>%1 written to %2</source>
        <translation>已把 %1 写入 %2</translation>
    </message>
    <message>
        <source>choose one of --%1</source>
        <translation>请在 --%1 中选一个</translation>
    </message>
    <message>
        <source>cannot read %1: %2</source>
        <translation>无法读取 %1：%2</translation>
    </message>
    <message>
        <source>%1 holds %2 bytes; a backup holds %3</source>
        <translation>%1 有 %2 个字节；备份文件应有 %3 个字节</translation>
    </message>
    <message>
        <source>%1  not present</source>
        <translation>%1  没有设备</translation>
    </message>
    <message>
        <source>not present</source>
        <translation>没有设备</translation>
    </message>
    <message>
        <source>cannot open: %1</source>
        <translation>无法打开：%1</translation>
    </message>
    <message>
        <source>no host unit answered</source>
        <translation>没有主机应答</translation>
    </message>
    <message>
        <source>lost: %1</source>
        <translation>已断开：%1</translation>
    </message>
    <message>
        <source>a host unit answered</source>
        <translation>主机已应答</translation>
    </message>
    <message>
        <source>no host unit found; check the cable and the host unit&apos;s power</source>
        <translation>没有找到主机，请检查连线和电源</translation>
    </message>
    <message>
        <source>host unit found on %1</source>
        <translation>在%1找到主机</translation>
    </message>
    <message>
        <source>%1 disconnected: %2</source>
        <translation>%1 已断开：%2</translation>
    </message>
    <message>
        <source>: </source>
        <translation>：</translation>
    </message>
    <message>
        <source>: not present</source>
        <translation>：没有设备</translation>
    </message>
    <message>
        <source>%1: no serial device present</source>
        <translation>%1：没有串口设备</translation>
    </message>
    <message>
        <source>, </source>
        <translation>，</translation>
    </message>
    <message>
        <source>; </source>
        <translation>；</translation>
    </message>
    <message>
        <source>%1: only 1 serial device present (%2)</source>
        <translation>%1：只有 1 个串口设备（%2）</translation>
    </message>
    <message>
        <source>%1: only %2 serial devices present (%3)</source>
        <translation>%1：只有 %2 个串口设备（%3）</translation>
    </message>
    <message>
        <source> - add your user to the dialout group (sudo usermod -aG dialout $USER) and log in again</source>
        <translation>——请把用户加入 dialout 组（sudo usermod -aG dialout $USER）后重新登录</translation>
    </message>
    <message>
        <source>%1 is in use by another program (%2) - close that program first</source>
        <translation>%1 正被其他程序使用（%2）——请先关闭该程序</translation>
    </message>
    <message>
        <source> - check the cable and the adapter, or map the port to its device with --port COMn=DEVICE</source>
        <translation>——请检查连线和串口适配器，或用 --port COMn=设备 指定端口对应的设备</translation>
    </message>
    <message>
        <source>serial number %1</source>
        <translation>序列号 %1</translation>
    </message>
    <message>
        <source>serial port</source>
        <translation>串口</translation>
    </message>
    <message>
        <source>&quot;%1&quot; names no port: it must end in a port number from 1 to %2</source>
        <translation>“%1”不是端口名：结尾必须是 1 到 %2 的端口号</translation>
    </message>
    <message>
        <source>%1 names no port: a port number is 1 to %2</source>
        <translation>%1 不是端口名：端口号为 1 到 %2</translation>
    </message>
    <message>
        <source>not asked: a Bluetooth serial port, whose open may wait many seconds (map it with --port COMn=DEVICE to ask it)</source>
        <translation>未询问：蓝牙串口打开时可能要等待很多秒（用 --port COMn=设备 指定后才会询问）</translation>
    </message>
    <message>
        <source>no answer within %1 s: its driver did not return; left alone</source>
        <translation>%1 秒内没有结果：驱动程序没有返回，已放弃此端口</translation>
    </message>
    <message>
        <source>Set the pagers or table callers of PLAN.csv (a CSV file as export writes it, or an .xlsx workbook: its first worksheet with a header) row by row, each through the window&apos;s set pager or set table caller command. For a table caller, press its service key when asked. Exit status 0 every row done, 1 some rows refused, declined or not pressed (or, with --verify, not in the unit), 2 usage or file error, 3 communication failure.</source>
        <translation>按 PLAN.csv（export 写出的 CSV 文件，或 .xlsx 工作簿中第一个有表头的工作表）逐行设置传呼机或餐桌呼叫器，每行都通过窗口的设置传呼机或设置餐桌呼叫器命令。设置餐桌呼叫器时，请在提示时按该呼叫器的服务键。退出状态：0 每行都已完成，1 有行被拒绝、被主机拒收或未按键（或用 --verify 时不在主机中），2 用法或文件错误，3 通讯失败。</translation>
    </message>
    <message>
        <source>Afterwards read the host unit back and compare every row with it.</source>
        <translation>完成后读回主机，并与每一行比较。</translation>
    </message>
    <message>
        <source>Check every row and print it in words beside the frame it would send, then a count; no device needed.</source>
        <translation>检查每一行，用文字列出它和将要发送的帧，最后给出统计；不需要设备。</translation>
    </message>
    <message>
        <source>Start at row ROW of the file (the header is row 1).</source>
        <translation>从文件的第 ROW 行开始（表头行为第 1 行）。</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1：%2</translation>
    </message>
    <message>
        <source>%1: not read: %2</source>
        <translation>%1：未读取：%2</translation>
    </message>
    <message>
        <source>the host unit holds every row of %1</source>
        <translation>主机含有 %1 的每一行</translation>
    </message>
    <message>
        <source>%1 row(s) of %2 are not in the host unit as planned</source>
        <translation>%2 中有 %1 行不在主机中或与计划不同</translation>
    </message>
    <message>
        <source>--from expects a row number of 2 or more, got: %1</source>
        <translation>--from 需要 2 或更大的行号，得到：%1</translation>
    </message>
    <message>
        <source>stopped at row %1; to go on from there: %2</source>
        <translation>在第 %1 行停止；从该行继续：%2</translation>
    </message>
    <message>
        <source>interrupted before row %1; to go on from there: %2</source>
        <translation>已中断，停在第 %1 行之前；从该行继续：%2</translation>
    </message>
    <message>
        <source>interrupted after the last row: every row was sent</source>
        <translation>已中断，在最后一行之后：每一行都已发送</translation>
    </message>
    <message>
        <source>%1 row(s) done, %2 refused, declined or not answered</source>
        <translation>%1 行已完成，%2 行被拒绝、被主机拒收或没有应答</translation>
    </message>
    <message>
        <source>Press the service key of the caller of table %1</source>
        <translation>请按餐桌号 %1 的呼叫器的服务键</translation>
    </message>
    <message>
        <source>r retry / s skip / q quit</source>
        <translation>r 重试 / s 跳过 / q 退出</translation>
    </message>
    <message>
        <source>row %1: pager %2: %3</source>
        <translation>第 %1 行：传呼号 %2：%3</translation>
    </message>
    <message>
        <source>row %1: table %2: %3</source>
        <translation>第 %1 行：餐桌号 %2：%3</translation>
    </message>
    <message>
        <source>row %1 of %2, %3 s</source>
        <translation>第 %1 行，共 %2 行，已用 %3 秒</translation>
    </message>
    <message>
        <source>row %1: %2: %3</source>
        <translation>第 %1 行：%2：%3</translation>
    </message>
    <message>
        <source>pager %1, address code %2, %3, %4, %5, %6</source>
        <translation>传呼号 %1，地址码 %2，%3，%4，%5，%6</translation>
    </message>
    <message>
        <source>positive</source>
        <translation>正</translation>
    </message>
    <message>
        <source>negative</source>
        <translation>反</translation>
    </message>
    <message>
        <source>table %1, pagers %2, %3, %4</source>
        <translation>餐桌号 %1，对应传呼号 %2、%3、%4</translation>
    </message>
    <message>
        <source>%1 has no rows below its header</source>
        <translation>%1 的表头行下没有任何行</translation>
    </message>
    <message>
        <source>--from %1 is past the last row of %2 (row %3)</source>
        <translation>--from %1 超出了 %2 的最后一行（第 %3 行）</translation>
    </message>
    <message>
        <source>Write the CSV to the file CSV instead, for Excel and WPS to open with a double-click (UTF-8 with a byte-order mark); a name ending in .xlsx gets a workbook, address codes kept as text.</source>
        <translation>改为把 CSV 写入文件 CSV，供 Excel 和 WPS 双击打开（带字节顺序标记的 UTF-8）；文件名以 .xlsx 结尾时写出工作簿，地址码保存为文本。</translation>
    </message>
    <message>
        <source>%1 row(s) and the header written to %2</source>
        <translation>%1 行及表头行已写入 %2</translation>
    </message>
    <message>
        <source>a quote inside a field that does not start with a quote</source>
        <translation>不以引号开头的字段中有引号</translation>
    </message>
    <message>
        <source>a quoted field that is never closed</source>
        <translation>带引号的字段没有结束引号</translation>
    </message>
    <message>
        <source>text after a closing quote</source>
        <translation>结束引号后还有文字</translation>
    </message>
    <message>
        <source>must be one of %1, not &quot;%2&quot;</source>
        <translation>必须是 %1 之一，而不是“%2”</translation>
    </message>
    <message>
        <source>save it in Excel as &quot;CSV UTF-8 (Comma delimited)&quot;</source>
        <translation>请在 Excel 中另存为“CSV UTF-8（逗号分隔）”</translation>
    </message>
    <message>
        <source>this is an old Excel (.xls) or WPS (.et) workbook; save it as .xlsx or CSV</source>
        <translation>这是旧版 Excel（.xls）或 WPS（.et）工作簿，请另存为 .xlsx 或 CSV</translation>
    </message>
    <message>
        <source>the workbook is protected by a password; save it again without one</source>
        <translation>工作簿设有密码，请去掉密码后重新保存</translation>
    </message>
    <message>
        <source>the workbook unpacks to more than a sheet of pagers or tables can hold</source>
        <translation>工作簿解压后远大于传呼机或餐桌表格可能的大小</translation>
    </message>
    <message>
        <source>the workbook is damaged or not one that Excel, WPS or LibreOffice saves; save it again as .xlsx or as CSV</source>
        <translation>工作簿已损坏，或不是 Excel、WPS、LibreOffice 保存的格式；请重新另存为 .xlsx 或 CSV</translation>
    </message>
    <message>
        <source>the workbook is damaged: its cells are out of order</source>
        <translation>工作簿已损坏：单元格顺序错乱</translation>
    </message>
    <message>
        <source>the workbook is damaged: a cell names no shared string</source>
        <translation>工作簿已损坏：单元格引用的共享字符串不存在</translation>
    </message>
    <message>
        <source>the workbook is damaged: %1</source>
        <translation>工作簿已损坏：%1</translation>
    </message>
    <message>
        <source>the workbook is damaged: its rows are out of order</source>
        <translation>工作簿已损坏：行顺序错乱</translation>
    </message>
    <message>
        <source>%1 row(s): %2 pager(s) and %3 table(s) to set</source>
        <translation>共 %1 行：要设置 %2 个传呼号、%3 个餐桌号</translation>
    </message>
    <message>
        <source>a value past column %1; a sheet has at most %2 columns</source>
        <translation>%1 列之后还有值；表格最多只能有 %2 列</translation>
    </message>
    <message>
        <source>the file is larger than %1 MiB; a sheet of pagers or table callers is far smaller</source>
        <translation>文件大于 %1 MiB；传呼机或餐桌呼叫器的表格远小于此</translation>
    </message>
    <message>
        <source>row %1 (%2) is not the header; skipped</source>
        <translation>第 %1 行（%2）不是表头，已跳过</translation>
    </message>
    <message>
        <source>row %1 (%2) sets nothing; skipped</source>
        <translation>第 %1 行（%2）没有要设置的内容，已跳过</translation>
    </message>
    <message>
        <source>and %1 more row(s) skipped</source>
        <translation>另有 %1 行已跳过</translation>
    </message>
    <message>
        <source>more than %1 pagers; the host unit holds at most %1</source>
        <translation>传呼号超过 %1 个；主机最多只能存 %1 个</translation>
    </message>
    <message>
        <source>more than %1 table numbers; the host unit holds at most %1</source>
        <translation>餐桌号超过 %1 个；主机最多只能存 %1 个</translation>
    </message>
    <message>
        <source>no header among the first %1 rows that are not blank: a header names the columns %2 or %3</source>
        <translation>前 %1 个非空行中没有表头行：表头行应为 %2 或 %3</translation>
    </message>
    <message>
        <source>cannot read: %1</source>
        <translation>无法读取：%1</translation>
    </message>
    <message>
        <source>must be 7 digits</source>
        <translation>必须为7位数字</translation>
    </message>
    <message>
        <source>rounds past %1</source>
        <translation>取整后超过 %1</translation>
    </message>
    <message>
        <source>cannot be sent as written</source>
        <translation>无法按所写的内容发送</translation>
    </message>
    <message>
        <source>the header has no column %1</source>
        <translation>表头行没有 %1 列</translation>
    </message>
    <message>
        <source>the same header as column %1</source>
        <translation>与 %1 列的表头相同</translation>
    </message>
    <message>
        <source>the same pager number as row %1</source>
        <translation>与第 %1 行的传呼号相同</translation>
    </message>
    <message>
        <source>the same table number as row %1</source>
        <translation>与第 %1 行的餐桌号相同</translation>
    </message>
    <message>
        <source>row %1: %2</source>
        <translation>第 %1 行：%2</translation>
    </message>
    <message>
        <source>row %1, column %2: %3</source>
        <translation>第 %1 行 %2 列：%3</translation>
    </message>
    <message>
        <source>row %1, column %2 (%3): %4</source>
        <translation>第 %1 行 %2 列（%3）：%4</translation>
    </message>
    <message>
        <source>column %1</source>
        <translation>%1 列</translation>
    </message>
    <message>
        <source>column %1 (%2)</source>
        <translation>%1 列（%2）</translation>
    </message>
    <message>
        <source>the file is empty; a plan starts with a header row</source>
        <translation>文件为空；计划以表头行开始</translation>
    </message>
    <message>
        <source>in the unit, not in the plan: pager %1</source>
        <translation>主机中有、表格中没有：传呼号 %1</translation>
    </message>
    <message>
        <source>in the unit, not in the plan: table %1</source>
        <translation>主机中有、表格中没有：餐桌号 %1</translation>
    </message>
    <message>
        <source>row %1: pager %2 is not in the unit</source>
        <translation>第 %1 行：传呼号 %2 不在主机中</translation>
    </message>
    <message>
        <source>row %1: pager %2: the unit holds %3, the plan %4</source>
        <translation>第 %1 行：传呼号 %2：主机中为 %3，计划为 %4</translation>
    </message>
    <message>
        <source>row %1: table %2 is not in the unit</source>
        <translation>第 %1 行：餐桌号 %2 不在主机中</translation>
    </message>
    <message>
        <source>row %1: table %2: the unit binds %3, the plan %4</source>
        <translation>第 %1 行：餐桌号 %2：主机中对应 %3，计划为 %4</translation>
    </message>
    <message>
        <source>row %1: refused by its check, not in the unit</source>
        <translation>第 %1 行：未通过检查，不在主机中</translation>
    </message>
    <message>
        <source>Take a backup file whose name does not end in .cat or .CAT (the window takes only those).</source>
        <translation>接受文件名不以 .cat 或 .CAT 结尾的备份文件（窗口只接受这两种）。</translation>
    </message>
    <message>
        <source>Write without asking, and without the read of the host unit before it.</source>
        <translation>不询问直接写入，写入前也不读取主机。</translation>
    </message>
    <message>
        <source>%1: the file name must end in .cat or .CAT (--any-name takes any name)</source>
        <translation>%1：保存文件的扩展名必须为.cat！（--any-name 接受任何文件名）</translation>
    </message>
    <message>
        <source>%1: choose a .cat or .CAT file (--any-name takes any name)</source>
        <translation>%1：请选择.cat文件（--any-name 接受任何文件名）</translation>
    </message>
    <message>
        <source>writing %1 into the host unit at %2</source>
        <translation>将 %1 写入主机，端口 %2</translation>
    </message>
    <message>
        <source>%1: %2 pager(s), %3 table caller(s), work mode %4</source>
        <translation>%1：传呼机 %2 个，餐桌呼叫器 %3 个，工作模式 %4</translation>
    </message>
    <message>
        <source>host unit now</source>
        <translation>主机现有</translation>
    </message>
    <message>
        <source>%1 of the %2 bytes differ (urge units, repeaters and the other settings are not listed above)</source>
        <translation>%2 字节中有 %1 字节不同（催菜器、增强器等其他设置未在上面列出）</translation>
    </message>
    <message>
        <source>Write to the host unit? [y/N]</source>
        <translation>写入主机？[y/N]</translation>
    </message>
    <message>
        <source>nothing written; the host unit is as it was</source>
        <translation>未写入；主机保持原样</translation>
    </message>
    <message>
        <source>interrupted: %1</source>
        <translation>已中断：%1</translation>
    </message>
    <message>
        <source>the host unit is as it was</source>
        <translation>主机保持原样</translation>
    </message>
    <message>
        <source>all %1 blocks are new; the host unit was not read back</source>
        <translation>全部 %1 块都是新的；未读回主机核对</translation>
    </message>
    <message>
        <source>the host unit now holds a mix of old and new blocks: blocks 1–%1 are new, %2–%3 old; restore again to write the whole file, or verify to compare</source>
        <translation>主机中新旧块混杂：第 1–%1 块是新的，第 %2–%3 块是旧的；请再次 restore 写入整个文件，或用 verify 核对</translation>
    </message>
    <message>
        <source>in use by another program (%1) - close that program first</source>
        <translation>正被其他程序使用（%1）——请先关闭该程序</translation>
    </message>
    <message>
        <source>%1 took no byte for a second</source>
        <translation>%1 一秒内未接收任何字节</translation>
    </message>
    <message>
        <source>%1 took no byte for a second: %2</source>
        <translation>%1 一秒内未接收任何字节：%2</translation>
    </message>
    <message>
        <source>took no byte for a second</source>
        <translation>一秒内未接收任何字节</translation>
    </message>
    <message>
        <source>took no byte for a second: %1</source>
        <translation>一秒内未接收任何字节：%1</translation>
    </message>
    <message>
        <source>the port is not open</source>
        <translation>端口未打开</translation>
    </message>
    <message>
        <source>the port is already open</source>
        <translation>端口已经打开</translation>
    </message>
    <message>
        <source>(none)</source>
        <translation>（无）</translation>
    </message>
    <message>
        <source>pager %1: A %2, B %3</source>
        <translation>传呼号 %1：A %2，B %3</translation>
    </message>
    <message>
        <source>table count: A %1, B %2</source>
        <translation>餐桌号个数：A %1，B %2</translation>
    </message>
    <message>
        <source>table %1: A %2, B %3</source>
        <translation>餐桌号 %1：A %2，B %3</translation>
    </message>
    <message>
        <source>work mode: A %1 (%2), B %3 (%4)</source>
        <translation>工作模式：A %1（%2），B %3（%4）</translation>
    </message>
    <message>
        <source>identical</source>
        <translation>相同</translation>
    </message>
    <message>
        <source>differing bytes (%1): %2</source>
        <translation>不同的字节（%1 个）：%2</translation>
    </message>
    <message>
        <source>Read the host unit&apos;s memory into a backup file.</source>
        <translation>把主机内存读入备份文件。</translation>
    </message>
    <message>
        <source>Write a backup file into the host unit, then read it back.</source>
        <translation>把备份文件写入主机，再读回核对。</translation>
    </message>
    <message>
        <source>Compare the host unit with a backup file.</source>
        <translation>比较主机与备份文件。</translation>
    </message>
    <message>
        <source>Print a backup file&apos;s pagers, table callers, work mode or hex view.</source>
        <translation>显示备份文件中的传呼机、餐桌呼叫器、工作模式或十六进制内容。</translation>
    </message>
    <message>
        <source>Print what differs between two backup files.</source>
        <translation>列出两个备份文件的不同之处。</translation>
    </message>
    <message>
        <source>Print a backup file&apos;s pagers or table callers as CSV.</source>
        <translation>以 CSV 输出备份文件中的传呼机或餐桌呼叫器。</translation>
    </message>
    <message>
        <source>Print what each port opens; with --find, which leads to a host unit.</source>
        <translation>列出每个端口打开的设备；加 --find 时找出连着主机的端口。</translation>
    </message>
    <message>
        <source>Set pagers or table callers row by row from a CSV or .xlsx plan.</source>
        <translation>按 CSV 或 .xlsx 计划逐行设置传呼机或餐桌呼叫器。</translation>
    </message>
    <message>
        <source>no such subcommand: %1; did you mean %2?</source>
        <translation>没有这个子命令：%1；是否要用 %2？</translation>
    </message>
    <message>
        <source>no display: use a subcommand, see %1 --help</source>
        <translation>没有图形界面：请使用子命令，见 %1 --help</translation>
    </message>
</context>
</TS>
