#!/usr/bin/env python3
# Under sway (tests/e2e/desktop sway) the tests move the seat's pointer as a
# device moves it: through wayvnc's virtual pointer, at ZENTRO_VNC_SOCKET.
# Warping sway's cursor skips what a device's motion brings, and XWayland
# then never reports the pointer leaving its windows.
# Usage: vnc_pointer.py X Y [BUTTON [HOLD_MS]]: moves there, then clicks.
import os, socket, struct, sys, time


def read(s, n):
    data = b""
    while len(data) < n:
        chunk = s.recv(n - len(data))
        if not chunk:
            sys.exit("the VNC server closed the connection")
        data += chunk
    return data


x, y = int(sys.argv[1]), int(sys.argv[2])
button = int(sys.argv[3]) if len(sys.argv) > 3 else 0
hold = int(sys.argv[4]) / 1000 if len(sys.argv) > 4 else 0
s = socket.socket(socket.AF_UNIX)
s.connect(os.environ["ZENTRO_VNC_SOCKET"])
read(s, 12)  # version 3.8, no security, a shared session, no pixels asked for
s.sendall(b"RFB 003.008\n")
if 1 not in read(s, read(s, 1)[0]):
    sys.exit("the VNC server wants a password")
s.sendall(b"\1")
read(s, 4)
s.sendall(b"\1")
read(s, 20)
read(s, struct.unpack(">I", read(s, 4))[0])
for mask, pause in [(0, 0)] + ([(1 << (button - 1), hold), (0, 0)] if button else []):
    s.sendall(struct.pack(">BBHH", 5, mask, x, y))
    time.sleep(pause)
time.sleep(0.05)
