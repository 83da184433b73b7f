#!/usr/bin/env python3
"""The far end of the Win32 serial port tests.

Runs the test program (under Wine) and plays the device behind its COM port: a
pseudo-terminal that $WINEPREFIX/dosdevices/<port> points at. The program asks for what it
needs in lines "@farend REQUEST" on its standard output and gets one answer line on its
standard input:

  new          a fresh pseudo-terminal behind the port   -> the port's name
  send HEX     the far end writes these bytes            -> ok
  take         what the program wrote since last time    -> HEX (empty if nothing)
  stop         the terminal stops its output: writes stall -> ok
  flowchars    the terminal's XON and XOFF characters    -> HEX (two bytes)
  noflowchars  sets both to 0, as a driver may report them -> ok
  hangup       the far end closes: the device is gone     -> ok

Every other line of the program's output is passed through. Exits with the program's status.

usage: farend.py PORT COMMAND [ARGUMENT...]      e.g. farend.py COM17 wine64 tst.exe
"""

import os
import select
import subprocess
import sys
import termios
import tty


class FarEnd:
    def __init__(self, port):
        self.port = port
        prefix = os.environ.get("WINEPREFIX") or sys.exit("farend.py: WINEPREFIX is not set")
        self.link = os.path.join(prefix, "dosdevices", port.lower())
        self.master = None
        self.slave = None

    def close(self):
        for fd in (self.master, self.slave):
            if fd is not None:
                os.close(fd)
        self.master = self.slave = None

    def new(self):
        self.close()
        self.master, self.slave = os.openpty()
        tty.setraw(self.slave)
        temporary = self.link + ".new"
        if os.path.lexists(temporary):
            os.remove(temporary)
        os.symlink(os.ttyname(self.slave), temporary)
        os.replace(temporary, self.link)
        return self.port

    def send(self, hex_bytes):
        data = bytes.fromhex(hex_bytes)
        while data:
            data = data[os.write(self.master, data):]
        return "ok"

    def take(self, quiet_seconds=0.1):
        received = bytearray()
        while self.master is not None:
            ready, _, _ = select.select([self.master], [], [], quiet_seconds)
            if not ready:
                break
            try:
                chunk = os.read(self.master, 4096)
            except OSError:  # the program closed the port
                break
            if not chunk:
                break
            received += chunk
        return received.hex().upper()

    def stop(self):
        termios.tcflow(self.slave, termios.TCOOFF)
        return "ok"

    def flow_chars(self):
        chars = termios.tcgetattr(self.slave)[6]
        return bytes(ord(chars[i]) for i in (termios.VSTART, termios.VSTOP)).hex().upper()

    def no_flow_chars(self):
        attributes = termios.tcgetattr(self.slave)
        attributes[6][termios.VSTART] = attributes[6][termios.VSTOP] = b"\0"
        termios.tcsetattr(self.slave, termios.TCSANOW, attributes)
        return "ok"

    def hangup(self):
        self.close()
        return "ok"

    def answer(self, request):
        verb, _, argument = request.partition(" ")
        if verb == "new":
            return self.new()
        if verb == "send":
            return self.send(argument)
        if verb == "take":
            return self.take()
        if verb == "stop":
            return self.stop()
        if verb == "flowchars":
            return self.flow_chars()
        if verb == "noflowchars":
            return self.no_flow_chars()
        if verb == "hangup":
            return self.hangup()
        return "unknown request " + verb


def main():
    if len(sys.argv) < 3:
        sys.exit(__doc__)
    far_end = FarEnd(sys.argv[1])
    program = subprocess.Popen(sys.argv[2:], stdin=subprocess.PIPE, stdout=subprocess.PIPE)
    try:
        for raw in program.stdout:
            line = raw.decode("latin-1").rstrip("\r\n")
            if line.startswith("@farend "):
                try:
                    program.stdin.write((far_end.answer(line[len("@farend "):]) + "\n").encode())
                    program.stdin.flush()
                except BrokenPipeError:  # the program ended while asking
                    break
            else:
                print(line, flush=True)
        return program.wait()
    finally:
        far_end.close()
        if os.path.lexists(far_end.link):
            os.remove(far_end.link)


if __name__ == "__main__":
    sys.exit(main())
